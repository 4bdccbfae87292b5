#include "framework/Main.h"
#include "fakes/FakeInstanceLock.h"
#include "fakes/FakeSystemInfo.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class StartupChecksTest : public testing::Test {
  protected:
    // A complete installation: the image library beside the program, both tables in dat/.
    StartupChecksTest() {
        settings.ProgramFolder = temp.Path();
        settings.InstallFolder = temp.Path();
        settings.DataFolder = temp.Path() + "dat/";
        temp.Write("ladderly.px8", "image library");
        temp.Write("dat/sounds.txt", "click\n");
        temp.Write("dat/puzzle.txt", "");
    }

    bool Run() { return RunStartupChecks(settings, system, lock, application); }

    TempFolder temp;
    GameSettings settings;
    FakeSystemInfo system;
    FakeInstanceLock lock;
    FakeUserInterface ui;
    ApplicationInfo application;
};

TEST_F(StartupChecksTest, CompleteInstallationPasses) {
    EXPECT_TRUE(Run());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(lock.acquireCalls, 1);
    EXPECT_EQ(application.Title, "Ladderly");
    EXPECT_EQ(application.HelpFile, "ladd.hlp");
}

TEST_F(StartupChecksTest, DisplayDepth) {
    const std::string monochrome = "This game cannot be played on a monochrome display.'";
    struct Case {
        int bits;
        int answer;
        bool passes;
        uint32_t style; // 0: no box
    };
    const uint32_t question = MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion;
    const Case cases[] = {
        {1, MessageBoxResult::Ok, false, MessageBoxStyle::Ok | MessageBoxStyle::IconStop},
        {4, MessageBoxResult::Yes, true, question},
        {4, MessageBoxResult::No, false, question},
        {8, 0, true, 0},
        {24, 0, true, 0},
        {0, 0, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        settings.StartupFailed = false;
        ui.boxes.clear();
        ui.replies.clear();
        ui.Answer(c.answer);
        system.colourBits = c.bits;
        lock.acquireCalls = 0;
        EXPECT_EQ(Run(), c.passes);
        EXPECT_EQ(settings.StartupFailed, !c.passes);
        // A failed display check ends start-up before the lock is taken.
        EXPECT_EQ(lock.acquireCalls, c.passes ? 1 : 0);
        if (c.style == 0) {
            EXPECT_TRUE(ui.boxes.empty());
            continue;
        }
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].caption, "Display Error");
        EXPECT_EQ(ui.boxes[0].style, c.style);
        if (c.bits == 1) {
            EXPECT_EQ(ui.boxes[0].text, monochrome);
        } else {
            EXPECT_NE(ui.boxes[0].text.find("You are running a 16-color display."),
                      std::string::npos);
        }
    }
}

TEST_F(StartupChecksTest, SecondCopySignalsTheFirstAndEndsSilently) {
    lock.heldElsewhere = true;
    EXPECT_FALSE(Run());
    EXPECT_TRUE(settings.StartupFailed);
    EXPECT_EQ(lock.signalsSent, 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(application.Title, "");
}

TEST_F(StartupChecksTest, RequiredFiles) {
    struct Case {
        std::vector<std::string> files; // below the installation folder
        std::string missing;            // empty: the check passes
    };
    const Case cases[] = {
        {{"ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt"}, ""},
        {{"ladderly.px8", "dat/sounds.dat", "dat/puzzle.dat"}, ""},
        {{"ladderly.px8", "dat/sounds.dat", "dat/puzzle.txt"}, ""},
        {{"dat/sounds.txt", "dat/puzzle.txt"}, "ladderly.px8"},
        {{"dat/ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt"}, "ladderly.px8"},
        {{"ladderly.px8", "dat/puzzle.txt"}, "sounds.dat"},
        {{"ladderly.px8", "dat/sounds.txt", "dat/puzzle.bak"}, "puzzle.dat"},
        {{"ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt/"}, "puzzle.dat"},
        {{"ladderly.px8/", "dat/sounds.txt", "dat/puzzle.txt"}, "ladderly.px8"},
        {{}, "ladderly.px8"},
    };
    for (const Case& c : cases) {
        TempFolder installation;
        for (const std::string& file : c.files) {
            if (file.back() == '/') {
                installation.MakeFolder(file); // a folder where a file belongs
            } else {
                installation.Write(file, "x");
            }
        }
        settings = GameSettings();
        settings.ProgramFolder = installation.Path();
        settings.DataFolder = installation.Path() + "dat/";
        ui.boxes.clear();
        EXPECT_EQ(Run(), c.missing.empty()) << c.missing;
        if (c.missing.empty()) {
            EXPECT_TRUE(ui.boxes.empty());
            continue;
        }
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].caption, "Installation Error");
        EXPECT_EQ(ui.boxes[0].text, "Sorry! We cannot find the needed file \"" + c.missing + "\".");
        EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
    }
}

TEST_F(StartupChecksTest, NothingRunsAfterAFailedStart) {
    settings.StartupFailed = true;
    system.colourBits = 1;
    EXPECT_FALSE(Run());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(lock.acquireCalls, 0);
}

} // namespace
