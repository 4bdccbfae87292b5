#pragma once
// Small helpers shared by the game: the quicksort the solver relies on, text formatting and
// case conversion, and folder helpers.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Tells whether the item at the first position belongs strictly before the item at the second.
using PositionLess = std::function<bool(std::size_t, std::size_t)>;
// Exchanges the items at two positions.
using PositionExchange = std::function<void(std::size_t, std::size_t)>;

// Sorts the positions 0 .. count - 1 in place by quicksort, moving items only through
// exchange. The solver depends on the exact sequence of comparisons and exchanges, so the
// partition must stay as it is: pivot position (l + r) / 2, followed when it is exchanged.
// Not stable.
void SortStringList(std::size_t count, const PositionLess& before,
                    const PositionExchange& exchange);

// The same for a vector of strings, exchanging entries with std::swap.
void SortStringList(std::vector<std::string>& list, const PositionLess& before);

// The pattern with each "%s" replaced by the next argument (missing ones give nothing) and
// "%%" by "%".
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

// ASCII case conversion: only A-Z and a-z change, whatever the locale.
std::string UpperCaseASCII(std::string_view text);
std::string LowerCaseASCII(std::string_view text);

// The current local time formatted as strftime does.
std::string LocalTimeText(const char* format);

// True when the path names an existing folder (symbolic links followed).
bool DirectoryExists(const std::string& path);

// Makes the folder and the missing ones on its way, each readable by its owner only (as the
// XDG base directories ask); throws std::filesystem::filesystem_error when it cannot.
void MakeUserFolder(const std::string& folder);
