// The puzzle collection of TPuzzleCore: four lines per puzzle (start word, end word, action line,
// hint line), ordered at load time by a difficulty key, and written back with one backup.

#include "base/Messages.h"

#include "base/TextFile.h"
#include "base/Util.h"
#include "core/PuzzleCore.h"
#include "core/WordText.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace {
// The decimal value of the whole text, or 0 when it is not an integer.
int IntegerOrZero(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (error == std::errc() && end == text.data() + text.size()) ? value : 0;
}
} // namespace

void TPuzzleCore::LoadGameData() {
    LoadVocabulary();
    LoadPuzzles();
}

bool TPuzzleCore::LoadPuzzles() {
    const std::filesystem::path path = ReadPath(PuzzleFileName);
    const TFileDate date = FileDate(path);
    if (!IsNewerThanLoaded(date, path == PuzzleFileRead ? PuzzleFileDate : std::nullopt)) {
        return false;
    }
    std::vector<std::string> lines = ReadTextLines(path);
    PuzzleFileRead = path;
    PuzzleFileDate = date.Time;
    // The puzzle on the board is looked up again after the reread (the order changes), and the
    // one in the editor keeps its unsaved changes; so is the puzzle a new one returns to.
    std::vector<TPuzzleLine> onBoard;
    if (FieldLine(CurrentPuzzle, 0) != nullptr) {
        const auto first = PuzzleLines.begin() + (CurrentPuzzle - 1) * LinesPerPuzzle;
        onBoard.assign(first, first + LinesPerPuzzle);
    }
    const std::vector<std::string> returnTo =
        EditMode && NewPuzzle ? PuzzleWordsAndCodes(EditStartPuzzle) : std::vector<std::string>();
    PuzzleCount = static_cast<int32_t>(lines.size() / LinesPerPuzzle);

    // Groups with equal keys keep their file order.
    std::vector<int> keys(static_cast<size_t>(PuzzleCount) + 1);
    for (int n = 1; n <= PuzzleCount; ++n) {
        keys[static_cast<size_t>(n)] = PuzzleSortKey(lines, n);
    }
    std::vector<int> order(static_cast<size_t>(PuzzleCount));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
    });

    PuzzleLines.clear();
    PuzzleLines.reserve(order.size() * LinesPerPuzzle);
    for (const int n : order) {
        const size_t first = static_cast<size_t>(n - 1) * LinesPerPuzzle;
        for (size_t line = first; line < first + LinesPerPuzzle; ++line) {
            PuzzleLines.push_back({std::move(lines[line]), 0});
        }
    }
    ValidateAllPuzzles();
    if (!returnTo.empty()) {
        EditStartPuzzle = FindPuzzle(returnTo);
    }
    if (!onBoard.empty()) {
        KeepPuzzleOnBoard(std::move(onBoard));
    }
    return true;
}

void TPuzzleCore::KeepPuzzleOnBoard(std::vector<TPuzzleLine> onBoard) {
    // In play mode the board shows the words and codes; the file holds an edited puzzle as it
    // was when editing began, and a new one not at all.
    std::vector<std::string> wanted;
    for (const TPuzzleLine& line : onBoard) {
        wanted.push_back(line.Text);
    }
    if (EditMode) {
        wanted[2] = EditStartActions;
        wanted[3] = EditStartHints;
    } else {
        wanted.pop_back();
    }
    int found = EditMode && NewPuzzle ? 0 : FindPuzzle(wanted);
    if (!EditMode) {
        // A puzzle gone from the file leaves the board to the one now at its number.
        CurrentPuzzle = found != 0 ? found : std::min(CurrentPuzzle, PuzzleCount);
        return;
    }
    if (found == 0) {
        // A new puzzle, or one the file no longer has, goes last.
        PuzzleLines.insert(PuzzleLines.end(), onBoard.begin(), onBoard.end());
        found = ++PuzzleCount;
    } else {
        for (int f = 0; f < LinesPerPuzzle; ++f) {
            PuzzleLines[static_cast<size_t>((found - 1) * LinesPerPuzzle + f)].Text =
                onBoard[static_cast<size_t>(f)].Text;
        }
    }
    CurrentPuzzle = found;
}

