// Feeds arbitrary bytes to the vocabulary reader and checks the list it builds: strictly in
// case-insensitive order, and every word of the text found by a lookup.

#include "base/TextFile.h"
#include "base/Util.h"
#include "core/VocabularyList.h"
#include "core/WordText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = SplitTextLines(text);
    const std::vector<std::string> list = BuildVocabularyList(lines);
    for (size_t i = 1; i < list.size(); ++i) {
        if (CompareNoCase(list[i - 1], list[i]) >= 0) {
            std::abort();
        }
    }
    for (const std::string& line : lines) {
        if (!TrimControls(line).empty() && !VocabularyContains(list, UpperCaseASCII(line))) {
            std::abort();
        }
    }
    std::vector<std::string> grown = list;
    for (const std::string& line : lines) {
        InsertVocabularyWord(grown, line);
    }
    if (grown.size() < list.size()) {
        std::abort();
    }
    return 0;
}
