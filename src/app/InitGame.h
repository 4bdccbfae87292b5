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

// Settings and folders, set once at start-up. Every folder ends in "/".
struct GameSettings {
    bool SoundEnabled = true;
    bool SplashScreen = true;
    std::string ProgramFolder; // the executable's folder: the image library and wav/
    std::string InstallFolder; // the installation: dat/, the help file and the error log
    std::string DataFolder;    // puzzles, vocabulary and sound table
    std::string WaveFolder;    // the sound effects
    bool StartupFailed = false;
    bool SignalledRunningCopy = false; // start-up ended because another copy runs
};

// The process-wide settings the rest of the game reads.
GameSettings& Settings();

// Reads the settings, applies the command-line switches ("NOWAVE" and "NOSOUND" in any case
// turn sound off) and locates the folders. Any fault is shown in a "Starting Game" box and
// sets StartupFailed.
void InitSettings(GameSettings& settings, ISettingsStore& store,
                  const std::string& executableFolder, const std::vector<std::string>& arguments);

// Writes the sound and splash-screen choices back; faults are ignored.
void SaveSettings(const GameSettings& settings, ISettingsStore& store) noexcept;
