// The shipped sounds through Qt Multimedia's default output. Without a sound server there is no
// device and the game stays silent; with one (for example PulseAudio's null sink) the solved
// sound plays and its completion arrives on the user-interface thread.

#include "sound/AppSound.h"

#include "fakes/TempFolder.h"
#include "platform/QtTestApplication.h"
#include "platform/QtWaveOutput.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {
class RelayTarget : public IWaveDoneTarget {
  public:
    void WaveDone(const TWaveDoneMessage& message) override {
        Threads.push_back(std::this_thread::get_id());
        Finished.push_back(SoundDone(message));
    }
    std::vector<std::thread::id> Threads;
    std::vector<std::uint16_t> Finished;
};

// Lets events through until count completions have arrived or the time is up (the null sink
// reports the end of a sound late).
bool WaitForCompletions(const RelayTarget& target, std::size_t count, int milliseconds = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (target.Finished.size() < count && clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return target.Finished.size() >= count;
}
} // namespace

TEST(QtWaveOutput, SolvedSoundPlaysAndItsCompletionArrives) {
    TestApplication();
    const char* source = std::getenv("LADDERLY_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const TempFolder folder;
    std::filesystem::copy(std::string(source) + "/data/sounds.txt", folder / "sounds.txt");

    QtWaveOutput output;
    RelayTarget target;
    std::unique_ptr<TAppSound> sound =
        InitSounds(target, output, true, std::string(source) + "/data/wav", folder.Path());
    TWaveMan& manager = sound->WaveMan();
    if (output.DeviceCount() == 0) {
        ASSERT_EQ(std::getenv("LADDERLY_SOUND_SERVER"), nullptr)
            << "the sound server is not reached";
        EXPECT_FALSE(manager.IsEnabled());
        EXPECT_FALSE(SoundActive());
        EXPECT_FALSE(sound->SoundSettingToStore());
        PlaySound(2);
        EXPECT_TRUE(manager.Sounds().IsEmpty());
        GTEST_SKIP() << "no sound server: the game stays silent";
    }
    ASSERT_TRUE(manager.IsEnabled());
    EXPECT_EQ(SoundName(2), "SOLVED");

    PlaySound(2);
    ASSERT_NE(manager.FindPlaying(), nullptr) << "the output started";
    EXPECT_TRUE(target.Finished.empty()) << "never inside the request";
    ASSERT_TRUE(WaitForCompletions(target, 1));
    EXPECT_EQ(target.Finished, std::vector<std::uint16_t>{2});
    EXPECT_EQ(target.Threads.front(), std::this_thread::get_id());
    EXPECT_TRUE(manager.Sounds().IsEmpty());

    // A looping sound keeps playing until its loop is broken, then ends after the pass.
    ASSERT_TRUE(manager.LoadSound("click", 0, 0));
    ASSERT_TRUE(manager.PlayWave(0, 0, true));
    EXPECT_FALSE(WaitForCompletions(target, 2, 400)) << "still looping";
    ASSERT_TRUE(manager.PlayWave(0, PlayReplay | PlayInterruptLoop | PlayNoResume, false));
    ASSERT_TRUE(WaitForCompletions(target, 2));
    EXPECT_EQ(target.Finished.back(), 0);

    // A sound still playing when the component goes is stopped; its completion finds nothing.
    PlaySound(2);
    sound.reset();
    ASSERT_TRUE(WaitForCompletions(target, 3));
    EXPECT_EQ(target.Finished.back(), 0);
}
