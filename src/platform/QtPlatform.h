#pragma once
// The Qt platform of the game: owns the QApplication and the Qt implementations of the
// platform interfaces, so that the program's entry point needs no Qt of its own.

#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "platform/SystemInfo.h"
#include "platform/UserInterface.h"

#include <memory>
#include <string>
#include <vector>

class QApplication;
class QWidget;
class QtSystemInfo;
class QtUserInterface;

class QtPlatform {
  public:
    // Creates the application from the command line; argc and argv must outlive it.
    QtPlatform(int& argc, char** argv);
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    IUserInterface& UserInterface();
    // The folder of the help pages the user interface shows.
    void SetHelpFolder(const std::string& folder);
    // The game's window, which the message boxes belong to while it is shown.
    void SetMainWindow(QWidget* window);
    ISystemInfo& SystemInfo();

    // The command-line arguments after the program name, without the options Qt took.
    std::vector<std::string> Arguments() const;

    // The settings store, with defaults from the given folder (see QtSettingsStore).
    std::unique_ptr<ISettingsStore> CreateSettingsStore(const std::string& defaultsFolder);

    std::unique_ptr<IInstanceLock> CreateInstanceLock(const std::string& lockName,
                                                      const std::string& message);

  private:
    std::unique_ptr<QApplication> application;
    std::unique_ptr<QtUserInterface> userInterface;
    std::unique_ptr<QtSystemInfo> systemInfo;
};
