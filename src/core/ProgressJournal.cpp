#include "core/ProgressJournal.h"

#include "base/ErrorLog.h"
#include "base/TextFile.h"
#include "base/Util.h"
#include "core/StepActions.h"
#include "core/WordText.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::pair<PuzzleMark, std::string_view>, 3> MarkNames = {{
    {PuzzleMark::Shown, "shown"},
    {PuzzleMark::Helped, "helped"},
    {PuzzleMark::Solved, "solved"},
}};
constexpr std::string_view LastWord = "last";
constexpr std::string_view Header =
    "# Ladderly progress: mark, date, start word, end word, actions";

bool AllOf(std::string_view text, std::string_view allowed, size_t most) {
    return !text.empty() && text.size() <= most &&
           text.find_first_not_of(allowed) == std::string_view::npos;
}

bool IsDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (const size_t at : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// The blank-separated words of a line.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string_view::npos) {
        const size_t end = std::min(line.find_first_of(" \t", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// Takes one line into the journal; false when it cannot be read.
bool ReadLine(std::string_view line, TJournalText& journal) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.empty() || fields[0].front() == '#') {
        return true;
    }
    if (fields.size() != 5 || !IsDate(fields[1])) {
        return false;
    }
    const std::string key = ProgressKey(fields[2], fields[3], fields[4]);
    if (key.empty()) {
        return false;
    }
    const std::string word = LowerCaseASCII(fields[0]);
    if (word == LastWord) {
        journal.LastPuzzle = key;
        journal.LastDate = fields[1];
        return true;
    }
    for (const auto& [mark, name] : MarkNames) {
        if (word == name) {
            TJournalEntry& entry = journal.Marks[key];
            if (mark > entry.Mark) {
                entry = {mark, std::string(fields[1])};
            }
            return true;
        }
    }
    return false;
}

void Report(const std::string& problem, const fs::path& file) {
    LogError(std::runtime_error(problem + ": " + file.string()), "LoadProgress");
}

} // namespace

std::string ProgressKey(std::string_view start, std::string_view end, std::string_view actions) {
    constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    constexpr std::string_view Codes = "acmrsxACMRSX";
    start = TrimControls(start);
    end = TrimControls(end);
    actions = TrimControls(actions);
    if (!AllOf(start, Letters, MaxWordLength) || !AllOf(end, Letters, MaxWordLength) ||
        !AllOf(actions, Codes, MaxRows - 1)) {
        return {};
    }
    return LowerCaseASCII(start) + ' ' + LowerCaseASCII(end) + ' ' + LowerCaseASCII(actions);
}

TJournalText ParseJournal(std::string_view text) {
    TJournalText journal;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!ReadLine(line, journal)) {
            journal.Unread.emplace_back(line);
        }
    }
    return journal;
}

std::vector<std::string> FormatJournal(const TJournalText& journal) {
    std::vector<std::string> lines{std::string(Header)};
    for (const auto& [key, entry] : journal.Marks) {
        for (const auto& [mark, name] : MarkNames) {
            if (mark == entry.Mark) {
                lines.push_back(std::string(name) + ' ' + entry.Date + ' ' + key);
            }
        }
    }
    if (!journal.LastPuzzle.empty()) {
        lines.push_back(std::string(LastWord) + ' ' + journal.LastDate + ' ' + journal.LastPuzzle);
    }
    return lines;
}

std::string ProgressSummary(const std::vector<std::pair<int, PuzzleMark>>& puzzles) {
    std::map<int, std::pair<int, int>> byRows; // solved, all
    int solved = 0;
    for (const auto& [rows, mark] : puzzles) {
        const int won = IsSolvedMark(mark) ? 1 : 0;
        solved += won;
        byRows[rows].first += won;
        ++byRows[rows].second;
    }
    std::string text = "Solved " + std::to_string(solved) + " of " + std::to_string(puzzles.size());
    for (const auto& [rows, counts] : byRows) {
        text += " \u00b7 " + std::to_string(rows) + " rows " + std::to_string(counts.first) + '/' +
                std::to_string(counts.second);
    }
    return text;
}

std::string LocalDate() {
    return LocalTimeText("%Y-%m-%d");
}

TProgressJournal::TProgressJournal(fs::path file) : File_(std::move(file)) {}

void TProgressJournal::Load() {
    Text = {};
    Changed = false;
    Fault = LoadFault::None;
    if (File_.empty()) {
        return;
    }
    const TFileDate date = FileDate(File_);
    if (date.State == FileState::Missing) {
        return;
    }
    try {
        if (date.State == FileState::Unreadable) {
            Fault = LoadFault::Unreadable;
            Report("The progress journal is not a file that can be read", File_);
            return;
        }
        if (fs::file_size(File_) > MaxFileSize) {
            Fault = LoadFault::WholeFile;
            Report("The progress journal is too big to be ours", File_);
            return;
        }
        Text = ParseJournal(ReadTextFile(File_));
    } catch (const std::exception& fault) {
        Fault = LoadFault::Unreadable;
        LogError(fault, "LoadProgress");
        return;
    }
    if (!Text.Unread.empty()) {
        Fault = LoadFault::Lines;
        Report(std::to_string(Text.Unread.size()) +
                   " line(s) of the progress journal could not "
                   "be read; they are kept in " +
                   std::string(UnreadFileName) + " at the next win",
               File_);
    }
}

void TProgressJournal::KeepUnread() const {
    const fs::path unread = File_.parent_path() / UnreadFileName;
    if (Fault == LoadFault::Lines) {
        WriteLinesWithBackup(unread, Text.Unread);
    } else if (Fault == LoadFault::WholeFile) {
        fs::copy_file(File_, unread, fs::copy_options::overwrite_existing);
    }
}

void TProgressJournal::Save(bool win) {
    if (File_.empty() || !(win ? Changed || Damaged() : Changed && !Damaged())) {
        return;
    }
    try {
        if (File_.has_parent_path()) {
            fs::create_directories(File_.parent_path());
        }
        KeepUnread();
        WriteLinesWithBackup(File_, FormatJournal(Text));
        Text.Unread.clear();
        Fault = LoadFault::None;
        Changed = false;
    } catch (const std::exception& fault) {
        LogError(fault, "SaveProgress");
    }
}

PuzzleMark TProgressJournal::MarkOf(const std::string& key) const {
    const auto found = Text.Marks.find(key);
    return found == Text.Marks.end() ? PuzzleMark::None : found->second.Mark;
}

bool TProgressJournal::Mark(const std::string& key, PuzzleMark mark, const std::string& date) {
    if (key.empty() || mark <= MarkOf(key)) {
        return false;
    }
    Text.Marks[key] = {mark, date};
    Changed = true;
    return true;
}

void TProgressJournal::SetLastPuzzle(const std::string& key, const std::string& date) {
    if (key != Text.LastPuzzle) {
        Text.LastPuzzle = key;
        Text.LastDate = date;
        Changed = true;
    }
}
