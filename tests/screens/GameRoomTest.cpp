// The game room driven as a player drives it: keys and presses through the world, the board
// read back from the display surface.

#include "screens/GameRoomFixture.h"

#include "graphics/PX8ImageData.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// Real play. What the board keys write into row 2 as drawn (upper case: the end word's letter
// there; where the cursor goes is the board cursor's rule) and what presses on the board do. The
// marks play earns: puzzle 1 solved by keys after a hint and starting over (so unaided), with a
// silent failed check on the way; a win with a hint and the press after it that loads the next
// puzzle; the solver's ladder, even once checked, only shown. The journal written at the win, the
// badge, the selector's marks and resuming.
TEST_F(GameRoomFixture, PlayToTheWinTheJournalAndResuming) {
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
    EXPECT_EQ(Board(), (Lines{"  cat", "C [.]..", "C ...", "C DOG"}));
    EXPECT_EQ(EnabledButtons(), "CHECKBTN HINTBTN NEWBTN SELBTN");
    const uint16_t keys[] = {
        'H', 'O', VirtualKey::Back, VirtualKey::Left, VirtualKey::Delete, '1', VirtualKey::Space};
    const Lines rows = {"C h[.].", "C hO[.]", "C h[.].", "C [h]..",
                        "C [.]..", "C [.]..", "C .[.]."};
    for (size_t i = 0; i < rows.size(); ++i) {
        Key(keys[i]);
        EXPECT_EQ(Board()[1], rows[i]) << "after key " << keys[i];
    }
    world->KeyUp('Z', 0);
    EXPECT_EQ(Board()[1], "C .[.].") << "a key release changes nothing";
    // A press on a cell selects it, where the pointer shows the letter cursor; a press between
    // cells selects nothing.
    const TRect board = room->FindHitBox("board")->Bounds;
    for (const auto& [x, cursor] : {std::pair{35, CursorId::LetterCell}, {27, CursorId::Default}}) {
        Press("board", x, 30);
        EXPECT_EQ(Board()[2], "C .[.].") << x;
        area.Move(board.Left + x, board.Top + 30);
        EXPECT_EQ(area.Cursor(), cursor) << x;
    }

    Press("hintbtn");
    Press("startbtn");
    Type("cot");
    Press("checkbtn");
    EXPECT_EQ(Board(), (Lines{"  cat mark 4", "C cOt mark 4", "C [.].. mark 3", "C DOG mark 4"}));
    area.Press(440, 2);
    EXPECT_TRUE(sounds.empty() && !room->ShowMarks)
        << "silent, hidden by a press on the background";
    Press("checkbtn");
    Type("cog");
    EXPECT_EQ(Board(), (Lines{"  cat", "C cOt", "C cO[G]", "C DOG"}))
        << "typing hid the marks, the cursor stays";
    EXPECT_TRUE(room->Solved && sounds == std::vector<uint8_t>{2});
    EXPECT_EQ(EnabledButtons(), "STARTBTN NEWBTN SELBTN");
    EXPECT_NE(folder.Read("user/progress.txt").find("solved 2025-03-14 cat dog ccc\r\n"),
              std::string::npos)
        << "written at the win";
    EXPECT_EQ(BadgePixel(), BackgroundColour) << "not solved when it was loaded";

    Press("startbtn");
    EXPECT_TRUE(room->Rows[2] + room->Rows[3] == "      " && BadgePixel() == BadgeColour)
        << "starting over blanks the rows";

    Press("newbtn");
    Press("hintbtn");
    Type("cogcot");
    ASSERT_TRUE(room->Solved);
    TPX8ImageData* sprite = room->WinSprite->GetSurface();
    ASSERT_TRUE(area.surface->IsLayer(*sprite));
    Press("board", 5, 5);
    EXPECT_EQ(std::tuple(room->CurrentPuzzle, room->Solved, room->WinSprite.get(),
                         area.surface->IsLayer(*sprite), FindScript(ScriptKind::Animate)),
              std::tuple(3, false, nullptr, false, nullptr));
    EXPECT_EQ(Board(), (Lines{"  cat", "C [.]..", "C ...", "C HOG"}));

    Type("jq");
    Key(RoomKey::F11);
    Press("checkbtn");
    Press("newbtn");
    Type("bigdig");
    world.reset();

    // The marks read back from the journal; resuming goes on from the last puzzle played to the
    // first unsolved one.
    resume = true;
    Start(TestWords, TestPuzzles);
    EXPECT_EQ(room->CurrentPuzzle, 5);
    EXPECT_EQ(SelectorMarks(), "SHsS-");
    world.reset();

    // A puzzle is known by its words and actions: the marks follow them through a new order
    // and a changed hint; a puzzle with changed actions is a new one, and sorts first.
    resume = false;
    Start(TestWords, "hot\nbat\nccc\n\ndog\ncat\nccc\n\ncat\nhog\nccc\n\n"
                     "cat\ndog\nccc\n3=cog\nbag\ndig\ncc\n\n");
    EXPECT_EQ(SelectorMarks(), "--HsS");
    Press("newbtn");
    Press("newbtn");
    EXPECT_EQ(BadgePixel(), BadgeColour + 1) << "solved with help";
    EXPECT_TRUE(ui.boxes.empty());
}

