// The player's progress through real play: the marks a win, a win after a hint and the solver's
// ladder earn, the journal they are written to, the badge, the selector's marks and resuming.

#include "screens/GameRoomFixture.h"

namespace {

using GameRoomProgress = GameRoomFixture;

TEST_F(GameRoomProgress, MarksThroughPlayTheJournalAndResuming) {
    // The marks the selector is given, one letter per entry: S solved, H with help, s shown.
    const auto SelectorMarks = [this] {
        Press("selbtn");
        std::string marks;
        for (const TSelectorEntry& entry : dialogs.selectorShown.back()) {
            marks += "-sHS"[static_cast<int>(entry.Mark)];
        }
        return marks;
    };
    const auto BadgePixel = [this] { return Pixel(BadgeX + 5, BadgeY + 5); };
    journal = folder.Path() + "user/progress.txt";
    Start(TestWords, TestPuzzles);
    // A hint, then starting over: the win after it is unaided.
    Press("hintbtn");
    Press("startbtn");
    Type("cotcog");
    ASSERT_TRUE(room->Solved);
    EXPECT_NE(folder.Read("user/progress.txt").find("solved 2025-03-14 cat dog ccc\r\n"),
              std::string::npos)
        << "written at the win";
    EXPECT_EQ(BadgePixel(), BackgroundColour) << "not solved when it was loaded";
    Press("startbtn");
    EXPECT_EQ(room->Rows[2] + room->Rows[3], "      ") << "starting over blanks the rows";
    EXPECT_EQ(BadgePixel(), BadgeColour);

    Press("newbtn");
    EXPECT_EQ(BadgePixel(), BackgroundColour);
    Press("hintbtn");
    Type("cogcot");
    ASSERT_TRUE(room->Solved);

    // The solver's ladder, even once checked, is only shown.
    Press("newbtn");
    Type("jq");
    Key(RoomKey::F11);
    Press("checkbtn");
    ASSERT_TRUE(room->Solved);

    Press("newbtn");
    Type("bigdig");
    ASSERT_TRUE(room->Solved);
    Close();
    EXPECT_EQ(folder.Read("user/progress.txt"),
              "# Ladderly progress: mark, date, start word, end word, actions\r\n"
              "solved 2025-03-14 bag dog ccc\r\n"
              "solved 2025-03-14 cat dog ccc\r\n"
              "shown 2025-03-14 cat hog ccc\r\n"
              "helped 2025-03-14 dog cat ccc\r\n"
              "last 2025-03-14 bag dog ccc\r\n");

    // Resuming goes on from the last puzzle played to the first unsolved one.
    resume = true;
    Start(TestWords, TestPuzzles);
    EXPECT_EQ(room->CurrentPuzzle, 5);
    EXPECT_EQ(SelectorMarks(), "SHsS-");
    Close();

    // A puzzle is known by its words and actions: the marks follow them through a new order
    // and a changed hint; a puzzle with changed actions is a new one, and sorts first.
    resume = false;
    Start(TestWords, "hot\nbat\nccc\n\n"
                     "dog\ncat\nccc\n\n"
                     "cat\nhog\nccc\n\n"
                     "cat\ndog\nccc\n3=cog\n"
                     "bag\ndig\ncc\n\n");
    EXPECT_EQ(room->CurrentPuzzle, 1) << "without resuming";
    EXPECT_EQ(SelectorMarks(), "--HsS");
    Press("newbtn");
    Press("newbtn");
    EXPECT_EQ(BadgePixel(), BadgeColour + 1) << "solved with help";
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
