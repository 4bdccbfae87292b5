// The board of TGameRoom: where it lies and how its rows, cells, marks and cursor are drawn
// from the letter tiles ("letters") and the board graphics ("laddgfx").

#include "core/StepActions.h"
#include "graphics/PX8ImageData.h"
#include "screens/GameRoom.h"

#include <algorithm>
#include <array>

namespace {

using namespace BoardGeometry;

// Source rectangles in "laddgfx": action labels in the order of ActionCodes, then the check
// marks by row status 1 to 4, the hint marks and the edit-mode label.
constexpr std::array<TRect, 6> ActionLabels = {{
    {0, 0, 100, 21},    // A
    {100, 0, 200, 21},  // C
    {200, 21, 300, 42}, // M
    {200, 0, 300, 21},  // R
    {100, 21, 200, 42}, // S
    {0, 21, 100, 42},   // X
}};
constexpr std::array<TRect, 4> CheckMarks = {{
    {0, 42, 137, 52},   // NotInVocabulary
    {0, 52, 80, 62},    // BadStep
    {80, 52, 160, 62},  // Incomplete
    {137, 42, 175, 52}, // OK
}};
constexpr TRect NoHintMark{195, 42, 202, 50};
constexpr TRect HintMark{188, 42, 195, 50};
constexpr TRect EditModeLabel{251, 42, 300, 51};
constexpr TPoint EditModeLabelAt{2, 3};

// Letter tiles lie 9 across on a 25 x 20 pitch; each is one pixel wider and taller.
constexpr int32_t TilesAcross = 9;
constexpr int32_t TilePitchX = 25;
constexpr int32_t TilePitchY = 20;
constexpr int32_t HighlightOffset = 27;

constexpr int32_t RowBandEnd = 330 - 5;
constexpr int32_t CursorWidth = 30;
constexpr int32_t CursorHeight = 25;

} // namespace

void TGameRoom::LayoutBoard() {
    const int n = RowCount;
    // The board's area holds words of up to MaxWordLength letters; a longer word of a flagged
    // puzzle is cut there.
    BoardWidth = MaxWordLength;
    if (!EditMode) {
        BoardWidth = 0;
        for (int r = 1; r <= n; ++r) {
            BoardWidth = std::max(BoardWidth, std::min(RowLength(r), MaxWordLength));
        }
    }
    const int32_t width = (BoardWidth - 1) * LetterPitch + 138;
    const int32_t height = (n - 1) * RowPitch + RowHeight;
    BoardLeft = CentreX - width / 2;
    BoardTop = CentreY - height / 2;
}

void TGameRoom::DrawRow(TPX8ImageData* surface, int r) {
    if (surface == nullptr || LetterTiles == nullptr || BoardGraphics == nullptr || r < 1 ||
        r > RowCount || r > MaxRows) {
        return;
    }
    TPX8ImageData& graphics = *BoardGraphics->GetSurface();
    const int32_t top = BoardTop + (r - 1) * RowPitch;
    surface->FillRect({BoardLeft, top, RowBandEnd, top + RowHeight}, surface->GetPixel({0, 0}));
    if (r > 1 && static_cast<size_t>(r) <= Actions.size()) {
        const int index = ActionIndex(Actions[static_cast<size_t>(r - 1)]);
        if (index >= 0) {
            surface->Blit({BoardLeft, top}, graphics, ActionLabels[static_cast<size_t>(index)]);
        }
    }
    for (int c = 1; c <= RowLength(r); ++c) {
        DrawCell(surface, r, c);
    }
    if (EditMode) {
        const TRect& mark = GetHint(r).empty() ? NoHintMark : HintMark;
        surface->Blit({BoardLeft + LabelWidth + 2, top + (RowHeight - RectHeight(mark)) / 2},
                      graphics, mark);
    }
    const RowJudgement status = RowStatus[static_cast<size_t>(r)];
    if (ShowMarks && status >= RowJudgement::NotInVocabulary && status <= RowJudgement::OK) {
        const TRect& mark = CheckMarks[static_cast<size_t>(status) - 1];
        const int32_t letters = (BoardWidth - 1) * LetterPitch + CellWidth;
        surface->Blit({BoardLeft + FirstCell + (letters - RectWidth(mark)) / 2,
                       top + (RowHeight - RectHeight(mark)) / 2},
                      graphics, mark);
    }
    if (r == CursorRow) {
        DrawCursor(surface, true);
    }
}

void TGameRoom::DrawCell(TPX8ImageData* surface, int r, int c) {
    if (surface == nullptr || LetterTiles == nullptr || r < 1 || r > MaxRows || c < 1 ||
        c > BoardWidth) {
        return;
    }
    const std::string& row = Rows[static_cast<size_t>(r)];
    int32_t k = 0;
    if (row.size() >= static_cast<size_t>(c)) {
        const char ch = row[static_cast<size_t>(c - 1)];
        if (ch >= 'A' && ch <= 'Z') {
            k = ch - 'A' + 1;
            const size_t last = static_cast<size_t>(std::clamp(RowCount, 1, MaxRows));
            if (Rows[last].find(ch) != std::string::npos) {
                k += HighlightOffset;
            }
        }
    }
    const int32_t left = TilePitchX * (k % TilesAcross);
    const int32_t tileTop = TilePitchY * (k / TilesAcross);
    surface->Blit({BoardLeft + FirstCell + (c - 1) * LetterPitch, BoardTop + (r - 1) * RowPitch},
                  *LetterTiles->GetSurface(),
                  {left, tileTop, left + CellWidth, tileTop + RowHeight});
}

void TGameRoom::DrawCursor(TPX8ImageData* surface, bool on) {
    if (surface == nullptr || CursorRow < 1 || CursorColumn < 1) {
        return;
    }
    const int32_t left = BoardLeft + FirstCell + (CursorColumn - 1) * LetterPitch - 2;
    const int32_t top = BoardTop + (CursorRow - 1) * RowPitch - 2;
    surface->FrameRect({left, top, left + CursorWidth, top + CursorHeight},
                       on ? CursorColour : EraseColour);
}

void TGameRoom::DrawAllRows(TPX8ImageData* surface) {
    for (int r = 1; r <= RowCount && r <= MaxRows; ++r) {
        DrawRow(surface, r);
    }
    if (EditMode && surface != nullptr && BoardGraphics != nullptr) {
        surface->Blit(EditModeLabelAt, *BoardGraphics->GetSurface(), EditModeLabel);
    }
}

void TGameRoom::HideCheckMarks() {
    if (ShowMarks) {
        ShowMarks = false;
        DrawAllRows(Display());
    }
}
