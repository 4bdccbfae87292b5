#pragma once
// The shipped vocabulary's words and the words puzzles are made of, taken from Debian's scowl
// lists, and the word lists kept beside this file: word-decisions.txt (the reviewed decisions on
// offensive and informal words), puzzle-excluded-words.txt (shipped, but never on a puzzle's
// board) and the two public lists of bad words, naughty-words-en.json and profane-words.json.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Size levels of the scowl lists, from the most common words upwards.
inline constexpr int ScowlLevels[] = {10, 20, 35, 40, 50, 55, 60, 70, 80, 95};
// Everything up to VocabularyLevel is accepted; puzzles show words up to CommonLevel; their
// difficulty counts the ladders a player could try through words up to FamiliarLevel.
inline constexpr int VocabularyLevel = 60;
inline constexpr int CommonLevel = 20;
inline constexpr int FamiliarLevel = 35;

// The regular forms of a stem: the stem and the stem with -s, -es, -ed, -ing, -er, -ers, -est,
// -y, -ies, -ied, -ier or -iest, also after dropping a final e, turning a final y into i or
// doubling the last letter. More than English makes, so that no real form is missed.
std::set<std::string> RegularForms(std::string_view stem);

// A word list of stems: each line a stem with its irregular forms, or "+word" for a word kept
// although it looks like a form of a stem; "#" starts a comment line.
class TStemList {
  public:
    explicit TStemList(std::string_view text);
    // Every word the list names: the regular forms of each stem and its irregular forms,
    // without the kept words.
    const std::set<std::string>& Words() const { return words_; }
    bool Contains(const std::string& word) const { return words_.contains(word); }

  private:
    std::set<std::string> words_;
};

// Decisions in the form of word-decisions.txt: "deny WORD..." lines, where "STEM*" stands for
// the stem's regular forms, and "keep WORD: SENSE" lines; "#" starts a comment line. A keep line
// wins over a stem's regular forms. Throws std::runtime_error naming a line it cannot read.
class TWordDecisions {
  public:
    explicit TWordDecisions(std::string_view text);
    bool Denies(const std::string& word) const { return denied_.contains(word); }
    // Denied or kept: a word with a line of its own or caught by a stem.
    bool Decides(const std::string& word) const {
        return denied_.contains(word) || kept_.contains(word);
    }
    const std::set<std::string>& Denied() const { return denied_; }
    const std::map<std::string, std::string>& Kept() const { return kept_; } // word: sense

  private:
    std::set<std::string> denied_;
    std::map<std::string, std::string> kept_;
};

const TWordDecisions& WordDecisions();
const TStemList& PuzzleExcludedWords();

// Start and end words that belong together, in the form of themed-pairs.txt: lines "START END
// RELATION" with one of the relations below; "#" starts a comment line. Throws
// std::runtime_error naming a line it cannot read.
inline constexpr std::string_view ThemeRelations[] = {"opposites", "becomes", "kind", "phrase"};
struct TThemedPair {
    std::string Start;
    std::string End;
    std::string Relation;
};
std::vector<TThemedPair> ParseThemedPairs(std::string_view text);
const std::vector<TThemedPair>& ThemedPairs();
// Opposites and two of a kind belong together in either order.
inline bool IsSymmetric(std::string_view relation) {
    return relation == "opposites" || relation == "kind";
}
// The pair a puzzle from start to end uses, or none.
const TThemedPair* FindThemedPair(const std::string& start, const std::string& end);

// The strings of a JSON array of strings, such as the public word lists.
std::vector<std::string> JsonStrings(std::string_view json);
// The single words of letters a-z, lowered, of naughty-words-en.json and profane-words.json.
const std::set<std::string>& ListedWords();

// The vocabulary: the words of english-, american- and british-words.NN for every level up to
// maxLevel that are 1 to 7 letters a-z, without denied words, without single letters other
// than "a" and "i" and without the plurals of letters; sorted, no repeats. Throws
// std::runtime_error when a list is missing.
std::vector<std::string> ReadScowlWords(const std::filesystem::path& folder, int maxLevel);

// The words puzzles are made of: the vocabulary up to CommonLevel without the excluded words.
std::vector<std::string> ReadCommonWords(const std::filesystem::path& folder);

// The spellings of one side of the ocean: words of the american-words.NN lists (or of the
// british-words.NN lists) of any level present that are in neither the other side's lists nor
// english-words.NN.
struct TRegionalWords {
    std::set<std::string> American;
    std::set<std::string> British;
    bool Contains(const std::string& word) const {
        return American.contains(word) || British.contains(word);
    }
    // One spelling of each side: "color" and "colour", "gray" and "grey".
    bool AcrossSides(const std::string& a, const std::string& b) const {
        return (American.contains(a) && British.contains(b)) ||
               (British.contains(a) && American.contains(b));
    }
};
TRegionalWords ReadRegionalWords(const std::filesystem::path& folder);

// Whether a word may stand on a board as far as the lists say: neither decided nor listed nor
// a regional spelling.
bool IsBoardFit(const std::string& word, const TRegionalWords& regional);
