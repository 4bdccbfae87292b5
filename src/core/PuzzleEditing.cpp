// The puzzle editor's rules of TPuzzleCore: when each edit command is enabled, and what the
// commands do to the board and the collection. Hints reach the collection at once, the action
// line when a row is added or deleted and on accept; cancelling restores both. Also the
// suggestion wizard the editor offers.

#include "base/Messages.h"

#include "base/Util.h"
#include "core/PuzzleCore.h"
#include "core/Suggestions.h"
#include "core/WordText.h"

#include <algorithm>
#include <cstdlib>

namespace {
bool HasBlank(std::string_view row) {
    return row.find(' ') != std::string_view::npos;
}

int Length(const std::string& row) {
    return static_cast<int>(row.size());
}

// Shows the busy cursor while it lives, also when a fault ends the work early.
class BusyCursor {
  public:
    BusyCursor() : ui(GetUserInterface()) { ui.ShowBusyCursor(true); }
    ~BusyCursor() { ui.ShowBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    IUserInterface& ui;
};
} // namespace

bool TPuzzleCore::PuzzleEdited() const {
    if (CurrentPuzzle < 1) {
        return false;
    }
    return TrimControls(Actions) != EditStartActions ||
           EditStartHints != PuzzleField(CurrentPuzzle, 3);
}

bool TPuzzleCore::CanChooseAction(int r, char code) const {
    if (!EditMode || r < 2 || r > RowCount || static_cast<int>(Actions.size()) < r ||
        Actions[static_cast<size_t>(r - 1)] == code) {
        return false;
    }
    // A and R must leave enough steps to reach the end word's length again.
    const int previous = Length(Rows[static_cast<size_t>(r - 1)]);
    const int end = Length(Rows[static_cast<size_t>(RowCount)]);
    const int stepsLeft = RowCount - r;
    switch (code) {
    case 'A':
        return previous < MaxWordLength && previous + 1 - end <= stepsLeft;
    case 'R':
        return previous > 1 && end - (previous - 1) <= stepsLeft;
    case 'C':
    case 'M':
    case 'S':
    case 'X':
        return true;
    default:
        return false;
    }
}

bool TPuzzleCore::CanAddRow() const {
    return EditMode && RowCount < MaxRows;
}

bool TPuzzleCore::CanDeleteRow() const {
    return EditMode && RowCount > 4 &&
           std::abs(Length(Rows[1]) - Length(Rows[static_cast<size_t>(RowCount)])) < RowCount - 1;
}

bool TPuzzleCore::CanSetHint(int r) const {
    if (!EditMode || r <= 1 || r >= RowCount) {
        return false;
    }
    const std::string& row = Rows[static_cast<size_t>(r)];
    return !HasBlank(row) && GetHint(r) != row;
}

bool TPuzzleCore::CanClearHint(int r) const {
    return EditMode && !GetHint(r).empty();
}

bool TPuzzleCore::CanAcceptEdit() const {
    return EditMode && (NewPuzzle || PuzzleEdited());
}

char TPuzzleCore::ActionKeyCode(int r, char key) const {
    if (r < 2 || r > RowCount || static_cast<int>(Actions.size()) < r) {
        return 0;
    }
    const int d = Length(Rows[static_cast<size_t>(r)]) - Length(Rows[static_cast<size_t>(r - 1)]);
    char code = 0;
    if (key == '=') {
        // Cycles the actions that keep the length: M, C, S, X.
        constexpr std::string_view cycle = "MCSXM";
        const size_t at = cycle.find(Actions[static_cast<size_t>(r - 1)]);
        code = at == std::string_view::npos ? 0 : cycle[at + 1];
    } else if (key == '+') {
        code = d == -1 ? 'C' : (d <= 0 ? 'A' : 0);
    } else if (key == '-') {
        code = d == 1 ? 'C' : (d >= 0 ? 'R' : 0);
    }
    return code != 0 && CanChooseAction(r, code) ? code : 0;
}

bool TPuzzleCore::ChooseAction(int r, char code) {
    if (r < 2 || r > RowCount || static_cast<int>(Actions.size()) < r) {
        return false;
    }
    Actions[static_cast<size_t>(r - 1)] = code;
    std::string& row = Rows[static_cast<size_t>(r)];
    const int length = std::max(0, RowLength(r));
    if (length != Length(row)) {
        SetHint(r, "");
        row.resize(static_cast<size_t>(length), ' ');
    }
    return NormalizeRowLengths();
}

void TPuzzleCore::StoreBoardActions() {
    if (TPuzzleLine* line = FieldLine(CurrentPuzzle, 2)) {
        line->Text = LowerCaseASCII(TrimControls(Actions));
    }
}

void TPuzzleCore::AddRow() {
    if (CurrentPuzzle < 1 || RowCount >= MaxRows) {
        return;
    }
    // The end word's step becomes C; the new row takes over the step that led to it.
    Actions += 'C';
    StoreBoardActions();
    LoadPuzzle(CurrentPuzzle);
    Rows[static_cast<size_t>(RowCount - 1)] =
        std::string(static_cast<size_t>(std::max(0, RowLength(RowCount - 1))), ' ');
}

void TPuzzleCore::DeleteRow(int r) {
    const int last = RowCount;
    if (CurrentPuzzle < 1 || last < 3 || static_cast<int>(Actions.size()) < last) {
        return;
    }
    const auto isEmpty = [this](int k) {
        return TrimControls(Rows[static_cast<size_t>(k)]).empty();
    };
    // An empty row goes first: the cursor's, else the lowest one; a full board loses the row
    // above the end word.
    int d = last - 1;
    if (!isEmpty(last)) {
        if (r >= 2 && r < last && isEmpty(r)) {
            d = r;
        } else {
            for (int k = last - 2; k >= 2; --k) {
                if (isEmpty(k)) {
                    d = k;
                    break;
                }
            }
        }
    }
    SetHint(d, "");
    for (int i = d; i < last; ++i) {
        Rows[static_cast<size_t>(i)] = Rows[static_cast<size_t>(i + 1)];
        const std::string hint = GetHint(i + 1);
        if (!hint.empty()) {
            SetHint(i, hint);
            SetHint(i + 1, "");
        }
    }
    Actions.erase(static_cast<size_t>(d - 1), 1);
    NormalizeRowLengths();
    StoreBoardActions();
    LoadPuzzle(CurrentPuzzle);
}

bool TPuzzleCore::FollowRowWithHint(int r) {
    if (!EditMode || r < 1 || r > RowCount) {
        return false;
    }
    const std::string& row = Rows[static_cast<size_t>(r)];
    const std::string hint = GetHint(r);
    if (hint.empty() || hint == row || HasBlank(row)) {
        return false;
    }
    SetHint(r, row);
    return true;
}

bool TPuzzleCore::AskToClearHint(int r) {
    const std::string hint = GetHint(r);
    if (hint.empty() ||
        !Confirm(std::string(MessageCaption),
                 "Really delete hint on line " + std::to_string(r) + " (\"" + hint + "\")?")) {
        return false;
    }
    SetHint(r, "");
    return true;
}

bool TPuzzleCore::AcceptEdit() {
    if (CurrentPuzzle < 1) {
        return false;
    }
    std::string problems;
    if (!ValidatePuzzle(0, problems)) {
        Inform(std::string(MessageCaption),
               "Problems found. Make changes and try again:\r\n" + problems);
        return false;
    }
    SetPuzzleHasErrors(CurrentPuzzle, false);
    SetEditMode(false);
    StoreBoardActions();
    LoadPuzzle(CurrentPuzzle);
    PuzzlesModified = true;
    return true;
}

int TPuzzleCore::DiscardEdit() {
    if (!NewPuzzle) {
        if (FieldLine(CurrentPuzzle, 3) != nullptr) {
            FieldLine(CurrentPuzzle, 2)->Text = LowerCaseASCII(EditStartActions);
            FieldLine(CurrentPuzzle, 3)->Text = LowerCaseASCII(EditStartHints);
        }
        return CurrentPuzzle;
    }
    NewPuzzle = false;
    // The new puzzle is the one on the board, which a reread of the file keeps last.
    if (FieldLine(CurrentPuzzle, 0) != nullptr) {
        const auto first = PuzzleLines.begin() + (CurrentPuzzle - 1) * LinesPerPuzzle;
        PuzzleLines.erase(first, first + LinesPerPuzzle);
        --PuzzleCount;
    }
    // With no puzzle before it, or one the file lost meanwhile, the first playable one shows.
    return EditStartPuzzle >= 1 ? EditStartPuzzle : 1;
}

void TPuzzleCore::CancelEdit() {
    SetEditMode(false);
    LoadPuzzle(DiscardEdit());
}

bool TPuzzleCore::AskToCancelEdit() {
    if (PuzzleEdited() && !Confirm(std::string(MessageCaption), std::string(CancelEditQuestion))) {
        return false;
    }
    CancelEdit();
    return true;
}

std::string TPuzzleCore::AskSuggestionWord(int r) const {
    std::string word = r >= 1 && r <= RowCount ? Rows[static_cast<size_t>(r)] : std::string();
    if (!HasBlank(word)) {
        return word;
    }
    word.clear();
    const std::optional<std::string> text = GetUserInterface().InputBox(
        "Ladderly Suggestion Wizard", "What word do you want suggestions for?", "");
    for (const char c : UpperCaseASCII(text.value_or(""))) {
        if (c >= 'A' && c <= 'Z') {
            word += c;
        }
    }
    return word;
}

void TPuzzleCore::ShowSuggestions(std::string_view word) const {
    std::string listing;
    {
        const BusyCursor busy;
        listing = SuggestionListing(Vocabulary, word);
    }
    GetUserInterface().ShowLongText(std::string(SuggestionCaption), listing);
}

void TPuzzleCore::Suggest(int r) const {
    const std::string word = AskSuggestionWord(r);
    if (!word.empty()) {
        ShowSuggestions(word);
        GetUserInterface().ProcessPendingMessages();
    }
}