// "new" steps over flagged puzzles, backwards with Shift and at random with Ctrl; a flagged puzzle
// chosen for play is not loaded.
TEST_F(GameRoomFixture, NextPuzzleAndFlags) {
    Start(TestWords, TestPuzzles);
    room->SetPuzzleHasErrors(4, true);
    room->LoadPuzzle(3);
    Press("newbtn");
    EXPECT_EQ(room->CurrentPuzzle, 5);
    room->LoadPuzzle(3);
    ui.shiftState = ShiftState::Shift;
    Press("newbtn");
    EXPECT_EQ(room->CurrentPuzzle, 2);
    // Play on a flagged puzzle asks to edit it; "No" leaves the board and its puzzle as they were.
    Choose(SelectorResult::Play, 4);
    ui.Answer(MessageBoxResult::No);
    Press("selbtn");
    EXPECT_TRUE(ui.boxes.size() == 1 && room->CurrentPuzzle == 2 && !room->EditMode);

    ui.shiftState = ShiftState::Ctrl;
    room->Random.seed(12);
    std::set<int> picked;
    std::generate_n(std::inserter(picked, picked.end()), 60,
                    [this] { return room->PickNextPuzzle(); });
    EXPECT_EQ(picked, (std::set<int>{1, 3, 5}));
}

// The dialogs' outcomes are applied: the vocabulary edited and saved, the selector's deletions
// and the puzzle chosen; closing the game saves the change when the player agrees.
TEST_F(GameRoomFixture, SelectorAndSavingAtClose) {
    Start(TestWords, TestPuzzles);
    dialogs.wordsAdded = {"zzz"};
    Key(RoomKey::F12);
    EXPECT_NE(folder.Read("vocab.txt").find("zzz"), std::string::npos);
    dialogs.selector = [](std::vector<TSelectorEntry>& entries, int32_t& position) {
        entries[0].Value = -entries[0].Value;
        position = 3;
        return SelectorResult::Close;
    };
    Press("selbtn");
    EXPECT_EQ(Board()[0], "  dog") << "the deleted puzzle on the board gives way";

    Choose(SelectorResult::Play, 3);
    Press("selbtn");
    EXPECT_EQ(Board()[0], "  baG");
    ui.Answer(MessageBoxResult::Yes);
    world.reset();
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(folder.Read("puzzle.txt").find("cat\r\ndog"), std::string::npos);
    EXPECT_NE(folder.Read("puzzle.txt").find("dog\r\ncat\r\nccc"), std::string::npos);
}

