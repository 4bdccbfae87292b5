// The wave sound manager and the game's sound component against the fake output: the whole
// interrupt and queue table, loading and its errors, the sound table compiled from "sounds.txt"
// when it is newer, and the effects of a session as the main window runs it.

#include "WaveBytes.h"
#include "fakes/FakeWaveOutput.h"
#include "fakes/TempFolder.h"
#include "sound/AppSound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <tuple>

namespace {
// Waves a (100 sample bytes), b (200) and c (300). Completions are passed on as the main window
// passes them: to the manager of the test if there is one, else to the sound component; the log
// gets the finished number before whatever the completion made the output do.
class AppSoundTest : public ::testing::Test, public IWaveDoneTarget {
  protected:
    AppSoundTest() {
        for (const char name : {'a', 'b', 'c'}) {
            folder.Write(std::string("wav/") + name + ".wav", PcmWave(100 * (name - 'a' + 1)));
        }
    }
    void WaveDone(const TWaveDoneMessage& message) override {
        const auto at = static_cast<std::ptrdiff_t>(output.Log.size());
        const std::uint16_t finished = manager ? manager->BufferDone(message) : SoundDone(message);
        output.Log.insert(output.Log.begin() + at, "done " + std::to_string(finished));
    }

    std::unique_ptr<TAppSound> Start(bool enabled = true) {
        return InitSounds(*this, output, enabled, folder.Path() + "wav", folder.Path() + "dat");
    }
    void Renew() {
        manager = std::make_unique<TWaveMan>(*this, output, true);
        manager->SetFolder(folder.Path() + "wav");
    }

    // The table a start reads, as "NAME=number" entries.
    std::vector<std::string> Table() {
        std::vector<std::string> entries;
        const std::unique_ptr<TAppSound> sound = Start();
        for (TTarnNode* n = sound->SoundTable().Head(); n != nullptr; n = n->Next()) {
            const auto* entry = static_cast<const TSoundInfoNode*>(n);
            entries.push_back(entry->GetID() + "=" + std::to_string(entry->Number));
        }
        return entries;
    }

    // Dates the compiled table this many seconds from now; the text was just written.
    void DateCompiled(int seconds) {
        const auto at =
            std::filesystem::file_time_type::clock::now() + std::chrono::seconds(seconds);
        std::filesystem::last_write_time(folder / "dat/sounds.dat", at);
    }

    TempFolder folder;
    FakeWaveOutput output;
    std::unique_ptr<TWaveMan> manager;
};

using namespace std::string_literals;
} // namespace

// Sound 1 (100 bytes, kept when done) is set up playing plain or looping, or
// not at all; then sound 2 (200 bytes, freed when done), or sound 1 again, is requested with a
// mode. Each row gives the answer and the log of the request followed by every sound playing to
// its end. The table runs twice: with completions only from the event loop, and with devices that
// deliver them when destroyed, as Qt's do; the log and the answer are the same. First loading and
// its errors, devices that fail, and a completion that names no loaded sound.
TEST_F(AppSoundTest, WaveManModesLoadingRefusalsAndStrayCompletions) {
    Renew();
    // Loading clears Queued and Requeue, and a loaded number is not loaded again.
    ASSERT_TRUE(manager->LoadSound("a", 7, 0x0F) &&
                manager->FindSound(7)->Flags == (SoundFreeWhenDone | SoundToFront));
    EXPECT_TRUE(manager->LoadSound("missing", 7, 0));
    // The file's name is matched regardless of case, as the table keeps names upper-cased.
    ASSERT_TRUE(manager->LoadSound("B", 8, 0) && manager->FindSound(8)->Header().Length == 200U);
    EXPECT_TRUE(!manager->LoadSound("missing", 9, 0) && manager->LastError() == WaveCannotOpen);

    // A device that cannot be opened or refuses the samples: nothing plays, a sound freed when
    // done is freed, a kept one stays.
    output.FailOpen = true;
    EXPECT_TRUE(!manager->PlayWave(7, 0, false) && manager->FindSound(7) == nullptr);
    output.FailOpen = false;
    output.FailWrite = true;
    EXPECT_TRUE(!manager->PlayWave(8, 0, false) && !manager->FindSound(8)->HasDevice());
    output.FailWrite = false;

    // A completion about no loaded sound finishes nothing but starts what is queued.
    ASSERT_TRUE(manager->LoadSound("c", 3, 0));
    manager->FindSound(3)->Flags |= SoundQueued;
    output.Log.clear();
    EXPECT_EQ(manager->BufferDone(TWaveDoneMessage{0}), 0);
    EXPECT_EQ(output.Log, std::vector<std::string>{"write 300"});

    enum Playing { Nothing, Plain, Looping };
    enum Request { Other, Same };
    using Row = std::tuple<Playing, Request, std::uint8_t, bool, bool, const char*>;
    const std::vector<Row> rows = {
        {Nothing, Other, 6, false, true, "write 200, done 2"}, // nothing plays: it starts
        {Plain, Same, 6, false, true, "done 1"},     // the same sound with mode 6: nothing
        {Plain, Other, 2, false, false, "done 1"},   // plain, no InterruptPlain: refused
        {Plain, Same, 32, false, true, "done 1"},    // plain, Replay without InterruptPlain
        {Looping, Other, 4, false, false, "done 1"}, // looping, no InterruptLoop: refused
        {Looping, Same, 36, false, true, "done 1"},  // looping, Replay, no InterruptLoop
        {Plain, Other, 4, false, true, "done 1, write 200, done 2"}, // plain: queued behind
        {Plain, Other, 16, false, true, "stop 100, done 1, write 200, done 2"}, // put first
        {Plain, Same, 36, false, true, "done 1, write 100, done 1"},            // plays again after
        // Last pass, then it resumes.
        {Looping, Other, 2, false, true, "break 100, done 1, write 200, done 2, write 100, done 1"},
        {Looping, Other, 3, false, true, "break 100, done 1, write 200, done 2"}, // last pass
        // Stopped, then it resumes.
        {Looping, Other, 8, false, true, "stop 100, done 1, write 200, done 2, write 100, done 1"},
        {Looping, Same, 35, false, true, "break 100, done 1"}, // Replay, NoResume: last pass
        {Looping, Same, 35, true, true, "done 1"}, // looping, Replay, NoResume, loop asked
    };
    for (const bool deliverWhenClosed : {false, true}) {
        output.DeliverWhenClosed = deliverWhenClosed;
        for (const auto& [current, request, mode, loop, answer, log] : rows) {
            SCOPED_TRACE(testing::Message() << "mode " << int{mode} << " " << deliverWhenClosed);
            Renew();
            output.Posted.clear();
            ASSERT_TRUE(manager->LoadSound("a", 1, 0) &&
                        (request == Same || manager->LoadSound("b", 2, SoundFreeWhenDone)));
            ASSERT_TRUE(current == Nothing || manager->PlayWave(1, 0, current == Looping));
            output.Log.clear();
            EXPECT_EQ(manager->PlayWave(request == Same ? 1 : 2, mode, loop), answer);
            // The posted completions let through and the sound that plays ended, a few times.
            for (int cycle = 0; cycle < 4; ++cycle) {
                output.Deliver();
                output.Finish();
            }
            std::string written;
            for (const std::string& entry : output.Log) {
                written += (written.empty() ? "" : ", ") + entry;
            }
            EXPECT_EQ(written, log);
            EXPECT_TRUE(!manager->FindPlaying() && manager->FindSound(1) && !manager->FindSound(2))
                << "sound 1 kept, sound 2 freed when done";
        }
    }
}

