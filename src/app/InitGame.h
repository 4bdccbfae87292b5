#pragma once
// The game's settings and folders: read from the settings store and the command line before
// anything else starts, and written back when the game ends.

#include "platform/SettingsStore.h"

#include <string>
#include <vector>

// Key paths of the settings store and the value names kept under them.
inline constexpr char CompanyKey[] = "Software\\Tarn Software";
inline constexpr char GameKey[] = "Software\\Tarn Software\\Ladderly";
inline constexpr char DirectoryValue[] = "Directory";
inline constexpr char SoundValue[] = "Enable sound";
inline constexpr char SplashValue[] = "SplashScreen";
inline constexpr char DevHomeValue[] = "DevHome";
inline constexpr char ResumeValue[] = "Resume";

// Settings and folders, set once at start-up. Every folder ends in "/".
struct GameSettings {
    bool SoundEnabled = true;
    bool SplashScreen = true;
    bool Resume = false;       // entering the game starts at the first unsolved puzzle
    std::string ProgramFolder; // the executable's folder: the image library and wav/
    std::string InstallFolder; // the installation: dat/, the help file and the error log
    std::string DataFolder;    // puzzles, vocabulary and sound table
    std::string WaveFolder;    // the sound effects
    // Where this user's own files go: the DataFolder when it can be written (a staged folder),
    // else $XDG_DATA_HOME/Ladderly/ ($HOME/.local/share/Ladderly/ without it).
    std::string UserDataFolder;
    bool StartupFailed = false;
    bool SignalledRunningCopy = false; // start-up ended because another copy runs
};

// The process-wide settings the rest of the game reads.
GameSettings& Settings();

// Reads the settings ("Resume" is off when missing), applies the command-line switches ("NOWAVE"
// and "NOSOUND" in any case turn sound off) and locates the folders. Any fault is shown in a
// "Starting Game" box and sets StartupFailed.
void InitSettings(GameSettings& settings, ISettingsStore& store,
                  const std::string& executableFolder, const std::vector<std::string>& arguments);

// The UserDataFolder rule on given facts; home is the user's home folder.
std::string ChooseUserDataFolder(const std::string& dataFolder, bool dataFolderWritable,
                                 const std::string& xdgDataHome, const std::string& home);

// Writes the sound, splash-screen and resume choices back; faults are ignored.
void SaveSettings(const GameSettings& settings, ISettingsStore& store) noexcept;
