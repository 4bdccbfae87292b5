#include "core/PuzzleCore.h"

#include "fakes/FakeUserInterface.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

namespace {
using namespace std::string_literals;
namespace fs = std::filesystem;

const char* const Words = "a\r\nab\r\ncat\r\ncart\r\ndog\r\n";

// A data folder holding the two files, and a core that has loaded them.
struct LoadedCore {
    LoadedCore(std::string_view vocabulary, std::string_view puzzles) {
        folder.Write("vocab.txt", vocabulary);
        folder.Write("puzzle.txt", puzzles);
        core.LoadGameData();
    }
    TempFolder folder;
    FakeUserInterface ui;
    TPuzzleCore core{folder.Path()};
};

// The puzzle lines joined by "/".
std::string Joined(const TPuzzleCore& core) {
    std::string text;
    for (size_t i = 0; i < core.PuzzleLines.size(); ++i) {
        text += (i == 0 ? "" : "/") + core.PuzzleLines[i].Text;
    }
    return text;
}

// Four lines make a puzzle, 1 to 3 trailing lines are ignored, and puzzles are ordered by
// 15 x the action count + both word lengths, equal keys in file order.
TEST(PuzzleFile, LoadGroupsAndOrders) {
    const std::pair<std::string, const char*> cases[] = {
        {"", ""},
        {"ab\r\ncd\r\ncc\r\n\r\nab\r\nabc\r\na\r\n2=x\r\nz\r\n", "ab/abc/a/2=x/ab/cd/cc/"},
        {"ab\ncd\ncc\n\na\nb\nc\n", "ab/cd/cc/"},
        {"ab\rcd\rccc\r\ra\rab\ra\r2=x", "a/ab/a/2=x/ab/cd/ccc/"},
        {"ab\r\ncd\r\ncc\r\n\r\nab\r\ncd\r\n", "ab/cd/cc/"},
        {"ab\r\ncd\r\ncc\r\n\r\nab\0cd\r\ncc\r\n\r\n"s, "ab/cd/cc/"},
        {"a\r\na\r\nccc\r\n\r\nabcdefg\r\ngfedcba\r\ncc\r\n\r\n", "abcdefg/gfedcba/cc//a/a/ccc/"},
        {"b\r\na\r\nc\r\n\r\na\r\nb\r\nc\r\n\r\n", "b/a/c//a/b/c/"},
        {"\r\nab\r\ncd\r\ncc\r\n", "/ab/cd/cc"},
    };
    for (const auto& [text, lines] : cases) {
        LoadedCore loaded(Words, text);
        EXPECT_EQ(Joined(loaded.core), lines) << testing::PrintToString(text);
        EXPECT_EQ(loaded.core.PuzzleLines.size(), static_cast<size_t>(loaded.core.PuzzleCount) * 4);
    }
}

// One box after a load lists a message for each failing puzzle, in the sorted order. The file is
// read again only when its time is later than at the last load, and a missing file is no load.
TEST(PuzzleFile, LoadReportAndReload) {
    LoadedCore loaded("cat\r\ndog\r\ncart\r\n",
                      "cat\r\ndog\r\nccc\r\n\r\n"   // key 51, passes
                      "cat\r\ncart\r\na\r\n\r\n"    // key 22, passes
                      "cow\r\ndog\r\nc\r\n\r\n"     // key 21, unknown start
                      "cat\r\ndog\r\nccq\r\n\r\n"); // key 51, unknown code
    TPuzzleCore& core = loaded.core;
    ASSERT_EQ(core.PuzzleCount, 4);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(core.PuzzleHasErrors(n), n == 1 || n == 4) << n;
    }
    ASSERT_EQ(loaded.ui.boxes.size(), 1u);
    EXPECT_EQ(loaded.ui.boxes[0].caption, "Ladderly");
    EXPECT_EQ(loaded.ui.boxes[0].style, MessageBoxStyle::Ok);
    EXPECT_EQ(loaded.ui.boxes[0].text,
              "Errors were found while loading. Not all puzzles are available for play.\r\n"
              "\r\nThe starting word (COW) of puzzle 1 (COW => DOG)  is not in the game "
              "vocabulary."
              "\r\nStep 4 of puzzle 4 (CAT => DOG)  has the unknown action code Q. The valid "
              "codes are A, C, M, R, S and X.");
    EXPECT_EQ(loaded.ui.pendingMessagePasses, 1);

