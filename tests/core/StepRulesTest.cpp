#include "core/PuzzleCore.h"
#include "core/StepActions.h"

#include "core/BoardKit.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Every action with valid and invalid instances; the words compare case-insensitively, the code
// does not; a blank anywhere, or more than one letter of difference, is never a step.
TEST(StepActions, IsValidStep) {
    // Code, word and word, three by three; "-" is an empty word and "_" a blank.
    const std::pair<bool, const char*> cases[] = {
        {true, "A cat cart  A cat scat  A - a  C cat cut  C a b  M salt slat  M abcd dabc  "
               "M abcd bcda  M abcd abdc  R cart cat  R cart car  R cart art  R a -  S stop pots  "
               "S eel lee  S abcdefgh hgfedcba  X form from  X abcd dbca  X eel lee  X FORM from"},
        {false, "A cat cat  A cat cxyt  A cats cat  A cat scats  C cat dot  C cat cat  "
                "M eel lee  M abcd abcd  M abcd dbca  M cat cart  R cart ca  R cart cart  "
                "R cart cxt  R scats cat  S stop stop  S aab abb  S stop stops  X abcd badc  "
                "X abcd abcd  X abcd bxcd  a cat cart  Q cat cut  A ca_ cart  X f_rm fr_m"},
    };
    const auto word = [](std::string w) {
        std::replace(w.begin(), w.end(), '_', ' ');
        return w == "-" ? "" : w;
    };
    for (const auto& [valid, steps] : cases) {
        std::istringstream fields(steps);
        for (std::string code, from, to; fields >> code >> from >> to;) {
            EXPECT_EQ(IsValidStep(word(code)[0], word(from), word(to)), valid)
                << code << " " << from << " " << to;
        }
    }
}

// Rows, codes before and after: the lengths decide A and R; equal lengths keep a valid code or
// take the first valid of C, X, M, S, but only until a code has changed; a row with a blank
// turns A or R into C.
TEST(BoardRules, InferStepActions) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"CAT/CART/CARTS", "CC", "AA"}, {"CART/CAT/AT", "CC", "RR"},   {"CAT/CUT/TUC", "CX", "CX"},
        {"CAT/C T/DOG", "AR", "CC"},    {"CAT/C T/DOG", "XM", "XM"},   {"FORM/FROM", "C", "X"},
        {"CAT/CUT", "X", "C"},          {"STOP/POTS", "C", "S"},       {"ABCD/DABC", "C", "M"},
        {"CAT/DOG", "M", "M"},          {"CAT/CART/CRAT", "CC", "AC"}, {"CAT/CARTS", "C", "C"},
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
        {"A/AB/ABCD", "AC", "A/AB/ABCD", "AA"},
    };
    for (const auto& [rows, codes, expectedRows, expectedCodes] : cases) {
        TPuzzleCore core;
        SetBoard(core, rows, codes);
        EXPECT_EQ(core.NormalizeRowLengths(), codes != expectedCodes) << rows;
        EXPECT_EQ(core.Actions, " " + expectedCodes) << rows;
        EXPECT_EQ(BoardRows(core), expectedRows) << rows;
    }
}

} // namespace
