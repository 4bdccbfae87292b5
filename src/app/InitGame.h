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
    // Where this user's own files go: the DataFolder when that folder can be written (a staged
    // folder), else $XDG_DATA_HOME/Ladderly/. The game reads a data file from here when it
    // exists and from DataFolder otherwise, and saves only here.
    std::string UserDataFolder;
    // The error log's folder: InstallFolder when it can be written, else $XDG_STATE_HOME/Ladderly/.
    std::string ErrorLogFolder;
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

// "Ladderly/" in this user's XDG base folder: the one the environment variable names when it
// holds an absolute path, else the folder belowHome in the home folder ($HOME, or the
// password database's entry when it is unset).
std::string UserFolder(const char* xdgVariable, const char* belowHome);

// Writes the sound, splash-screen and resume choices back; faults are ignored.
void SaveSettings(const GameSettings& settings, ISettingsStore& store) noexcept;
