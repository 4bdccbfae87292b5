#include "screens/dialogs/WordRules.h"

#include <array>
#include <cstddef>

namespace {

// The blocked words, one per column read top to bottom, so that none of them appears in the
// program as text. "." fills a column; a "=" anywhere in it makes the word a stem that is
// blocked inside longer words too.
constexpr std::array<std::string_view, 7> BlockedColumns = {
    "n...w....", ".c=secc=g", "ihfpt.o.o", ".ia.bu.ko", "=ngian.i.", "gk..ctokk", "g.gck=ne.",
};

struct BlockedWord {
    std::string text;
    bool stem = false;
};

std::vector<BlockedWord> DecodeBlockedWords() {
    std::vector<BlockedWord> words(BlockedColumns[0].size());
    for (std::size_t column = 0; column < words.size(); ++column) {
        for (const std::string_view row : BlockedColumns) {
            const char c = row[column];
            if (c == '=') {
                words[column].stem = true;
            } else if (c != '.') {
                words[column].text += c;
            }
        }
    }
    return words;
}

} // namespace

bool IsWordAllowed(std::string_view word) {
    static const std::vector<BlockedWord> blocked = DecodeBlockedWords();
    for (const BlockedWord& candidate : blocked) {
        if (word == candidate.text ||
            (candidate.stem && word.find(candidate.text) != std::string_view::npos)) {
            return false;
        }
    }
    return true;
}

int FindNearestItem(const std::vector<std::string>& items, std::string_view text) {
    const int count = static_cast<int>(items.size());
    if (count == 0) {
        return -1;
    }
    int low = 0;
    int high = count - 1;
    int mid = count / 2;
    for (;;) {
        const int order = std::string_view(items[mid]).compare(text);
        if (order == 0) {
            return mid;
        }
        if (order < 0) {
            if (mid != count - 1 && std::string_view(items[mid + 1]).compare(text) <= 0) {
                low = mid;
                mid = (mid + high + 1) / 2;
                continue;
            }
            return mid == count - 1 ? mid : mid + 1;
        }
        if (mid == 0) {
            return 0;
        }
        high = mid;
        mid = (low + mid) / 2;
    }
}
