// The puzzle editor driven as a designer drives it: keys and button presses through the world,
// the board read back from the display surface, the collection read back from the file.

#include "screens/GameRoomFixture.h"

namespace {

using GameRoomEdit = GameRoomFixture;

// F6 makes a puzzle; starting over blanks its rows once; F11 suggests; the delete-row button, the
// action keys and buttons and the hint buttons reach its rows, as drawn; a check adds the unknown
// words and accepting leaves edit mode. The editing rules are the core's.
TEST_F(GameRoomEdit, CreateShapeAndAccept) {
    Start(TestWords, TestPuzzles);
    ui.AnswerInput("Hat  Big");
    Key(RoomKey::F6);
    ASSERT_TRUE(room->EditMode && ui.inputs.size() == 1u);
    EXPECT_EQ(ui.inputs[0].caption + ": " + ui.inputs[0].prompt,
              "New Puzzle: Enter start and end words, separated by space:");
    EXPECT_EQ(Pixel(3, 4), 40) << "the edit-mode label";
    EXPECT_EQ(EnabledButtons(), "CHECKBTN EDVOCBTN SUGSTBTN ACTMBTN ACTSBTN ACTXBTN ACTRBTN "
                                "ACTABTN DELRWBTN ACCPTBTN CANCLBTN");
    Key(RoomKey::F5);
    Key(RoomKey::F6);
    EXPECT_EQ(ui.inputs.size(), 1u) << "F5 and F6 do nothing while editing";

    Type("hitbit");
    Press("startbtn");
    EXPECT_EQ(room->Rows[2], "   ") << "starting over blanks the rows";
    Type("hitbit");
    for (int press = 0; press < 6; ++press) {
        Press("delrwbtn");
    }
    EXPECT_EQ(Board(), (Lines{"  hat", "C [h]It", "C BIt", "C BIG"})) << "later reloads keep them";
    Key(RoomKey::F11);
    EXPECT_EQ(ui.boxes.size(), 1u) << "the suggestion wizard";

    // The action keys by the character they type, whatever Shift says; a button by its code.
    const std::pair<std::pair<uint16_t, uint8_t>, Lines> keys[] = {
        {{RoomKey::Plus, ShiftState::Shift}, {"  hat", "A [h]It.", "R BIt", "C BIG"}},
        {{RoomKey::Minus, 0}, {"  hat", "C [h]It", "C BIt", "C BIG"}},
        {{RoomKey::Equals, ShiftState::Shift}, {"  hat", "S [h]It", "C BIt", "C BIG"}},
    };
    for (const auto& [key, board] : keys) {
        Key(key.first, key.second);
        EXPECT_EQ(Board(), board) << key.first << " " << int{key.second};
    }
    Press("actcbtn");
    Press("addrwbtn");
    EXPECT_EQ(Board(), (Lines{"  hat", "C [h]It", "C BIt", "C ...", "C BIG"}));
    Press("delrwbtn");

    // The colour of the hint mark drawn on row 3: 31 without a hint, 32 with one.
    const auto HintMarkOf = [this](int r) {
        return Pixel(room->BoardLeft + 103, room->BoardTop + (r - 1) * 26 + 7);
    };
    Key(VirtualKey::Down);
    EXPECT_EQ(HintMarkOf(3), 31);
    Press("sethnbtn");
    EXPECT_EQ(HintMarkOf(3), 32);
    ui.Answer(MessageBoxResult::Yes);
    Press("clrhnbtn");
    EXPECT_EQ(HintMarkOf(3), 31);
    EXPECT_EQ(ui.boxes.back().text, "Really delete hint on line 3 (\"BIT\")?");

    ui.Answer(MessageBoxResult::Yes);
    Press("checkbtn");
    EXPECT_NE(folder.Read("vocab.txt").find("hit"), std::string::npos);
    Press("accptbtn");
    EXPECT_TRUE(!room->EditMode && room->PuzzlesModified);
    EXPECT_EQ(Board(), (Lines{"  hat", "C [.]..", "C ...", "C BIG"}));
    EXPECT_NE(Pixel(3, 4), 40);

    // The selector's Edit and Create open the editor; Esc and Cancel ask once the puzzle changed,
    // and cancelling leaves no edit button drawn.
    Choose(SelectorResult::Edit, 2);
    Press("selbtn");
    EXPECT_TRUE(room->EditMode && room->CurrentPuzzle == 2);
    Press("addrwbtn");
    ui.Answer(MessageBoxResult::No);
    Key(VirtualKey::Escape);
    EXPECT_TRUE(room->EditMode) << "asked first";
    ui.Answer(MessageBoxResult::Yes);
    Press("canclbtn");
    EXPECT_TRUE(!room->EditMode && room->RowCount == 4);
    EXPECT_EQ(Pixel(354, 48), BackgroundColour) << "no edit button left on the screen";
    ui.AnswerInput("hog hat");
    Choose(SelectorResult::Create);
    Press("selbtn");
    EXPECT_TRUE(room->EditMode && room->NewPuzzle);
    EXPECT_EQ(room->PuzzleField(room->CurrentPuzzle, 0), "HOG");
}
} // namespace