std::vector<std::string> TPuzzleCore::PuzzleWordsAndCodes(int n) const {
    std::vector<std::string> fields;
    for (int f = 0; f < 3 && HasPuzzle(n); ++f) {
        fields.push_back(PuzzleField(n, f));
    }
    return fields;
}

int TPuzzleCore::FindPuzzle(const std::vector<std::string>& fields) const {
    for (int n = 1; n <= PuzzleCount; ++n) {
        bool same = true;
        for (size_t f = 0; f < fields.size() && same; ++f) {
            same = EqualNoCase(TrimControls(PuzzleField(n, static_cast<int>(f))),
                               TrimControls(fields[f]));
        }
        if (same) {
            return n;
        }
    }
    return 0;
}

std::string TPuzzleCore::PuzzleField(int n, int f) const {
    if (!HasPuzzle(n) || f < 0 || f >= LinesPerPuzzle) {
        return {};
    }
    return UpperCaseASCII(PuzzleLines[static_cast<size_t>((n - 1) * LinesPerPuzzle + f)].Text);
}

bool TPuzzleCore::HasPuzzle(int n) const {
    return n >= 1 && n <= PuzzleCount &&
           static_cast<size_t>(n) * LinesPerPuzzle <= PuzzleLines.size();
}

TPuzzleLine* TPuzzleCore::FieldLine(int n, int f) {
    if (!HasPuzzle(n)) {
        return nullptr;
    }
    return &PuzzleLines[static_cast<size_t>((n - 1) * LinesPerPuzzle + f)];
}

int TPuzzleCore::PuzzleSortKey(const std::vector<std::string>& lines, int n) {
    if (n < 1 || static_cast<size_t>(n) * LinesPerPuzzle > lines.size()) {
        return 0;
    }
    const size_t first = static_cast<size_t>(n - 1) * LinesPerPuzzle;
    return static_cast<int>(15 * lines[first + 2].size() + lines[first].size() +
                            lines[first + 1].size());
}

bool TPuzzleCore::PuzzleHasErrors(int n) const {
    if (!HasPuzzle(n)) {
        return false;
    }
    return PuzzleLines[static_cast<size_t>((n - 1) * LinesPerPuzzle)].Value != 0;
}

void TPuzzleCore::SetPuzzleHasErrors(int n, bool flag) {
    if (TPuzzleLine* line = FieldLine(n, 0)) {
        line->Value = flag ? 1 : 0;
    }
}

bool TPuzzleCore::IsPuzzleDeleted(int n) const {
    if (!HasPuzzle(n)) {
        return false;
    }
    const std::string& first = PuzzleLines[static_cast<size_t>((n - 1) * LinesPerPuzzle)].Text;
    return !first.empty() && first.front() == '@';
}

void TPuzzleCore::SetPuzzleDeleted(int n, bool flag) {
    TPuzzleLine* line = FieldLine(n, 0);
    if (line == nullptr || IsPuzzleDeleted(n) == flag) {
        return;
    }
    if (flag) {
        line->Text.insert(0, 1, '@');
    } else {
        line->Text.erase(0, 1);
    }
}

void TPuzzleCore::RemoveDeletedPuzzles() {
    bool removed = false;
    for (int n = PuzzleCount; n >= 1; --n) {
        if (!IsPuzzleDeleted(n)) {
            continue;
        }
        const auto first = PuzzleLines.begin() + (n - 1) * LinesPerPuzzle;
        PuzzleLines.erase(first, first + LinesPerPuzzle);
        --PuzzleCount;
        removed = true;
        if (CurrentPuzzle >= n) {
            if (CurrentPuzzle > 1) {
                --CurrentPuzzle;
            } else if (PuzzleCount == 0) {
                CurrentPuzzle = 0;
            }
        }
    }
    if (removed) {
        PuzzlesModified = true;
    }
}

