#include "screens/BoardCursor.h"

#include "platform/InputCodes.h"

#include <algorithm>

int TBoardShape::Length(int row) const {
    return row >= 1 && row <= std::min(RowCount, MaxRows) ? Lengths[static_cast<size_t>(row)] : 0;
}

bool TakesCursor(const TBoardShape& board, TBoardCell cell) {
    const int n = board.RowCount;
    return cell.Row >= 2 && (cell.Row < n || (board.EditMode && cell.Row == n)) &&
           cell.Column >= 1 && cell.Column <= board.Width && cell.Column <= board.Length(cell.Row);
}

std::optional<TBoardCell> MoveCursor(const TBoardShape& board, TBoardCell cursor, uint16_t key) {
    const int n = board.RowCount;
    int col = cursor.Column;
    int row = cursor.Row;
    const bool letter = key >= 'A' && key <= 'Z';
    switch (key) {
    case VirtualKey::Down:
        if (!(row < n - 1 || (board.EditMode && row < n))) {
            return std::nullopt;
        }
        ++row;
        col = std::min(col, board.Length(row));
        break;
    case VirtualKey::Up:
        if (row <= 2) {
            return std::nullopt;
        }
        --row;
        col = std::min(col, board.Length(row));
        break;
    case VirtualKey::Left:
    case VirtualKey::Back:
        if (col <= 1 && row <= 2) {
            return std::nullopt;
        }
        if (col > 1) {
            --col;
        } else {
            --row;
            col = board.Length(row);
        }
        break;
    case VirtualKey::Right:
    case VirtualKey::Space:
        break;
    default:
        if (!letter) {
            return std::nullopt;
        }
        break;
    }
    if (key == VirtualKey::Right || key == VirtualKey::Space || letter) {
        if (board.Length(row) > col) {
            ++col;
        } else if (row < n - 1 || (board.EditMode && key == VirtualKey::Right && row < n)) {
            ++row;
            col = 1;
        } else {
            return std::nullopt;
        }
    }
    const TBoardCell target{col, row};
    return TakesCursor(board, target) ? std::optional(target) : std::nullopt;
}

std::optional<TBoardCell> CellAt(const TBoardShape& board, int32_t x, int32_t y) {
    using namespace BoardGeometry;
    if (x < 0 || y < 0 || y % RowPitch >= RowHeight || x % LetterPitch >= CellWidth) {
        return std::nullopt;
    }
    const TBoardCell cell{x / LetterPitch + 1, y / RowPitch + 2};
    return TakesCursor(board, cell) ? std::optional(cell) : std::nullopt;
}
