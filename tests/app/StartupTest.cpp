#include "app/InitGame.h"
#include "app/StartupChecks.h"
#include "fakes/FakeInstanceLock.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeSystemInfo.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <tuple>

namespace {

const MessageBoxStyle Stop = MessageBoxStyle::Ok | MessageBoxStyle::IconStop;

class InitGameTest : public testing::Test {
  protected:
    InitGameTest() : install(temp.MakeFolder("install")) {
        temp.MakeFolder("dev/Ladderly");
        temp.Write("plain.txt", "not a folder");
        Reset();
    }

    // A store as an installer leaves it: the installation folder, sound and splash on.
    void Reset() {
        store = FakeSettingsStore();
        store.Set(GameKey, DirectoryValue, install);
        store.Set(GameKey, SoundValue, 1);
        store.Set(GameKey, SplashValue, 1);
    }

    // Reads the settings; returns the "Starting Game" box's text, or "sound splash resume
    // installation program".
    std::string Start(const std::vector<std::string>& arguments = {}) {
        settings = GameSettings();
        ui.boxes.clear();
        InitSettings(settings, store, "/opt/games", arguments);
        EXPECT_EQ(ExitStatus(settings), ui.boxes.empty() ? 0 : 1);
        std::string text;
        if (ui.boxes.empty()) {
            EXPECT_EQ(settings.DataFolder, settings.InstallFolder + "dat/");
            EXPECT_EQ(settings.WaveFolder, settings.ProgramFolder + "wav/");
            text = std::to_string(settings.SoundEnabled) + " " +
                   std::to_string(settings.SplashScreen) + " " + std::to_string(settings.Resume) +
                   " " + settings.InstallFolder + " " + settings.ProgramFolder;
        } else if (ui.boxes.size() == 1 && ui.boxes[0].caption == "Starting Game") {
            EXPECT_EQ(ui.boxes[0].style, Stop);
            text = ui.boxes[0].text;
        }
        return text;
    }

