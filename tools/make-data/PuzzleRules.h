#pragma once
// The rules the shipped puzzles follow, judged with the whole vocabulary: make-data accepts only
// puzzles that pass them and ladderly-tool check reports every puzzle that does not.

#include "WordLists.h"
#include "core/LadderSearch.h"

#include <set>
#include <string>
#include <vector>

// Bounds of the shipped collection.
inline constexpr int MinPuzzleRows = 3;
inline constexpr int MinPuzzles = 500;
inline constexpr int MinPuzzlesPerAction = 60;
inline constexpr int MinThemedPuzzles = 100;
inline constexpr uint64_t MaxSolutions = 5;
inline constexpr uint64_t MaxSolutionsWithoutHints = 30;
inline constexpr int MinRowLetters = 3;

// What a puzzle's rows and solutions are checked against.
struct TPuzzleRuleWords {
    const TStepIndex& Vocabulary;
    const std::set<std::string>& Common; // the words a puzzle's board may show
    const TRegionalWords& Regional;
};

// The problems of one puzzle, one short text each; empty when it follows every rule:
// - 3 to 10 rows; no row shorter than 3 letters unless the start or end word is;
// - 1 to 5 solutions under its codes and hints, none of which repeats a word, and at most 30
//   without the hints, none of which steps between two spellings of a word ("fibre", "fiber");
// - the shortest ladder between its start and end words with free choice of actions has at
//   least 2 steps and is at most one step shorter than the puzzle;
// - a hint on every puzzle of 5 rows or more; no hint next to another hint or to the start or
//   end row; no hint on a row that every solution would share without it;
// - start, end and hints are common words, and some solution has only common words;
// - no word shown or forced (on a row where every solution has the same word) is decided,
//   listed as a bad word or a spelling of only one side of the ocean.
std::vector<std::string> PuzzleProblems(const TPuzzleRuleWords& words, const TLadderPuzzle& puzzle);

// The lengths of rows 1 to Rows() that the codes imply.
std::vector<int> RowLengths(const TLadderPuzzle& puzzle);
