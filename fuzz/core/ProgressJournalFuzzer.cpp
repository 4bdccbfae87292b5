// Reads arbitrary bytes as a progress journal, then writes what was read and reads that again:
// the second reading must take every line and give the same journal.

#include "core/ProgressJournal.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TJournalText journal =
        ParseJournal(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> lines = FormatJournal(journal);
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    const TJournalText again = ParseJournal(text);
    if (!again.Unread.empty() || FormatJournal(again) != lines) {
        __builtin_trap();
    }
    return 0;
}
