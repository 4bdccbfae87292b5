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

namespace {

const MessageBoxStyle Stop = MessageBoxStyle::Ok | MessageBoxStyle::IconStop;

class InitGameTest : public testing::Test {
  protected:
    InitGameTest() : install(temp.MakeFolder("install")) { Reset(); }

    // A store as an installer leaves it: the installation folder, sound and splash on.
    void Reset() {
        store = FakeSettingsStore();
        store.Set(GameKey, DirectoryValue, install);
        store.Set(GameKey, SoundValue, 1);
        store.Set(GameKey, SplashValue, 1);
        ui.boxes.clear();
    }

    GameSettings Start(const std::vector<std::string>& arguments = {}) {
        GameSettings settings;
        InitSettings(settings, store, "/opt/games", arguments);
        EXPECT_EQ(settings.StartupFailed, !ui.boxes.empty());
        EXPECT_EQ(ExitStatus(settings), ui.boxes.empty() ? 0 : 1);
        return settings;
    }

    // The text of the one "Starting Game" box shown, or empty when none was.
    std::string StartingGameText() const {
        if (ui.boxes.size() != 1 || ui.boxes[0].caption != "Starting Game") {
            return {};
        }
        EXPECT_EQ(ui.boxes[0].style, Stop);
        return ui.boxes[0].text;
    }

