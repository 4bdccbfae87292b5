// The wave sound manager against the fake output: the whole interrupt and queue table, what
// happens when each sound finishes, loading and its errors.

#include "sound/WaveMan.h"

#include "SoundKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {
class WaveManTest : public ::testing::Test {
  protected:
    WaveManTest() {
        WriteTestWaves(folder);
        Renew();
    }
    void Renew() {
        manager = std::make_unique<TWaveMan>(target, output, true);
        manager->SetFolder(folder.Path() + "wav");
    }

    TempFolder folder;
    FakeWaveOutput output;
    LoggingTarget target{output,
                         [this](const TWaveDoneMessage& m) { return manager->BufferDone(m); }};
    std::unique_ptr<TWaveMan> manager;
};

constexpr int Freed = -1;
} // namespace

// Sound 1 (100 bytes, kept when done unless PlainFreed) is set up playing plain or looping, or
// not at all; then sound 2 (200 bytes, freed when done), or sound 1 again, is requested with a
// mode. Each row gives the answer, the flags of sound 1 and of the requested sound right after
// the request (Freed: gone), and the log of the request followed by every sound playing to its
// end. The table runs twice: with completions only from the event loop, and with devices that
// deliver them when destroyed, as Qt's do; the log and the answer are the same.
TEST_F(WaveManTest, ModeTable) {
    enum Playing { Nothing, Plain, PlainFreed, Looping };
    enum Request { Other, Same };
    using Row =
        std::tuple<Playing, Request, std::uint8_t, bool, bool, int, int, const char*, const char*>;
    const std::vector<Row> rows = {
        {Nothing, Other, 6, false, true, 0, 1, "write 200, done 2", "nothing plays: it starts"},
        {Plain, Same, 6, false, true, 0, 0, "done 1", "the same sound with mode 6: nothing"},
        {Plain, Other, 2, false, false, 0, Freed, "done 1", "plain, no InterruptPlain: refused"},
        {Plain, Other, 8, false, false, 0, Freed, "done 1", "StopNow implies InterruptLoop only"},
        {Plain, Same, 32, false, true, 0, 0, "done 1", "plain, Replay without InterruptPlain"},
        {Looping, Other, 4, false, false, 0, Freed, "done 1", "looping, no InterruptLoop"},
        {Looping, Other, 16, false, false, 0, Freed, "done 1", "StopPlainNow: InterruptPlain only"},
        {Looping, Same, 36, false, true, 0, 0, "done 1", "looping, Replay, no InterruptLoop"},
        {Plain, Other, 4, false, true, 0, 3, "done 1, write 200, done 2", "plain: queued behind"},
        {Plain, Other, 16, false, true, 8, 3, "stop 100, done 1, write 200, done 2", "put first"},
        {PlainFreed, Other, 16, false, true, 9, 3, "stop 100, done 1, write 200, done 2", "freed"},
        {Plain, Same, 36, false, true, 4, 4, "done 1, write 100, done 1", "plays again after"},
        {Plain, Same, 48, false, true, 12, 12, "stop 100, done 1, write 100, done 1", "again"},
        {Looping, Other, 2, false, true, 4, 3,
         "break 100, done 1, write 200, done 2, write 100, done 1", "last pass, then it resumes"},
        {Looping, Other, 3, false, true, 0, 3, "break 100, done 1, write 200, done 2", "last pass"},
        {Looping, Other, 8, false, true, 4, 3,
         "stop 100, done 1, write 200, done 2, write 100, done 1", "stopped, then it resumes"},
        {Looping, Other, 9, false, true, 0, 3, "stop 100, done 1, write 200, done 2", "stopped"},
        {Looping, Same, 35, false, true, 0, 0, "break 100, done 1", "Replay, NoResume: last pass"},
        {Looping, Same, 35, true, true, 0, 0, "done 1", "looping, Replay, NoResume, loop asked"},
        {Looping, Same, 34, false, true, 0, 0, "done 1", "looping, Replay, resuming: nothing"},
    };
    const auto flags = [this](std::uint16_t number) {
        const TSoundNode* node = manager->FindSound(number);
        return node == nullptr ? Freed : node->Flags;
    };
    for (const bool deliverWhenClosed : {false, true}) {
        output.DeliverWhenClosed = deliverWhenClosed;
        for (const auto& [current, request, mode, loop, answer, currentFlags, nodeFlags, log,
                          what] : rows) {
            SCOPED_TRACE(std::string(what) + (deliverWhenClosed ? " (Qt's devices)" : ""));
            Renew();
            output.Posted.clear();
            ASSERT_TRUE(manager->LoadSound("a", 1, current == PlainFreed ? 1 : 0));
            if (current != Nothing) {
                ASSERT_TRUE(manager->PlayWave(1, 0, current == Looping));
                ASSERT_EQ(manager->FindSound(1)->IsLooping(), current == Looping);
            }
            ASSERT_TRUE(request == Same || manager->LoadSound("b", 2, SoundFreeWhenDone));
            output.Log.clear();
            const std::uint16_t number = request == Same ? 1 : 2;
            EXPECT_EQ(manager->PlayWave(number, mode, loop), answer);
            if (!deliverWhenClosed) {
                EXPECT_EQ(std::pair(flags(1), flags(number)), std::pair(currentFlags, nodeFlags));
            }
            // The posted completions let through and the sound that plays ended, a few times.
            for (int cycle = 0; cycle < 3; ++cycle) {
                output.Deliver();
                output.Finish();
            }
            output.Deliver();
            std::string written;
            for (const std::string& entry : output.Log) {
                written += (written.empty() ? "" : ", ") + entry;
            }
            EXPECT_EQ(written, log);
            EXPECT_EQ(manager->FindPlaying(), nullptr);
            EXPECT_EQ(flags(2), Freed) << "a sound freed when done is gone";
            EXPECT_EQ(flags(1) == Freed, current == PlainFreed);
        }
    }
}

