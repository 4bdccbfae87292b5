// The shipped sounds through Qt Multimedia's default output. Without a sound server there is no
// device and the game stays silent. Under the private server of with_null_sink.sh the null
// sink's monitor is recorded, and every effect must be heard whole, the shortest included, also
// when the server goes away while a sound plays and comes back later. Waits end on what was
// recorded, with generous limits, never on how fast the machine is.

#include "sound/AppSound.h"

#include "MonitorRecorder.h"
#include "fakes/TempFolder.h"
#include "platform/QtTestApplication.h"
#include "platform/QtWaveOutput.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {
// Lets events through until the condition holds or the time is up.
bool Until(const std::function<bool()>& condition, int seconds = 60) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return condition();
}

// A recorder whose parec delivers samples, or nullptr when the server cannot be recorded.
std::unique_ptr<MonitorRecorder> StartRecorder(int seconds = 30) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        auto recorder = std::make_unique<MonitorRecorder>();
        if (Until([&] { return recorder->Samples().size() >= MonitorRecorder::Rate / 10; }, 3)) {
            return recorder;
        }
    }
    return nullptr;
}

// Completions reach the sound component as the main window relays them.
class QtSoundTest : public ::testing::Test, public IWaveDoneTarget {
  protected:
    void WaveDone(const TWaveDoneMessage& message) override {
        Threads.push_back(std::this_thread::get_id());
        Finished.push_back(SoundDone(message));
    }
    void SetUp() override {
        TestApplication();
        const char* source = std::getenv("LADDERLY_SOURCE_DIR");
        ASSERT_NE(source, nullptr);
        waves = std::string(source) + "/data/wav";
        std::filesystem::copy(std::string(source) + "/data/sounds.txt", folder / "sounds.txt");
        sound = InitSounds(*this, output, true, waves, folder.Path());
    }

    // Whether 95% of the shipped effect's audible length was recorded since the sample at from.
    bool HeardWhole(const MonitorRecorder& recorder, std::size_t from, std::uint16_t kind) const {
        const QString name = QString::fromStdString(SoundName(kind)).toLower();
        return FindAudible(recorder.Samples(), from).Seconds(MonitorRecorder::Rate) >=
               0.95 * AudibleSecondsOfFile(waves + "/" + name.toStdString() + ".wav");
    }

    TempFolder folder;
    std::string waves;
    std::vector<std::thread::id> Threads;
    std::vector<std::uint16_t> Finished;
    QtWaveOutput output;
    std::unique_ptr<TAppSound> sound;
};
} // namespace

TEST_F(QtSoundTest, EveryEffectIsHeardWhole) {
    if (output.DeviceCount() == 0) {
        ASSERT_EQ(std::getenv("LADDERLY_SOUND_SERVER"), nullptr) << "the server is not reached";
        // Silent then: nothing is loaded, and the setting stored is off.
        PlaySound(2);
        EXPECT_FALSE(sound->WaveMan().IsEnabled() || SoundActive() ||
                     sound->SoundSettingToStore() || !sound->WaveMan().Sounds().IsEmpty());
        GTEST_SKIP() << "no sound server";
    }
    TWaveMan& manager = sound->WaveMan();
    ASSERT_TRUE(manager.IsEnabled());
    const std::unique_ptr<MonitorRecorder> recorder = StartRecorder();
    ASSERT_NE(recorder, nullptr) << "parec records nothing";
    for (const std::uint16_t kind : std::initializer_list<std::uint16_t>{0, 1, 2}) {
        const std::size_t from = recorder->Samples().size();
        PlaySound(kind);
        EXPECT_TRUE(Until([&] {
            return Finished.size() > kind && HeardWhole(*recorder, from, kind);
        })) << SoundName(kind);
    }
    EXPECT_EQ(Finished, (std::vector<std::uint16_t>{0, 1, 2}));
    EXPECT_EQ(Threads.front(), std::this_thread::get_id());
    EXPECT_TRUE(manager.Sounds().IsEmpty());

    // Never inside the request; a looping sound plays on until its loop is broken, then ends
    // after the pass.
    ASSERT_TRUE(manager.LoadSound("click", 0, 0));
    ASSERT_TRUE(manager.PlayWave(0, 0, true));
    EXPECT_FALSE(Until([&] { return Finished.size() > 3; }, 1)) << "still looping";
    ASSERT_TRUE(manager.PlayWave(0, PlayReplay | PlayInterruptLoop | PlayNoResume, false));
    ASSERT_TRUE(Until([&] { return Finished.size() > 3; }));
    EXPECT_EQ(Finished.back(), 0);

    // A sound still playing when the component goes is stopped; its completion finds nothing.
    PlaySound(2);
    sound.reset();
    ASSERT_TRUE(Until([&] { return Finished.size() > 4; }));
    EXPECT_EQ(Finished.back(), 0);
}

// with_null_sink.sh --restartable names a folder holding the server's process id; it starts the
// server again once the file "restart" appears there.
TEST_F(QtSoundTest, TheServerMayGoAndComeBack) {
    const char* control = std::getenv("LADDERLY_SOUND_SERVER_CONTROL");
    if (control == nullptr) {
        GTEST_SKIP() << "needs a sound server the test may stop";
    }
    ASSERT_NE(output.DeviceCount(), 0);
    TWaveMan& manager = sound->WaveMan();
    PlaySound(2);
    ASSERT_NE(manager.FindPlaying(), nullptr);
    pid_t server = 0;
    std::ifstream(std::string(control) + "/server.pid") >> server;
    ASSERT_GT(server, 0);
    ASSERT_EQ(kill(server, SIGKILL), 0);

    // The sound that played ends; later requests fail quietly, or play and end.
    ASSERT_TRUE(Until([&] { return !Finished.empty(); }));
    for (int request = 0; request < 5; ++request) {
        PlaySound(request % 3);
        ASSERT_TRUE(Until([&] { return manager.FindPlaying() == nullptr; }));
    }
    EXPECT_TRUE(manager.IsEnabled());

    // Once the server is back, a request is heard again.
    std::ofstream(std::string(control) + "/restart").put('\n');
    const std::unique_ptr<MonitorRecorder> recorder = StartRecorder(60);
    ASSERT_NE(recorder, nullptr) << "the server did not come back";
    EXPECT_TRUE(Until([&] {
        if (manager.FindPlaying() == nullptr) {
            PlaySound(2);
        }
        return HeardWhole(*recorder, 0, 2);
    }));
}
