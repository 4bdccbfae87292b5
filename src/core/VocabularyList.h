#pragma once
// The vocabulary's word list: sorted by case-insensitive comparison, with no two entries that
// compare equal. Entries keep their text as given; lookups ignore case.

#include <string>
#include <string_view>
#include <vector>

// Builds the list from lines in any order: the first spelling of each word is kept, later ones
// that compare equal are dropped, and entries that are empty after trimming codes 0 to 32 go.
// Runs in linear time on lines that are already in order.
std::vector<std::string> BuildVocabularyList(std::vector<std::string> lines);

// Binary search with the case-insensitive comparison.
bool VocabularyContains(const std::vector<std::string>& list, std::string_view word);

// Inserts word at its sorted place; a word that compares equal to an entry is ignored.
void InsertVocabularyWord(std::vector<std::string>& list, std::string word);
