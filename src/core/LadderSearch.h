#pragma once
// Ladder searches over a step index: the solutions of a puzzle under its action codes and
// hints, and the shortest ladder between two words when every action may be used.

#include "core/StepIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A puzzle as a search sees it. Rows are numbered from 1 (the start word) to Rows() (the end
// word); Codes[k - 2] is the code that produces row k.
struct TLadderPuzzle {
    std::string Start;
    std::string End;
    std::string Codes;              // upper case
    std::vector<std::string> Hints; // Hints[r]: the word row r must hold, or empty

    int Rows() const { return static_cast<int>(Codes.size()) + 1; }
    const std::string& HintOf(int row) const;

    // From the four lines of a puzzle file entry; the hint line holds "row=word" entries
    // separated by commas. Entries that are not of that form are ignored.
    static TLadderPuzzle FromLines(std::string_view start, std::string_view end,
                                   std::string_view codes, std::string_view hintLine);
};

struct TLadderSolutions {
    // Number of solutions, counted up to the cap (a larger number reads as the cap).
    uint64_t Count = 0;
    // The first solutions in alphabetical order of their rows, at most as many as asked for;
    // each lists the word numbers of rows 1 to Rows().
    std::vector<std::vector<TStepIndex::WordId>> Ladders;
    // RowWords[r - 1]: the words row r holds in at least one solution, in alphabetical order.
    std::vector<std::vector<TStepIndex::WordId>> RowWords;
};

// Every ladder from the start to the end word whose rows are indexed words, whose steps follow
// the codes and whose hinted rows hold their hints. Repeated words are allowed in a ladder, as
// the game allows them.
TLadderSolutions SolvePuzzle(const TStepIndex& index, const TLadderPuzzle& puzzle,
                             uint64_t countCap, size_t ladderLimit);

// One step of a free ladder: the code that leads to the word (blank for the first word).
struct TLadderStep {
    char Code;
    TStepIndex::WordId Word;
};

// A shortest ladder from one word to another with any actions (the first valid code in the
// order A, C, M, R, S, X names each step); empty when there is none. The same words always
// give the same ladder.
std::vector<TLadderStep> ShortestLadder(const TStepIndex& index, TStepIndex::WordId from,
                                        TStepIndex::WordId to);