// The sound table compiled when the text is newer, and the effects of a session.
TEST_F(AppSoundTest, TableAndSession) {
    // A tab reads as a space, other control bytes are dropped, a line keeps at most 255 bytes,
    // and the last one needs no line feed.
    folder.Write("dat/sounds.txt", "# comment\r\n\tding  loud\n[effects]\n\nb\x01\x7f\x80\x9f"
                                   "e\0ll\xa0\xff\r\nhum "s +
                                       std::string(300, 'x') + "\nclick");
    EXPECT_EQ(Table(), (std::vector<std::string>{"DING=0", "BELL\xa0\xff=1", "HUM=2", "CLICK=3",
                                                 "=4", "=5"}))
        << "two padding bytes read as two empty entries";

    // A compiled table newer than the text is read as it is.
    folder.Write("dat/sounds.txt", "other\n");
    DateCompiled(10);
    EXPECT_EQ(Table().front(), "DING=0");
    DateCompiled(-30);
    EXPECT_EQ(Table().front(), "OTHER=0");

    // Neither file: one empty entry. A compiled file that cannot be written (as in a system
    // installation) is compiled in memory.
    std::filesystem::remove_all(folder / "dat");
    EXPECT_EQ(Table(), std::vector<std::string>{"=0"});
    folder.MakeFolder("dat/sounds.dat");
    folder.Write("dat/sounds.txt", "click\n");
    DateCompiled(-60);
    EXPECT_EQ(Table().front(), "CLICK=0");

    // The effects of a session.
    folder.Write("dat/sounds.txt", "a\nb\nc\n");
    std::unique_ptr<TAppSound> sound = Start();
    EXPECT_THROW(Start(), std::logic_error) << "one sound component at a time";
    EXPECT_TRUE(SoundActive() && SoundName(2) + SoundName(44) == "C");

    PlaySound(2); // a puzzle is solved
    PlaySound(9); // any other kind plays sound 0, queued behind
    for (int pass = 0; pass < 2; ++pass) {
        output.Finish();
        output.Deliver();
    }
    EXPECT_EQ(output.Log, (std::vector<std::string>{"write 300", "done 2", "write 100", "done 0"}));
    EXPECT_TRUE(sound->WaveMan().Sounds().IsEmpty() && sound->SoundSettingToStore())
        << "each request loads the file again";

    // A sound playing when the window goes is stopped; its completion arrives after the
    // component is gone and finishes nothing.
    PlaySound(1);
    sound.reset();
    EXPECT_TRUE(!SoundActive() && SoundName(2).empty());
    output.Log.clear();
    output.Deliver();
    PlaySound(2);
    EXPECT_EQ(output.Log, std::vector<std::string>{"done 0"});

    // Switched off, the table is read all the same; the setting stored at exit is off when the
    // device went away.
    sound = Start(false);
    EXPECT_TRUE(!sound->EnabledAtStart() && SoundName(0) == "A");
    sound = nullptr;
    sound = Start();
    output.DeviceTotal = 0;
    EXPECT_FALSE(sound->SoundSettingToStore());
}
