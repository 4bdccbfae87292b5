#pragma once
// The bookkeeping around the puzzle selector on the puzzle collection: the entry list the
// selector shows, and the outcome applied when it closes (the current puzzle, the deletions).
// The room runs the selector between the two and dispatches on the result.

#include "core/PuzzleCore.h"
#include "screens/GameDialogs.h"

#include <cstdint>
#include <vector>

// One entry per puzzle in collection order: "<rows> <START> <END>" with the puzzle number as
// its value. position receives the entry of the current puzzle (0 when there is none).
std::vector<TSelectorEntry> BuildSelectorEntries(const TPuzzleCore& core, int32_t& position);

// Applies the selector's outcome: Play and Edit make the selected entry's puzzle current (Play
// on a puzzle with errors asks whether to edit it instead; "No" turns it into Close);
// every entry with a negative value is deleted, and the collection renumbered. Deleting the
// current puzzle turns Close into Play, so the puzzle that takes its place is loaded. Returns
// the result to dispatch on.
SelectorResult ApplySelectorOutcome(TPuzzleCore& core, const std::vector<TSelectorEntry>& entries,
                                    SelectorResult result, int32_t position);
