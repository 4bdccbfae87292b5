#pragma once
// The checks start-up runs once the settings are read (a usable display, no other running
// copy, and the installed files the game cannot start without), the application information
// they settle, and the exit status of the process.

#include "app/InitGame.h"
#include "platform/InstanceLock.h"
#include "platform/SystemInfo.h"

#include <string>

// The lock only one running copy holds, and the message a later copy sends to that one.
inline constexpr char InstanceLockName[] = "LDG";
inline constexpr char InstanceMessage[] = "Check for LDG instance";

struct ApplicationInfo {
    std::string Title;
    std::string HelpFile; // a bare file name; the main window puts InstallFolder in front
};

// The process-wide application information.
ApplicationInfo& Application();

// Runs the display check, the single-instance check and the required-file check in turn,
// each only while StartupFailed is false, showing the box of the first that fails; then
// names the application. The lock stays held as long as the lock object lives. Returns
// whether start-up may go on.
bool RunStartupChecks(GameSettings& settings, ISystemInfo& system, IInstanceLock& lock,
                      ApplicationInfo& application);

// The process's exit status: 1 after a failed start-up, so scripts and packagers can tell; 0
// after a normal run and for a second copy that only signalled the running one.
int ExitStatus(const GameSettings& settings);
