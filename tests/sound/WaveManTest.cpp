// The wave sound manager against the fake output: the whole interrupt and queue table, what
// happens when each sound finishes, loading and its errors.

#include "sound/WaveMan.h"

#include "SoundKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
class WaveManTest : public ::testing::Test {
  protected:
    WaveManTest() {
        WriteTestWaves(folder);
        manager = std::make_unique<TWaveMan>(target, output, true);
        manager->SetFolder(folder.Path() + "wav");
    }

    // Lets the posted completions through and ends the sound that plays, a few times over.
    void RunToQuiet() {
        for (int cycle = 0; cycle < 3; ++cycle) {
            output.Deliver();
            output.Finish();
        }
        output.Deliver();
    }

    TempFolder folder;
    FakeWaveOutput output;
    LoggingTarget target{output,
                         [this](const TWaveDoneMessage& m) { return manager->BufferDone(m); }};
    std::unique_ptr<TWaveMan> manager;
};

constexpr int Freed = -1;
} // namespace

// Sound 1 (100 bytes, kept when done) is set up playing plain or looping, or not at all; then
// sound 2 (200 bytes, freed when done), or sound 1 again, is requested with a mode.
TEST_F(WaveManTest, ModeTable) {
    enum class Playing { Nothing, Plain, Looping };
    struct Row {
        const char* what;
        Playing current;
        bool same;
        std::uint8_t mode;
        bool loop;
        bool answer;
        int currentFlags;             // of sound 1 right after the request
        int nodeFlags;                // of the requested sound right after the request, or Freed
        std::vector<std::string> log; // the request, then every sound playing to its end
    };
    const std::vector<Row> rows = {
        {"nothing plays: it starts",
         Playing::Nothing,
         false,
         6,
         false,
         true,
         0,
         1,
         {"write 200", "done 2"}},
        {"the same sound with mode 6 changes nothing",
         Playing::Plain,
         true,
         6,
         false,
         true,
         0,
         0,
         {"done 1"}},
        {"plain, InterruptPlain not set: refused and freed",
         Playing::Plain,
         false,
         2,
         false,
         false,
         0,
         Freed,
         {"done 1"}},
        {"StopNow implies InterruptLoop only",
         Playing::Plain,
         false,
         8,
         false,
         false,
         0,
         Freed,
         {"done 1"}},
        {"plain, same, Replay without InterruptPlain",
         Playing::Plain,
         true,
         32,
         false,
         true,
         0,
         0,
         {"done 1"}},
        {"looping, InterruptLoop not set: refused",
         Playing::Looping,
         false,
         4,
         false,
         false,
         0,
         Freed,
         {"done 1"}},
        {"StopPlainNow implies InterruptPlain only",
         Playing::Looping,
         false,
         16,
         false,
         false,
         0,
         Freed,
         {"done 1"}},
        {"looping, same, Replay without InterruptLoop",
         Playing::Looping,
         true,
         36,
         false,
         true,
         0,
         0,
         {"done 1"}},
        {"plain: queued behind",
         Playing::Plain,
         false,
         4,
         false,
         true,
         0,
         3,
         {"done 1", "write 200", "done 2"}},
        {"plain, StopPlainNow: stopped, put first",
         Playing::Plain,
         false,
         16,
         false,
         true,
         8,
         3,
         {"stop 100", "done 1", "write 200", "done 2"}},
        {"plain, same, Replay: plays again after",
         Playing::Plain,
         true,
         36,
         false,
         true,
         4,
         4,
         {"done 1", "write 100", "done 1"}},
        {"plain, same, Replay and StopPlainNow: starts again",
         Playing::Plain,
         true,
         48,
         false,
         true,
         12,
         12,
         {"stop 100", "done 1", "write 100", "done 1"}},
        {"looping: last pass, then resumes",
         Playing::Looping,
         false,
         2,
         false,
         true,
         4,
         3,
         {"break 100", "done 1", "write 200", "done 2", "write 100", "done 1"}},
        {"looping, NoResume: last pass",
         Playing::Looping,
         false,
         3,
         false,
         true,
         0,
         3,
         {"break 100", "done 1", "write 200", "done 2"}},
        {"looping, StopNow: stopped, resumes",
         Playing::Looping,
         false,
         8,
         false,
         true,
         4,
         3,
         {"stop 100", "done 1", "write 200", "done 2", "write 100", "done 1"}},
        {"looping, StopNow and NoResume",
         Playing::Looping,
         false,
         9,
         false,
         true,
         0,
         3,
         {"stop 100", "done 1", "write 200", "done 2"}},
        {"looping, same, Replay, NoResume: last pass",
         Playing::Looping,
         true,
         35,
         false,
         true,
         0,
         0,
         {"break 100", "done 1"}},
        {"looping, same, Replay, NoResume, loop asked: nothing",
         Playing::Looping,
         true,
         35,
         true,
         true,
         0,
         0,
         {"done 1"}},
        {"looping, same, Replay, resuming: nothing",
         Playing::Looping,
         true,
         34,
         false,
         true,
         0,
         0,
         {"done 1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        manager = std::make_unique<TWaveMan>(target, output, true);
        manager->SetFolder(folder.Path() + "wav");
        output.Posted.clear();
        ASSERT_TRUE(manager->LoadSound("a", 1, 0));
        if (row.current != Playing::Nothing) {
            ASSERT_TRUE(manager->PlayWave(1, 0, row.current == Playing::Looping));
            ASSERT_EQ(manager->FindSound(1)->IsLooping(), row.current == Playing::Looping);
        }
        if (!row.same) {
            ASSERT_TRUE(manager->LoadSound("b", 2, SoundFreeWhenDone));
        }
        output.Log.clear();
        const std::uint16_t number = row.same ? 1 : 2;
        EXPECT_EQ(manager->PlayWave(number, row.mode, row.loop), row.answer);
        EXPECT_EQ(manager->FindSound(1)->Flags, row.currentFlags);
        const TSoundNode* node = manager->FindSound(number);
        EXPECT_EQ(node == nullptr ? Freed : node->Flags, row.nodeFlags);
        RunToQuiet();
        EXPECT_EQ(output.Log, row.log);
        EXPECT_EQ(manager->FindPlaying(), nullptr);
        EXPECT_EQ(manager->FindSound(2), nullptr) << "a sound freed when done is gone";
    }
}

TEST_F(WaveManTest, LoadingAndRefusals) {
    // Loading clears Queued and Requeue, and a loaded number is not loaded again.
    ASSERT_TRUE(manager->LoadSound("a", 7, 0x0F));
    EXPECT_EQ(manager->FindSound(7)->Flags, SoundFreeWhenDone | SoundToFront);
    EXPECT_TRUE(manager->LoadSound("missing", 7, 0));
    EXPECT_EQ(manager->Sounds().Count(), 1);
    // The file's name is matched regardless of case, as the table keeps names upper-cased.
    EXPECT_TRUE(manager->LoadSound("B", 8, 0));
    EXPECT_EQ(manager->FindSound(8)->Header().Length, 200U);

    struct Failure {
        const char* name;
        int code;
    };
    for (const Failure& f : {Failure{"missing", WaveCannotOpen}, Failure{"bad", WaveNotPCM},
                             Failure{"", WaveCannotOpen}}) {
        EXPECT_FALSE(manager->LoadSound(f.name, 9, 0)) << f.name;
        EXPECT_EQ(manager->LastError(), f.code) << f.name;
    }
    EXPECT_EQ(manager->Sounds().Count(), 2);
    EXPECT_FALSE(manager->PlayWave(9, 6, false)) << "not loaded";

    // A device that cannot be opened or refuses the samples: nothing plays, a sound freed when
    // done is freed, a kept one stays.
    output.FailOpen = true;
    EXPECT_FALSE(manager->PlayWave(7, 0, false));
    EXPECT_EQ(manager->FindSound(7), nullptr);
    output.FailOpen = false;
    output.FailWrite = true;
    EXPECT_FALSE(manager->PlayWave(8, 0, false));
    EXPECT_NE(manager->FindSound(8), nullptr);
    EXPECT_FALSE(manager->FindSound(8)->HasDevice()) << "closed again";
    output.FailWrite = false;

    // Disabled, or no device: every request is refused.
    manager->SetEnabled(false);
    EXPECT_FALSE(manager->PlayWave(8, 0, false));
    EXPECT_FALSE(manager->LoadSound("c", 10, 0));
    output.DeviceTotal = 0;
    manager->SetEnabled(true);
    EXPECT_FALSE(manager->IsEnabled());
    EXPECT_FALSE(TWaveMan(target, output, true).IsEnabled());
    output.DeviceTotal = 2;
    manager->SetEnabled(true);
    EXPECT_TRUE(manager->IsEnabled());
    EXPECT_FALSE(TWaveMan(target, output, false).IsEnabled());

    manager->SetFolder("/x/y/");
    EXPECT_EQ(manager->GetFolder(), "/x/y/");
    manager->SetFolder("/x/y");
    EXPECT_EQ(manager->GetFolder(), "/x/y/");
}

TEST_F(WaveManTest, LoopsCompletionsAndDestruction) {
    ASSERT_TRUE(manager->LoadSound("a", 1, 0));
    TSoundNode& node = *manager->FindSound(1);
    struct Loop {
        std::uint32_t count;
        std::uint32_t passes;
        bool flags;
    };
    for (const Loop& l : {Loop{1000, 10'000'000, true}, Loop{5, 5, true}, Loop{1, 0, false},
                          Loop{2, 2, true}, Loop{0, 0, false}}) {
        node.SetLoop(l.count);
        EXPECT_EQ(node.Header().Loops, l.passes) << l.count;
        EXPECT_EQ(node.Header().Flags, l.flags ? 0x0CU : 0U) << l.count;
    }
    EXPECT_FALSE(node.IsLooping()) << "not playing";

    // The output is given the header as it is: samples, length, loops.
    ASSERT_TRUE(manager->PlayWave(1, 0, true));
    ASSERT_NE(output.Playing(), nullptr);
    EXPECT_EQ(output.Playing()->Header.Loops, 10'000'000U);
    EXPECT_EQ(output.Playing()->Header.Data, node.Header().Data);
    EXPECT_EQ(output.Playing()->Format.SamplesPerSec, 8000U);

    // A completion about no loaded sound finishes nothing but starts what is queued.
    ASSERT_TRUE(manager->LoadSound("c", 3, 0));
    manager->FindSound(3)->Flags |= SoundQueued;
    manager->FindSound(1)->Close();
    manager->FindSound(1)->Playing = false;
    output.Posted.clear();
    output.Log.clear();
    EXPECT_EQ(manager->BufferDone(TWaveDoneMessage{12345}), 0);
    EXPECT_EQ(output.Log, std::vector<std::string>{"write 300"});

    // Destruction stops the sound that plays.
    output.Log.clear();
    manager.reset();
    EXPECT_EQ(output.Log, std::vector<std::string>{"stop 300"});
    EXPECT_TRUE(output.Devices.empty());
}
