// The hidden ladder solver of TPuzzleCore: an exhaustive depth-first search over the
// vocabulary, ordered by word length for the search so each row tries only words of its length.

#include "base/Util.h"
#include "core/PuzzleCore.h"
#include "core/WordText.h"

namespace {
constexpr int32_t LongestIndexedLength = 8;
}

void TPuzzleCore::SolveLadder() {
    SortStringList(Vocabulary, [this](size_t a, size_t b) {
        return Vocabulary[a].size() < Vocabulary[b].size();
    });
    const int32_t count = static_cast<int32_t>(Vocabulary.size());
    LengthIndex.fill(0);
    int32_t length = 0;
    int32_t i = 0;
    while (i < count && length < LongestIndexedLength) {
        if (static_cast<int32_t>(Vocabulary[static_cast<size_t>(i)].size()) != length) {
            ++length;
            LengthIndex[static_cast<size_t>(length)] = i;
        } else {
            ++i;
        }
    }
    for (int32_t l = length + 1; l <= LongestIndexedLength; ++l) {
        LengthIndex[static_cast<size_t>(l)] = i;
    }

    // Lookups binary-search the vocabulary in its own case-insensitive order, so that order
    // comes back whatever ends the search.
    const auto restore = [this] {
        SortStringList(Vocabulary, [this](size_t a, size_t b) {
            return LessNoCase(Vocabulary[a], Vocabulary[b]);
        });
    };
    try {
        SolveFromRow(2);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

bool TPuzzleCore::SolveFromRow(int r) {
    if (SolverStopped() || r < 2 || r > RowCount || r > MaxRows) {
        return false;
    }
    const char code =
        static_cast<size_t>(r - 1) < Actions.size() ? Actions[static_cast<size_t>(r - 1)] : ' ';
    const std::string& above = Rows[static_cast<size_t>(r - 1)];
    std::string& row = Rows[static_cast<size_t>(r)];
    if (r == RowCount) {
        return IsValidStep(code, above, row);
    }

    const std::string hint = GetHint(r);
    if (!hint.empty()) {
        // A hinted row keeps its hint: it is never given another word nor blanked.
        if (!IsValidStep(code, above, hint)) {
            return false;
        }
        row = UpperCaseASCII(hint);
        ShowSolverRow(r);
        return SolveFromRow(r + 1);
    }

    const int length = RowLength(r);
    if (length >= 0 && length < LongestIndexedLength) {
        const int32_t first = LengthIndex[static_cast<size_t>(length)];
        const int32_t end = LengthIndex[static_cast<size_t>(length) + 1];
        for (int32_t i = first; i < end; ++i) {
            const std::string& word = Vocabulary[static_cast<size_t>(i)];
            if (!IsValidStep(code, above, word)) {
                continue;
            }
            row = UpperCaseASCII(word);
            ShowSolverRow(r);
            if (SolveFromRow(r + 1)) {
                return true;
            }
        }
    }
    row.assign(static_cast<size_t>(length > 0 ? length : 0), ' ');
    ShowSolverRow(r);
    return false;
}

// Without a screen the search runs unseen.
void TPuzzleCore::ShowSolverRow(int) {}
