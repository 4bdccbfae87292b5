#include "core/StepActions.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
// Every action with valid and invalid instances; the words compare case-insensitively, the code
// does not; a blank anywhere, or more than one letter of difference, is never a step.
TEST(StepActions, IsValidStep) {
    const std::tuple<char, const char*, const char*, bool> cases[] = {
        {'A', "cat", "cart", true},        {'A', "cat", "cats", true},
        {'A', "cat", "scat", true},        {'A', "", "a", true},
        {'A', "cat", "cat", false},        {'A', "cat", "dogs", false},
        {'A', "cat", "cxyt", false},       {'A', "cats", "cat", false},
        {'C', "cat", "cut", true},         {'C', "a", "b", true},
        {'C', "cat", "dot", false},        {'C', "cat", "cat", false},
        {'C', "cat", "cats", false},       {'M', "salt", "slat", true},
        {'M', "abcd", "dabc", true},       {'M', "abcd", "bcda", true},
        {'M', "abcdefg", "gabcdef", true}, {'M', "abcd", "abdc", true},
        {'M', "eel", "lee", false},        {'M', "abcd", "abcd", false},
        {'M', "abcd", "dbca", false},      {'M', "cat", "cart", false},
        {'M', "cat", "cut", false},        {'M', "abcd", "dacb", false},
        {'R', "cart", "cat", true},        {'R', "cart", "car", true},
        {'R', "cart", "art", true},        {'R', "a", "", true},
        {'R', "cart", "ca", false},        {'R', "cart", "cart", false},
        {'R', "cart", "cxt", false},       {'S', "stop", "pots", true},
        {'S', "stop", "spot", true},       {'S', "eel", "lee", true},
        {'S', "stop", "stop", false},      {'S', "aab", "abb", false},
        {'S', "stop", "stops", false},     {'X', "form", "from", true},
        {'X', "abcd", "dbca", true},       {'X', "eel", "lee", true},
        {'X', "abcd", "badc", false},      {'X', "abcd", "abcd", false},
        {'X', "abcd", "abce", false},      {'X', "abcd", "bxcd", false},
        {'A', "CAT", "cart", true},        {'C', "Cat", "CUT", true},
        {'X', "FORM", "from", true},       {'a', "cat", "cart", false},
        {'c', "cat", "cut", false},        {'Q', "cat", "cut", false},
        {' ', "cat", "cut", false},        {'A', "ca ", "cart", false},
        {'C', "c t", "cut", false},        {'S', "stop", "pot ", false},
        {'X', "f rm", "fr m", false},      {'A', "cat", "scats", false},
        {'R', "scats", "cat", false},      {'S', "abcdefgh", "hgfedcba", true},
    };
    for (const auto& [code, from, to, valid] : cases) {
        EXPECT_EQ(IsValidStep(code, from, to), valid) << code << " " << from << " -> " << to;
    }
}
} // namespace
