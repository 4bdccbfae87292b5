#include "app/InitGame.h"

#include "base/Messages.h"
#include "base/Util.h"

#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

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

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The user's home folder: $HOME, else the one the user database names.
std::string HomeFolder() {
    std::string home = EnvironmentText("HOME");
    if (home.empty()) {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
    }
    return home;
}

std::string WithSeparator(const std::string& folder) {
    return !folder.empty() && folder.back() == '/' ? folder : folder + '/';
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
    settings.UserDataFolder =
        ChooseUserDataFolder(settings.DataFolder, ::access(settings.DataFolder.c_str(), W_OK) == 0,
                             EnvironmentText("XDG_DATA_HOME"), HomeFolder());
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

std::string ChooseUserDataFolder(const std::string& dataFolder, bool dataFolderWritable,
                                 const std::string& xdgDataHome, const std::string& home) {
    if (dataFolderWritable) {
        return dataFolder;
    }
    // A relative XDG_DATA_HOME is invalid and ignored.
    if (xdgDataHome.starts_with('/')) {
        return WithSeparator(xdgDataHome) + "Ladderly/";
    }
    return home.empty() ? std::string() : WithSeparator(home) + ".local/share/Ladderly/";
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
