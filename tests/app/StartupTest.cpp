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
    for (const char* name : {SoundValue, SplashValue, ResumeValue}) {
        EXPECT_EQ(*store.Find(GameKey, name),
                  FakeSettingsStore::Value(int32_t{name == SplashValue}))
            << name;
    }
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
        const GameSettings settings = Start();
        EXPECT_EQ(StartingGameText(), c.message);
        if (c.message.empty()) {
            EXPECT_EQ(settings.InstallFolder, c.installFolder);
            EXPECT_EQ(settings.ProgramFolder, c.programFolder);
            EXPECT_EQ(settings.DataFolder, c.installFolder + "dat/");
            EXPECT_EQ(settings.WaveFolder, c.programFolder + "wav/");
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

    struct Case {
        const char* xdg; // nullptr: unset
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"/x/data", "/h", "/x/data/Ladderly/"},
        {"relative/data", "/h/", "/h/.local/share/Ladderly/"},
        {nullptr, "/h", "/h/.local/share/Ladderly/"},
    };
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    for (const Case& c : cases) {
        if (c.xdg != nullptr) {
            setenv("XDG_TEST_HOME", c.xdg, 1);
        } else {
            unsetenv("XDG_TEST_HOME");
        }
        setenv("HOME", c.home, 1);
        EXPECT_EQ(UserFolder("XDG_TEST_HOME", ".local/share"), c.folder) << c.folder;
    }
    setenv("HOME", home.c_str(), 1);
}

class StartupChecksTest : public testing::Test {
  protected:
    // A complete installation: the image library beside the program, both tables in dat/.
    StartupChecksTest() {
        settings.ProgramFolder = temp.Path();
        settings.DataFolder = temp.Path() + "dat/";
        temp.Write("ladderly.px8", "image library");
        temp.Write("dat/sounds.txt", "click\n");
        temp.Write("dat/puzzle.txt", "");
    }

    bool Run() {
        ui.boxes.clear();
        lock.acquireCalls = 0;
        const bool passed = RunStartupChecks(settings, system, lock, application);
        EXPECT_EQ(settings.StartupFailed, !passed);
        EXPECT_EQ(ExitStatus(settings), passed || lock.heldElsewhere ? 0 : 1);
        return passed;
    }

    // The one box shown, checked against the caption and style.
    std::string BoxText(const std::string& caption, MessageBoxStyle style) const {
        if (ui.boxes.size() != 1) {
            ADD_FAILURE() << ui.boxes.size() << " boxes";
            return {};
        }
        EXPECT_EQ(ui.boxes[0].caption, caption);
        EXPECT_EQ(ui.boxes[0].style, style);
        return ui.boxes[0].text;
    }

    TempFolder temp;
    GameSettings settings;
    FakeSystemInfo system;
    FakeInstanceLock lock;
    FakeUserInterface ui;
    ApplicationInfo application;
};

TEST_F(StartupChecksTest, DisplayDepth) {
    const MessageBoxStyle question = MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion;
    const char* sixteenColours = "This game is designed for a minimum 256-color display. You are "
                                 "running a 16-color display.";
    struct Case {
        int bits;
        MessageBoxResult answer;
        bool passes;
        std::optional<MessageBoxStyle> style; // none: no box
        std::string text;                     // a part of the box's text
    };
    const Case cases[] = {
        {1, MessageBoxResult::Ok, false, Stop,
         "This game cannot be played on a monochrome display.'"},
        {4, MessageBoxResult::Yes, true, question, sixteenColours},
        {4, MessageBoxResult::No, false, question, sixteenColours},
        {8, MessageBoxResult::Ok, true, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        settings.StartupFailed = false;
        ui.Answer(c.answer);
        system.colourBits = c.bits;
        EXPECT_EQ(Run(), c.passes);
        // A failed display check ends start-up before the lock is taken.
        EXPECT_EQ(lock.acquireCalls, c.passes ? 1 : 0);
        EXPECT_EQ(ui.boxes.empty(), !c.style);
        if (c.style) {
            EXPECT_NE(BoxText("Display Error", *c.style).find(c.text), std::string::npos);
        }
        ui.replies.clear();
    }
    EXPECT_EQ(application.Title, "Ladderly");

    settings.StartupFailed = true;
    system.colourBits = 1;
    EXPECT_FALSE(Run()) << "nothing runs after a failed start";
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(lock.acquireCalls, 0);
}

TEST_F(StartupChecksTest, SecondCopySignalsTheFirstAndEndsSilently) {
    lock.heldElsewhere = true;
    EXPECT_FALSE(Run());
    EXPECT_EQ(lock.signalsSent, 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(application.Title, "");
}

TEST_F(StartupChecksTest, RequiredFiles) {
    struct Case {
        std::vector<std::string> files; // below the installation folder; "/" ends a folder
        std::string missing;            // empty: the check passes
    };
    const Case cases[] = {
        {{"ladderly.px8", "dat/sounds.dat", "dat/puzzle.dat"}, ""},
        {{"dat/ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt"}, "ladderly.px8"},
        {{"ladderly.px8", "dat/puzzle.txt"}, "sounds.dat"},
        {{"ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt/"}, "puzzle.dat"},
    };
    for (const Case& c : cases) {
        TempFolder installation;
        for (const std::string& file : c.files) {
            if (file.back() == '/') {
                installation.MakeFolder(file);
            } else {
                installation.Write(file, "x");
            }
        }
        settings = GameSettings();
        settings.ProgramFolder = installation.Path();
        settings.DataFolder = installation.Path() + "dat/";
        EXPECT_EQ(Run(), c.missing.empty()) << c.missing;
        if (c.missing.empty()) {
            EXPECT_TRUE(ui.boxes.empty());
        } else {
            EXPECT_EQ(BoxText("Installation Error", Stop),
                      "Sorry! We cannot find the needed file \"" + c.missing + "\".");
        }
    }
}

} // namespace