    TempFolder temp;
    std::string install;
    FakeSettingsStore store;
    FakeUserInterface ui;
    GameSettings settings;
};

// The stored values (nothing: removed) and the command line.
TEST_F(InitGameTest, SwitchesFoldersAndFaultyValues) {
    using Edit = std::tuple<const char*, const char*, std::optional<FakeSettingsStore::Value>>;
    const char* G = GameKey;
    const char* C = CompanyKey;
    const std::string t = temp.Path();
    const std::string installed = " " + t + "install/ /opt/games/";
    const std::string dev = "1 1 0 " + t + "dev/Ladderly/ " + t + "dev/Ladderly/";
    const std::string noName = "Unable to locate name of installation folder under registry "
                               "entry \"Software\\Tarn Software\\Ladderly\\Directory\". Please "
                               "re-install and try again.";
    const auto noFolder = [](const std::string& folder) {
        return "Unable to locate installation folder \"" + folder +
               "\". Please re-install and try again.";
    };
    struct Case {
        std::vector<Edit> edits;
        std::vector<std::string> arguments;
        std::string outcome;
    };
    const Case cases[] = {
        {{{G, SoundValue, 0}, {G, SplashValue, 0}}, {}, "0 0 0" + installed},
        {{{G, SoundValue, 7}, {G, SplashValue, -1}}, {}, "1 1 0" + installed},
        {{}, {"nowave"}, "0 1 0" + installed},
        {{{G, SplashValue, 0}}, {"other", "NoSound"}, "0 0 0" + installed},
        {{{G, ResumeValue, 1}}, {"nowaves", "sound", "-nosound", ""}, "1 1 1" + installed},
        {{{G, DirectoryValue, {}}}, {}, noName},
        {{{G, DirectoryValue, t + "gone"}}, {}, noFolder(t + "gone")},
        {{{G, DirectoryValue, t + "plain.txt"}}, {}, noFolder(t + "plain.txt")},
        {{{G, DirectoryValue, {}}, {C, DevHomeValue, t + "dev"}}, {}, dev},
        {{{G, DirectoryValue, t + "gone"}, {C, DevHomeValue, t + "dev"}}, {}, dev},
        {{{C, DevHomeValue, t + "dev"}}, {}, "1 1 0" + installed},
        {{{G, DirectoryValue, {}}, {C, DevHomeValue, t + "gone"}},
         {},
         noFolder(t + "gone/Ladderly")},
        {{{G, SoundValue, {}}}, {"NOSOUND"}, "Failed to get data for 'Enable sound'"},
        {{{G, SplashValue, "yes"}}, {}, "Invalid data type for 'SplashScreen'"},
        {{{G, DirectoryValue, 3}}, {}, "Invalid data type for 'Directory'"},
        {{{G, ResumeValue, "on"}}, {}, "Invalid data type for 'Resume'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcome);
        Reset();
        for (const auto& [key, name, value] : c.edits) {
            value ? store.Set(key, name, *value) : (void)store.values[key].erase(name);
        }
        EXPECT_EQ(Start(c.arguments), c.outcome);
    }

    // Saved back as they stand at the end, and read so at the next start.
    Reset();
    Start();
    std::tie(settings.SoundEnabled, settings.SplashScreen, settings.Resume) =
        std::tuple(false, false, true);
    SaveSettings(settings, store);
    EXPECT_EQ(Start(), "0 0 1" + installed);

    // Without the game's key neither switch is read, but a DevHome still finds the folder.
    store = FakeSettingsStore();
    store.refuseCreate = true;
    store.Set(CompanyKey, DevHomeValue, t + "dev");
    EXPECT_EQ(Start(), dev);
}

// A writable installation keeps the user's files (a staged game); a system installation, which
// the test running as nobody starts from a Debian package, sends them to the XDG folders.
TEST_F(InitGameTest, UserFolders) {
    temp.MakeFolder("install/dat");
    Start();
    EXPECT_EQ(settings.UserDataFolder, settings.DataFolder);
    EXPECT_EQ(settings.ErrorLogFolder, settings.InstallFolder);

    // The XDG variable (nullptr: unset), HOME, and the folder.
    const char* cases[][3] = {{"/x/data", "/h", "/x/data/Ladderly/"},
                              {"relative/data", "/h/", "/h/.local/share/Ladderly/"},
                              {nullptr, "/h", "/h/.local/share/Ladderly/"}};
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    for (const auto& [xdg, homeFolder, folder] : cases) {
        xdg != nullptr ? setenv("XDG_TEST_HOME", xdg, 1) : unsetenv("XDG_TEST_HOME");
        setenv("HOME", homeFolder, 1);
        EXPECT_EQ(UserFolder("XDG_TEST_HOME", ".local/share"), folder);
    }
    setenv("HOME", home.c_str(), 1);
}

// Each check in turn on an installation of the given files (below its folder; "/" ends a
// folder), the display depth and the answer to its question, another copy holding the lock or
// not: whether start-up goes on, and the one box shown as "caption|style|text".
TEST(StartupChecksTest, EachCheckShowsItsBoxAndStopsTheRest) {
    const std::string complete = "ladderly.px8 dat/sounds.txt dat/puzzle.txt";
    const std::string question =
        std::to_string(static_cast<int>(MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion));
    const std::string stop = std::to_string(static_cast<int>(Stop));
    const std::string sixteen = "Display Error|" + question +
                                "|This game is designed for a minimum 256-color display. You are "
                                "running a 16-color display. This will adversely affect the "
                                "appearance of the graphics used in the game. Continue anyway?";
    const auto missing = [&stop](const std::string& file) {
        return "Installation Error|" + stop + "|Sorry! We cannot find the needed file \"" + file +
               "\".";
    };
    using enum MessageBoxResult;
    const std::tuple<int, MessageBoxResult, bool, bool, std::string, std::string> cases[] = {
        {8, Ok, false, true, complete, ""},
        {1, Ok, false, false, complete,
         "Display Error|" + stop + "|This game cannot be played on a monochrome display.'"},
        {4, Yes, false, true, complete, sixteen},
        {4, No, false, false, complete, sixteen},
        {8, Ok, true, false, complete, ""},
        {8, Ok, false, true, "ladderly.px8 dat/sounds.dat dat/puzzle.dat", ""},
        {8, Ok, false, false, "dat/ladderly.px8 dat/sounds.txt dat/puzzle.txt",
         missing("ladderly.px8")},
        {8, Ok, false, false, "ladderly.px8 dat/puzzle.txt", missing("sounds.dat")},
        {8, Ok, false, false, "ladderly.px8 dat/sounds.txt dat/puzzle.txt/", missing("puzzle.dat")},
    };
    for (const auto& [bits, answer, heldElsewhere, passes, files, box] : cases) {
        SCOPED_TRACE(box);
        TempFolder installation;
        std::istringstream names(files);
        for (std::string file; names >> file;) {
            file.back() == '/' ? installation.MakeFolder(file) : installation.Write(file, "x");
        }
        GameSettings settings;
        settings.ProgramFolder = installation.Path();
        settings.DataFolder = installation.Path() + "dat/";
        FakeSystemInfo system;
        system.colourBits = bits;
        FakeInstanceLock lock;
        lock.heldElsewhere = heldElsewhere;
        FakeUserInterface ui;
        ui.Answer(answer);
        ApplicationInfo application;
        EXPECT_EQ(RunStartupChecks(settings, system, lock, application), passes);
        EXPECT_EQ(ExitStatus(settings), passes || heldElsewhere ? 0 : 1);
        std::string shownBox;
        for (const auto& shown : ui.boxes) {
            shownBox += shown.caption + "|" + std::to_string(static_cast<int>(shown.style)) + "|" +
                        shown.text;
        }
        EXPECT_EQ(shownBox, box);
        // A failed display check ends start-up before the lock is taken; a second copy signals
        // the first and ends silently.
        EXPECT_EQ(lock.acquireCalls, bits == 8 || passes ? 1 : 0);
        EXPECT_EQ(lock.signalsSent, heldElsewhere ? 1 : 0);

        // Nothing runs after a failed start.
        std::tie(settings.StartupFailed, system.colourBits) = std::tuple(true, 1);
        ui.boxes.clear();
        EXPECT_FALSE(RunStartupChecks(settings, system, lock, application) || !ui.boxes.empty());
    }
}

} // namespace
