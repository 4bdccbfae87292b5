// Ladderly's entry point: wires the Qt platform to the start-up sequence, creates the main
// window and runs the game. "--screenshot FILE" (other arguments are ignored as ever) shows
// the first screen, writes the window's client area to FILE as a PNG and ends.

#include "app/FormGame.h"
#include "app/GameAccessibility.h"
#include "app/GameCursors.h"
#include "app/GameRooms.h"
#include "app/InitGame.h"
#include "app/StartupChecks.h"
#include "base/ErrorLog.h"
#include "base/Messages.h"
#include "platform/ProcessEnd.h"
#include "platform/QtPlatform.h"
#include "screens/dialogs/About.h"
#include "screens/dialogs/QtGameDialogs.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <iostream>
#include <optional>

namespace {

std::optional<std::string> ScreenshotFile(const std::vector<std::string>& arguments) {
    for (std::size_t at = 0; at + 1 < arguments.size(); ++at) {
        if (arguments[at] == "--screenshot") {
            return arguments[at + 1];
        }
    }
    return std::nullopt;
}

// Shows the window and runs the event loop until it closes; with a screenshot file the window
// closes as soon as its first screen is drawn. Returns the exit status.
int RunGame(TFormGame& form, const std::optional<std::string>& screenshot) {
    bool saved = false;
    if (screenshot) {
        form.OnShown = [&form, &saved, &screenshot] {
            saved = form.grab().toImage().save(QString::fromStdString(*screenshot), "PNG");
            if (!saved) {
                std::cerr << "Ladderly: cannot write the screenshot \"" << *screenshot << "\"\n";
            }
            form.close();
        };
    }
    form.show();
    QApplication::exec();
    return screenshot && !saved ? 1 : 0;
}

// The game from start to end; every object it made is gone when it returns the exit status.
int Run(int argc, char** argv) {
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
    SetErrorLogFolder(settings.ErrorLogFolder);
    platform.SetHelpFolder(settings.InstallFolder + "help");

    const std::unique_ptr<IInstanceLock> lock =
        platform.CreateInstanceLock(InstanceLockName, InstanceMessage);
    int status = 0;
    if (RunStartupChecks(settings, system, *lock, Application())) {
        const std::optional<std::string> screenshot = ScreenshotFile(platform.Arguments());
        // Nobody attends a screenshot run, so no dialog may wait for an answer there.
        QtGameDialogs dialogs(settings.SplashScreen, Application().Title,
                              screenshot ? QtGameDialogs::Mode::Headless
                                         : QtGameDialogs::Mode::Automatic);
        // Nor is it the player's game: it neither reads nor writes the progress journal.
        const bool keepProgress = !screenshot && !settings.UserDataFolder.empty();
        RegisterGameRoom(settings.DataFolder, settings.UserDataFolder, &dialogs,
                         keepProgress ? settings.UserDataFolder + "progress.txt" : std::string(),
                         settings.Resume);
        TFormGame form(settings, Application());
        form.SetGameDialogs(&dialogs);
        // Every dialog and box belongs to the game's window; the About box's link shows the
        // game's own cursor, which the window has just drawn.
        dialogs.SetWindow(&form);
        dialogs.About().SetLinkCursor(ScreenCursor(CursorId::Link));
        platform.SetMainWindow(&form);
        TGameAccessibility::Install(form);
        lock->SetSignalHandler([&form] { form.BringToFront(); });
        if (!settings.StartupFailed) {
            status = RunGame(form, screenshot);
        }
        lock->SetSignalHandler(nullptr);
    }

    SaveSettings(settings, *store);
    SetUserInterface(nullptr);
    const int failed = ExitStatus(settings);
    return failed != 0 ? failed : status;
}

} // namespace

int main(int argc, char** argv) {
    EndProcess(Run(argc, argv));
}
