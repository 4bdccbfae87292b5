#include "app/StartupChecks.h"
#include "fakes/FakeInstanceLock.h"
#include "fakes/FakeSystemInfo.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class StartupChecksTest : public testing::Test {
  protected:
    // A complete installation: the image library beside the program, both tables in dat/.
    StartupChecksTest() {
        settings.ProgramFolder = temp.Path();
        settings.DataFolder = temp.Path() + "dat/";
        temp.Write("ladderly.px8", "image library");
        temp.Write("dat/sounds.txt", "click\n");
        temp.Write("dat/puzzle.txt", "");
    }

    bool Run() {
        ui.boxes.clear();
        lock.acquireCalls = 0;
        const bool passed = RunStartupChecks(settings, system, lock, application);
        EXPECT_EQ(settings.StartupFailed, !passed);
        EXPECT_EQ(ExitStatus(settings), passed || lock.heldElsewhere ? 0 : 1);
        return passed;
    }

    // The one box shown, checked against the caption and style.
    std::string BoxText(const std::string& caption, MessageBoxStyle style) const {
        if (ui.boxes.size() != 1) {
            ADD_FAILURE() << ui.boxes.size() << " boxes";
            return {};
        }
        EXPECT_EQ(ui.boxes[0].caption, caption);
        EXPECT_EQ(ui.boxes[0].style, style);
        return ui.boxes[0].text;
    }

    TempFolder temp;
    GameSettings settings;
    FakeSystemInfo system;
    FakeInstanceLock lock;
    FakeUserInterface ui;
    ApplicationInfo application;
};

const MessageBoxStyle Stop = MessageBoxStyle::Ok | MessageBoxStyle::IconStop;

TEST_F(StartupChecksTest, DisplayDepth) {
    const MessageBoxStyle question = MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion;
    const char* sixteenColours = "This game is designed for a minimum 256-color display. You are "
                                 "running a 16-color display.";
    struct Case {
        int bits;
        MessageBoxResult answer;
        bool passes;
        std::optional<MessageBoxStyle> style; // none: no box
        std::string text;                     // a part of the box's text
    };
    const Case cases[] = {
        {1, MessageBoxResult::Ok, false, Stop,
         "This game cannot be played on a monochrome display.'"},
        {4, MessageBoxResult::Yes, true, question, sixteenColours},
        {4, MessageBoxResult::No, false, question, sixteenColours},
        {8, MessageBoxResult::Ok, true, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        settings.StartupFailed = false;
        ui.Answer(c.answer);
        system.colourBits = c.bits;
        EXPECT_EQ(Run(), c.passes);
        // A failed display check ends start-up before the lock is taken.
        EXPECT_EQ(lock.acquireCalls, c.passes ? 1 : 0);
        EXPECT_EQ(ui.boxes.empty(), !c.style);
        if (c.style) {
            EXPECT_NE(BoxText("Display Error", *c.style).find(c.text), std::string::npos);
        }
        ui.replies.clear();
    }
    EXPECT_EQ(application.Title, "Ladderly");

    settings.StartupFailed = true;
    system.colourBits = 1;
    EXPECT_FALSE(Run()) << "nothing runs after a failed start";
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(lock.acquireCalls, 0);
}

TEST_F(StartupChecksTest, SecondCopySignalsTheFirstAndEndsSilently) {
    lock.heldElsewhere = true;
    EXPECT_FALSE(Run());
    EXPECT_EQ(lock.signalsSent, 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(application.Title, "");
}

TEST_F(StartupChecksTest, RequiredFiles) {
    struct Case {
        std::vector<std::string> files; // below the installation folder; "/" ends a folder
        std::string missing;            // empty: the check passes
    };
    const Case cases[] = {
        {{"ladderly.px8", "dat/sounds.dat", "dat/puzzle.dat"}, ""},
        {{"dat/ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt"}, "ladderly.px8"},
        {{"ladderly.px8", "dat/puzzle.txt"}, "sounds.dat"},
        {{"ladderly.px8", "dat/sounds.txt", "dat/puzzle.txt/"}, "puzzle.dat"},
    };
    for (const Case& c : cases) {
        TempFolder installation;
        for (const std::string& file : c.files) {
            if (file.back() == '/') {
                installation.MakeFolder(file);
            } else {
                installation.Write(file, "x");
            }
        }
        settings = GameSettings();
        settings.ProgramFolder = installation.Path();
        settings.DataFolder = installation.Path() + "dat/";
        EXPECT_EQ(Run(), c.missing.empty()) << c.missing;
        if (c.missing.empty()) {
            EXPECT_TRUE(ui.boxes.empty());
        } else {
            EXPECT_EQ(BoxText("Installation Error", Stop),
                      "Sorry! We cannot find the needed file \"" + c.missing + "\".");
        }
    }
}

} // namespace
