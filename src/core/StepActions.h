#pragma once
// The six step actions of a ladder, their display names and the test of whether a step from one
// word to the next is a valid instance of an action.

#include <array>
#include <string_view>

// Limits of a ladder: rows including the start and end word, and letters of every word.
inline constexpr int MaxRows = 10;
inline constexpr int MaxWordLength = 7;

// The action codes in their fixed order; ActionNames follows the same order.
inline constexpr std::string_view ActionCodes = "ACMRSX";
inline constexpr std::array<std::string_view, 6> ActionNames = {
    "Add 1 Letter",    "Change 1 Letter",  "Move 1 Letter",
    "Remove 1 Letter", "Scramble Letters", "Swap 2 Letters"};

// Position of code in ActionCodes, or -1 when it is not an (upper-case) action code.
int ActionIndex(char code);

// The change in word length that code makes: +1 for A, -1 for R, 0 otherwise.
int ActionLengthChange(char code);

// True when to follows from from by the action code. Case-insensitive in the words; a word
// holding a blank, or a code outside "ACMRSX", is never valid.
bool IsValidStep(char code, std::string_view from, std::string_view to);
