#include "core/VocabularyList.h"

#include "base/Util.h"
#include "core/WordText.h"

#include <algorithm>
#include <cstdint>

std::vector<std::string> BuildVocabularyList(std::vector<std::string> lines) {
    // Lines in list order, the order the game writes, take one pass; dropping blank-only lines
    // early changes nothing, as such a line can only equal another blank-only line.
    size_t kept = 0;
    size_t next = 0;
    for (; next < lines.size(); ++next) {
        if (TrimControls(lines[next]).empty()) {
            continue;
        }
        if (kept > 0) {
            const int order = CompareNoCase(lines[kept - 1], lines[next]);
            if (order > 0) {
                break;
            }
            if (order == 0) {
                continue;
            }
        }
        if (kept != next) {
            lines[kept] = std::move(lines[next]);
        }
        ++kept;
    }
    if (next == lines.size()) {
        lines.resize(kept);
        return lines;
    }
    // Out of order. What the pass skipped so far repeats a kept word or is blank, and can go.
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(kept),
                lines.begin() + static_cast<std::ptrdiff_t>(next));
    std::erase_if(lines, [](const std::string& line) { return TrimControls(line).empty(); });
    // Sorting folded copies compares plain bytes, and most comparisons are settled by the first
    // eight bytes packed into one number. The position breaks ties, so the first spelling of
    // each word comes first and is the one kept, as inserting the lines one by one would do.
    struct Key {
        uint64_t prefix;
        size_t index;
    };
    std::vector<std::string> folded;
    std::vector<Key> keys;
    folded.reserve(lines.size());
    keys.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        folded.push_back(LowerCaseASCII(lines[i]));
        uint64_t prefix = 0;
        for (size_t k = 0; k < 8; ++k) {
            prefix = (prefix << 8) |
                     (k < folded[i].size() ? static_cast<unsigned char>(folded[i][k]) : 0u);
        }
        keys.push_back({prefix, i});
    }
    std::sort(keys.begin(), keys.end(), [&folded](const Key& a, const Key& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        const int order = folded[a.index].compare(folded[b.index]);
        return order != 0 ? order < 0 : a.index < b.index;
    });
    std::vector<std::string> list;
    list.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i == 0 || folded[keys[i].index] != folded[keys[i - 1].index]) {
            list.push_back(std::move(lines[keys[i].index]));
        }
    }
    return list;
}

bool VocabularyContains(const std::vector<std::string>& list, std::string_view word) {
    return std::binary_search(
        list.begin(), list.end(), word,
        [](std::string_view a, std::string_view b) { return LessNoCase(a, b); });
}

void InsertVocabularyWord(std::vector<std::string>& list, std::string word) {
    const auto place =
        std::lower_bound(list.begin(), list.end(), word,
                         [](std::string_view a, std::string_view b) { return LessNoCase(a, b); });
    if (place != list.end() && EqualNoCase(*place, word)) {
        return;
    }
    list.insert(place, std::move(word));
}
