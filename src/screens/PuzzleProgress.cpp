#include "screens/PuzzleProgress.h"

#include "core/StepActions.h"
#include "framework/FrameSet.h"

void TPuzzleProgress::Open(std::filesystem::path file, bool resume) {
    Journal = TProgressJournal(std::move(file));
    Journal.Load();
    Resume = resume;
}

std::string TPuzzleProgress::KeyOf(const TPuzzleCore& core, int n) {
    return ProgressKey(core.PuzzleField(n, 0), core.PuzzleField(n, 1), core.PuzzleField(n, 2));
}

PuzzleMark TPuzzleProgress::MarkOf(const TPuzzleCore& core, int n) const {
    const std::string key = KeyOf(core, n);
    return key.empty() ? PuzzleMark::None : Journal.MarkOf(key);
}

int TPuzzleProgress::FirstPuzzle(const TPuzzleCore& core) const {
    const int count = core.PuzzleCount;
    if (!Resume || count < 1) {
        return 1;
    }
    int last = 1;
    for (int n = 1; n <= count && !Journal.LastPuzzle().empty(); ++n) {
        if (KeyOf(core, n) == Journal.LastPuzzle()) {
            last = n;
            break;
        }
    }
    for (int step = 0; step < count; ++step) {
        const int n = (last - 1 + step) % count + 1;
        if (!core.PuzzleHasErrors(n) && !IsSolvedMark(MarkOf(core, n))) {
            return n;
        }
    }
    return last;
}

void TPuzzleProgress::PuzzleStarted() {
    Helped = false;
    Shown = false;
}

void TPuzzleProgress::SolverFinished(const TPuzzleCore& core) {
    const int n = core.RowCount;
    bool ladder = n >= 3 && core.CurrentPuzzle > 0;
    for (int r = 2; r <= n && ladder; ++r) {
        ladder =
            IsValidStep(core.Actions[static_cast<size_t>(r - 1)],
                        core.Rows[static_cast<size_t>(r - 1)], core.Rows[static_cast<size_t>(r)]);
    }
    if (ladder) {
        Shown = true;
        Journal.Mark(KeyOf(core, core.CurrentPuzzle), PuzzleMark::Shown, Today());
    }
}

void TPuzzleProgress::PuzzleWon(const TPuzzleCore& core) {
    const PuzzleMark mark =
        Shown ? PuzzleMark::Shown : (Helped ? PuzzleMark::Helped : PuzzleMark::Solved);
    Journal.Mark(KeyOf(core, core.CurrentPuzzle), mark, Today());
    Journal.Save(true);
}

void TPuzzleProgress::GameEnding(const TPuzzleCore& core) {
    // A puzzle in the editor may differ from the collection's, so the last one played stays.
    const std::string key = KeyOf(core, core.CurrentPuzzle);
    if (!core.EditMode && !key.empty()) {
        Journal.SetLastPuzzle(key, Today());
    }
    Journal.Save(false);
}

void TPuzzleProgress::MarkEntries(const TPuzzleCore& core,
                                  std::vector<TSelectorEntry>& entries) const {
    for (TSelectorEntry& entry : entries) {
        entry.Mark = MarkOf(core, entry.Value);
    }
}

void TPuzzleProgress::ShowBadge(const TPuzzleCore& core, TFrameSet& badge) const {
    const PuzzleMark mark = core.EditMode || core.CurrentPuzzle < 1
                                ? PuzzleMark::None
                                : MarkOf(core, core.CurrentPuzzle);
    badge.Visible = IsSolvedMark(mark);
    badge.Frame = mark == PuzzleMark::Solved ? 0 : 1;
}
