#include "app/InitGame.h"
#include "app/StartupChecks.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

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
        EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
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

} // namespace