std::string TPuzzleCore::GetHint(int r) const {
    if (CurrentPuzzle < 1) {
        return {};
    }
    std::string hints = PuzzleField(CurrentPuzzle, 3);
    const size_t at = hints.find(std::to_string(r) + "=");
    if (at == std::string::npos) {
        return {};
    }
    // Drops the text before the key and the key's first two characters.
    hints.erase(0, at + 2);
    const size_t comma = hints.find(',');
    if (comma != std::string::npos) {
        hints.erase(comma);
    }
    return hints;
}

void TPuzzleCore::SetHint(int r, std::string_view word) {
    TPuzzleLine* line = FieldLine(CurrentPuzzle, 3);
    if (line == nullptr) {
        return;
    }
    const std::string hints = UpperCaseASCII(line->Text);
    std::string before;
    std::string after;
    const size_t at = hints.find(std::to_string(r) + "=");
    if (at != std::string::npos) {
        before = hints.substr(0, at);
        const size_t comma = hints.find(',', at);
        after = comma == std::string::npos ? std::string() : hints.substr(comma + 1);
    } else {
        // The new entry follows the nearest lower row that has one, or goes first.
        after = hints;
        for (int k = r - 1; k >= 1 && before.empty(); --k) {
            const size_t lower = hints.find(std::to_string(k) + "=");
            if (lower == std::string::npos) {
                continue;
            }
            before = hints.substr(0, lower + 2);
            const std::string rest = hints.substr(lower + 2);
            const size_t comma = rest.find(',');
            if (comma != std::string::npos) {
                before += rest.substr(0, comma + 1);
                after = rest.substr(comma + 1);
            } else {
                before += rest;
                after.clear();
            }
        }
    }
    if (!before.empty() && before.back() == ',') {
        before.pop_back();
    }
    if (!word.empty()) {
        std::string entry = std::to_string(r) + "=" + std::string(word);
        after = after.empty() ? entry : entry + "," + after;
    }
    const std::string joined =
        (!before.empty() && !after.empty()) ? before + "," + after : before + after;
    line->Text = LowerCaseASCII(joined);
}

int TPuzzleCore::NextHint(std::string& hint) const {
    const std::string hints = hint;
    size_t start = 0;
    for (;;) {
        const size_t comma = hints.find(',', start);
        const std::string_view entry = std::string_view(hints).substr(
            start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t equals = entry.find('=');
        const int row =
            equals == std::string_view::npos ? 0 : IntegerOrZero(entry.substr(0, equals));
        if (row == 0) {
            return 0;
        }
        // The start and end words are never hints.
        if (row >= 2 && row < RowCount && row <= MaxRows) {
            const std::string_view word = entry.substr(equals + 1);
            const std::string& board = Rows[static_cast<size_t>(row)];
            if (board.size() == word.size() && board != word) {
                hint = std::string(word);
                return row;
            }
        }
        if (comma == std::string::npos) {
            return 0;
        }
        start = comma + 1;
    }
}

void TPuzzleCore::SavePuzzles() {
    // Closing in the middle of an edit keeps only what was accepted.
    std::string question(SaveQuestion);
    if (EditMode) {
        if (CanAcceptEdit()) {
            question.insert(0, UnacceptedEditNote);
        }
        // The screen is going away: only the data leaves edit mode.
        TPuzzleCore::SetEditMode(false);
        DiscardEdit();
    }
    if (PuzzlesModified && Confirm(std::string(MessageCaption), question)) {
        std::vector<std::string> lines;
        lines.reserve(PuzzleLines.size());
        for (const TPuzzleLine& line : PuzzleLines) {
            lines.push_back(line.Text);
        }
        WriteLinesWithBackup(SavePath(PuzzleFileName), lines);
    }
    ClearGameData();
}

void TPuzzleCore::ClearGameData() {
    PuzzleLines.clear();
    // The count goes with the lines, so no number can reach past the emptied list.
    PuzzleCount = 0;
    CurrentPuzzle = 0;
    Vocabulary.clear();
    PuzzleFileDate.reset();
    VocabFileDate.reset();
}
