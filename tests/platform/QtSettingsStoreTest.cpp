#include "platform/QtSettingsStore.h"
#include "app/InitGame.h"
#include "fakes/TempFolder.h"
#include "platform/QtInstanceLock.h"
#include "platform/QtTestApplication.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <tuple>

#include <unistd.h>

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

    // A value read as an integer and as a string: "ok", "missing" or "wrong", and the value.
    static std::string Read(QtSettingsStore store, const char* key, const char* name) {
        const auto status = [](SettingStatus s) {
            return std::array{"ok ", "missing ", "wrong "}[static_cast<size_t>(s)];
        };
        const SettingRead<int32_t> number = store.ReadInteger(key, name);
        const SettingRead<std::string> text = store.ReadString(key, name);
        return status(number.status) + std::to_string(number.value) + ", " + status(text.status) +
               text.value;
    }

    TempFolder user;
    TempFolder defaults;
};

// The user's values over the installation's defaults, each key in files of its own (the
// organisation's values are not the game's); values of the wrong type, missing, or under keys
// outside the game's folders.
TEST_F(QtSettingsStoreTest, TheUsersValuesOverTheInstallationsDefaults) {
    QtSettingsStore store = Store();
    EXPECT_FALSE(store.OpenKey(CompanyKey, false)); // nothing stored yet
    EXPECT_TRUE(store.OpenKey(GameKey, true));
    user.Write("Tarn Software.conf", "[General]\nDevHome=/home/dev\nDirectory=/wrong\n");
    defaults.Write("Tarn Software.conf", "[General]\nEnable%20sound=0\n");
    EXPECT_TRUE(Store().OpenKey(CompanyKey, false));
    EXPECT_FALSE(Store().OpenKey(GameKey, false));
    EXPECT_EQ(Read(Store(), GameKey, SoundValue) + Read(Store(), GameKey, DirectoryValue),
              "missing 0, missing missing 0, missing ");

    // Laid out as the staged installation writes it.
    defaults.Write("Tarn Software/Ladderly.conf",
                   "[General]\nDirectory=\"/opt/a, \\\"b\\\"\"\nEnable%20sound=1\n"
                   "SplashScreen=1\nEmpty=5\n");
    EXPECT_TRUE(Store().OpenKey(GameKey, false));
    EXPECT_TRUE(store.WriteInteger(GameKey, SoundValue, 0) &&
                store.WriteInteger(GameKey, SplashValue, 1));
    EXPECT_TRUE(std::filesystem::exists(user.Path() + "Tarn Software/Ladderly.conf"));
    EXPECT_EQ(Read(Store(), GameKey, SoundValue), "ok 0, ok 0");

    user.Write("Tarn Software/Ladderly.conf", "[General]\nWord=yes\nSplashScreen=4294967296\n"
                                              "List=/a, /b\nNumber= -12 \nEmpty=\n");
    const char* const badKeys[] = {"Tarn Software\\Ladderly",
                                   "Software\\Tarn Software\\Ladderly\\More", ""};
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {GameKey, SoundValue, "ok 1, ok 1"},
        {GameKey, DirectoryValue, "wrong 0, ok /opt/a, \"b\""},
        {GameKey, "Word", "wrong 0, ok yes"},
        {GameKey, SplashValue, "wrong 0, ok 4294967296"},
        {GameKey, "List", "wrong 0, wrong "},
        {GameKey, "Number", "ok -12, ok -12"},
        {GameKey, "Empty", "wrong 0, ok "},
        {GameKey, "Absent", "missing 0, missing "},
        {CompanyKey, DevHomeValue, "wrong 0, ok /home/dev"},
        {badKeys[0], SoundValue, "missing 0, missing "},
        {badKeys[1], SoundValue, "missing 0, missing "},
        {badKeys[2], SoundValue, "missing 0, missing "},
    };
    for (const auto& [key, name, read] : cases) {
        EXPECT_EQ(Read(Store(), key, name), read) << key << " " << name;
    }
    for (const char* key : badKeys) {
        EXPECT_FALSE(store.OpenKey(key, true) || store.WriteInteger(key, SoundValue, 1)) << key;
    }
}

// Names no other test process uses, so tests may run side by side.
std::string UniqueName(const char* what) {
    static int count = 0;
    return std::string("ladderly-test-") + what + "-" + std::to_string(getpid()) + "-" +
           std::to_string(++count);
}

QString LockPath(const std::string& name) {
    return QDir::tempPath() + "/" + QString::fromStdString(name) + "-" + QString::number(getuid()) +
           ".lock";
}

TEST(QtInstanceLock, SecondCopySignalsTheFirstAndACrashedCopysLockIsTakenOver) {
    TestApplication();
    const std::string name = UniqueName("second");
    auto first = std::make_unique<QtInstanceLock>(name, "Check for LDG instance");
    int received = 0;
    first->SetSignalHandler([&received] { ++received; });
    ASSERT_TRUE(first->Acquire());

    QtInstanceLock second(name, "Check for LDG instance");
    EXPECT_FALSE(second.Acquire());
    second.SignalOther();
    EXPECT_TRUE(ProcessEventsUntil([&received] { return received == 1; }));

    // Another message on the same socket is not the signal.
    QtInstanceLock stranger(name, "Something else");
    stranger.SignalOther();
    second.SignalOther();
    EXPECT_TRUE(ProcessEventsUntil([&received] { return received == 2; }));
    EXPECT_EQ(received, 2);

    first.reset();
    EXPECT_TRUE(QtInstanceLock(name, "m").Acquire()) << "freed when the holder goes";

    // A lock file left by a crash is taken over.
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", ""},
        {"dead holder", "999999999\nladderly\nnowhere\n"},
        {"garbage", QByteArray(300, '\xff')},
    };
    for (const auto& [what, content] : cases) {
        SCOPED_TRACE(what);
        const std::string stale = UniqueName("stale");
        QFile file(LockPath(stale));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_TRUE(QtInstanceLock(stale, "m").Acquire());
    }
}

} // namespace
