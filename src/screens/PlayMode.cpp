// Play mode of TGameRoom: loading a puzzle onto the board, starting over, choosing the next
// puzzle, hints, the puzzle selector, the board keys and the win animation.

#include "base/Messages.h"
#include "framework/StdWorld.h"
#include "framework/TimerScript.h"
#include "graphics/PX8ImageData.h"
#include "screens/GameDialogs.h"
#include "screens/GameRoom.h"
#include "screens/PuzzleSelection.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {
constexpr uint16_t WinPriority = 10;
constexpr int32_t WinFrameTicks = 5;
constexpr int32_t WinMaxSpeed = 200;
} // namespace

int TGameRoom::RandomBetween(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(Random);
}

void TGameRoom::LoadPuzzle(int n) {
    // The core puts the puzzle's words and codes on the board (never more rows than it has).
    TPuzzleCore::LoadPuzzle(n);
    THitBox* board = FindHitBox("board");
    if (CurrentPuzzle < 1) {
        FreeWinSprite();
        CancelScript(ScriptKind::Animate);
        CursorColumn = 0;
        CursorRow = 0;
        BoardWidth = 0;
        board->SetEnabled(false);
        Solved = false;
        UpdateButtons();
        Layout(Display());
    } else {
        LayoutBoard();
        StartOver();
        using namespace BoardGeometry;
        const int32_t width = (BoardWidth - 1) * LetterPitch + 138;
        const int32_t height = (RowCount - 1) * RowPitch + RowHeight + (EditMode ? RowPitch : 0);
        board->Bounds = {BoardLeft + FirstCell, BoardTop + RowPitch, BoardLeft + width,
                         BoardTop + RowPitch + height - 2 * RowPitch};
        board->SetEnabled(true);
    }
    ShowMarks = false;
}

void TGameRoom::StartOver() {
    Solved = false;
    Progress.PuzzleStarted();
    FreeWinSprite();
    CancelScript(ScriptKind::Animate);
    if (!(EditMode && KeepRows)) {
        for (int r = 2; r <= RowCount - 1; ++r) {
            Rows[static_cast<size_t>(r)].assign(static_cast<size_t>(std::max(RowLength(r), 0)),
                                                ' ');
        }
    }
    CursorColumn = 1;
    CursorRow = 2;
    if (TestFlag(RoomFlag::OnDisplay)) {
        Layout(Display());
    }
    UpdateButtons();
}

int TGameRoom::PickNextPuzzle() {
    const int count = PuzzleCount;
    const int current = CurrentPuzzle;
    const uint8_t shift = GetUserInterface().KeyShiftState();
    if ((shift & ShiftState::Ctrl) == 0 && count >= 1) {
        const bool back = (shift & ShiftState::Shift) != 0;
        int candidate = current;
        for (int steps = 0; steps < count; ++steps) {
            candidate = back ? (candidate + count - 2) % count + 1 : candidate % count + 1;
            if (candidate == current) {
                break;
            }
            if (!PuzzleHasErrors(candidate)) {
                return candidate;
            }
        }
        return current;
    }
    std::vector<int> playable;
    for (int k = 1; k <= count; ++k) {
        if (k != current && !PuzzleHasErrors(k)) {
            playable.push_back(k);
        }
    }
    if (playable.empty()) {
        return 0;
    }
    return playable[static_cast<size_t>(RandomBetween(1, static_cast<int>(playable.size())) - 1)];
}

void TGameRoom::PressAfterWin() {
    const int count = PuzzleCount;
    int following = CurrentPuzzle;
    for (int k = CurrentPuzzle % std::max(count, 1) + 1, steps = 0; steps < count;
         k = k % count + 1, ++steps) {
        if (k != CurrentPuzzle && !PuzzleHasErrors(k)) {
            following = k;
            break;
        }
    }
    LoadPuzzle(following);
}

void TGameRoom::GiveHint() {
    std::string hint = PuzzleField(CurrentPuzzle, 3);
    const int r = NextHint(hint);
    if (r > 0) {
        Rows[static_cast<size_t>(r)] = hint;
        DrawRow(Display(), r);
        Progress.HintGiven();
    }
    UpdateButtons();
}

void TGameRoom::SelectPuzzle() {
    if (Dialogs == nullptr) {
        NotAvailable("The puzzle selector");
        return;
    }
    int32_t position = 0;
    std::vector<TSelectorEntry> entries = BuildSelectorEntries(*this, position);
    Progress.MarkEntries(*this, entries);
    // Asked first: the outcome needs the position the selector hands back.
    SelectorResult result = Dialogs->ExecuteSelector(entries, position);
    result = ApplySelectorOutcome(*this, entries, result, position);
    if (result == SelectorResult::Create) {
        CreateNewPuzzle();
    } else if (CurrentPuzzle < 1) {
        if (PuzzleCount == 0) {
            LoadPuzzle(0);
        }
    } else if (result == SelectorResult::Edit) {
        EditCurrentPuzzle();
    } else if (result == SelectorResult::Play) {
        LoadPuzzle(CurrentPuzzle);
    }
    GetUserInterface().ProcessPendingMessages();
}

