#include "screens/BoardCursor.h"

#include "platform/InputCodes.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

constexpr std::optional<TBoardCell> Stays = std::nullopt;

// Keys move the cursor over the rows to fill, and in edit mode into the end word; the mouse
// selects the same cells (not the gaps between them), and the cursor shape follows it.
TEST(BoardCursor, KeysAndPointsGiveTheCells) {
    using namespace VirtualKey;
    // "cat" to "carts" over rows of 4, 4 and 5 letters, laid out as play and edit mode lay it out.
    const auto Board = [](bool edit) {
        return TBoardShape{5, edit, edit ? 7 : 5, {0, 3, 4, 4, 5, 5}};
    };
    // Edit mode, the cell, the key and where the cursor goes.
    const std::tuple<bool, TBoardCell, uint16_t, std::optional<TBoardCell>> moves[] = {
        {false, {1, 2}, Up, Stays},      {false, {5, 4}, Up, TBoardCell{4, 3}},
        {false, {4, 2}, Down, {{4, 3}}}, {false, {5, 4}, Down, Stays},
        {true, {5, 4}, Down, {{5, 5}}},  {false, {1, 3}, Left, {{4, 2}}},
        {false, {1, 2}, Back, Stays},    {false, {2, 2}, Space, {{3, 2}}},
        {false, {4, 2}, 'A', {{1, 3}}},  {false, {5, 4}, 'A', Stays},
        {true, {5, 4}, 'A', Stays},      {false, {5, 4}, Right, Stays},
        {true, {5, 4}, Right, {{1, 5}}}, {false, {2, 2}, Delete, Stays},
    };
    for (const auto& [edit, from, key, to] : moves) {
        EXPECT_EQ(MoveCursor(Board(edit), from, key), to)
            << edit << " " << from.Column << "," << from.Row << " key " << key;
    }

    const std::tuple<bool, int32_t, int32_t, std::optional<TBoardCell>> points[] = {
        {false, 35, 30, {{2, 3}}}, {false, 27, 30, Stays},  // the gap after column 1
        {false, 5, 22, Stays},                              // the gap below row 2
        {false, 95, 5, {{4, 2}}},  {false, 125, 5, Stays},  // row 2 has four letters
        {false, 5, 83, Stays},     {true, 5, 83, {{1, 5}}}, // the end word
    };
    for (const auto& [edit, x, y, cell] : points) {
        EXPECT_EQ(CellAt(Board(edit), x, y), cell) << edit << " " << x << "," << y;
    }
}

} // namespace
