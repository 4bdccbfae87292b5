#pragma once
// How hard the shipped puzzles are, and how well an order of them rises in difficulty.

#include "core/LadderSearch.h"

#include <string>
#include <vector>

// The difficulty of a puzzle: the base-10 logarithm of the partial ladders a player could try,
// divided by the solutions. Both count ladders through familiar words only (familiar[id]),
// follow the action codes from the start word and honour the hints; the partial ladders are
// those ending on any row from the second to the one before the end word. 0 when the puzzle has
// no solution through familiar words.
double PuzzleDifficulty(const TStepIndex& index, const std::vector<bool>& familiar,
                        const TLadderPuzzle& puzzle);

// The 0-based rank of each value in ascending order; tied values share their mean rank.
std::vector<double> Ranks(const std::vector<double>& values);

// Spearman's rank correlation of two equally long series (tied values share their mean rank);
// 0 when either series is constant or shorter than 2.
double RankCorrelation(const std::vector<double>& x, const std::vector<double>& y);

// The rank correlation of position and difficulty of the puzzles in game order, over the whole
// collection and for each row count that has at least MinGroupPuzzles puzzles.
inline constexpr size_t MinGroupPuzzles = 5;
inline constexpr double MinGroupCorrelation = 0.5;
inline constexpr double MinOverallCorrelation = 0.7;
struct TDifficultyCurve {
    double Overall = 0;
    std::vector<std::pair<int, double>> ByRows; // row count, correlation
};
TDifficultyCurve DifficultyCurve(const std::vector<TLadderPuzzle>& puzzles,
                                 const std::vector<double>& difficulty);

// What keeps a start gentle, for puzzles in game order: the first uses change steps only, every
// action is first met in a puzzle whose other steps use actions met before, and all six are met
// within the first GentleStart puzzles. One text per problem.
inline constexpr size_t GentleStart = 30;
std::vector<std::string> GentleStartProblems(const std::vector<TLadderPuzzle>& puzzles);
