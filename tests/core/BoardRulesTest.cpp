#include "core/PuzzleCore.h"

#include "core/BoardKit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
// Rows, codes before and after: the lengths decide A and R; equal lengths keep a valid code or
// take the first valid of C, X, M, S, but only until a code has changed; a row with a blank
// turns A or R into C.
TEST(BoardRules, InferStepActions) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"CAT/CART/CARTS", "CC", "AA"}, {"CART/CAT/AT", "CC", "RR"}, {"CAT/CUT/TUC", "CX", "CX"},
        {"CAT/C T/DOG", "AR", "CC"},    {"CAT/C T/DOG", "XM", "XM"}, {"FORM/FROM", "C", "X"},
        {"CAT/CUT", "X", "C"},          {"SALT/SLAT", "C", "X"},     {"STOP/POTS", "C", "S"},
        {"ABCD/DABC", "C", "M"},        {"CAT/DOG", "M", "M"},       {"CAT/CART/CRAT", "CC", "AC"},
        {"CAT/CARTS", "C", "C"},
    };
    for (const auto& [rows, codes, expected] : cases) {
        TPuzzleCore core;
        SetBoard(core, rows, codes);
        EXPECT_EQ(core.InferStepActions(), codes != expected) << rows;
        EXPECT_EQ(core.Actions, " " + expected) << rows;
    }
}

// Rows and codes before and after: codes follow the lengths, and a row more than one letter off
// its neighbour is padded or cut, the repair cascading down the board; the end word stays.
TEST(BoardRules, NormalizeRowLengths) {
    const std::tuple<const char*, std::string, const char*, std::string> cases[] = {
        {"CAT/CART/DART", "AC", "CAT/CART/DART", "AC"},
        {"CAT/CART/CAR/BAR", "CAR", "CAT/CART/CAR/BAR", "ARC"},
        {"CARTS/   /BAT", "CC", "CARTS/    /BAT", "RR"},
        {"A/   /AT", "CC", "A/  /AT", "AC"},
        {"ABCDE/ /  /ABC", "CCC", "ABCDE/    /   /ABC", "RRC"},
        {"CARTS/CART/CA", "RC", "CARTS/CART/CA", "RR"},
        {"A/AB/ABCD", "AC", "A/AB/ABCD", "AA"},
    };
    for (const auto& [rows, codes, expectedRows, expectedCodes] : cases) {
        TPuzzleCore core;
        SetBoard(core, rows, codes);
        EXPECT_EQ(core.NormalizeRowLengths(), codes != expectedCodes) << rows;
        EXPECT_EQ(core.Actions, " " + expectedCodes) << rows;
        EXPECT_EQ(BoardRows(core), expectedRows) << rows;
    }

    // A repaired row loses its hint.
    TPuzzleCore core;
    core.PuzzleLines = {{"carts", 0}, {"bat", 0}, {"cc", 0}, {"2=cart", 0}};
    core.PuzzleCount = core.CurrentPuzzle = 1;
    SetBoard(core, "CARTS/CA/BAT", "CC");
    EXPECT_TRUE(core.NormalizeRowLengths());
    EXPECT_EQ(core.PuzzleLines[3].Text, "");
    EXPECT_EQ(core.Rows[2], "CA  ");
}
} // namespace
