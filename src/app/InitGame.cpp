#include "app/InitGame.h"

#include "base/Messages.h"
#include "base/Util.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <stdexcept>

namespace {

std::string ValueFault(const SettingStatus status, const std::string& name) {
    return status == SettingStatus::Missing ? "Failed to get data for '" + name + "'"
                                            : "Invalid data type for '" + name + "'";
}

// A missing or wrongly typed integer is a fault.
bool ReadSwitch(ISettingsStore& store, const std::string& name) {
    const SettingRead<int32_t> read = store.ReadInteger(GameKey, name);
    if (read.status != SettingStatus::Ok) {
        throw std::runtime_error(ValueFault(read.status, name));
    }
    return read.value != 0;
}

// A missing string reads as empty; one of another type is a fault.
std::string ReadText(ISettingsStore& store, const std::string& key, const std::string& name) {
    const SettingRead<std::string> read = store.ReadString(key, name);
    if (read.status == SettingStatus::WrongType) {
        throw std::runtime_error(ValueFault(read.status, name));
    }
    return read.status == SettingStatus::Ok ? read.value : std::string();
}

std::string WithSeparator(const std::string& folder) {
    return !folder.empty() && folder.back() == '/' ? folder : folder + '/';
}

// A system installation is read-only to the users who play it.
bool CanWrite(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

void ReadSettings(GameSettings& settings, ISettingsStore& store,
                  const std::vector<std::string>& arguments) {
    settings.SoundEnabled = true;
    settings.SplashScreen = true;
    if (store.OpenKey(GameKey, true)) {
        settings.SoundEnabled = ReadSwitch(store, SoundValue);
        settings.SplashScreen = ReadSwitch(store, SplashValue);
        // Added after the others, so older settings lack it.
        settings.Resume =
            store.ReadInteger(GameKey, ResumeValue).status != SettingStatus::Missing &&
            ReadSwitch(store, ResumeValue);
    }
    for (const std::string& argument : arguments) {
        const std::string word = UpperCaseASCII(argument);
        if (word == "NOWAVE" || word == "NOSOUND") {
            settings.SoundEnabled = false;
        }
    }
}

void LocateFolders(GameSettings& settings, ISettingsStore& store,
                   const std::string& executableFolder) {
    settings.ProgramFolder = executableFolder;
    settings.InstallFolder.clear();
    std::string devHome;
    if (store.OpenKey(CompanyKey, false)) {
        devHome = ReadText(store, CompanyKey, DevHomeValue);
    }
    if (store.OpenKey(GameKey, true)) {
        settings.InstallFolder = ReadText(store, GameKey, DirectoryValue);
    }
    if ((settings.InstallFolder.empty() || !DirectoryExists(settings.InstallFolder)) &&
        !devHome.empty()) {
        settings.InstallFolder = WithSeparator(devHome) + "Ladderly";
        settings.ProgramFolder = settings.InstallFolder;
    }
    if (settings.InstallFolder.empty()) {
        throw std::runtime_error(
            FormatText("Unable to locate name of installation folder under registry entry "
                       "\"%s\\%s\". Please re-install and try again.",
                       {GameKey, DirectoryValue}));
    }
    if (!DirectoryExists(settings.InstallFolder)) {
        throw std::runtime_error(FormatText(
            "Unable to locate installation folder \"%s\". Please re-install and try again.",
            {settings.InstallFolder}));
    }
    settings.InstallFolder = WithSeparator(settings.InstallFolder);
    settings.ProgramFolder = WithSeparator(settings.ProgramFolder);
    settings.DataFolder = settings.InstallFolder + "dat/";
    settings.WaveFolder = settings.ProgramFolder + "wav/";
    settings.UserDataFolder = CanWrite(settings.DataFolder)
                                  ? settings.DataFolder
                                  : UserFolder("XDG_DATA_HOME", ".local/share");
    settings.ErrorLogFolder = CanWrite(settings.InstallFolder)
                                  ? settings.InstallFolder
                                  : UserFolder("XDG_STATE_HOME", ".local/state");
}

} // namespace

GameSettings& Settings() {
    static GameSettings settings;
    return settings;
}

void InitSettings(GameSettings& settings, ISettingsStore& store,
                  const std::string& executableFolder, const std::vector<std::string>& arguments) {
    try {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        ReadSettings(settings, store, arguments);
        LocateFolders(settings, store, executableFolder);
    } catch (const std::exception& fault) {
        ShowMessageBox("Starting Game", fault.what(),
                       MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
        settings.StartupFailed = true;
    }
}

std::string UserFolder(const char* xdgVariable, const char* belowHome) {
    const char* base = std::getenv(xdgVariable);
    // The XDG base directory rules ignore a relative path.
    const std::string folder = base != nullptr && base[0] == '/'
                                   ? std::string(base)
                                   : WithSeparator(HomeFolder()) + belowHome;
    return WithSeparator(folder) + "Ladderly/";
}

void SaveSettings(const GameSettings& settings, ISettingsStore& store) noexcept {
    try {
        if (store.OpenKey(GameKey, true)) {
            store.WriteInteger(GameKey, SoundValue, settings.SoundEnabled ? 1 : 0);
            store.WriteInteger(GameKey, SplashValue, settings.SplashScreen ? 1 : 0);
            store.WriteInteger(GameKey, ResumeValue, settings.Resume ? 1 : 0);
        }
    } catch (...) {
        // The game is ending; nobody is left to tell.
    }
}