    TempFolder temp;
    std::string install;
    FakeSettingsStore store;
    FakeUserInterface ui;
};

TEST_F(InitGameTest, StoredSwitchesAndCommandLine) {
    struct Case {
        int32_t sound, splash;
        std::vector<std::string> arguments;
        bool soundEnabled, splashScreen;
    };
    const Case cases[] = {
        {0, 0, {}, false, false},
        {7, -1, {}, true, true},
        {1, 1, {"nowave"}, false, true},
        {1, 0, {"other", "NoSound"}, false, false},
        {1, 1, {"nowaves", "sound", "-nosound", ""}, true, true},
    };
    for (const Case& c : cases) {
        store.Set(GameKey, SoundValue, c.sound);
        store.Set(GameKey, SplashValue, c.splash);
        const GameSettings settings = Start(c.arguments);
        EXPECT_EQ(settings.SoundEnabled, c.soundEnabled) << c.sound << " " << c.arguments.size();
        EXPECT_EQ(settings.SplashScreen, c.splashScreen) << c.splash;
    }

    // Saved back as they stand at the end.
    GameSettings settings = Start();
    settings.SoundEnabled = false;
    SaveSettings(settings, store);
    EXPECT_EQ(store.values[GameKey][SoundValue], FakeSettingsStore::Value(0));
    EXPECT_EQ(store.values[GameKey][SplashValue], FakeSettingsStore::Value(1));
    EXPECT_EQ(store.values[GameKey][ResumeValue], FakeSettingsStore::Value(0));
}

TEST_F(InitGameTest, FolderRules) {
    const std::string devHome = temp.MakeFolder("dev");
    const std::string devInstall = temp.MakeFolder("dev/Ladderly") + "/";
    const std::string file = temp.Write("plain.txt", "not a folder");
    const std::string missing = temp.Path() + "gone";
    const std::string noName = "Unable to locate name of installation folder under registry "
                               "entry \"Software\\Tarn Software\\Ladderly\\Directory\". Please "
                               "re-install and try again.";
    const auto noFolder = [](const std::string& folder) {
        return "Unable to locate installation folder \"" + folder +
               "\". Please re-install and try again.";
    };
    struct Case {
        std::optional<std::string> directory; // nothing: no "Directory" value
        std::optional<std::string> devHome;
        std::string installFolder; // empty: start-up fails with the message
        std::string programFolder;
        std::string message;
    };
    const Case cases[] = {
        {install, {}, install + "/", "/opt/games/", ""},
        {{}, {}, "", "", noName},
        {"", {}, "", "", noName},
        {missing, {}, "", "", noFolder(missing)},
        {file, {}, "", "", noFolder(file)},
        {{}, devHome, devInstall, devInstall, ""},
        {missing, devHome, devInstall, devInstall, ""},
        {install, devHome, install + "/", "/opt/games/", ""},
        {missing, "", "", "", noFolder(missing)},
        {{}, missing, "", "", noFolder(missing + "/Ladderly")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.directory.value_or("no Directory") + ", " + c.devHome.value_or("-"));
        Reset();
        store.values[GameKey].erase(DirectoryValue);
        if (c.directory) {
            store.Set(GameKey, DirectoryValue, *c.directory);
        }
        if (c.devHome) {
            store.Set(CompanyKey, DevHomeValue, *c.devHome);
        }
        const GameSettings s = Start();
        EXPECT_EQ(StartingGameText(), c.message);
        if (c.message.empty()) {
            EXPECT_EQ(s.InstallFolder + "|" + s.ProgramFolder + "|" + s.DataFolder + "|" +
                          s.WaveFolder,
                      c.installFolder + "|" + c.programFolder + "|" + c.installFolder + "dat/|" +
                          c.programFolder + "wav/");
        }
    }
}

TEST_F(InitGameTest, MissingOrWrongTypedValuesGiveStartingGame) {
    struct Case {
        const char* key;
        const char* name;
        std::optional<FakeSettingsStore::Value> value; // nothing: the value is removed
        std::string message;
    };
    const Case cases[] = {
        {GameKey, SoundValue, {}, "Failed to get data for 'Enable sound'"},
        {GameKey, SplashValue, {}, "Failed to get data for 'SplashScreen'"},
        {GameKey, SoundValue, std::string("1"), "Invalid data type for 'Enable sound'"},
        {GameKey, SplashValue, std::string("yes"), "Invalid data type for 'SplashScreen'"},
        {GameKey, DirectoryValue, int32_t{3}, "Invalid data type for 'Directory'"},
        {CompanyKey, DevHomeValue, int32_t{3}, "Invalid data type for 'DevHome'"},
        {GameKey, ResumeValue, std::string("on"), "Invalid data type for 'Resume'"},
    };
    for (const Case& c : cases) {
        Reset();
        if (c.value) {
            store.Set(c.key, c.name, *c.value);
        } else {
            store.values[c.key].erase(c.name);
        }
        Start({"NOSOUND"});
        EXPECT_EQ(StartingGameText(), c.message);
    }

    // Without the game's key neither switch is read, but a DevHome still finds the folder.
    store = FakeSettingsStore();
    store.refuseCreate = true;
    store.Set(CompanyKey, DevHomeValue, temp.Path() + "dev");
    temp.MakeFolder("dev/Ladderly");
    ui.boxes.clear();
    const GameSettings settings = Start();
    EXPECT_TRUE(settings.SoundEnabled && settings.SplashScreen);
    EXPECT_EQ(settings.InstallFolder, temp.Path() + "dev/Ladderly/");
}

// Resume is read, missing in settings from before it. A writable installation keeps the user's
// files (a staged game); a system installation, which the test running as nobody starts from a
// Debian package, sends them to the XDG folders.
TEST_F(InitGameTest, ResumeAndUserFolders) {
    EXPECT_FALSE(Start().Resume);
    store.Set(GameKey, ResumeValue, 1);
    EXPECT_TRUE(Start().Resume);

    temp.MakeFolder("install/dat");
    const GameSettings settings = Start();
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
    const std::vector<std::string> complete = {"ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt"};
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
    struct Case {
        std::vector<std::string> files;
        int bits;
        MessageBoxResult answer;
        bool heldElsewhere;
        bool passes;
        std::string box;
    };
    const Case cases[] = {
        {complete, 8, MessageBoxResult::Ok, false, true, ""},
        {complete, 1, MessageBoxResult::Ok, false, false,
         "Display Error|" + stop + "|This game cannot be played on a monochrome display.'"},
        {complete, 4, MessageBoxResult::Yes, false, true, sixteen},
        {complete, 4, MessageBoxResult::No, false, false, sixteen},
        {complete, 8, MessageBoxResult::Ok, true, false, ""},
        {{"ladderly.px8", "dat/sounds.dat", "dat/puzzle.dat"},
         8,
         MessageBoxResult::Ok,
         false,
         true,
         ""},
        {{"dat/ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt"},
         8,
         MessageBoxResult::Ok,
         false,
         false,
         missing("ladderly.px8")},
        {{"ladderly.px8", "dat/puzzle.txt"},
         8,
         MessageBoxResult::Ok,
         false,
         false,
         missing("sounds.dat")},
        {{"ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt/"},
         8,
         MessageBoxResult::Ok,
         false,
         false,
         missing("puzzle.dat")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        TempFolder installation;
        for (const std::string& file : c.files) {
            file.back() == '/' ? installation.MakeFolder(file) : installation.Write(file, "x");
        }
        GameSettings settings;
        settings.ProgramFolder = installation.Path();
        settings.DataFolder = installation.Path() + "dat/";
        FakeSystemInfo system;
        system.colourBits = c.bits;
        FakeInstanceLock lock;
        lock.heldElsewhere = c.heldElsewhere;
        FakeUserInterface ui;
        ui.Answer(c.answer);
        ApplicationInfo application;
        EXPECT_EQ(RunStartupChecks(settings, system, lock, application), c.passes);
        EXPECT_EQ(settings.StartupFailed, !c.passes);
        EXPECT_EQ(ExitStatus(settings), c.passes || c.heldElsewhere ? 0 : 1);
        std::string box;
        for (const auto& shown : ui.boxes) {
            box += shown.caption + "|" + std::to_string(static_cast<int>(shown.style)) + "|" +
                   shown.text;
        }
        EXPECT_EQ(box, c.box);
        // A failed display check ends start-up before the lock is taken; a second copy signals
        // the first and ends silently.
        EXPECT_EQ(lock.acquireCalls, c.bits == 8 || c.passes ? 1 : 0);
        EXPECT_EQ(lock.signalsSent, c.heldElsewhere ? 1 : 0);
        EXPECT_EQ(application.Title, c.passes ? "Ladderly" : "");

        // Nothing runs after a failed start.
        settings.StartupFailed = true;
        lock.acquireCalls = 0;
        system.colourBits = 1;
        ui.boxes.clear();
        EXPECT_FALSE(RunStartupChecks(settings, system, lock, application));
        EXPECT_TRUE(ui.boxes.empty());
        EXPECT_EQ(lock.acquireCalls, 0);
    }
}

} // namespace
