#include "core/PuzzleCore.h"

#include "fakes/FakeUserInterface.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct ValidationCase {
    const char* name;
    const char* start;
    const char* end;
    const char* codes;
    const char* message; // empty: the puzzle passes
};

const ValidationCase Cases[] = {
    {"valid", "cat", "dog", "ccc", ""},
    {"nine codes", "cat", "dog", "ccccccccc", ""},
    {"upper-case words, lower-case codes", "CAT", "Cart", "a", ""},
    {"add then remove keeps the length", "abcdef", "abcdef", "ar", ""},
    {"start unknown", "cow", "dog", "ccc",
     "\r\nThe starting word (COW) of puzzle 1 (COW => DOG)  is not in the game vocabulary."},
    {"end unknown", "cat", "cow", "ccc",
     "\r\nThe final word (COW) of puzzle 1 (CAT => COW)  is not in the game vocabulary."},
    {"start with a trailing blank", "cat ", "dog", "c",
     "\r\nThe starting word (CAT ) of puzzle 1 (CAT  => DOG)  is not in the game vocabulary."},
    {"ten codes", "cat", "dog", "cccccccccc",
     "\r\nPuzzle 1 (CAT => DOG)  has 11 steps. The maximum allowed is 10."},
    {"start too long", "abcdefgh", "dog", "c",
     "\r\nThe starting word of puzzle 1 (ABCDEFGH => DOG)  has 8 letters. It must be in the "
     "range 1 - 7."},
    {"empty start is unknown", "", "dog", "c",
     "\r\nThe starting word () of puzzle 1 ( => DOG)  is not in the game vocabulary."},
    {"row too long", "abcdef", "abcdef", "aa",
     "\r\nStep 3 of puzzle 1 (ABCDEF => ABCDEF)  requires a word of 8 letters. It must be in the "
     "range 1 - 7."},
    {"row empty", "a", "a", "r",
     "\r\nStep 2 of puzzle 1 (A => A)  requires a word of 0 letters. It must be in the range 1 - "
     "7."},
    {"unknown code", "cat", "dog", "cqc",
     "\r\nStep 3 of puzzle 1 (CAT => DOG)  has the unknown action code Q. The valid codes are A, "
     "C, M, R, S and X."},
    {"trailing blank on the action line", "cat", "dog", "ccc ",
     "\r\nStep 5 of puzzle 1 (CAT => DOG)  has the unknown action code  . The valid codes are A, "
     "C, M, R, S and X."},
    {"end of the wrong length", "cat", "cart", "c",
     "\r\nPuzzle 1 (CAT => CART)  requires a final word of 3 letters, but CART has 4 letters."},
};

TEST(PuzzleValidation, MessagesOfOnePuzzle) {
    for (const ValidationCase& c : Cases) {
        TPuzzleCore core;
        core.Vocabulary = {"a", "abcdef", "abcdefgh", "cart", "cat", "dog"};
        core.PuzzleLines = {{c.start, 0}, {c.end, 0}, {c.codes, 0}, {"", 0}};
        core.PuzzleCount = 1;
        std::string errors = "before";
        EXPECT_EQ(core.ValidatePuzzle(1, errors), std::string(c.message).empty()) << c.name;
        EXPECT_EQ(errors, std::string("before") + c.message) << c.name;
    }
}

TEST(PuzzleValidation, ThePuzzleOnTheBoard) {
    TPuzzleCore core;
    core.Vocabulary = {"cat", "dog"};
    core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {"ccc", 0}, {"", 0}};
    core.PuzzleCount = 1;
    std::string errors;
    EXPECT_FALSE(core.ValidatePuzzle(0, errors)) << "no current puzzle";
    EXPECT_EQ(errors, "");

    core.CurrentPuzzle = 1;
    core.EditMode = true;
    core.Actions = " CCCA";
    EXPECT_FALSE(core.ValidatePuzzle(0, errors));
    EXPECT_EQ(errors, "\r\nThe puzzle requires a final word of 4 letters, but DOG has 3 letters.");
    errors.clear();
    core.Actions = " CCCCCCCCCC";
    EXPECT_FALSE(core.ValidatePuzzle(0, errors));
    EXPECT_EQ(errors, "\r\nThe puzzle has 11 steps. The maximum allowed is 10.");
    errors.clear();
    core.Vocabulary.clear();
    EXPECT_FALSE(core.ValidatePuzzle(0, errors));
    EXPECT_EQ(errors, "\r\nThe starting word (CAT) of the puzzle is not in the game vocabulary.");

    // Outside edit mode the puzzle's own codes count.
    core.Vocabulary = {"cat", "dog"};
    core.EditMode = false;
    errors.clear();
    EXPECT_TRUE(core.ValidatePuzzle(0, errors));
    EXPECT_EQ(errors, "");
}

TEST(PuzzleValidation, LoadReport) {
    TempFolder folder;
    folder.Write("vocab.txt", "cat\r\ndog\r\ncart\r\n");
    folder.Write("puzzle.txt",
                 "cat\r\ndog\r\nccc\r\n\r\n"   // key 51, passes
                 "cat\r\ncart\r\na\r\n\r\n"    // key 22, passes
                 "cow\r\ndog\r\nc\r\n\r\n"     // key 21, unknown start
                 "cat\r\ndog\r\nccq\r\n\r\n"); // key 51, unknown code
    FakeUserInterface ui;
    TPuzzleCore core(folder.Path());
    core.LoadGameData();
    ASSERT_EQ(core.PuzzleCount, 4);
    const bool flags[] = {true, false, false, true};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(core.PuzzleHasErrors(n), flags[n - 1]) << n;
    }
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Ladderly");
    EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::Ok);
    EXPECT_EQ(ui.boxes[0].text,
              "Errors were found while loading. Not all puzzles are available for play.\r\n"
              "\r\nThe starting word (COW) of puzzle 1 (COW => DOG)  is not in the game "
              "vocabulary."
              "\r\nStep 4 of puzzle 4 (CAT => DOG)  has the unknown action code Q. The valid "
              "codes are A, C, M, R, S and X.");
    EXPECT_EQ(ui.pendingMessagePasses, 1);
}

TEST(PuzzleValidation, EmptyVocabularyFlagsEveryPuzzle) {
    TempFolder folder;
    folder.Write("puzzle.txt", "cat\r\ndog\r\nccc\r\n\r\nab\r\nb\r\nr\r\n\r\n");
    FakeUserInterface ui;
    TPuzzleCore core(folder.Path());
    core.LoadGameData();
    EXPECT_TRUE(core.PuzzleHasErrors(1));
    EXPECT_TRUE(core.PuzzleHasErrors(2));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Errors were found while loading. Not all puzzles are available for play.\r\n"
              "\r\nThe starting word (AB) of puzzle 1 (AB => B)  is not in the game vocabulary."
              "\r\nThe starting word (CAT) of puzzle 2 (CAT => DOG)  is not in the game "
              "vocabulary.");
}
} // namespace
