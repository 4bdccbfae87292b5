#include "screens/PuzzleSelection.h"

#include "base/Messages.h"
#include "base/Util.h"

#include <string>

namespace {
constexpr const char* FlaggedPlayQuestion =
    "The puzzle you selected has errors and is not available for play. Do you wish to edit it "
    "instead?";
} // namespace

std::vector<TSelectorEntry> BuildSelectorEntries(const TPuzzleCore& core, int32_t& position) {
    std::vector<TSelectorEntry> entries;
    entries.reserve(core.PuzzleCount);
    for (int n = 1; n <= core.PuzzleCount; ++n) {
        const std::string rows = std::to_string(core.PuzzleField(n, 2).size() + 1);
        entries.push_back({rows + " " + UpperCaseASCII(core.PuzzleField(n, 0)) + " " +
                               UpperCaseASCII(core.PuzzleField(n, 1)),
                           n});
    }
    position =
        core.CurrentPuzzle >= 1 && core.CurrentPuzzle <= core.PuzzleCount ? core.CurrentPuzzle : 0;
    return entries;
}

SelectorResult ApplySelectorOutcome(TPuzzleCore& core, const std::vector<TSelectorEntry>& entries,
                                    SelectorResult result, int32_t position) {
    if ((result == SelectorResult::Play || result == SelectorResult::Edit) && position >= 1 &&
        position <= static_cast<int32_t>(entries.size())) {
        const int chosen = entries[position - 1].Value;
        // Asked before the choice is taken, so that "No" leaves the board's puzzle current.
        if (result == SelectorResult::Play && core.PuzzleHasErrors(chosen)) {
            result = Confirm(std::string(TPuzzleCore::MessageCaption), FlaggedPlayQuestion)
                         ? SelectorResult::Edit
                         : SelectorResult::Close;
        }
        if (result != SelectorResult::Close) {
            core.CurrentPuzzle = chosen;
        }
    }
    bool deleted = false;
    for (const TSelectorEntry& entry : entries) {
        if (entry.Value < 0) {
            core.SetPuzzleDeleted(-entry.Value, true);
            deleted = true;
        }
    }
    if (result == SelectorResult::Close && core.CurrentPuzzle >= 1 &&
        core.IsPuzzleDeleted(core.CurrentPuzzle)) {
        result = SelectorResult::Play;
    }
    if (deleted) {
        core.RemoveDeletedPuzzles();
    }
    return result;
}
