// The main window starts the sound effects with the sound setting, relays the output's
// completions to them, and decides at its end whether sound is stored as on.

#include "app/FormGame.h"

#include "app/WindowKit.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/FakeWaveOutput.h"
#include "platform/QtTestApplication.h"
#include "sound/AppSound.h"
#include "sound/WaveBytes.h"

#include <gtest/gtest.h>

TEST(FormGameSound, StartsTheSoundRelaysCompletionsAndDecidesTheSetting) {
    TestApplication();
    FakeUserInterface ui;
    const TempFolder install;
    WriteTestLibrary(install);
    install.Write("dat/sounds.txt", "click\nchime\nsolved\n");
    install.Write("wav/solved.wav", PcmWave(300));
    GameSettings settings;
    settings.ProgramFolder = install.Path();
    settings.InstallFolder = install.Path();
    settings.DataFolder = install.Path() + "dat/";
    settings.WaveFolder = install.Path() + "wav/";
    ApplicationInfo application{"Ladderly", ""};

    struct Case {
        int devices;
        bool enabled;
        bool stored;
    };
    for (const Case c : {Case{1, true, true}, Case{0, true, false}, Case{1, false, false}}) {
        SCOPED_TRACE(c.devices);
        settings.SoundEnabled = c.enabled;
        auto made = std::make_unique<FakeWaveOutput>();
        FakeWaveOutput& output = *made;
        output.DeviceTotal = c.devices;
        {
            TFormGame form(settings, application, {}, std::move(made));
            ASSERT_FALSE(settings.StartupFailed);
            EXPECT_EQ(SoundActive(), c.devices != 0);
            EXPECT_EQ(SoundName(2), "SOLVED");
            PlaySound(2);
            ASSERT_EQ(output.Playing() != nullptr, c.stored);
            if (c.stored) {
                // The completion reaches the manager through the window, which starts nothing
                // more and frees the finished sound.
                output.Finish();
                output.Deliver();
                EXPECT_EQ(output.Playing(), nullptr);
                PlaySound(2);
                EXPECT_NE(output.Playing(), nullptr) << "still playing when the window goes";
            }
        }
        EXPECT_EQ(settings.SoundEnabled, c.stored);
        EXPECT_FALSE(SoundActive()) << "the sound went with the window";
    }
}
