#pragma once
// Makes candidate puzzles: by walks over the board words that move away from the start word one
// step at a time (by breadth-first distance over the whole vocabulary with any actions), so no
// much shorter ladder exists, and from themed pairs by their shortest ladders through board
// words; then adds hints on middle rows until few solutions remain. A made puzzle is kept only
// when it follows every rule of PuzzleRules.h.

#include "PuzzleRules.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

struct TMadePuzzle {
    TLadderPuzzle Puzzle;
    std::string HintLine; // "row=word" entries, ascending rows, comma-separated
    std::vector<std::string> Ladder;
    double Difficulty = 0;
    bool Themed = false;
};

class TPuzzleMaker {
  public:
    // boardWords: the words a board may show; familiar[id]: the words difficulty counts.
    TPuzzleMaker(const TPuzzleRuleWords& words, const std::set<std::string>& boardWords,
                 const std::vector<bool>& familiar, uint32_t seed);

    // Up to count puzzles of the given rows that use only the given actions, no word starting or
    // ending more than two of them.
    std::vector<TMadePuzzle> MakeWalks(int rows, int count, std::string_view actions);
    // A puzzle from the pair's start to its end word, with as few rows as the words allow or
    // one more; none when no such puzzle follows the rules.
    std::optional<TMadePuzzle> MakeThemed(const TThemedPair& pair);

  private:
    using WordId = TStepIndex::WordId;

    size_t Pick(size_t size) { return static_cast<size_t>(random_() % size); }
    bool Walk(int rows, WordId start, const std::vector<int>& distance, std::string_view actions,
              TMadePuzzle& made);
    bool AddHints(TMadePuzzle& made);
    bool Accept(TMadePuzzle& made);
    void Enumerate(std::vector<WordId>& ladder, std::string& codes, size_t rows, WordId end,
                   const std::vector<int>& toEnd,
                   std::map<std::string, std::vector<WordId>>& found);

    const TPuzzleRuleWords& words_;
    const std::vector<bool>& familiar_;
    std::vector<WordId> starts_;         // board words of 3 to 7 letters
    std::vector<bool> board_;            // by word number
    std::map<WordId, int> ends_;         // how many walks start or end at a word
    std::array<int, 6> actionUses_ = {}; // walks made so far that use each action
    std::mt19937 random_;
};
