#pragma once
// The shipped vocabulary's words, taken from Debian's scowl lists: lower-case words of 1 to 7
// letters a-z from the English and American lists up to a size level, without offensive words.

#include <filesystem>
#include <string>
#include <vector>

// Size levels of the scowl lists, from the most common words upwards.
inline constexpr int ScowlLevels[] = {10, 20, 35, 40, 50, 55, 60};

// The words of english-words.NN and american-words.NN for every level up to maxLevel, sorted
// and without repeats. Throws std::runtime_error when a list is missing.
std::vector<std::string> ReadScowlWords(const std::filesystem::path& folder, int maxLevel);

// Words never shipped: slurs and obscenities.
bool IsDeniedWord(const std::string& word);

// Words kept in the vocabulary but not used in shipped puzzles: crude words that also have
// ordinary senses, and names of letters that a player would not think of.
bool IsUnsuitableForPuzzles(const std::string& word);
