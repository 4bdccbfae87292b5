// Edit mode of TGameRoom: the commands of the edit buttons and the action keys on the screen.
// The rules themselves are the puzzle core's; here the board is redrawn after them.

#include "base/Messages.h"
#include "base/Util.h"
#include "graphics/PX8ImageData.h"
#include "screens/GameRoom.h"

void TGameRoom::SetEditMode(bool flag) {
    TPuzzleCore::SetEditMode(flag);
    UpdateButtons();
}

void TGameRoom::RunEditScript(const std::string& script, const std::string& param) {
    // The edit buttons are disabled in play mode; the keys only send to enabled ones.
    if (!EditMode) {
        return;
    }
    TPX8ImageData* display = Display();
    const int r = CursorRow;
    if (script == "action") {
        ChooseActionButton(param);
    } else if (script == "addrw") {
        if (CanAddRow()) {
            AddRow();
            DrawRow(display, RowCount - 1);
        }
    } else if (script == "delrw") {
        if (CanDeleteRow()) {
            DeleteRow(r);
        }
    } else if (script == "sethn") {
        if (CanSetHint(r)) {
            SetHint(r, Rows[static_cast<size_t>(r)]);
            DrawRow(display, r);
            GetUserInterface().ProcessPendingMessages();
        }
    } else if (script == "clrhn") {
        if (AskToClearHint(r)) {
            DrawRow(display, r);
            GetUserInterface().ProcessPendingMessages();
        }
    } else if (script == "accpt") {
        if (CanAcceptEdit()) {
            AcceptEdit();
        }
    } else if (script == "cancl") {
        AskToCancelEdit();
    } else if (script == "suggest") {
        Suggest(r);
    }
    UpdateButtons();
}

void TGameRoom::ChooseActionButton(const std::string& button) {
    const int r = CursorRow;
    // The button's name ("ACTCBTN", or "actcbtn" from a key) carries the code fourth.
    const char code = button.size() >= 4 ? UpperCaseASCII(button.substr(3, 1))[0] : ' ';
    if (!CanChooseAction(r, code)) {
        return;
    }
    const bool changed = ChooseAction(r, code);
    TPX8ImageData* display = Display();
    const int length = static_cast<int>(Rows[static_cast<size_t>(r)].size());
    if (length < CursorColumn) {
        DrawCursor(display, false);
        CursorColumn = length;
    }
    if (changed) {
        DrawAllRows(display);
    } else {
        DrawRow(display, r);
    }
}

void TGameRoom::ActionKey(uint16_t key) {
    const char which = key == RoomKey::Minus ? '-' : (key == RoomKey::Plus ? '+' : '=');
    if (const char code = ActionKeyCode(CursorRow, which)) {
        RunScript("action", "act" + LowerCaseASCII(std::string(1, code)) + "btn");
    }
}
