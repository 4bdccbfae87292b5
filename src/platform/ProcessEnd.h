#pragma once
// How a program that may have played sound through Qt Multimedia ends. Qt's PulseAudio engine
// is a static object whose destructor disconnects from the sound server without holding the
// lock of the thread that talks to it; when the server sends something at that moment (another
// program starts a sound, a recorder stops), libpulse aborts. So such a program ends without
// running the destructors of static objects, once its own objects are gone.

// Flushes the standard streams, runs the leak check of a sanitized build and ends the process
// with the status.
[[noreturn]] void EndProcess(int status);
