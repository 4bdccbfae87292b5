#pragma once
// The program's string table: fixed texts numbered from 1024.

#include <string>

inline constexpr int StrMonochromeDisplay = 1024;
inline constexpr int StrSixteenColourDisplay = 1025;
inline constexpr int StrMissingFile = 1043;

// The text with that identifier, at most 255 characters; empty when there is none.
std::string LoadResText(int id);
