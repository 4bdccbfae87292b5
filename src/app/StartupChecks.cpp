#include "app/StartupChecks.h"

#include "app/ResText.h"
#include "base/Messages.h"
#include "base/Util.h"

#include <filesystem>
#include <system_error>

namespace {

void CheckDisplay(GameSettings& settings, ISystemInfo& system) {
    const int bits = system.ColourBits();
    if (bits == 1) {
        ShowMessageBox("Display Error", LoadResText(StrMonochromeDisplay),
                       MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
        settings.StartupFailed = true;
    } else if (bits == 4) {
        if (!Confirm("Display Error", LoadResText(StrSixteenColourDisplay))) {
            settings.StartupFailed = true;
        }
    }
}

void CheckSingleInstance(GameSettings& settings, IInstanceLock& lock) {
    if (!lock.Acquire()) {
        settings.StartupFailed = true;
        settings.SignalledRunningCopy = true;
        lock.SignalOther();
    }
}

bool FileExists(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// The name of the first required file that is missing, or empty when all are there.
std::string FindMissingFile(const GameSettings& settings) {
    if (!FileExists(settings.ProgramFolder + "ladderly.px8")) {
        return "ladderly.px8";
    }
    for (const char* base : {"sounds", "puzzle"}) {
        const std::string stem = settings.DataFolder + base;
        if (!FileExists(stem + ".dat") && !FileExists(stem + ".txt")) {
            return std::string(base) + ".dat";
        }
    }
    return {};
}

void CheckRequiredFiles(GameSettings& settings) {
    const std::string missing = FindMissingFile(settings);
    if (!missing.empty()) {
        ShowMessageBox("Installation Error", FormatText(LoadResText(StrMissingFile), {missing}),
                       MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
        settings.StartupFailed = true;
    }
}

} // namespace

ApplicationInfo& Application() {
    static ApplicationInfo application;
    return application;
}

bool RunStartupChecks(GameSettings& settings, ISystemInfo& system, IInstanceLock& lock,
                      ApplicationInfo& application) {
    if (!settings.StartupFailed) {
        CheckDisplay(settings, system);
    }
    if (!settings.StartupFailed) {
        CheckSingleInstance(settings, lock);
    }
    if (!settings.StartupFailed) {
        CheckRequiredFiles(settings);
    }
    if (!settings.StartupFailed) {
        application.Title = "Ladderly";
        application.HelpFile = "ladd.hlp";
    }
    return !settings.StartupFailed;
}

int ExitStatus(const GameSettings& settings) {
    return settings.StartupFailed && !settings.SignalledRunningCopy ? 1 : 0;
}