void TGameRoom::BoardKeys(uint16_t key) {
    const std::optional<TBoardCell> target =
        MoveCursor(BoardShape(), {CursorColumn, CursorRow}, key);
    switch (key) {
    case VirtualKey::Escape:
        if (EditMode) {
            RunScript("cancl", "");
        } else {
            SolverAbort = true;
        }
        break;
    case RoomKey::F11:
        if (EditMode) {
            RunScript("suggest", "");
        } else if (SolverUnlocked || Rows[2].starts_with("JQ")) {
            StartSolver();
        }
        break;
    case RoomKey::Equals:
    case RoomKey::Plus:
    case RoomKey::Minus:
        // The action keys choose an edit button; the buttons are disabled in play mode.
        if (EditMode) {
            ActionKey(key);
        }
        break;
    default:
        break;
    }

    const bool letter = key >= 'A' && key <= 'Z';
    if (letter || key == VirtualKey::Space || key == VirtualKey::Delete) {
        TypeIntoCursorCell(letter ? static_cast<char>(key) : ' ');
    }
    HideCheckMarks();
    if (target) {
        MoveCursorTo(*target);
    }
    if (key == VirtualKey::Back && CursorRow > 1 && CursorRow < RowCount) {
        std::string& text = Rows[static_cast<size_t>(CursorRow)];
        if (static_cast<size_t>(CursorColumn) <= text.size()) {
            text[static_cast<size_t>(CursorColumn - 1)] = ' ';
        }
        DrawCell(Display(), CursorRow, CursorColumn);
    }
}

void TGameRoom::TypeIntoCursorCell(char c) {
    if (CursorRow <= 1 || CursorRow >= RowCount) {
        return;
    }
    std::string& text = Rows[static_cast<size_t>(CursorRow)];
    if (text.size() < static_cast<size_t>(CursorColumn)) {
        text.resize(static_cast<size_t>(CursorColumn), ' ');
    }
    text[static_cast<size_t>(CursorColumn - 1)] = c;
    CheckSolution(true);
    const std::string hint = GetHint(CursorRow);
    TPX8ImageData* display = Display();
    bool rowDrawn = false;
    if (!hint.empty() && hint != text) {
        FollowRowWithHint(CursorRow);
        DrawRow(display, CursorRow);
        rowDrawn = true;
    }
    if (EditMode && InferStepActions()) {
        DrawAllRows(display);
    } else if (!rowDrawn) {
        DrawCell(display, CursorRow, CursorColumn);
    }
}

void TGameRoom::MoveCursorTo(TBoardCell cell) {
    TPX8ImageData* display = Display();
    DrawCursor(display, false);
    CursorColumn = cell.Column;
    CursorRow = cell.Row;
    DrawCursor(display, true);
}

TBoardShape TGameRoom::BoardShape() const {
    TBoardShape shape{RowCount, EditMode, BoardWidth, {}};
    for (int r = 1; r <= std::min(RowCount, MaxRows); ++r) {
        shape.Lengths[static_cast<size_t>(r)] = RowLength(r);
    }
    return shape;
}

void TGameRoom::FreeWinSprite() {
    if (WinSprite == nullptr) {
        return;
    }
    TPX8ImageData* display = Display();
    TPX8ImageData* sprite = WinSprite->GetSurface();
    if (display != nullptr && display->IsLayer(*sprite)) {
        display->RemoveLayer(*sprite);
    }
    WinSprite.reset();
}

void TGameRoom::StartWinAnimation() {
    WinSprite = std::make_unique<THotImage>("youwin");
    TPX8ImageData& sprite = *WinSprite->GetSurface();
    sprite.SetFrameHeight(static_cast<uint16_t>(sprite.Height() / 2));
    ScheduleScript(ScriptKind::Animate, 1, ScheduleMode::KeepExisting);
    WinDX = RandomBetween(1, 3);
    WinDY = RandomBetween(1, 3);
    WinSpeed = 5;
    WinX = 0;
    WinY = -static_cast<int32_t>(sprite.Width());
    if (TPX8ImageData* display = Display()) {
        display->AddLayerFrame(sprite, {WinX, WinY}, 0, WinPriority);
    }
}

void TGameRoom::AnimateWin() {
    if (Paused) {
        ScheduleScript(ScriptKind::Animate, 1, ScheduleMode::Replace);
        return;
    }
    if (WinSprite == nullptr) {
        return;
    }
    TPX8ImageData& sprite = *WinSprite->GetSurface();
    TPX8ImageData* display = Display();
    ++WinTicks;
    WinX += WinDX;
    WinY += WinDY;
    // Each bounce turns the sprite round a little faster.
    const auto bounce = [this](int32_t& place, int32_t& step, int32_t limit) {
        if (step > 0 && place >= limit) {
            place = limit;
            step = -(RandomBetween(0, 2) + WinSpeed / 5);
            ++WinSpeed;
        } else if (step < 0 && place <= 0) {
            place = 0;
            step = RandomBetween(0, 2) + WinSpeed / 5;
            ++WinSpeed;
        }
    };
    bounce(WinX, WinDX, BoardGeometry::ButtonColumn - sprite.Width());
    const int32_t height = display != nullptr ? display->Height() : 326;
    bounce(WinY, WinDY, height - sprite.FrameHeight);
    WinSpeed = std::min(WinSpeed, WinMaxSpeed);

    const TStdWorld* world = GetWorld();
    if (world != nullptr && world->IsIdle() && display != nullptr &&
        TestFlag(RoomFlag::OnDisplay) && display->IsLayer(sprite)) {
        if (WinTicks % WinFrameTicks != 0) {
            display->SetLayerPosition(sprite, {WinX, WinY});
        } else {
            TLayerInfo info;
            display->GetLayerInfo(sprite, info);
            info.Frame = info.Frame == 0 ? 1 : 0;
            info.X = WinX;
            info.Y = WinY;
            info.UseSourceRect = false;
            display->ReviseLayer(sprite, info);
            WinTicks -= WinFrameTicks;
        }
    }
    ScheduleScript(ScriptKind::Animate, 1, ScheduleMode::Replace);
}