    core.CurrentPuzzle = 1;
    EXPECT_FALSE(core.LoadPuzzles()) << "same time";
    const fs::path file = loaded.folder.Write("puzzle.txt", "cat\r\ndog\r\nccc\r\n\r\n");
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_EQ(core.PuzzleCount, 1);
    EXPECT_FALSE(core.PuzzleHasErrors(1));
    EXPECT_EQ(loaded.ui.boxes.size(), 1u);
    EXPECT_EQ(core.CurrentPuzzle, 1) << "a load leaves the current puzzle to the caller";
    fs::remove(file);
    TPuzzleCore none(loaded.folder.Path());
    EXPECT_FALSE(none.LoadPuzzles());
    EXPECT_EQ(loaded.ui.boxes.size(), 1u);
}

TEST(PuzzleFile, DeletionMarkerAndSweep) {
    // Deleted puzzles, current puzzle before and after the sweep, the first words left.
    const std::tuple<std::vector<int>, int, int, const char*> cases[] = {
        {{1}, 1, 1, "BC"}, {{1}, 3, 2, "BC"},     {{3}, 2, 2, "AB"},
        {{2}, 2, 1, "AC"}, {{1, 2, 3}, 1, 0, ""}, {{}, 2, 2, "ABC"},
    };
    for (const auto& [deleted, current, expectedCurrent, expectedWords] : cases) {
        TPuzzleCore core;
        for (const char* word : {"a", "b", "c"}) {
            core.PuzzleLines.insert(core.PuzzleLines.end(),
                                    {{word, 0}, {"x", 0}, {"c", 0}, {"", 0}});
        }
        core.PuzzleCount = 3;
        core.CurrentPuzzle = current;
        for (const int n : deleted) {
            core.SetPuzzleDeleted(n, true);
            core.SetPuzzleDeleted(n, true);
        }
        core.RemoveDeletedPuzzles();
        std::string firstWords;
        for (int n = 1; n <= core.PuzzleCount; ++n) {
            firstWords += core.PuzzleField(n, 0);
        }
        EXPECT_EQ(firstWords, expectedWords);
        EXPECT_EQ(core.PuzzleLines.size(), static_cast<size_t>(core.PuzzleCount) * 4);
        EXPECT_EQ(core.CurrentPuzzle, expectedCurrent) << expectedWords;
        EXPECT_EQ(core.PuzzlesModified, !deleted.empty()) << expectedWords;
    }
}

// Fields read in upper case; the deletion marker as read from a file, and taken off again; numbers
// off the list read nothing and change nothing.
TEST(PuzzleFile, FieldsFlagsAndMarkers) {
    TPuzzleCore core;
    core.PuzzleLines = {{"@cat", 0}, {"Dog", 0}, {"cCc", 0}, {"2=cot", 0}};
    core.PuzzleCount = 1;
    EXPECT_EQ(core.PuzzleField(1, 1) + core.PuzzleField(1, 2) + core.PuzzleField(1, 3),
              "DOGCCC2=COT");
    for (const auto& [n, f] : {std::pair{0, 0}, {2, 0}, {-1, 1}, {1, 4}}) {
        EXPECT_EQ(core.PuzzleField(n, f), "") << n << "," << f;
    }
    EXPECT_EQ(TPuzzleCore::PuzzleSortKey({"ab", "cd", "c", "", "x"}, 2), 0) << "incomplete group";
    EXPECT_TRUE(core.IsPuzzleDeleted(1));
    EXPECT_FALSE(core.IsPuzzleDeleted(0));
    core.SetPuzzleDeleted(1, false);
    core.SetPuzzleDeleted(0, true);
    core.SetPuzzleDeleted(2, true);
    EXPECT_EQ(core.PuzzleLines[0].Text, "cat");
    core.SetPuzzleHasErrors(1, true);
    core.SetPuzzleHasErrors(2, true);
    EXPECT_TRUE(core.PuzzleHasErrors(1));
    EXPECT_FALSE(core.PuzzleHasErrors(2));
    core.PuzzleLines[0].Text.clear();
    EXPECT_FALSE(core.IsPuzzleDeleted(1)) << "empty first line";
}

