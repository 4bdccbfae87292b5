// Validation of TPuzzleCore: whether a puzzle's words are known and its action codes keep every
// row within the length limits. Each failing puzzle gets exactly one message.

#include "base/Messages.h"

#include "core/PuzzleCore.h"

namespace {
std::string Number(int value) {
    return std::to_string(value);
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
    return true;
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