// Data files edited while the game runs: "start" reads the puzzles again and shows the one now at
// the board's number, "check" reads the vocabulary again (typing does not). An empty collection
// shows no puzzle and takes no board keys. Words too long for the board, of a flagged puzzle
// shown because it is the only one and then opened in the editor: the board is cut at its edge
// and the cursor stops there; Esc leaves the editor, no edit button left drawn.
TEST_F(GameRoomFixture, EditedEmptyAndOversizedDataFiles) {
    Start(TestWords, TestPuzzles);
    Rewrite("puzzle.txt", "hot\nbat\nccc\n\n");
    Type("d");
    Press("startbtn");
    EXPECT_EQ(Board(), (Lines{"  hoT", "C [.]..", "C ...", "C BAT"}));
    Rewrite("vocab.txt", std::string(TestWords) + "bit\nhit\n");
    Type("hitbit");
    EXPECT_FALSE(room->Solved) << "typing checks against the vocabulary loaded before";
    Press("checkbtn");
    EXPECT_TRUE(room->Solved);

    world.reset();
    Start(TestWords, "");
    EXPECT_TRUE(room->CurrentPuzzle == 0 && !room->FindHitBox("board")->Enabled);
    EXPECT_EQ(EnabledButtons(), "SELBTN");
    Type("abc");
    Key(VirtualKey::Down);
    EXPECT_EQ(room->CursorRow, 0) << "no puzzle, no board keys";
    world.reset();
    EXPECT_EQ(folder.Read("puzzle.txt"), "") << "and writes nothing";

    Start("abcdefgh\nabcdefghi\n", "abcdefgh\nabcdefghi\nac\n\n");
    for (const uint16_t key : {VirtualKey::Right, RoomKey::F5, VirtualKey::Down}) {
        Key(key);
        for (int i = 0; i < 9; ++i) {
            Key(VirtualKey::Right);
        }
        // Only the buttons' colours right of the board.
        const std::vector<int> seen =
            Pixels(*area.surface, {BoardGeometry::ButtonColumn, 0, 450, 326});
        EXPECT_EQ(room->CursorColumn, 7) << key;
        EXPECT_TRUE(std::ranges::all_of(seen, [](int p) {
            return p == 0 || p == BackgroundColour || p >= ButtonEnabledColour;
        })) << key;
    }
    EXPECT_TRUE(room->EditMode);
    Key(VirtualKey::Escape);
    EXPECT_TRUE(!room->EditMode && Pixel(354, 48) == BackgroundColour) << "no edit button left";
}

// The hidden solver: unlocked by "JQ" in row 2 and F11, drawing what it tries; while it
// searches every command but Esc waits, and lookups work again once it returns.
TEST_F(GameRoomFixture, HiddenSolver) {
    Start(TestWords, TestPuzzles);
    Key(RoomKey::F11);
    EXPECT_EQ(Board(), (Lines{"  cat", "C [.]..", "C ...", "C DOG"})) << "still locked";

    int pumps = 0;
    ui.onPump = [&] {
        ++pumps;
        Key('A');
        Press("newbtn");
        area.Press(100, 20);
    };
    Type("jq");
    Key(RoomKey::F11);
    EXPECT_EQ(Board(), (Lines{"  cat", "C cO[t]", "C cOG", "C DOG"})) << "the hint, then a word";
    // The other commands waited, and the solver does not check.
    EXPECT_EQ(std::tuple(pumps >= 2, room->CurrentPuzzle, dialogs.aboutShown, room->IsSolving(),
                         room->Solved),
              std::tuple(true, 1, 0, false, false));
    ui.onPump = nullptr;
    area.Press(100, 20);
    EXPECT_EQ(dialogs.aboutShown, 1) << "once the search is over";

    // F11 alone starts a search from now on; Esc stops it.
    room->LoadPuzzle(3);
    ui.onPump = [&] { Key(VirtualKey::Escape); };
    Key(RoomKey::F11);
    EXPECT_TRUE(room->SolverAbort && Board()[1] == "C [.]..");

    // Closing the window stops a search the same way.
    ui.onPump = [&] { world->RequestQuit(); };
    Key(RoomKey::F11);
    EXPECT_TRUE(!room->SolverAbort && Board()[1] == "C [.]..");
}

