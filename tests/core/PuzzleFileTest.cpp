#include "core/PuzzleCore.h"

#include "fakes/FakeUserInterface.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
using Lines = std::vector<std::string>;
using namespace std::string_literals;
namespace fs = std::filesystem;

std::string CrLf(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

Lines TextsOf(const TPuzzleCore& core) {
    Lines texts;
    for (const TPuzzleLine& line : core.PuzzleLines) {
        texts.push_back(line.Text);
    }
    return texts;
}

const char* const Words = "a\r\nab\r\ncat\r\ncart\r\ndog\r\nabcdefg\r\ngfedcba\r\n";

TEST(PuzzleFile, LoadGroupsAndOrders) {
    struct Case {
        const char* name;
        std::string text;
        int count;
        Lines lines;
    };
    const Case cases[] = {
        {"nine lines: two puzzles",
         "cat\r\ndog\r\ncc\r\n\r\ncat\r\ncart\r\na\r\n2=cart\r\nextra\r\n",
         2,
         {"cat", "cart", "a", "2=cart", "cat", "dog", "cc", ""}},
        {"three trailing lines ignored, LF ends",
         "cat\ndog\ncc\n\na\nb\nc\n",
         1,
         {"cat", "dog", "cc", ""}},
        {"CR ends, no final line end",
         "cat\rdog\rccc\r\ra\rab\ra\r2=x",
         2,
         {"a", "ab", "a", "2=x", "cat", "dog", "ccc", ""}},
        {"key 44 before key 47",
         "a\r\na\r\nccc\r\n\r\nabcdefg\r\ngfedcba\r\ncc\r\n\r\n",
         2,
         {"abcdefg", "gfedcba", "cc", "", "a", "a", "ccc", ""}},
        {"equal keys keep file order",
         "dog\r\ncat\r\nccc\r\n\r\ncat\r\ndog\r\nccc\r\n\r\n",
         2,
         {"dog", "cat", "ccc", "", "cat", "dog", "ccc", ""}},
        {"blank lines shift the grouping", "\r\ncat\r\ndog\r\ncc\r\n", 1, {"", "cat", "dog", "cc"}},
        {"NUL ends the text",
         "cat\r\ndog\r\ncc\r\n\r\ncat\0dog\r\ncc\r\n\r\n"s,
         1,
         {"cat", "dog", "cc", ""}},
        {"two trailing lines ignored",
         "cat\r\ndog\r\ncc\r\n\r\ncat\r\ndog\r\n",
         1,
         {"cat", "dog", "cc", ""}},
        {"empty file", "", 0, {}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("vocab.txt", Words);
        folder.Write("puzzle.txt", c.text);
        FakeUserInterface ui;
        TPuzzleCore core(folder.Path());
        core.LoadGameData();
        EXPECT_EQ(core.PuzzleCount, c.count) << c.name;
        EXPECT_EQ(TextsOf(core), c.lines) << c.name;
    }
}

TEST(PuzzleFile, HugeFileWithEveryPuzzleFlagged) {
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 20'000; ++i) {
        text += "cow\r\ndog\r\nccc\r\n2=cot\r\n";
    }
    text += std::string(1'000'000, 'z') + "\r\ndog\r\nc\r\n\r\n";
    folder.Write("vocab.txt", Words);
    folder.Write("puzzle.txt", text);
    FakeUserInterface ui;
    TPuzzleCore core(folder.Path());
    core.LoadGameData();
    ASSERT_EQ(core.PuzzleCount, 20'001);
    EXPECT_TRUE(core.PuzzleHasErrors(1));
    EXPECT_TRUE(core.PuzzleHasErrors(20'001));
    ASSERT_EQ(ui.boxes.size(), 1u);
    const std::string& report = ui.boxes[0].text;
    EXPECT_NE(report.find("puzzle 20000 (COW => DOG)  is not"), std::string::npos);
    EXPECT_NE(report.find("The starting word (ZZZ"), std::string::npos);
}

TEST(PuzzleFile, ReloadsOnlyWhenNewerAndClearsFlags) {
    TempFolder folder;
    FakeUserInterface ui;
    TPuzzleCore core(folder.Path());
    EXPECT_FALSE(core.LoadPuzzles()) << "missing file";
    EXPECT_TRUE(ui.boxes.empty());

    folder.Write("puzzle.txt", CrLf({"cat", "dog", "cc", ""}));
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_TRUE(core.PuzzleHasErrors(1)) << "empty vocabulary";
    core.CurrentPuzzle = 1;
    EXPECT_FALSE(core.LoadPuzzles());

    folder.Write("vocab.txt", Words);
    ASSERT_TRUE(core.LoadVocabulary());
    fs::last_write_time(folder / "puzzle.txt",
                        fs::last_write_time(folder / "puzzle.txt") + std::chrono::seconds(5));
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_FALSE(core.PuzzleHasErrors(1));
    EXPECT_EQ(core.CurrentPuzzle, 1) << "a load leaves the current puzzle to the caller";
}

TEST(PuzzleFile, FieldsFlagsAndKeys) {
    TPuzzleCore core;
    core.PuzzleLines = {{"cat", 0}, {"Dog", 0}, {"cCc", 0}, {"2=cot", 0}};
    core.PuzzleCount = 1;
    struct Case {
        int n;
        int f;
        const char* text;
    };
    const Case cases[] = {{1, 0, "CAT"}, {1, 1, "DOG"}, {1, 2, "CCC"}, {1, 3, "2=COT"},
                          {0, 0, ""},    {2, 0, ""},    {-1, 1, ""},   {1, 4, ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(core.PuzzleField(c.n, c.f), c.text) << c.n << "," << c.f;
    }
    const Lines lines = {"abcdefg", "gfedcba", "cc", "", "a", "a", "ccc", "", "x"};
    EXPECT_EQ(TPuzzleCore::PuzzleSortKey(lines, 1), 44);
    EXPECT_EQ(TPuzzleCore::PuzzleSortKey(lines, 2), 47);
    EXPECT_EQ(TPuzzleCore::PuzzleSortKey(lines, 0), 0);
    EXPECT_EQ(TPuzzleCore::PuzzleSortKey(lines, 3), 0) << "incomplete group";

    EXPECT_FALSE(core.PuzzleHasErrors(1));
    core.SetPuzzleHasErrors(1, true);
    EXPECT_TRUE(core.PuzzleHasErrors(1));
    EXPECT_EQ(core.PuzzleLines[0].Value, 1);
    EXPECT_FALSE(core.PuzzleHasErrors(2));
    core.SetPuzzleHasErrors(1, false);
    EXPECT_FALSE(core.PuzzleHasErrors(1));
}

TEST(PuzzleFile, DeletionMarkerAndSweep) {
    struct Case {
        const char* name;
        std::vector<int> deleted;
        int current;
        int expectedCount;
        int expectedCurrent;
        Lines firstLines;
    };
    const Case cases[] = {
        {"current first and deleted", {1}, 1, 2, 1, {"b", "c"}},
        {"current after a deleted one", {1}, 3, 2, 2, {"b", "c"}},
        {"current before a deleted one", {3}, 2, 2, 2, {"a", "b"}},
        {"current deleted in the middle", {2}, 2, 2, 1, {"a", "c"}},
        {"all deleted", {1, 2, 3}, 1, 0, 0, {}},
        {"nothing deleted", {}, 2, 3, 2, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        TPuzzleCore core;
        for (const char* word : {"a", "b", "c"}) {
            core.PuzzleLines.insert(core.PuzzleLines.end(),
                                    {{word, 0}, {"x", 0}, {"c", 0}, {"", 0}});
        }
        core.PuzzleCount = 3;
        core.CurrentPuzzle = c.current;
        for (const int n : c.deleted) {
            core.SetPuzzleDeleted(n, true);
            core.SetPuzzleDeleted(n, true);
            EXPECT_TRUE(core.IsPuzzleDeleted(n)) << c.name;
        }
        core.RemoveDeletedPuzzles();
        EXPECT_TRUE(core.PuzzlesModified) << c.name;
        EXPECT_EQ(core.PuzzleCount, c.expectedCount) << c.name;
        EXPECT_EQ(core.CurrentPuzzle, c.expectedCurrent) << c.name;
        Lines firstLines;
        for (int n = 1; n <= core.PuzzleCount; ++n) {
            firstLines.push_back(core.PuzzleLines[static_cast<size_t>((n - 1) * 4)].Text);
        }
        EXPECT_EQ(firstLines, c.firstLines) << c.name;
        EXPECT_EQ(core.PuzzleLines.size(), static_cast<size_t>(c.expectedCount) * 4) << c.name;
    }

    TPuzzleCore core;
    core.PuzzleLines = {{"", 0}, {"dog", 0}, {"c", 0}, {"", 0}};
    core.PuzzleCount = 1;
    EXPECT_FALSE(core.IsPuzzleDeleted(1)) << "empty first line";
    EXPECT_FALSE(core.IsPuzzleDeleted(0));
    core.PuzzleLines[0].Text = "@cat";
    EXPECT_TRUE(core.IsPuzzleDeleted(1)) << "marker read from a file";
    core.SetPuzzleDeleted(1, false);
    EXPECT_EQ(core.PuzzleLines[0].Text, "cat");
    core.SetPuzzleDeleted(0, true);
    core.SetPuzzleDeleted(2, true);
    EXPECT_EQ(core.PuzzleLines[0].Text, "cat");
}

TEST(PuzzleFile, SetHintAndGetHint) {
    struct Case {
        const char* name;
        const char* line;
        int row;
        const char* word;
        const char* result;
    };
    const Case cases[] = {
        {"insert between", "2=ab,6=cd", 4, "xy", "2=ab,4=xy,6=cd"},
        {"clear the middle one", "2=ab,4=xy,6=cd", 4, "", "2=ab,6=cd"},
        {"clear the only one", "4=xy", 4, "", ""},
        {"replace", "2=ab,4=xy,6=cd", 4, "QQ", "2=ab,4=qq,6=cd"},
        {"replace the first", "2=ab,6=cd", 2, "zz", "2=zz,6=cd"},
        {"replace the last", "2=ab,6=cd", 6, "zz", "2=ab,6=zz"},
        {"into an empty line", "", 3, "cat", "3=cat"},
        {"before every entry", "5=ab", 3, "cat", "3=cat,5=ab"},
        {"after every entry", "2=ab,3=cd", 7, "cat", "2=ab,3=cd,7=cat"},
        {"clear a row without an entry", "2=ab", 5, "", "2=ab"},
        {"clear the first", "2=ab,6=cd", 2, "", "6=cd"},
        {"clear the last", "2=ab,6=cd", 6, "", "2=ab"},
    };
    for (const Case& c : cases) {
        TPuzzleCore core;
        core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {"cccc", 0}, {c.line, 0}};
        core.PuzzleCount = 1;
        core.CurrentPuzzle = 1;
        core.SetHint(c.row, c.word);
        EXPECT_EQ(core.PuzzleLines[3].Text, c.result) << c.name;
    }

    TPuzzleCore core;
    core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {"cccc", 0}, {"2=ab,4=xy,6=cd", 0}};
    core.PuzzleCount = 1;
    EXPECT_EQ(core.GetHint(2), "") << "no current puzzle";
    core.SetHint(2, "zz");
    EXPECT_EQ(core.PuzzleLines[3].Text, "2=ab,4=xy,6=cd");
    core.CurrentPuzzle = 1;
    struct HintCase {
        int row;
        const char* hint;
    };
    const HintCase hints[] = {{2, "AB"}, {4, "XY"}, {6, "CD"}, {3, ""}, {9, ""}};
    for (const HintCase& h : hints) {
        EXPECT_EQ(core.GetHint(h.row), h.hint) << h.row;
    }
}

TEST(PuzzleFile, NextHint) {
    struct Case {
        const char* name;
        const char* row2;
        const char* line;
        int row;
        const char* word;
    };
    const Case cases[] = {
        {"first entry", "CA  ", "2=CART,3=CARE", 2, "CART"},
        {"skips a row that holds its hint", "CART", "2=CART,3=CARE", 3, "CARE"},
        {"skips a row of another length", "CA  ", "2=CARTS,3=CARE", 3, "CARE"},
        {"empty line", "CA  ", "", 0, ""},
        {"all placed", "CART", "2=CART", 0, ""},
        {"row outside the board", "CART", "7=CART,3=CARE", 3, "CARE"},
        {"entry without = ends the search", "CA  ", "X,3=CARE", 0, ""},
        {"row that is not a number ends the search", "CA  ", "b=CART,3=CARE", 0, ""},
    };
    for (const Case& c : cases) {
        TPuzzleCore core;
        core.RowCount = 4;
        core.Rows[1] = "CAT";
        core.Rows[2] = c.row2;
        core.Rows[3] = "    ";
        core.Rows[4] = "DARE";
        std::string hint = c.line;
        EXPECT_EQ(core.NextHint(hint), c.row) << c.name;
        if (c.row != 0) {
            EXPECT_EQ(hint, c.word) << c.name;
        }
    }
}

TEST(PuzzleFile, SaveAsksThenWritesWithBackup) {
    struct Case {
        const char* name;
        bool modified;
        int answer;
        bool asked;
        bool written;
    };
    const Case cases[] = {
        {"unmodified", false, MessageBoxResult::Yes, false, false},
        {"No keeps the files", true, MessageBoxResult::No, true, false},
        {"Yes writes", true, MessageBoxResult::Yes, true, true},
    };
    const std::string original = "cat\r\ndog\r\nccc\r\n\r\nab\nb\nc\n\nextra";
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("vocab.txt", Words);
        folder.Write("puzzle.txt", original);
        folder.Write("puzzle.bak", "old");
        FakeUserInterface ui;
        TPuzzleCore core(folder.Path());
        core.LoadGameData();
        ui.boxes.clear();
        core.PuzzlesModified = c.modified;
        core.PuzzleLines[2].Text = "cxc";
        ui.Answer(c.answer);
        core.SavePuzzles();
        ASSERT_EQ(ui.boxes.size(), c.asked ? 1u : 0u) << c.name;
        if (c.asked) {
            EXPECT_EQ(ui.boxes[0].caption, "Ladderly");
            EXPECT_EQ(ui.boxes[0].text,
                      "You have created, modified or deleted one or more puzzles.\r\nDo you want "
                      "to save these changes?\r\n(Click \"No\" to discard the changes.)");
            EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
        }
        if (c.written) {
            EXPECT_EQ(folder.Read("puzzle.txt"), "ab\r\nb\r\ncxc\r\n\r\ncat\r\ndog\r\nccc\r\n\r\n")
                << c.name;
            EXPECT_EQ(folder.Read("puzzle.bak"), original) << c.name;
        } else {
            EXPECT_EQ(folder.Read("puzzle.txt"), original) << c.name;
            EXPECT_EQ(folder.Read("puzzle.bak"), "old") << c.name;
        }
        EXPECT_TRUE(core.PuzzleLines.empty()) << c.name;
        EXPECT_TRUE(core.Vocabulary.empty()) << c.name;
        EXPECT_EQ(core.PuzzleCount, 0) << c.name;
        EXPECT_EQ(core.PuzzleFileDate, 0) << c.name;
        EXPECT_EQ(core.VocabFileDate, 0) << c.name;
    }
}

TEST(PuzzleFile, FailingSaveKeepsTheFile) {
    TempFolder folder;
    folder.Write("puzzle.txt", "cat\r\ndog\r\nccc\r\n\r\n");
    folder.Write("vocab.txt", Words);
    FakeUserInterface ui;
    TPuzzleCore core(folder.Path());
    core.LoadGameData();
    core.PuzzlesModified = true;
    fs::create_directories(folder / "puzzle.bak" / "x");
    EXPECT_THROW(core.SavePuzzles(), fs::filesystem_error);
    EXPECT_EQ(folder.Read("puzzle.txt"), "cat\r\ndog\r\nccc\r\n\r\n");
    EXPECT_EQ(core.PuzzleCount, 1) << "the collection stays for another try";
}
} // namespace
