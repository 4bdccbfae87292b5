#include "screens/RoomReading.h"

#include "base/Util.h"
#include "core/StepActions.h"
#include "screens/ButtonCaptions.h"
#include "screens/GameRoom.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The check marks' meanings by row status 1 to 4.
constexpr std::array<std::string_view, 4> MarkTexts = {"Not in the vocabulary", "Bad step",
                                                       "Incomplete", "OK"};

// The right end of a row's band, as the board draws it.
constexpr int32_t RowBandEnd = 325;

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text;
}

std::string RowName(const TGameRoom& room, int r) {
    const std::string& text = room.Rows[static_cast<size_t>(r)];
    std::string word;
    std::vector<std::string> cells;
    bool complete = true;
    for (int c = 1; c <= room.RowLength(r); ++c) {
        const char ch =
            static_cast<size_t>(c) <= text.size() ? text[static_cast<size_t>(c - 1)] : ' ';
        if (ch >= 'A' && ch <= 'Z') {
            word += ch;
            cells.emplace_back(1, ch);
        } else {
            complete = false;
            cells.emplace_back("blank");
        }
    }
    return complete ? word : Join(cells);
}

std::string RowDescription(const TGameRoom& room, int r) {
    std::vector<std::string> parts;
    if (r == room.CursorRow) {
        if (room.Solved) {
            // The row the player is on carries the news, as only its changes are read out.
            parts.emplace_back("Solved");
        }
        parts.push_back(FormatText("Letter %s of %s", {std::to_string(room.CursorColumn),
                                                       std::to_string(room.RowLength(r))}));
    }
    if (r == 1) {
        parts.emplace_back("Start word");
    } else {
        if (r == room.RowCount) {
            parts.emplace_back("End word");
        }
        const int action = static_cast<size_t>(r) <= room.Actions.size()
                               ? ActionIndex(room.Actions[static_cast<size_t>(r - 1)])
                               : -1;
        if (action >= 0) {
            parts.emplace_back(ActionNames[static_cast<size_t>(action)]);
        }
    }
    const auto status = static_cast<size_t>(room.RowStatus[static_cast<size_t>(r)]);
    if (room.ShowMarks && status >= 1 && status <= MarkTexts.size()) {
        parts.emplace_back(MarkTexts[status - 1]);
    }
    if (room.EditMode) {
        if (const std::string hint = room.GetHint(r); !hint.empty()) {
            parts.push_back("hint " + hint);
        }
    }
    return Join(parts);
}

std::string BoardText(const TGameRoom& room) {
    if (room.CurrentPuzzle < 1 || room.RowCount < 1) {
        return "No puzzle";
    }
    if (room.Solved) {
        return "Solved";
    }
    return room.Rows[1] + " to " + room.Rows[static_cast<size_t>(room.RowCount)];
}

std::string ModeText(const TGameRoom& room) {
    if (room.CurrentPuzzle < 1) {
        return "No puzzle";
    }
    return (room.EditMode ? "Editing puzzle " : "Playing puzzle ") +
           std::to_string(room.CurrentPuzzle);
}

TButtonReading ReadButton(const TGameRoom& room, const THitBox& box) {
    TButtonReading button;
    button.Box = LowerCaseASCII(box.GetID());
    button.Bounds = box.Bounds;
    button.Enabled = box.Enabled;
    const TFrameSet* frameSet = room.FindFrameSet(button.Box);
    button.Shown = frameSet == nullptr || frameSet->Visible;
    if (button.Box == "about") {
        button.Name = "About Ladderly";
    } else if (button.Box.size() == 7 && button.Box.starts_with("act")) {
        // "actcbtn": its caption is the code letter.
        const char code = static_cast<char>(button.Box[3] - 'a' + 'A');
        button.Name = std::string(1, code);
        if (const int action = ActionIndex(code); action >= 0) {
            button.Description = ActionNames[static_cast<size_t>(action)];
        }
    } else {
        button.Name = ButtonCaption(button.Box);
    }
    return button;
}

} // namespace

TRoomReading ReadRoom(const TGameRoom* room) {
    TRoomReading reading;
    if (room == nullptr) {
        reading.Mode = reading.Board = "No puzzle";
        return reading;
    }
    reading.Mode = ModeText(*room);
    reading.Board = BoardText(*room);
    reading.Puzzle = room->CurrentPuzzle;
    reading.CursorRow = room->CursorRow;
    for (int r = 1; r <= std::min(room->RowCount, MaxRows); ++r) {
        const int32_t top = room->BoardTop + (r - 1) * BoardGeometry::RowPitch;
        reading.Rows.push_back(
            {RowName(*room, r),
             RowDescription(*room, r),
             {room->BoardLeft, top, RowBandEnd, top + BoardGeometry::RowHeight}});
    }
    // Script boxes are the buttons; the control boxes ("board", "game") are not.
    for (const TTarnNode* node = room->GetHitBoxes().Head(); node != nullptr; node = node->Next()) {
        const auto& box = static_cast<const THitBox&>(*node);
        if (dynamic_cast<const TControlBox*>(&box) == nullptr) {
            reading.Buttons.push_back(ReadButton(*room, box));
        }
    }
    std::stable_sort(reading.Buttons.begin(), reading.Buttons.end(),
                     [](const TButtonReading& a, const TButtonReading& b) {
                         return a.Bounds.Top != b.Bounds.Top ? a.Bounds.Top < b.Bounds.Top
                                                             : a.Bounds.Left < b.Bounds.Left;
                     });
    return reading;
}

TReadingChanges CompareReadings(const TRoomReading& before, const TRoomReading& after) {
    TReadingChanges changes;
    changes.Mode = before.Mode != after.Mode;
    changes.Board = before.Board != after.Board;
    changes.Rows = before.Rows.size() != after.Rows.size();
    for (size_t i = 0; i < after.Rows.size(); ++i) {
        const bool old = i < before.Rows.size();
        if (!old || before.Rows[i].Name != after.Rows[i].Name) {
            changes.RowNames.push_back(i);
        }
        if (!old || before.Rows[i].Description != after.Rows[i].Description) {
            changes.RowDescriptions.push_back(i);
        }
    }
    changes.Buttons = !std::equal(
        before.Buttons.begin(), before.Buttons.end(), after.Buttons.begin(), after.Buttons.end(),
        [](const TButtonReading& a, const TButtonReading& b) { return a.Box == b.Box; });
    for (size_t i = 0; i < after.Buttons.size() && !changes.Buttons; ++i) {
        if (before.Buttons[i].Shown != after.Buttons[i].Shown) {
            changes.ButtonsShown.push_back(i);
        }
        if (before.Buttons[i].Enabled != after.Buttons[i].Enabled) {
            changes.ButtonsEnabled.push_back(i);
        }
    }
    const auto typedInto = [&](size_t i) {
        return static_cast<int>(i) + 1 == before.CursorRow ||
               static_cast<int>(i) + 1 == after.CursorRow;
    };
    changes.NewBoard = changes.Board || changes.Mode || changes.Rows ||
                       before.Puzzle != after.Puzzle ||
                       std::any_of(changes.RowNames.begin(), changes.RowNames.end(),
                                   [&](size_t i) { return !typedInto(i); });
    changes.Focus =
        after.CursorRow > 0 && (changes.NewBoard || before.CursorRow != after.CursorRow);
    return changes;
}
