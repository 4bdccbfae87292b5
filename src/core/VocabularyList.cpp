#include "core/VocabularyList.h"

#include "core/WordText.h"

#include <algorithm>

std::vector<std::string> BuildVocabularyList(std::vector<std::string> lines) {
    // A stable sort keeps equal words in file order, so unique keeps the first spelling, as
    // inserting the lines one by one would; the check skips the sort for files in list order.
    if (!std::is_sorted(lines.begin(), lines.end(), LessNoCase)) {
        std::stable_sort(lines.begin(), lines.end(), LessNoCase);
    }
    lines.erase(std::unique(lines.begin(), lines.end(), EqualNoCase), lines.end());
    std::erase_if(lines, [](const std::string& line) { return TrimControls(line).empty(); });
    return lines;
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
