#include "core/PuzzleCore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Lays out a board: rows 1..n and the action codes after the leading blank.
void SetBoard(TPuzzleCore& core, const std::vector<std::string>& rows, const std::string& codes) {
    core.RowCount = static_cast<int32_t>(rows.size());
    core.Actions = " " + codes;
    for (size_t r = 0; r < core.Rows.size(); ++r) {
        core.Rows[r].clear();
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        core.Rows[r + 1] = rows[r];
    }
}

TEST(BoardRules, RowLength) {
    TPuzzleCore core;
    SetBoard(core, {"CAT", "    ", "    ", "DOGSLED"}, "ACR");
    struct Case {
        int row;
        int length;
    };
    // The last row counts as it stands, whatever the codes imply.
    const Case cases[] = {{1, 3}, {2, 4}, {3, 4}, {4, 7}, {0, 3}, {11, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(core.RowLength(c.row), c.length) << "row " << c.row;
    }
    core.Actions = " A";
    EXPECT_EQ(core.RowLength(3), 3) << "codes shorter than the row";
}

TEST(BoardRules, InferStepActions) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::string codes;
        std::string expected;
        bool changed;
    };
    const Case cases[] = {
        {"longer row is an add", {"CAT", "CART", "CARTS"}, "CC", "AA", true},
        {"shorter row is a remove", {"CART", "CAT", "AT"}, "CC", "RR", true},
        {"valid step stays", {"CAT", "CUT", "TUC"}, "CX", "CX", false},
        {"equal lengths with a blank: A or R become C", {"CAT", "C T", "DOG"}, "AR", "CC", true},
        {"equal lengths with a blank: other codes stay", {"CAT", "C T", "DOG"}, "XM", "XM", false},
        {"swap found for an invalid C", {"FORM", "FROM"}, "C", "X", true},
        {"change tried first", {"CAT", "CUT"}, "X", "C", true},
        {"swap tried before move", {"SALT", "SLAT"}, "C", "X", true},
        {"scramble found", {"STOP", "POTS"}, "C", "S", true},
        {"move before scramble", {"ABCD", "DABC"}, "C", "M", true},
        {"nothing valid: code stays", {"CAT", "DOG"}, "M", "M", false},
        {"no search after an earlier change", {"CAT", "CART", "CRAT"}, "CC", "AC", true},
        {"gap of two letters: code stays", {"CAT", "CARTS"}, "C", "C", false},
    };
    for (const Case& c : cases) {
        TPuzzleCore core;
        SetBoard(core, c.rows, c.codes);
        EXPECT_EQ(core.InferStepActions(), c.changed) << c.name;
        EXPECT_EQ(core.Actions, " " + c.expected) << c.name;
    }
}

TEST(BoardRules, NormalizeRowLengths) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::string codes;
        std::vector<std::string> expectedRows;
        std::string expectedCodes;
        bool changed;
    };
    const Case cases[] = {
        {"consistent board", {"CAT", "CART", "DART"}, "AC", {"CAT", "CART", "DART"}, "AC", false},
        {"codes follow the lengths",
         {"CAT", "CART", "CAR", "BAR"},
         "CAR",
         {"CAT", "CART", "CAR", "BAR"},
         "ARC",
         true},
        {"too short a row is padded",
         {"CARTS", "   ", "BAT"},
         "CC",
         {"CARTS", "    ", "BAT"},
         "RR",
         true},
        {"too long a row is cut", {"A", "   ", "AT"}, "CC", {"A", "  ", "AT"}, "AC", true},
        {"repairs cascade down the board",
         {"ABCDE", " ", "  ", "ABC"},
         "CCC",
         {"ABCDE", "    ", "   ", "ABC"},
         "RRC",
         true},
    };
    for (const Case& c : cases) {
        TPuzzleCore core;
        SetBoard(core, c.rows, c.codes);
        EXPECT_EQ(core.NormalizeRowLengths(), c.changed) << c.name;
        EXPECT_EQ(core.Actions, " " + c.expectedCodes) << c.name;
        for (size_t r = 0; r < c.expectedRows.size(); ++r) {
            EXPECT_EQ(core.Rows[r + 1], c.expectedRows[r]) << c.name << " row " << r + 1;
        }
    }
}

TEST(BoardRules, NormalizeClearsTheHintOfARepairedRow) {
    TPuzzleCore core;
    core.PuzzleLines = {{"carts", 0}, {"bat", 0}, {"cc", 0}, {"2=cart", 0}};
    core.PuzzleCount = 1;
    core.CurrentPuzzle = 1;
    SetBoard(core, {"CARTS", "CA", "BAT"}, "CC");
    EXPECT_TRUE(core.NormalizeRowLengths());
    EXPECT_EQ(core.PuzzleLines[3].Text, "");
    EXPECT_EQ(core.Rows[2], "CA  ");
}
} // namespace