// Hint line, row, word and the line after: entries go in row order, are replaced in place, and
// clearing one takes its comma with it.
TEST(PuzzleFile, SetHintAndGetHint) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"2=a,6=c", 4, "x", "2=a,4=x,6=c"},
        {"2=a,4=x,6=c", 4, "", "2=a,6=c"},
        {"4=x", 4, "", ""},
        {"2=a,4=x,6=c", 4, "Q", "2=a,4=q,6=c"},
        {"2=a,6=c", 2, "z", "2=z,6=c"},
        {"", 3, "cat", "3=cat"},
        {"2=a,3=c", 7, "cat", "2=a,3=c,7=cat"},
        {"2=a,6=c", 2, "", "6=c"},
        {"2=a,6=c", 6, "", "2=a"},
    };
    for (const auto& [line, row, word, result] : cases) {
        TPuzzleCore core;
        core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {"cccc", 0}, {line, 0}};
        core.PuzzleCount = core.CurrentPuzzle = 1;
        core.SetHint(row, word);
        EXPECT_EQ(core.PuzzleLines[3].Text, result) << line << " " << row << "=" << word;
    }

    TPuzzleCore core;
    core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {"cccc", 0}, {"2=ab,4=xy,6=cd", 0}};
    core.PuzzleCount = 1;
    core.SetHint(2, "zz");
    EXPECT_EQ(core.GetHint(2) + core.PuzzleLines[3].Text, "2=ab,4=xy,6=cd") << "no current puzzle";
    core.CurrentPuzzle = 1;
    EXPECT_EQ(core.GetHint(2) + core.GetHint(4) + core.GetHint(6), "ABXYCD");
    EXPECT_EQ(core.GetHint(3) + core.GetHint(9), "");
}

// Row 2 of the board, hint line, the row found and the hint then: rows that hold their hint or
// are of another length, and rows off the board, are skipped; a malformed entry ends the search.
TEST(PuzzleFile, NextHint) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"CA  ", "2=CART,3=CARE", 2, "CART"},  {"CART", "2=CART,3=CARE", 3, "CARE"},
        {"CA  ", "2=CARTS,3=CARE", 3, "CARE"}, {"CA  ", "", 0, ""},
        {"CART", "2=CART", 0, "2=CART"},       {"CART", "7=CART,3=CARE", 3, "CARE"},
        {"CA  ", "X,3=CARE", 0, "X,3=CARE"},   {"CA  ", "b=C,3=CARE", 0, "b=C,3=CARE"},
    };
    for (const auto& [row2, line, row, word] : cases) {
        TPuzzleCore core;
        core.RowCount = 4;
        core.Rows = {"", "CAT", row2, "    ", "DARE"};
        std::string hint = line;
        EXPECT_EQ(core.NextHint(hint), row) << line;
        EXPECT_EQ(hint, word) << line;
    }
}

// Whether a save asks and what it writes the random designer sessions show; here the question
// itself, the backup, and that the collection and the vocabulary go so the next load reads the
// files.
TEST(PuzzleFile, SaveAsksThenWritesWithBackup) {
    const std::string original = "cat\r\ndog\r\nccc\r\n\r\nab\na\nr\n\nextra";
    LoadedCore loaded(Words, original);
    loaded.folder.Write("puzzle.bak", "old");
    loaded.core.PuzzlesModified = true;
    loaded.core.PuzzleLines[2].Text = "cxc";
    loaded.core.SavePuzzles();
    ASSERT_EQ(loaded.ui.boxes.size(), 1u);
    EXPECT_EQ(loaded.ui.boxes[0].caption, "Ladderly");
    EXPECT_EQ(loaded.ui.boxes[0].text,
              "You have created, modified or deleted one or more puzzles.\r\nDo you want "
              "to save these changes?\r\n(Click \"No\" to discard the changes.)");
    EXPECT_EQ(loaded.ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_EQ(loaded.folder.Read("puzzle.txt"), "ab\r\na\r\ncxc\r\n\r\ncat\r\ndog\r\nccc\r\n\r\n");
    EXPECT_EQ(loaded.folder.Read("puzzle.bak"), original);
    EXPECT_EQ(loaded.core.PuzzleLines.size() + loaded.core.Vocabulary.size(), 0u);
    EXPECT_EQ(loaded.core.PuzzleCount, 0);
    EXPECT_FALSE(loaded.core.PuzzleFileDate || loaded.core.VocabFileDate);
}

TEST(PuzzleFile, FailingSaveKeepsTheFileAndTheCollection) {
    LoadedCore loaded(Words, "cat\r\ndog\r\nccc\r\n\r\n");
    loaded.core.PuzzlesModified = true;
    fs::create_directories(loaded.folder / "puzzle.bak" / "x");
    EXPECT_THROW(loaded.core.SavePuzzles(), fs::filesystem_error);
    EXPECT_EQ(loaded.folder.Read("puzzle.txt"), "cat\r\ndog\r\nccc\r\n\r\n");
    EXPECT_EQ(loaded.core.PuzzleCount, 1);
}
} // namespace
