// The sound table and the game's entry points: compiling "sounds.txt" when it is newer,
// reading the table, and the effects of a session as the main window runs it.

#include "sound/AppSound.h"

#include "SoundKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
class AppSoundTest : public ::testing::Test {
  protected:
    AppSoundTest() { WriteTestWaves(folder); }

    std::unique_ptr<TAppSound> Start(bool enabled = true) {
        return InitSounds(target, output, enabled, folder.Path() + "wav", folder.Path() + "dat");
    }

    // The table as "NAME=number" entries.
    static std::vector<std::string> Table(const TAppSound& sound) {
        std::vector<std::string> entries;
        for (TTarnNode* n = sound.SoundTable().Head(); n != nullptr; n = n->Next()) {
            const auto* entry = static_cast<const TSoundInfoNode*>(n);
            entries.push_back(entry->GetID() + "=" + std::to_string(entry->Number));
        }
        return entries;
    }

    void SetTime(const std::string& name, int secondsAgo) {
        std::filesystem::last_write_time(folder / ("dat/" + name),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::seconds(secondsAgo));
    }

    TempFolder folder;
    FakeWaveOutput output;
    LoggingTarget target{output, SoundDone};
};
} // namespace

TEST_F(AppSoundTest, TableIsCompiledWhenTheTextIsNewer) {
    folder.Write("dat/sounds.txt", "# comment\nding  loud\n[effects]\n\nbell\n");
    EXPECT_EQ(Table(*Start()), (std::vector<std::string>{"DING=0", "BELL=1", "=2", "=3"}))
        << "two padding bytes read as two empty entries";

    // A compiled table newer than the text is read as it is.
    folder.Write("dat/sounds.txt", "other\n");
    SetTime("sounds.txt", 20);
    SetTime("sounds.dat", 10);
    EXPECT_EQ(Table(*Start()).front(), "DING=0");
    SetTime("sounds.dat", 30);
    EXPECT_EQ(Table(*Start()).front(), "OTHER=0");

    // Neither file: one empty entry. A compiled file that cannot be written (as in a system
    // installation) is compiled in memory.
    std::filesystem::remove_all(folder / "dat");
    EXPECT_EQ(Table(*Start()), std::vector<std::string>{"=0"});
    folder.MakeFolder("dat/sounds.dat");
    folder.Write("dat/sounds.txt", "click\n");
    SetTime("sounds.dat", 60);
    EXPECT_EQ(Table(*Start()).front(), "CLICK=0");
}

TEST_F(AppSoundTest, EffectsOfASession) {
    folder.Write("dat/sounds.txt", "a\nb\nc\n");
    std::unique_ptr<TAppSound> sound = Start();
    EXPECT_THROW(Start(), std::logic_error) << "one sound component at a time";
    EXPECT_TRUE(SoundActive());
    // Numbers compare by their low 8 bits.
    EXPECT_EQ((std::vector{SoundName(2), SoundName(258), SoundName(44)}),
              (std::vector<std::string>{"C", "C", ""}));

    PlaySound(2); // a puzzle is solved
    PlaySound(9); // any other kind plays sound 0, queued behind
    PlaySound(2); // the sound that plays, with mode 6: nothing changes
    EXPECT_EQ(sound->WaveMan().Sounds().Count(), 2);
    for (int pass = 0; pass < 2; ++pass) {
        output.Finish();
        output.Deliver();
    }
    EXPECT_EQ(output.Log, (std::vector<std::string>{"write 300", "done 2", "write 100", "done 0"}));
    EXPECT_TRUE(sound->WaveMan().Sounds().IsEmpty()) << "each request loads the file again";

    // A sound playing when the window goes is stopped; its completion arrives after the
    // component is gone and finishes nothing.
    PlaySound(1);
    EXPECT_TRUE(sound->SoundSettingToStore());
    sound.reset();
    EXPECT_FALSE(SoundActive());
    EXPECT_EQ(SoundName(2), "");
    output.Log.clear();
    output.Deliver();
    PlaySound(2);
    EXPECT_EQ(output.Log, std::vector<std::string>{"done 0"});

    // Switched off with a device, the table is read all the same; the setting stored at exit is
    // off when the device went away.
    output.Log.clear();
    sound = Start(false);
    EXPECT_FALSE(sound->EnabledAtStart());
    EXPECT_TRUE(SoundActive());
    PlaySound(0);
    EXPECT_TRUE(output.Log.empty());
    EXPECT_EQ(SoundName(0), "A");
    sound = nullptr;
    sound = Start();
    EXPECT_TRUE(sound->EnabledAtStart());
    output.DeviceTotal = 0;
    EXPECT_FALSE(sound->SoundSettingToStore());
}
