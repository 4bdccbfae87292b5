#include "core/StepActions.h"

#include "base/Util.h"
#include "core/WordText.h"

#include <algorithm>
#include <string>

namespace {
// True when shorter is longer with exactly one letter deleted, at any position.
bool IsOneDeletion(std::string_view longer, std::string_view shorter) {
    if (longer.size() != shorter.size() + 1) {
        return false;
    }
    size_t i = 0; // into shorter
    size_t j = 0; // into longer
    while (i < shorter.size()) {
        if (shorter[i] == longer[j]) {
            ++i;
            ++j;
        } else {
            ++j;
            if (j > i + 1) {
                return false;
            }
        }
    }
    return true;
}

// Positions where two words of equal length differ, at most `limit` + 1 of them.
size_t CountDifferences(std::string_view a, std::string_view b, size_t limit) {
    size_t count = 0;
    for (size_t k = 0; k < a.size() && count <= limit; ++k) {
        if (a[k] != b[k]) {
            ++count;
        }
    }
    return count;
}

bool IsChange(std::string_view from, std::string_view to) {
    return CountDifferences(from, to, 1) == 1;
}

bool IsMove(std::string_view from, std::string_view to) {
    size_t first = 0;
    while (first < from.size() && from[first] == to[first]) {
        ++first;
    }
    if (first == from.size()) {
        return false;
    }
    size_t last = from.size() - 1;
    while (from[last] == to[last]) {
        --last;
    }
    if (first == last) {
        return false;
    }
    if (from[first] == to[last]) {
        // The letter moved rightwards; this outcome is final even when it fails.
        for (size_t k = first; k < last; ++k) {
            if (to[k] != from[k + 1]) {
                return false;
            }
        }
        return true;
    }
    if (from[last] == to[first]) {
        for (size_t k = first; k < last; ++k) {
            if (to[k + 1] != from[k]) {
                return false;
            }
        }
        return true;
    }
    return false;
}

bool IsScramble(std::string_view from, std::string_view to) {
    if (from == to) {
        return false;
    }
    std::array<int, 256> counts{};
    for (const char c : from) {
        ++counts[static_cast<unsigned char>(c)];
    }
    for (const char c : to) {
        if (--counts[static_cast<unsigned char>(c)] < 0) {
            return false;
        }
    }
    return true;
}

bool IsSwap(std::string_view from, std::string_view to) {
    size_t positions[2] = {0, 0};
    size_t count = 0;
    for (size_t k = 0; k < from.size(); ++k) {
        if (from[k] != to[k]) {
            if (count == 2) {
                return false;
            }
            positions[count++] = k;
        }
    }
    return count == 2 && to[positions[1]] == from[positions[0]] &&
           to[positions[0]] == from[positions[1]];
}
} // namespace

int ActionIndex(char code) {
    const size_t index = ActionCodes.find(code);
    return index == std::string_view::npos ? -1 : static_cast<int>(index);
}

int ActionLengthChange(char code) {
    if (code == 'A') {
        return 1;
    }
    return code == 'R' ? -1 : 0;
}

bool IsValidStep(char code, std::string_view fromWord, std::string_view toWord) {
    const std::string from = LowerCaseASCII(fromWord);
    const std::string to = LowerCaseASCII(toWord);
    if (from.find(' ') != std::string::npos || to.find(' ') != std::string::npos) {
        return false;
    }
    const size_t longest = std::max(from.size(), to.size());
    const size_t shortest = std::min(from.size(), to.size());
    if (longest - shortest > 1) {
        return false;
    }
    switch (code) {
    case 'A':
        return IsOneDeletion(to, from);
    case 'R':
        return IsOneDeletion(from, to);
    case 'C':
        return from.size() == to.size() && IsChange(from, to);
    case 'M':
        return from.size() == to.size() && IsMove(from, to);
    case 'S':
        return from.size() == to.size() && IsScramble(from, to);
    case 'X':
        return from.size() == to.size() && IsSwap(from, to);
    default:
        return false;
    }
}
