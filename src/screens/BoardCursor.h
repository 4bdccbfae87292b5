#pragma once
// The board's cells: where they lie on the display and which of them the cursor may take, the
// cell a key moves the cursor to, and the cell under a point of the board. The key, the mouse
// press and the cursor shape all go through these pure functions of the board's shape.

#include "core/StepActions.h"

#include <array>
#include <cstdint>
#include <optional>

// Board geometry in display pixels.
namespace BoardGeometry {
inline constexpr int32_t RowPitch = 26;
inline constexpr int32_t RowHeight = 21;
inline constexpr int32_t LabelWidth = 100;
inline constexpr int32_t FirstCell = 112; // left of the first letter cell from BoardLeft
inline constexpr int32_t LetterPitch = 30;
inline constexpr int32_t CellWidth = 26;
inline constexpr int32_t CentreX = 165;
inline constexpr int32_t CentreY = 175;
inline constexpr int32_t ButtonColumn = 334; // the board lies left of it, the buttons right
inline constexpr uint8_t CursorColour = 128;
inline constexpr uint8_t EraseColour = 255;
} // namespace BoardGeometry

// A cell of the board, 1-based.
struct TBoardCell {
    int Column = 0;
    int Row = 0;
    bool operator==(const TBoardCell&) const = default;
};

// What the cursor rules see of the board.
struct TBoardShape {
    int RowCount = 0;
    bool EditMode = false;
    int Width = 0;                          // letter columns the board is laid out for
    std::array<int, MaxRows + 1> Lengths{}; // letters of rows 1 to RowCount

    // The letters of a row; 0 outside the board.
    int Length(int row) const;
};

// The cursor stands on the rows the player fills in, and in edit mode also on the end-word row
// (to choose its step's action), within the row's letters and the board's width.
bool TakesCursor(const TBoardShape& board, TBoardCell cell);

// The cell a key (a virtual-key code) moves the cursor to, or nothing when it stays. The arrows
// move it, Backspace as Left; a letter or the space bar moves it one cell on, to the first cell
// of the next row at a row's end; Right at the end of the last row to fill enters the end-word
// row in edit mode. Up, Down and a row change keep the column where the new row has it.
std::optional<TBoardCell> MoveCursor(const TBoardShape& board, TBoardCell cursor, uint16_t key);

// The cell under a point relative to the board box's top-left corner, or nothing for the gaps
// between cells and for cells the cursor cannot take.
std::optional<TBoardCell> CellAt(const TBoardShape& board, int32_t x, int32_t y);
