#pragma once
// The wave output on Qt Multimedia. One player, kept as long as the output, plays every sound
// through a QAudioSink on the default audio output; the devices the output opens are handles on
// it, and a sound written to one cuts the sound another handle was playing.
//
// Each sound starts a fresh stream with a few milliseconds of silence ahead and silence after
// it, so a sound shorter than the server's pre-buffer starts too. Its completion is posted when
// twice the sink's buffer of silence has been written after it: the server takes no more than
// one buffer ahead of what it has played, so by then the sound has been played, not merely
// handed on. The stream stops a buffer later. Completions are queued to the user-interface thread
// and reach their target from its event loop; those still queued when the output is destroyed are
// dropped; the targets must outlive the output, and the devices must not.
//
// A QAudioSink runs the event loop when it is destroyed, so the player never destroys one inside
// a call: a sink it no longer needs is deleted later. When the sound server goes away, the sound
// that plays is posted as done and later sounds fail to start until the server is back.

#include "platform/WaveOutput.h"

#include <memory>

class QtWavePlayer;

class QtWaveOutput : public IWaveOutput {
  public:
    QtWaveOutput();
    ~QtWaveOutput() override;
    QtWaveOutput(const QtWaveOutput&) = delete;
    QtWaveOutput& operator=(const QtWaveOutput&) = delete;

    int DeviceCount() override;
    std::unique_ptr<IWaveDevice> Open(const TWaveFormat& format, IWaveDoneTarget& target) override;

  private:
    std::unique_ptr<QtWavePlayer> Player;
};
