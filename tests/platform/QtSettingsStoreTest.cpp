#include "platform/QtSettingsStore.h"
#include "app/InitGame.h"
#include "fakes/TempFolder.h"
#include "platform/QtTestApplication.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

// Every test keeps the user's settings and the installation's defaults in folders of its own.
class QtSettingsStoreTest : public testing::Test {
  protected:
    QtSettingsStoreTest() {
        TestApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(user.Path()));
    }

    QtSettingsStore Store() { return QtSettingsStore(defaults.Path()); }

    TempFolder user;
    TempFolder defaults;
};

TEST_F(QtSettingsStoreTest, InstallationDefaultsUntilTheUserHasSettings) {
    // Laid out as the staged installation writes it.
    defaults.Write("Tarn Software/Ladderly.conf",
                   "[General]\nDirectory=\"/opt/a, \\\"b\\\"\"\nEnable%20sound=1\n"
                   "SplashScreen=1\n");
    QtSettingsStore store = Store();
    EXPECT_TRUE(store.OpenKey(GameKey, false));
    EXPECT_EQ(store.ReadString(GameKey, DirectoryValue).value, "/opt/a, \"b\"");
    EXPECT_EQ(store.ReadInteger(GameKey, SoundValue).value, 1);

    EXPECT_TRUE(store.WriteInteger(GameKey, SoundValue, 0));
    EXPECT_TRUE(store.WriteInteger(GameKey, SplashValue, 1));
    EXPECT_TRUE(std::filesystem::exists(user.Path() + "Tarn Software/Ladderly.conf"));
    EXPECT_EQ(Store().ReadInteger(GameKey, SoundValue).value, 0);
    EXPECT_EQ(store.ReadString(GameKey, DirectoryValue).value, "/opt/a, \"b\"")
        << "the installation's values stay visible under the user's";
}

TEST_F(QtSettingsStoreTest, ValuesOfTheWrongTypeOrMissing) {
    user.Write("Tarn Software/Ladderly.conf", "[General]\n"
                                              "Enable%20sound=yes\n"
                                              "SplashScreen=4294967296\n"
                                              "Directory=/a, /b\n"
                                              "Number= -12 \n"
                                              "Empty=\n");
    user.Write("Tarn Software.conf", "[General]\nDevHome=/home/dev\n");
    QtSettingsStore store = Store();
    struct Case {
        const char* name;
        SettingStatus asInteger;
        int32_t integer;
        SettingStatus asString;
        std::string text;
    };
    const Case cases[] = {
        {SoundValue, SettingStatus::WrongType, 0, SettingStatus::Ok, "yes"},
        {SplashValue, SettingStatus::WrongType, 0, SettingStatus::Ok, "4294967296"},
        {DirectoryValue, SettingStatus::WrongType, 0, SettingStatus::WrongType, ""},
        {"Number", SettingStatus::Ok, -12, SettingStatus::Ok, "-12"},
        {"Empty", SettingStatus::WrongType, 0, SettingStatus::Ok, ""},
        {"Absent", SettingStatus::Missing, 0, SettingStatus::Missing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingRead<int32_t> number = store.ReadInteger(GameKey, c.name);
        const SettingRead<std::string> text = store.ReadString(GameKey, c.name);
        EXPECT_EQ(std::tie(number.status, number.value), std::tie(c.asInteger, c.integer));
        EXPECT_EQ(std::tie(text.status, text.value), std::tie(c.asString, c.text));
    }
    EXPECT_EQ(store.ReadString(CompanyKey, DevHomeValue).value, "/home/dev");
}

TEST_F(QtSettingsStoreTest, KeyPaths) {
    QtSettingsStore store = Store();
    EXPECT_FALSE(store.OpenKey(CompanyKey, false)); // nothing stored yet
    EXPECT_TRUE(store.OpenKey(GameKey, true));
    for (const char* key :
         {"Tarn Software\\Ladderly", "Software\\Tarn Software\\Ladderly\\More", ""}) {
        EXPECT_FALSE(store.OpenKey(key, true)) << key;
        EXPECT_EQ(store.ReadInteger(key, SoundValue).status, SettingStatus::Missing) << key;
        EXPECT_FALSE(store.WriteInteger(key, SoundValue, 1)) << key;
    }
    user.Write("Tarn Software.conf", "[General]\nDevHome=/home/dev\n");
    EXPECT_TRUE(Store().OpenKey(CompanyKey, false));

    // Each key reads its own files: the organisation's values are not the game's.
    user.Write("Tarn Software.conf", "[General]\nDirectory=/wrong\n");
    defaults.Write("Tarn Software.conf", "[General]\nEnable%20sound=0\n");
    EXPECT_FALSE(Store().OpenKey(GameKey, false));
    EXPECT_EQ(Store().ReadString(GameKey, DirectoryValue).status, SettingStatus::Missing);
    EXPECT_EQ(Store().ReadInteger(GameKey, SoundValue).status, SettingStatus::Missing);
}

} // namespace