// Loading and its errors; devices that fail; a completion that names no loaded sound.
TEST_F(WaveManTest, LoadingRefusalsAndStrayCompletions) {
    // Loading clears Queued and Requeue, and a loaded number is not loaded again.
    ASSERT_TRUE(manager->LoadSound("a", 7, 0x0F));
    EXPECT_EQ(manager->FindSound(7)->Flags, SoundFreeWhenDone | SoundToFront);
    EXPECT_TRUE(manager->LoadSound("missing", 7, 0));
    // The file's name is matched regardless of case, as the table keeps names upper-cased.
    EXPECT_TRUE(manager->LoadSound("B", 8, 0));
    EXPECT_EQ(manager->FindSound(8)->Header().Length, 200U);
    for (const auto& [name, code] : {std::pair{"missing", WaveCannotOpen}, {"bad", WaveNotPCM}}) {
        EXPECT_FALSE(manager->LoadSound(name, 9, 0)) << name;
        EXPECT_EQ(manager->LastError(), code) << name;
    }
    EXPECT_EQ(manager->Sounds().Count(), 2);

    // A device that cannot be opened or refuses the samples: nothing plays, a sound freed when
    // done is freed, a kept one stays.
    output.FailOpen = true;
    EXPECT_FALSE(manager->PlayWave(7, 0, false));
    EXPECT_EQ(manager->FindSound(7), nullptr);
    output.FailOpen = false;
    output.FailWrite = true;
    EXPECT_FALSE(manager->PlayWave(8, 0, false));
    EXPECT_FALSE(manager->FindSound(8)->HasDevice()) << "closed again";
    output.FailWrite = false;

    // A completion about no loaded sound finishes nothing but starts what is queued.
    ASSERT_TRUE(manager->LoadSound("c", 3, 0));
    manager->FindSound(3)->Flags |= SoundQueued;
    output.Log.clear();
    EXPECT_EQ(manager->BufferDone(TWaveDoneMessage{0}), 0);
    EXPECT_EQ(output.Log, std::vector<std::string>{"write 300"});

    EXPECT_FALSE(TWaveMan(target, output, false).IsEnabled()) << "switched off";
}
