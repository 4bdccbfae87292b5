#include "core/StepActions.h"

#include <gtest/gtest.h>

namespace {
struct StepCase {
    char code;
    const char* from;
    const char* to;
    bool valid;
};

const StepCase StepCases[] = {
    // Add: the new letter anywhere, one letter only.
    {'A', "cat", "cart", true},
    {'A', "cat", "cats", true},
    {'A', "cat", "scat", true},
    {'A', "a", "at", true},
    {'A', "", "a", true},
    {'A', "cat", "cat", false},
    {'A', "cat", "dogs", false},
    {'A', "cat", "carts", false},
    {'A', "cat", "cxyt", false},
    {'A', "cats", "cat", false},
    // Change: exactly one position.
    {'C', "cat", "cut", true},
    {'C', "a", "b", true},
    {'C', "cat", "dot", false},
    {'C', "cat", "cat", false},
    {'C', "cat", "cats", false},
    // Move: one letter taken out and put back elsewhere, any distance.
    {'M', "salt", "slat", true},
    {'M', "abcd", "dabc", true},
    {'M', "abcd", "bcda", true},
    {'M', "abcdefg", "gabcdef", true},
    {'M', "eel", "lee", false},
    {'M', "abcd", "abcd", false},
    {'M', "abcd", "abdc", true},
    {'M', "abcd", "dbca", false},
    {'M', "cat", "cart", false},
    // Remove: the mirror of add.
    {'R', "cart", "cat", true},
    {'R', "cart", "car", true},
    {'R', "cart", "art", true},
    {'R', "cart", "ca", false},
    {'R', "cart", "cart", false},
    {'R', "cart", "cxt", false},
    {'R', "a", "", true},
    // Scramble: same letters with the same counts, not the same word.
    {'S', "stop", "pots", true},
    {'S', "stop", "spot", true},
    {'S', "eel", "lee", true},
    {'S', "stop", "stop", false},
    {'S', "aab", "abb", false},
    {'S', "stop", "stops", false},
    // Swap: exactly two positions, exchanged, not necessarily adjacent.
    {'X', "form", "from", true},
    {'X', "abcd", "dbca", true},
    {'X', "eel", "lee", true},
    {'X', "abcd", "badc", false},
    {'X', "abcd", "abcd", false},
    {'X', "abcd", "abce", false},
    // Case: the words are compared case-insensitively, the code is not.
    {'A', "CAT", "cart", true},
    {'C', "Cat", "CUT", true},
    {'X', "FORM", "from", true},
    {'a', "cat", "cart", false},
    {'c', "cat", "cut", false},
    {'Q', "cat", "cut", false},
    {' ', "cat", "cut", false},
    // A blank anywhere makes every action invalid.
    {'A', "ca ", "cart", false},
    {'C', "c t", "cut", false},
    {'S', "stop", "pot ", false},
    {'X', "f rm", "fr m", false},
    // Length limits: more than one letter of difference is never a step.
    {'A', "cat", "scats", false},
    {'R', "scats", "cat", false},
    {'S', "abcdefgh", "hgfedcba", true},
};

TEST(StepActions, IsValidStepTable) {
    for (const StepCase& c : StepCases) {
        EXPECT_EQ(IsValidStep(c.code, c.from, c.to), c.valid)
            << c.code << " " << c.from << " -> " << c.to;
    }
}

TEST(StepActions, CodesNamesAndLengthChanges) {
    struct Case {
        char code;
        int index;
        const char* name;
        int change;
    };
    const Case cases[] = {
        {'A', 0, "Add 1 Letter", 1},     {'C', 1, "Change 1 Letter", 0},
        {'M', 2, "Move 1 Letter", 0},    {'R', 3, "Remove 1 Letter", -1},
        {'S', 4, "Scramble Letters", 0}, {'X', 5, "Swap 2 Letters", 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(ActionIndex(c.code), c.index) << c.code;
        EXPECT_EQ(ActionNames[static_cast<size_t>(c.index)], c.name);
        EXPECT_EQ(ActionLengthChange(c.code), c.change) << c.code;
    }
    EXPECT_EQ(ActionIndex('a'), -1);
    EXPECT_EQ(ActionIndex('\0'), -1);
}
} // namespace
