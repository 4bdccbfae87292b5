#pragma once
// The rules the shipped puzzles follow, judged with the whole vocabulary: make-data accepts only
// puzzles that pass them and ladderly-tool check reports every puzzle that does not.

#include "core/LadderSearch.h"

#include <set>
#include <string>
#include <vector>

// Bounds of the shipped collection.
inline constexpr int MinPuzzleRows = 3;
inline constexpr int MinPuzzles = 500;
inline constexpr int MinPuzzlesPerAction = 60;
inline constexpr uint64_t MaxSolutions = 5;
inline constexpr int MinRowLetters = 3;

// What a puzzle's rows and solutions are checked against.
struct TPuzzleRuleWords {
    const TStepIndex& Vocabulary;
    const std::set<std::string>& Common; // the words a puzzle's board may show
};

// The problems of one puzzle, one short text each; empty when it follows every rule:
// - 3 to 10 rows; no row shorter than 3 letters unless the start or end word is;
// - 1 to 5 solutions under its codes and hints, none of which repeats a word;
// - the shortest ladder between its start and end words with free choice of actions is at
//   most one step shorter than the puzzle;
// - a hint on every puzzle of 5 rows or more; no hint next to another hint or to the start or
//   end row; no hint on a row that every solution would share without it;
// - start, end and hints are common words, and some solution has only common words.
std::vector<std::string> PuzzleProblems(const TPuzzleRuleWords& words, const TLadderPuzzle& puzzle);

// The lengths of rows 1 to Rows() that the codes imply.
std::vector<int> RowLengths(const TLadderPuzzle& puzzle);
