#include "core/PuzzleCore.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
// Start word, end word, action line and the one message (none when the puzzle passes). The
// message names the puzzle with a trailing blank, so two blanks come before "is" and "has".
TEST(PuzzleValidation, MessagesOfOnePuzzle) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"cat", "dog", "ccc", ""},
        {"cat", "dog", "ccccccccc", ""},
        {"CAT", "Cart", "a", ""},
        {"abcdef", "abcdef", "ar", ""},
        {"cow", "dog", "ccc",
         "\r\nThe starting word (COW) of puzzle 1 (COW => DOG)  is not in the game vocabulary."},
        {"cat", "cow", "ccc",
         "\r\nThe final word (COW) of puzzle 1 (CAT => COW)  is not in the game vocabulary."},
        {"cat ", "dog", "c",
         "\r\nThe starting word (CAT ) of puzzle 1 (CAT  => DOG)  is not in the game vocabulary."},
        {"", "dog", "c",
         "\r\nThe starting word () of puzzle 1 ( => DOG)  is not in the game vocabulary."},
        {"cat", "dog", "cccccccccc",
         "\r\nPuzzle 1 (CAT => DOG)  has 11 steps. The maximum allowed is 10."},
        {"cat", "cat", "", "\r\nPuzzle 1 (CAT => CAT)  has 1 step. The minimum allowed is 2."},
        {"abcdefgh", "dog", "c",
         "\r\nThe starting word of puzzle 1 (ABCDEFGH => DOG)  has 8 letters. It must be in the "
         "range 1 - 7."},
        {"abcdef", "abcdef", "aa",
         "\r\nStep 3 of puzzle 1 (ABCDEF => ABCDEF)  requires a word of 8 letters. It must be in "
         "the range 1 - 7."},
        {"a", "a", "r",
         "\r\nStep 2 of puzzle 1 (A => A)  requires a word of 0 letters. It must be in the range 1 "
         "- 7."},
        {"cat", "dog", "cqc",
         "\r\nStep 3 of puzzle 1 (CAT => DOG)  has the unknown action code Q. The valid codes are "
         "A, C, M, R, S and X."},
        {"cat", "dog", "ccc ",
         "\r\nStep 5 of puzzle 1 (CAT => DOG)  has the unknown action code  . The valid codes are "
         "A, C, M, R, S and X."},
        {"cat", "cart", "c",
         "\r\nPuzzle 1 (CAT => CART)  requires a final word of 3 letters, but CART has 4 letters."},
    };
    for (const auto& [start, end, codes, message] : cases) {
        TPuzzleCore core;
        core.Vocabulary = {"a", "abcdef", "abcdefgh", "cart", "cat", "dog"};
        core.PuzzleLines = {{start, 0}, {end, 0}, {codes, 0}, {"", 0}};
        core.PuzzleCount = 1;
        std::string errors = "before";
        EXPECT_EQ(core.ValidatePuzzle(1, errors), *message == '\0') << start << " " << codes;
        EXPECT_EQ(errors, std::string("before") + message);
    }
}

// Hint line of a puzzle CAT => DOG with codes CCC (or the given ones) and the messages: one for
// each broken hint, judged against the start and end words and the other hints.
TEST(PuzzleValidation, HintsFitTheLadder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"2=cot,3=cog", "ccc", ""},
        {"3=cog", "cxc", ""},
        {"1=cat", "ccc",
         "\r\nThe hint \"1=CAT\" of puzzle 1 (CAT => DOG)  is not a word for one of the rows "
         "between the starting and final words."},
        {"2=cot,4=dog,3=c0g", "ccc",
         "\r\nThe hint \"4=DOG\" of puzzle 1 (CAT => DOG)  is not a word for one of the rows "
         "between the starting and final words.\r\nThe hint \"3=C0G\" of puzzle 1 (CAT => DOG)  "
         "is not a word for one of the rows between the starting and final words."},
        {"2=zzz,3=cart", "ccc",
         "\r\nThe hint ZZZ for row 2 of puzzle 1 (CAT => DOG)  is not in the game vocabulary."
         "\r\nThe hint CART for row 3 of puzzle 1 (CAT => DOG)  has 4 letters, but the row needs "
         "3."},
        {"2=dog", "ccc",
         "\r\nThe hint DOG for row 2 of puzzle 1 (CAT => DOG)  is not reached from CAT by a valid "
         "\"Change 1 Letter\" step."},
        {"2=cot,3=cat", "ccc",
         "\r\nThe hint CAT for row 3 of puzzle 1 (CAT => DOG)  does not lead to DOG by a valid "
         "\"Change 1 Letter\" step."},
    };
    for (const auto& [hints, codes, message] : cases) {
        TPuzzleCore core;
        core.Vocabulary = {"cart", "cat", "cog", "cot", "dog"};
        core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {codes, 0}, {hints, 0}};
        core.PuzzleCount = 1;
        std::string errors;
        EXPECT_EQ(core.ValidatePuzzle(1, errors), *message == '\0') << hints;
        EXPECT_EQ(errors, message);
    }
}

// Puzzle 0 is the current puzzle, with the board's codes while it is being edited.
TEST(PuzzleValidation, ThePuzzleOnTheBoard) {
    TPuzzleCore core;
    core.Vocabulary = {"cat", "cot", "dog"};
    core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {"ccc", 0}, {"2=cot", 0}};
    core.PuzzleCount = 1;
    std::string errors;
    EXPECT_FALSE(core.ValidatePuzzle(0, errors)) << "no current puzzle";
    EXPECT_EQ(errors, "");

    core.CurrentPuzzle = 1;
    const std::tuple<bool, const char*, const char*, const char*> cases[] = {
        {true, "cat", " CCCA",
         "\r\nThe puzzle requires a final word of 4 letters, but DOG has 3 letters."},
        {true, "cat", " CCCCCCCCCC", "\r\nThe puzzle has 11 steps. The maximum allowed is 10."},
        {true, "cow", " CCC",
         "\r\nThe starting word (COW) of the puzzle is not in the game vocabulary."},
        {true, "cat", " XCC",
         "\r\nThe hint COT for row 2 of the puzzle is not reached from CAT by a valid \"Swap 2 "
         "Letters\" step."},
        {false, "cat", " CCCA", ""},
    };
    for (const auto& [editMode, start, actions, message] : cases) {
        core.PuzzleLines[0].Text = start;
        core.EditMode = editMode;
        core.Actions = actions;
        errors.clear();
        EXPECT_EQ(core.ValidatePuzzle(0, errors), *message == '\0') << actions;
        EXPECT_EQ(errors, message);
    }
}
} // namespace
