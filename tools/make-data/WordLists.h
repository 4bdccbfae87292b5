#pragma once
// The shipped vocabulary's words and the common words puzzles are made of, taken from Debian's
// scowl lists, and the two word lists kept beside this file: denied-words.txt (never shipped)
// and puzzle-excluded-words.txt (shipped, but never on a puzzle's board).

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Size levels of the scowl lists, from the most common words upwards.
inline constexpr int ScowlLevels[] = {10, 20, 35, 40, 50, 55, 60};
// Everything up to VocabularyLevel is accepted; puzzles use words up to CommonLevel.
inline constexpr int VocabularyLevel = 60;
inline constexpr int CommonLevel = 20;

// The regular forms of a stem: the stem and the stem with -s, -es, -ed, -ing, -er, -ers, -est,
// -y, -ies, -ied, -ier or -iest, also after dropping a final e, turning a final y into i or
// doubling the last letter. More than English makes, so that no real form is missed.
std::set<std::string> RegularForms(std::string_view stem);

// A word list of stems: each line a stem with its irregular forms, or "+word" for a word kept
// although it looks like a form of a stem; "#" starts a comment line.
class TStemList {
  public:
    explicit TStemList(std::string_view text);
    // The stems with their irregular forms, in file order.
    const std::vector<std::vector<std::string>>& Entries() const { return entries_; }
    // Every word the list removes: the regular forms of each stem and its irregular forms,
    // without the kept words.
    const std::set<std::string>& Words() const { return words_; }
    bool Contains(const std::string& word) const { return words_.contains(word); }

  private:
    std::vector<std::vector<std::string>> entries_;
    std::set<std::string> words_;
};

const TStemList& DeniedWords();
const TStemList& PuzzleExcludedWords();

// The vocabulary: the words of english-, american- and british-words.NN for every level up to
// maxLevel that are 1 to 7 letters a-z, without denied words, without single letters other
// than "a" and "i" and without the plurals of letters; sorted, no repeats. Throws
// std::runtime_error when a list is missing.
std::vector<std::string> ReadScowlWords(const std::filesystem::path& folder, int maxLevel);

// The words puzzles are made of: the vocabulary up to CommonLevel without the excluded words.
std::vector<std::string> ReadCommonWords(const std::filesystem::path& folder);
