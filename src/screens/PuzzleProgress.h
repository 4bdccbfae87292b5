#pragma once
// What the game room remembers of the player's progress, through its journal: the mark each
// puzzle earns (a win, a win after a hint, a ladder the solver filled), the puzzle a start
// resumes on, the marks the selector shows and the solved badge in the title band.
//
// Owns the journal; the room calls it at the moments named below.

#include "core/ProgressJournal.h"
#include "core/PuzzleCore.h"
#include "screens/GameDialogs.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class TFrameSet;

// The badge: two frames, solved and solved with help, at the right of the title band.
inline constexpr char BadgeName[] = "badge";
inline constexpr int32_t BadgeX = 268;
inline constexpr int32_t BadgeY = 14;
inline constexpr uint16_t BadgeFrameHeight = 22;

class TPuzzleProgress {
  public:
    // Keeps the journal in the file (created when first written; empty: in memory only) and
    // reads it. With resume, the game starts at the first unsolved puzzle from the one on the
    // board when it last ended.
    void Open(std::filesystem::path file, bool resume);

    // The identity of puzzle n of the collection, or empty.
    static std::string KeyOf(const TPuzzleCore& core, int n);
    PuzzleMark MarkOf(const TPuzzleCore& core, int n) const;

    // The puzzle entering the room shows: 1, or with resume the first playable puzzle without
    // a solved mark at or after the one last on the board, going on from the last to the first.
    int FirstPuzzle(const TPuzzleCore& core) const;

    // A puzzle was loaded or started over: the help given so far no longer counts.
    void PuzzleStarted();
    void HintGiven() { Helped = true; }
    // After a run of the solver: a complete ladder on the board marks the puzzle shown, and a
    // win on it later counts as shown too.
    void SolverFinished(const TPuzzleCore& core);
    // The win on the board: solved, solved with help or shown; the journal is written.
    void PuzzleWon(const TPuzzleCore& core);
    // The game ends: remembers the puzzle on the board (in play mode) and writes the journal.
    void GameEnding(const TPuzzleCore& core);

    // Gives each entry of the selector its puzzle's mark.
    void MarkEntries(const TPuzzleCore& core, std::vector<TSelectorEntry>& entries) const;
    // Shows the badge when the puzzle on the board in play mode was solved.
    void ShowBadge(const TPuzzleCore& core, TFrameSet& badge) const;

    TProgressJournal Journal;
    // The date marks are given; tests fix it.
    std::function<std::string()> Today = LocalDate;

  private:
    bool Resume = false;
    bool Helped = false;
    bool Shown = false;
};