// The puzzle editor driven as a designer drives it.
using GameRoomEdit = GameRoomFixture;

// F6 makes a puzzle; starting over blanks its rows once; the delete-row button, the
// action keys and buttons and the hint buttons reach its rows, as drawn; a check adds the unknown
// words and accepting leaves edit mode. The editing rules are the core's.
TEST_F(GameRoomEdit, CreateShapeAndAccept) {
    Start(TestWords, TestPuzzles);
    ui.AnswerInput("Hat  Big");
    Key(RoomKey::F6);
    ASSERT_TRUE(room->EditMode && ui.inputs.size() == 1u && Pixel(3, 4) == 40) << "the label";
    EXPECT_EQ(EnabledButtons(), "CHECKBTN EDVOCBTN SUGSTBTN ACTMBTN ACTSBTN ACTXBTN ACTRBTN "
                                "ACTABTN DELRWBTN ACCPTBTN CANCLBTN");
    Key(RoomKey::F6);
    EXPECT_EQ(ui.inputs.size(), 1u) << "F6 does nothing while editing";

    Type("hitbit");
    Press("startbtn");
    EXPECT_EQ(room->Rows[2], "   ") << "starting over blanks the rows";
    Type("hitbit");
    for (int press = 0; press < 6; ++press) {
        Press("delrwbtn");
    }
    EXPECT_EQ(Board(), (Lines{"  hat", "C [h]It", "C BIt", "C BIG"})) << "later reloads keep them";

    // The action keys by the character they type; a button by its code.
    Key(RoomKey::Plus);
    EXPECT_EQ(Board(), (Lines{"  hat", "A [h]It.", "R BIt", "C BIG"}));
    Key(RoomKey::Minus);
    EXPECT_EQ(Board()[1], "C [h]It");
    Key(RoomKey::Equals);
    EXPECT_EQ(Board()[1], "S [h]It");
    Press("actcbtn");
    Press("addrwbtn");
    EXPECT_EQ(Board(), (Lines{"  hat", "C [h]It", "C BIt", "C ...", "C BIG"}));
    Press("delrwbtn");

    // The hint mark drawn on row 3: 31 without a hint, 32 with one.
    const int32_t markX = room->BoardLeft + 103, markY = room->BoardTop + 2 * 26 + 7;
    Key(VirtualKey::Down);
    EXPECT_EQ(Pixel(markX, markY), 31);
    Press("sethnbtn");
    EXPECT_EQ(Pixel(markX, markY), 32);
    ui.Answer(MessageBoxResult::Yes);
    Press("clrhnbtn");
    EXPECT_EQ(Pixel(markX, markY), 31);
    EXPECT_EQ(ui.boxes.back().text, "Really delete hint on line 3 (\"BIT\")?");

    ui.Answer(MessageBoxResult::Yes);
    Press("checkbtn");
    EXPECT_NE(folder.Read("vocab.txt").find("hit"), std::string::npos);
    Press("accptbtn");
    EXPECT_TRUE(!room->EditMode && room->PuzzlesModified);

    // The selector's Edit and Create open the editor.
    Choose(SelectorResult::Edit, 2);
    Press("selbtn");
    EXPECT_TRUE(room->EditMode && room->CurrentPuzzle == 2);
    Press("canclbtn");
    ui.AnswerInput("hog hat");
    Choose(SelectorResult::Create);
    Press("selbtn");
    EXPECT_TRUE(room->EditMode && room->NewPuzzle);
}

} // namespace
