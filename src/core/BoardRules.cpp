// The board rules of TPuzzleCore: the length each row must have, and how the editor derives
// action codes from what the designer types.

#include "core/PuzzleCore.h"

#include <algorithm>
#include <cstdlib>

namespace {
bool HasBlank(const std::string& row) {
    return row.find(' ') != std::string::npos;
}
} // namespace

int TPuzzleCore::RowLength(int r) const {
    if (r >= 1 && r <= MaxRows && (r == 1 || r == RowCount)) {
        return static_cast<int>(Rows[static_cast<size_t>(r)].size());
    }
    int length = static_cast<int>(Rows[1].size());
    if (r < 2 || static_cast<int>(Actions.size()) < r) {
        return length;
    }
    for (int k = 2; k <= r; ++k) {
        length += ActionLengthChange(Actions[static_cast<size_t>(k - 1)]);
    }
    return length;
}

bool TPuzzleCore::InferStepActions() {
    bool changed = false;
    const int last = std::min({RowCount, MaxRows, static_cast<int>(Actions.size())});
    for (int k = 2; k <= last; ++k) {
        const std::string& previous = Rows[static_cast<size_t>(k - 1)];
        const std::string& current = Rows[static_cast<size_t>(k)];
        char& code = Actions[static_cast<size_t>(k - 1)];
        const size_t lp = previous.size();
        const size_t lc = current.size();
        char wanted = code;
        if (lp == lc + 1) {
            wanted = 'R';
        } else if (lp + 1 == lc) {
            wanted = 'A';
        } else if (lp == lc) {
            if (HasBlank(previous) || HasBlank(current)) {
                if (code == 'A' || code == 'R') {
                    wanted = 'C';
                }
            } else if (!IsValidStep(code, previous, current) && !changed) {
                for (const char candidate : {'C', 'X', 'M', 'S'}) {
                    if (IsValidStep(candidate, previous, current)) {
                        wanted = candidate;
                        break;
                    }
                }
            }
        }
        if (wanted != code) {
            code = wanted;
            changed = true;
        }
    }
    return changed;
}

bool TPuzzleCore::NormalizeRowLengths() {
    bool changed = false;
    const int last = std::min({RowCount, MaxRows, static_cast<int>(Actions.size())});
    bool gapFound = true;
    while (gapFound) {
        gapFound = false;
        for (int k = 2; k <= last; ++k) {
            const int lp = static_cast<int>(Rows[static_cast<size_t>(k - 1)].size());
            std::string& current = Rows[static_cast<size_t>(k)];
            const int lc = static_cast<int>(current.size());
            char& code = Actions[static_cast<size_t>(k - 1)];
            // The end word is never padded or cut: its step keeps the direction, and
            // validation reports the length it lacks.
            if (std::abs(lp - lc) > 1 && k < last) {
                SetHint(k, "");
                if (lp > lc) {
                    current += ' ';
                    code = 'R';
                } else {
                    current.pop_back();
                    code = 'A';
                }
                gapFound = true;
                changed = true;
                continue;
            }
            char wanted = code;
            if (lp > lc && code != 'R') {
                wanted = 'R';
            } else if (lp < lc && code != 'A') {
                wanted = 'A';
            } else if (lp == lc && (code == 'A' || code == 'R')) {
                wanted = 'C';
            }
            if (wanted != code) {
                code = wanted;
                changed = true;
            }
        }
    }
    return changed;
}
