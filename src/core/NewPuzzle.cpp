// New puzzles of TPuzzleCore: the designer types a start and an end word, the pair is checked
// against the length rules and the words other puzzles already use, and a puzzle of the longest
// kind is appended and opened in the editor. Also opening an existing puzzle in the editor.

#include "base/Messages.h"

#include "base/Util.h"
#include "core/PuzzleCore.h"
#include "core/WordText.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr size_t MessageWidth = 50;

bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}

std::string LettersOnly(std::string_view text) {
    std::string letters;
    for (const char c : text) {
        if (IsLowerLetter(c)) {
            letters += c;
        }
    }
    return letters;
}

std::string Quoted(std::string_view word) {
    return "\"" + std::string(word) + "\"";
}

// '"cat" has already been used in 2 puzzles'
std::string UsagePhrase(std::string_view word, int count) {
    return Quoted(word) + " has already been used in " + std::to_string(count) + " puzzle" +
           (count > 1 ? "s" : "");
}

bool Ask(const std::string& text) {
    return Confirm(std::string(TPuzzleCore::MessageCaption), WrapText(text, MessageWidth));
}
} // namespace

std::optional<std::pair<std::string, std::string>>
TPuzzleCore::ParseNewPuzzleWords(std::string_view text) {
    const std::string trimmed = LowerCaseASCII(TrimControls(text));
    const size_t blank = trimmed.find(' ');
    if (blank == std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(LettersOnly(std::string_view(trimmed).substr(0, blank)),
                          LettersOnly(std::string_view(trimmed).substr(blank + 1)));
}

std::string TPuzzleCore::InitialActionCodes(std::string_view start, std::string_view end) {
    std::string codes(MaxRows - 1, 'C');
    const int difference = static_cast<int>(start.size()) - static_cast<int>(end.size());
    const size_t count = std::min(static_cast<size_t>(std::abs(difference)), codes.size());
    codes.replace(0, count, count, difference > 0 ? 'R' : 'A');
    return codes;
}

bool TPuzzleCore::CheckNewPuzzleWords(std::string start, std::string end) const {
    start = LowerCaseASCII(start);
    end = LowerCaseASCII(end);
    if (start.empty() || end.empty() || start.size() > MaxWordLength ||
        end.size() > MaxWordLength || start == end) {
        Inform(std::string(MessageCaption),
               WrapText("The words used as the start and end of a Ladderly puzzle must "
                        "be:\r\n\r\n    a) 1-" +
                            std::to_string(MaxWordLength) +
                            " letters in length; and\r\n    b) different from each "
                            "other.\r\n\r\nThe words you entered (" +
                            Quoted(start) + " and " + Quoted(end) +
                            ") do not meet both these criteria.",
                        MessageWidth));
        return false;
    }
    int startUses = 0;
    int endUses = 0;
    for (int n = 1; n <= PuzzleCount; ++n) {
        const std::string first = PuzzleField(n, 0);
        const std::string last = PuzzleField(n, 1);
        const bool usesStart = EqualNoCase(start, first) || EqualNoCase(start, last);
        const bool usesEnd = EqualNoCase(end, first) || EqualNoCase(end, last);
        startUses += usesStart ? 1 : 0;
        endUses += usesEnd ? 1 : 0;
        if (usesStart && usesEnd) {
            // The same pair, either way round: one question, and no usage warning after it.
            return Ask("There is already a puzzle using the words " + Quoted(start) + " and " +
                       Quoted(end) +
                       ". Do you want to create a new puzzle with these words "
                       "anyway?");
        }
    }
    if (startUses == 0 && endUses == 0) {
        return true;
    }
    std::string phrase = UsagePhrase(end, endUses);
    if (endUses == 0) {
        phrase = UsagePhrase(start, startUses);
    } else if (startUses > 0) {
        phrase = UsagePhrase(start, startUses) + " and " + phrase;
    }
    return Ask("Warning: " + phrase + ". Do you want to create the new puzzle anyway?");
}

void TPuzzleCore::AppendNewPuzzle(const std::string& start, const std::string& end) {
    PuzzleLines.push_back({LowerCaseASCII(start), 0});
    PuzzleLines.push_back({LowerCaseASCII(end), 0});
    PuzzleLines.push_back({InitialActionCodes(start, end), 0});
    PuzzleLines.push_back({"", 0});
    ++PuzzleCount;
    CurrentPuzzle = PuzzleCount;
}

void TPuzzleCore::RememberEditStart(bool newPuzzle) {
    NewPuzzle = newPuzzle;
    EditStartActions = std::string(TrimControls(PuzzleField(CurrentPuzzle, 2)));
    EditStartHints = PuzzleField(CurrentPuzzle, 3);
}

void TPuzzleCore::SetEditMode(bool flag) {
    EditMode = flag;
    if (!flag) {
        KeepRows = false;
    }
}

void TPuzzleCore::CreateNewPuzzle() {
    IUserInterface& ui = GetUserInterface();
    const std::optional<std::string> text =
        ui.InputBox("New Puzzle", "Enter start and end words, separated by space:", "");
    if (!text) {
        return;
    }
    ui.ProcessPendingMessages();
    const auto words = ParseNewPuzzleWords(*text);
    if (!words || !CheckNewPuzzleWords(words->first, words->second)) {
        return;
    }
    EditStartPuzzle = CurrentPuzzle;
    AppendNewPuzzle(words->first, words->second);
    SetEditMode(true);
    RememberEditStart(true);
    LoadPuzzle(CurrentPuzzle);
    KeepRows = true;
}

void TPuzzleCore::EditCurrentPuzzle() {
    if (!HasPuzzle(CurrentPuzzle)) {
        return;
    }
    SetEditMode(true);
    RememberEditStart(false);
    LoadPuzzle(CurrentPuzzle);
    KeepRows = true;
}
