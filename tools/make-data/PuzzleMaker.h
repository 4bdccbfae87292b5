#pragma once
// Makes puzzles by random walks over a word list: each step picks an action and a word that
// IsValidStep accepts, so the walk itself is a solution made of listed words.

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct TMadePuzzle {
    std::string Start;
    std::string End;
    std::string Codes; // upper case, one per step
    std::string Hints; // "row=word" entries, ascending rows, comma-separated
    std::vector<std::string> Ladder;
};

class TPuzzleMaker {
  public:
    // words: the words a ladder may use (start, end, intermediate rows and hints).
    TPuzzleMaker(std::vector<std::string> words, uint32_t seed);

    // count puzzles with the number of rows cycling through 2..10. Throws std::runtime_error
    // when the words do not allow that many different puzzles.
    std::vector<TMadePuzzle> Make(int count);

  private:
    const std::vector<std::string>& Neighbours(const std::string& word, char code);
    bool Walk(int rows, TMadePuzzle& puzzle);
    size_t Pick(size_t size) { return static_cast<size_t>(random_() % size); }
    std::string PickStart();
    void AddHints(TMadePuzzle& puzzle);

    std::vector<std::vector<std::string>> byLength_; // index: word length
    std::map<std::pair<std::string, char>, std::vector<std::string>> neighbours_;
    std::map<char, int> used_;
    std::set<std::pair<std::string, std::string>> pairs_;
    std::mt19937 random_;
};
