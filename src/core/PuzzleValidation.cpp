// Validation of TPuzzleCore: whether a puzzle's words are known, its action codes keep every
// row within the length limits and its hints fit its ladder. The first problem of the words and
// codes is reported, then one message for each broken hint.

#include "base/Messages.h"

#include "core/PuzzleCore.h"

#include <charconv>
#include <map>

namespace {
std::string Number(int value) {
    return std::to_string(value);
}

// The row of a hint entry "row=word" and its word; row 0 when the entry is not of that form.
std::pair<int, std::string> HintEntry(std::string_view entry) {
    const size_t equals = entry.find('=');
    int row = 0;
    if (equals == std::string_view::npos ||
        std::from_chars(entry.data(), entry.data() + equals, row).ptr != entry.data() + equals) {
        return {0, {}};
    }
    const std::string word(entry.substr(equals + 1));
    const bool letters =
        !word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos;
    return {letters ? row : 0, word};
}

// The display name of a code validation has already accepted.
std::string ActionName(char code) {
    return std::string(ActionNames[static_cast<size_t>(ActionIndex(code))]);
}
} // namespace

bool TPuzzleCore::ValidatePuzzle(int n, std::string& errors) const {
    const int p = n == 0 ? CurrentPuzzle : n;
    if (p < 1) {
        return false;
    }
    const std::string start = PuzzleField(p, 0);
    const std::string end = PuzzleField(p, 1);
    std::string name = "the puzzle";
    std::string capitalName = "The puzzle";
    if (n != 0) {
        name = "puzzle " + Number(n) + " (" + start + " => " + end + ") ";
        capitalName = "P" + name.substr(1);
    }
    // The board's codes are the puzzle's while it is being edited.
    const std::string codes = (EditMode && n == 0)
                                  ? (Actions.empty() ? std::string() : Actions.substr(1))
                                  : PuzzleField(p, 2);

    if (!IsInVocabulary(start)) {
        errors +=
            "\r\nThe starting word (" + start + ") of " + name + " is not in the game vocabulary.";
        return false;
    }
    if (!IsInVocabulary(end)) {
        errors += "\r\nThe final word (" + end + ") of " + name + " is not in the game vocabulary.";
        return false;
    }
    const int codeCount = static_cast<int>(codes.size());
    if (codeCount >= MaxRows) {
        errors += "\r\n" + capitalName + " has " + Number(codeCount + 1) +
                  " steps. The maximum allowed is " + Number(MaxRows) + ".";
        return false;
    }
    // Without a code the board would have a single row holding both words.
    if (codeCount < 1) {
        errors += "\r\n" + capitalName + " has 1 step. The minimum allowed is 2.";
        return false;
    }
    int length = static_cast<int>(start.size());
    if (length == 0 || length > MaxWordLength) {
        errors += "\r\nThe starting word of " + name + " has " + Number(length) +
                  " letters. It must be in the range 1 - " + Number(MaxWordLength) + ".";
        return false;
    }
    for (int i = 1; i <= codeCount; ++i) {
        const char code = codes[static_cast<size_t>(i - 1)];
        if (ActionIndex(code) < 0) {
            errors += "\r\nStep " + Number(i + 1) + " of " + name +
                      " has the unknown action code " + std::string(1, code) +
                      ". The valid codes are A, C, M, R, S and X.";
            return false;
        }
        length += ActionLengthChange(code);
        if (length == 0 || length > MaxWordLength) {
            errors += "\r\nStep " + Number(i + 1) + " of " + name + " requires a word of " +
                      Number(length) + " letters. It must be in the range 1 - " +
                      Number(MaxWordLength) + ".";
            return false;
        }
    }
    if (static_cast<int>(end.size()) != length) {
        errors += "\r\n" + capitalName + " requires a final word of " + Number(length) +
                  " letters, but " + end + " has " + Number(static_cast<int>(end.size())) +
                  " letters.";
        return false;
    }
    return ValidateHints(p, codes, name, errors);
}

bool TPuzzleCore::ValidateHints(int p, const std::string& codes, const std::string& name,
                                std::string& errors) const {
    const std::string line = PuzzleField(p, 3);
    if (line.empty()) {
        return true;
    }
    const int last = static_cast<int>(codes.size()) + 1;
    // The rows the puzzle fixes: the start and end words and the hinted rows.
    std::map<int, std::string> fixed{{1, PuzzleField(p, 0)}, {last, PuzzleField(p, 1)}};
    std::vector<int> lengths(static_cast<size_t>(last) + 1);
    lengths[1] = static_cast<int>(fixed[1].size());
    for (int r = 2; r <= last; ++r) {
        lengths[static_cast<size_t>(r)] = lengths[static_cast<size_t>(r - 1)] +
                                          ActionLengthChange(codes[static_cast<size_t>(r - 2)]);
    }
    std::vector<std::pair<int, std::string>> hints;
    bool valid = true;
    for (size_t start = 0, comma = 0; comma != std::string::npos; start = comma + 1) {
        comma = line.find(',', start);
        const std::string_view entry = std::string_view(line).substr(start, comma - start);
        const auto [row, word] = HintEntry(entry);
        if (row < 2 || row >= last) {
            errors += "\r\nThe hint \"" + std::string(entry) + "\" of " + name +
                      " is not a word for one of the rows between the starting and final words.";
            valid = false;
        } else if (fixed.emplace(row, word).second) {
            hints.emplace_back(row, word);
        }
    }
    for (const auto& [row, word] : hints) {
        const std::string hint = "\r\nThe hint " + word + " for row " + Number(row) + " of " + name;
        const char code = codes[static_cast<size_t>(row - 2)];
        const char nextCode = codes[static_cast<size_t>(row - 1)];
        const auto above = fixed.find(row - 1);
        std::string problem;
        if (!IsInVocabulary(word)) {
            problem = " is not in the game vocabulary.";
        } else if (const int length = lengths[static_cast<size_t>(row)];
                   static_cast<int>(word.size()) != length) {
            problem = " has " + Number(static_cast<int>(word.size())) +
                      " letters, but the row needs " + Number(length) + ".";
        } else if (above != fixed.end() && !IsValidStep(code, above->second, word)) {
            problem = " is not reached from " + above->second + " by a valid \"" +
                      ActionName(code) + "\" step.";
        } else if (row + 1 == last && !IsValidStep(nextCode, word, fixed[last])) {
            problem = " does not lead to " + fixed[last] + " by a valid \"" + ActionName(nextCode) +
                      "\" step.";
        }
        if (!problem.empty()) {
            errors += hint + problem;
            valid = false;
        }
    }
    return valid;
}

void TPuzzleCore::ValidateAllPuzzles() {
    std::string errors;
    for (int n = 1; n <= PuzzleCount; ++n) {
        if (!ValidatePuzzle(n, errors)) {
            SetPuzzleHasErrors(n, true);
        }
    }
    if (!errors.empty()) {
        Inform(std::string(MessageCaption), std::string(LoadErrorsTitle) + errors);
    }
}
