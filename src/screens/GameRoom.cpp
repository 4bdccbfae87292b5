// TGameRoom: creation, entering and leaving, the buttons and how scripts, keys and mouse
// presses are dispatched.

#include "screens/GameRoom.h"

#include "base/Messages.h"
#include "framework/StdWorld.h"
#include "graphics/PX8ImageData.h"
#include "screens/GameDialogs.h"
#include "screens/RoomSound.h"

#include <array>
#include <optional>
#include <string_view>

namespace {

struct ButtonLayout {
    const char* Name;
    TPoint Position;
    uint16_t FrameHeight;
    const char* Script;
};

// Frame sets in drawing order: the five play buttons, then the fourteen edit buttons.
constexpr std::array<ButtonLayout, 19> Buttons = {{
    {"checkbtn", {351, 236}, 12, "check"},  {"hintbtn", {351, 253}, 12, "hint"},
    {"startbtn", {351, 270}, 12, "start"},  {"newbtn", {351, 287}, 12, "new"},
    {"selbtn", {351, 304}, 12, "select"},   {"edvocbtn", {351, 10}, 12, "edvoc"},
    {"sugstbtn", {351, 27}, 12, "suggest"}, {"actmbtn", {353, 47}, 21, "action"},
    {"actcbtn", {393, 47}, 21, "action"},   {"actsbtn", {353, 70}, 21, "action"},
    {"actxbtn", {393, 70}, 21, "action"},   {"actrbtn", {353, 93}, 21, "action"},
    {"actabtn", {393, 93}, 21, "action"},   {"addrwbtn", {351, 122}, 12, "addrw"},
    {"delrwbtn", {351, 139}, 12, "delrw"},  {"sethnbtn", {351, 156}, 12, "sethn"},
    {"clrhnbtn", {351, 173}, 12, "clrhn"},  {"accptbtn", {351, 194}, 12, "accpt"},
    {"canclbtn", {351, 211}, 12, "cancl"},
}};
constexpr size_t PlayButtonCount = 5;

// Hit boxes of the edit buttons, in the order they are searched.
constexpr std::array<const char*, 14> EditBoxOrder = {
    "edvocbtn", "sugstbtn", "actabtn",  "actcbtn",  "actmbtn",  "actrbtn",  "actsbtn",
    "actxbtn",  "addrwbtn", "delrwbtn", "sethnbtn", "clrhnbtn", "accptbtn", "canclbtn"};

// The screen's size when no display surface exists yet.
constexpr TRect ScreenRect{0, 0, 450, 326};

bool IsEditScript(const std::string& script) {
    for (const char* name :
         {"suggest", "action", "addrw", "delrw", "sethn", "clrhn", "accpt", "cancl"}) {
        if (script == name) {
            return true;
        }
    }
    return false;
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

TGameRoom::TGameRoom(const std::string& name, std::filesystem::path dataFolder,
                     IGameDialogs* dialogs, std::filesystem::path userFolder)
    : TRoom(name), TPuzzleCore(std::move(dataFolder), std::move(userFolder)),
      Random(std::random_device{}()), Dialogs(dialogs) {
    LoadGameData();
    ImageName = "screen";
    Caption = "Ladderly!";
    AddControls();
}

TGameRoom::~TGameRoom() = default;

void TGameRoom::AddControls() {
    for (const ButtonLayout& button : Buttons) {
        AddFrameSet(std::make_unique<TFrameSet>(button.Name, button.Position, 2, button.FrameHeight,
                                                button.Name));
    }
    const auto addButtonBox = [this](const char* name) {
        for (const ButtonLayout& button : Buttons) {
            if (std::string_view(button.Name) == name) {
                auto box = std::make_unique<TScriptBox>(name, FindFrameSet(name)->GetRect());
                box->ScriptName = button.Script;
                AddHitBox(std::move(box));
            }
        }
    };
    auto about = std::make_unique<TScriptBox>("about", TRect{60, 8, 60 + 276, 8 + 42});
    about->ScriptName = "about";
    AddHitBox(std::move(about));
    for (size_t i = 0; i < PlayButtonCount; ++i) {
        addButtonBox(Buttons[i].Name);
    }
    for (const char* name : EditBoxOrder) {
        addButtonBox(name);
    }
    AddFrameSet(std::make_unique<TFrameSet>(BadgeName, TPoint{BadgeX, BadgeY}, 2, BadgeFrameHeight,
                                            BadgeName));
    THitBox* board = AddHitBox(std::make_unique<TControlBox>("board", TRect{}));
    board->SetEnabled(false);
    board->SetCursor(CursorId::AskRoom);
    const TPX8ImageData* display = Display();
    AddHitBox(std::make_unique<TControlBox>("game",
                                            display != nullptr ? display->GetBounds() : ScreenRect))
        ->SetCursor(CursorId::Default);
}

TPX8ImageData* TGameRoom::Display() {
    TStdWorld* world = GetWorld();
    return world == nullptr ? nullptr : world->GetImage();
}

void TGameRoom::Enter(const std::string& previousRoom) {
    TRoom::Enter(previousRoom);
    EditMode = false;
    BoardGraphics = std::make_unique<THotImage>("laddgfx");
    LetterTiles = std::make_unique<THotImage>("letters");
    LoadPuzzle(Progress.FirstPuzzle(*this));
    PuzzlesModified = false;
}

void TGameRoom::FreeGraphics(bool final) {
    FreeWinSprite();
    BoardGraphics.reset();
    LetterTiles.reset();
    if (final) {
        Progress.GameEnding(*this);
        SavePuzzles();
        // The data is gone now: a second final call must neither ask nor write.
        PuzzlesModified = false;
    }
    TRoom::FreeGraphics(final);
}

void TGameRoom::DrawContents(TPX8ImageData* surface) {
    if (surface == nullptr) {
        return;
    }
    if (EditMode) {
        surface->FillRect({BoardGeometry::ButtonColumn, 0, BoardGeometry::ButtonColumn + 450, 326},
                          0);
    }
    Progress.ShowBadge(*this, *FindFrameSet(BadgeName));
    TRoom::DrawContents(surface);
    DrawAllRows(surface);
}

void TGameRoom::SetPaused(bool on) {
    Paused = on;
    if (!on) {
        GetUserInterface().ProcessPendingMessages();
        Layout(Display());
    }
}

void TGameRoom::UpdateButtons() {
    const int n = RowCount;
    const int r = CursorRow;
    const bool hasPuzzle = CurrentPuzzle > 0;

    bool rowsTyped = false;
    for (int k = 2; k <= n - 1 && k <= MaxRows; ++k) {
        rowsTyped = rowsTyped || !TrimBlanks(Rows[static_cast<size_t>(k)]).empty();
    }
    bool otherPlayable = false;
    for (int k = 1; k <= PuzzleCount && !otherPlayable; ++k) {
        otherPlayable = k != CurrentPuzzle && !PuzzleHasErrors(k);
    }
    std::string hints = PuzzleField(CurrentPuzzle, 3);
    const bool hintLeft = hasPuzzle && !Solved && NextHint(hints) > 0;

    const std::array<std::pair<const char*, bool>, 19> enabled = {{
        {"checkbtn", hasPuzzle && !Solved},
        {"hintbtn", hintLeft},
        {"startbtn", hasPuzzle && rowsTyped},
        {"newbtn", !EditMode && otherPlayable},
        {"selbtn", !EditMode},
        {"edvocbtn", EditMode},
        {"sugstbtn", EditMode},
        {"actabtn", CanChooseAction(r, 'A')},
        {"actrbtn", CanChooseAction(r, 'R')},
        {"actcbtn", CanChooseAction(r, 'C')},
        {"actmbtn", CanChooseAction(r, 'M')},
        {"actsbtn", CanChooseAction(r, 'S')},
        {"actxbtn", CanChooseAction(r, 'X')},
        {"addrwbtn", CanAddRow()},
        {"delrwbtn", CanDeleteRow()},
        {"sethnbtn", CanSetHint(r)},
        {"clrhnbtn", CanClearHint(r)},
        {"accptbtn", CanAcceptEdit()},
        {"canclbtn", EditMode},
    }};
    for (const auto& [name, on] : enabled) {
        FindHitBox(name)->SetEnabled(on);
    }

    TPX8ImageData* display = Display();
    const bool redraw = TestFlag(RoomFlag::OnDisplay);
    for (size_t i = 0; i < Buttons.size(); ++i) {
        TFrameSet* frameSet = FindFrameSet(Buttons[i].Name);
        const bool play = i < PlayButtonCount;
        if (!play) {
            frameSet->Visible = EditMode;
        }
        if (play || EditMode) {
            frameSet->SetFrame(FindHitBox(Buttons[i].Name)->Enabled ? 0 : 1, display, redraw);
        }
    }
}

void TGameRoom::RunScript(const std::string& script, const std::string& param) {
    // While the solver searches, the vocabulary is out of its order: commands wait, only the
    // win animation goes on.
    if (Solving && script != "ANIMATE") {
        return;
    }
    HideCheckMarks();
    if (script == "about") {
        ShowAbout(true);
    } else if (script == "ANIMATE") {
        AnimateWin();
    } else if (script == "check") {
        LoadVocabulary();
        CheckSolution(false);
        if (Solved) {
            UpdateButtons();
        }
    } else if (script == "hint") {
        GiveHint();
    } else if (script == "start") {
        KeepRows = false;
        // A reread may renumber or drop the puzzle on the board: show the one now named.
        if (LoadPuzzles() && !EditMode) {
            LoadPuzzle(CurrentPuzzle);
        } else {
            StartOver();
        }
        // The editor keeps the rows typed from now on again.
        KeepRows = EditMode;
    } else if (script == "new") {
        LoadPuzzle(PickNextPuzzle());
    } else if (script == "select") {
        SelectPuzzle();
    } else if (script == "edvoc") {
        EditVocabulary();
    } else if (IsEditScript(script)) {
        RunEditScript(script, param);
    } else {
        TRoom::RunScript(script, param);
    }
}

void TGameRoom::KeyEvent(uint16_t key, uint8_t, bool down) {
    if (!down) {
        return;
    }
    if (Solving) {
        if (key == VirtualKey::Escape && !EditMode) {
            SolverAbort = true;
        }
        return;
    }
    HideCheckMarks();
    switch (key) {
    case RoomKey::F1:
        GetUserInterface().ShowHelp(EditMode ? HelpContext::Editing : HelpContext::Playing);
        break;
    case RoomKey::F2:
        GetUserInterface().ShowHelp(HelpContext::Contents);
        break;
    case RoomKey::F3:
        ShowAbout(false);
        break;
    case RoomKey::F5:
        if (!EditMode) {
            EditCurrentPuzzle();
        }
        break;
    case RoomKey::F6:
        if (!EditMode) {
            CreateNewPuzzle();
        }
        break;
    case RoomKey::F12:
        RunScript("edvoc", "");
        GetUserInterface().ProcessPendingMessages();
        break;
    default:
        if (CurrentPuzzle > 0) {
            BoardKeys(key);
        }
        break;
    }
    UpdateButtons();
}

bool TGameRoom::ControlEvent(TControlBox& box, ControlEventCode kind) {
    if (Solving) {
        return false;
    }
    if (Solved) {
        PressAfterWin();
        return false;
    }
    if (box.GetID() == "BOARD") {
        if (kind != ControlEventCode::Pressed) {
            return false;
        }
        const std::optional<TBoardCell> cell =
            CellAt(BoardShape(), box.LastPoint.X, box.LastPoint.Y);
        HideCheckMarks();
        if (cell) {
            MoveCursorTo(*cell);
            UpdateButtons();
        }
        return false;
    }
    if (box.GetID() == "GAME") {
        HideCheckMarks();
        return false;
    }
    return TRoom::ControlEvent(box, kind);
}

CursorId TGameRoom::GetCursor(const std::string& boxName, int32_t x, int32_t y) {
    if (boxName != "BOARD") {
        return TRoom::GetCursor(boxName, x, y);
    }
    return CellAt(BoardShape(), x, y) ? CursorId::LetterCell : CursorId::Default;
}

void TGameRoom::ShowAbout(bool pause) {
    if (Dialogs == nullptr) {
        NotAvailable("The About box");
        return;
    }
    if (!pause) {
        Dialogs->ShowAbout();
        return;
    }
    SetPaused(true);
    try {
        Dialogs->ShowAbout();
    } catch (...) {
        SetPaused(false);
        throw;
    }
    SetPaused(false);
}

void TGameRoom::EditVocabulary() {
    if (Dialogs == nullptr) {
        NotAvailable("The vocabulary editor");
        return;
    }
    if (Dialogs->ExecuteVocabEditor(Vocabulary)) {
        SaveVocabulary();
    }
    GetUserInterface().ProcessPendingMessages();
}

void TGameRoom::NotAvailable(const std::string& what) {
    Inform(std::string(MessageCaption), what + " is not available yet.");
}

void TGameRoom::ShowCheckResult(bool newlySolved, bool quiet) {
    if (newlySolved) {
        Progress.PuzzleWon(*this);
        PlayRoomSound(SoundKind::Solved);
        StartWinAnimation();
    } else if (!quiet) {
        DrawAllRows(Display());
    }
}

bool TGameRoom::SolverStopped() const {
    const TStdWorld* world = GetWorld();
    return SolverAbort || (world != nullptr && world->IsQuitRequested());
}

void TGameRoom::ShowSolverRow(int r) {
    DrawRow(Display(), r);
    GetUserInterface().ProcessPendingMessages();
}

void TGameRoom::StartSolver() {
    SolverAbort = false;
    SolverUnlocked = true;
    Solving = true;
    try {
        SolveLadder();
    } catch (...) {
        Solving = false;
        throw;
    }
    Solving = false;
    Progress.SolverFinished(*this);
}
