// Ladderly's entry point: wires the Qt platform to the start-up sequence.

#include "app/Main.h"
#include "app/InitGame.h"
#include "base/ErrorLog.h"
#include "base/Messages.h"
#include "platform/QtPlatform.h"

#include <iostream>

int main(int argc, char** argv) {
    QtPlatform platform(argc, argv);
    SetUserInterface(&platform.UserInterface());
    ISystemInfo& system = platform.SystemInfo();

    // An installation keeps the settings its installer chose in "defaults" beside the program;
    // the user's own settings win over them.
    const std::string programFolder = system.ExecutableFolder();
    const std::unique_ptr<ISettingsStore> store =
        platform.CreateSettingsStore(programFolder + "/defaults");
    GameSettings& settings = Settings();
    InitSettings(settings, *store, programFolder, platform.Arguments());
    SetErrorLogFolder(settings.InstallFolder);

    const std::unique_ptr<IInstanceLock> lock =
        platform.CreateInstanceLock(InstanceLockName, InstanceMessage);
    if (RunStartupChecks(settings, system, *lock, Application())) {
        std::cerr << "Ladderly: the installation is complete, but the game screen is not built "
                     "yet.\n";
    }

    SaveSettings(settings, *store);
    SetUserInterface(nullptr);
    return ExitStatus(settings);
}
