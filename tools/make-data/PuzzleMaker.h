#pragma once
// Makes puzzles by walks over the common words that move away from the start word one step at a
// time (by breadth-first distance over the whole vocabulary with any actions), so no much
// shorter ladder exists; then adds hints on middle rows until few solutions remain. A made
// puzzle is kept only when it follows every rule of PuzzleRules.h.

#include "PuzzleRules.h"

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

struct TMadePuzzle {
    TLadderPuzzle Puzzle;
    std::string HintLine; // "row=word" entries, ascending rows, comma-separated
    std::vector<std::string> Ladder;
};

class TPuzzleMaker {
  public:
    TPuzzleMaker(const TPuzzleRuleWords& words, uint32_t seed);

    // perRows[n] puzzles of n rows for every n. Throws std::runtime_error when the words do not
    // allow that many different puzzles.
    std::vector<TMadePuzzle> Make(const std::map<int, int>& perRows);

  private:
    using WordId = TStepIndex::WordId;

    size_t Pick(size_t size) { return static_cast<size_t>(random_() % size); }
    bool Walk(int rows, WordId start, const std::vector<int>& distance, TMadePuzzle& made);
    bool AddHints(TMadePuzzle& made);
    bool Accept(TMadePuzzle& made);

    const TPuzzleRuleWords& words_;
    std::vector<WordId> starts_;         // common words of 3 to 7 letters
    std::vector<bool> common_;           // by word number
    std::set<WordId> usedEnds_;          // start and end words of the puzzles made so far
    std::array<int, 6> actionUses_ = {}; // puzzles made so far that use each action
    std::mt19937 random_;
};
