// Putting a puzzle of the collection on the board of TPuzzleCore.

#include "core/PuzzleCore.h"

#include <algorithm>

int TPuzzleCore::FirstPlayablePuzzle(int n) const {
    int candidate = n;
    for (int tried = 0; tried < PuzzleCount; ++tried) {
        if (!PuzzleHasErrors(candidate)) {
            return candidate;
        }
        candidate = candidate >= PuzzleCount ? 1 : candidate + 1;
    }
    return 0;
}

void TPuzzleCore::LoadPuzzle(int n) {
    if (!EditMode && PuzzleCount >= 2) {
        n = FirstPlayablePuzzle(n);
    }
    // A number past the collection (an empty file, or one that shrank while the game ran) has
    // no puzzle to show.
    if (n < 1 || n > PuzzleCount) {
        CurrentPuzzle = 0;
        RowCount = 0;
        Rows = {};
        Actions.clear();
        return;
    }
    CurrentPuzzle = n;
    Actions = " " + PuzzleField(n, 2);
    // The board has room for MaxRows rows; a longer (invalid) action line is cut to fit.
    Actions.resize(std::min(Actions.size(), static_cast<size_t>(MaxRows)));
    RowCount = static_cast<int32_t>(Actions.size());
    Rows[1] = PuzzleField(n, 0);
    Rows[static_cast<size_t>(RowCount)] = PuzzleField(n, 1);
    for (size_t r = static_cast<size_t>(RowCount) + 1; r < Rows.size(); ++r) {
        Rows[r].clear();
    }
    if (!(EditMode && KeepRows)) {
        for (int r = 2; r < RowCount; ++r) {
            Rows[static_cast<size_t>(r)] =
                std::string(static_cast<size_t>(std::max(0, RowLength(r))), ' ');
        }
    }
}
