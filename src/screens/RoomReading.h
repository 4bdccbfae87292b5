#pragma once
// What a screen reader tells of the game room, in plain text. The screen is painted, so to
// assistive technology it is opaque; this is a second view of the same state: the board's rows
// as the player sees them, the buttons by their drawn captions with their enabled state, and
// the mode. A reading is taken from the room whenever it is asked for; two readings compared
// tell what a screen reader must announce.

#include "base/Geometry.h"

#include <cstddef>
#include <string>
#include <vector>

class TGameRoom;

struct TRowReading {
    // "HOT" when every cell holds a letter, otherwise letter by letter: "H, blank, T".
    std::string Name;
    // The cursor's letter on the cursor row, the start or end word, the row's step, its check
    // mark while the marks show, its hint in edit mode: "Letter 2 of 3, Change 1 Letter".
    std::string Description;
    // The row's band on the display surface.
    TRect Bounds;

    friend bool operator==(const TRowReading&, const TRowReading&) = default;
};

struct TButtonReading {
    // The hit box's name in lower case ("newbtn", "about").
    std::string Box;
    // The caption as drawn ("New Puzzle"; an action button's code letter).
    std::string Name;
    // What an action button's letter stands for ("Change 1 Letter"); empty for the others.
    std::string Description;
    TRect Bounds;
    bool Enabled = false;
    // The edit buttons show in edit mode only.
    bool Shown = false;

    friend bool operator==(const TButtonReading&, const TButtonReading&) = default;
};

struct TRoomReading {
    // "Playing puzzle 3", "Editing puzzle 3" or "No puzzle".
    std::string Mode;
    // "CAT to DOG", "Solved" or "No puzzle".
    std::string Board;
    int Puzzle = 0;
    // The row holding the cursor, 1-based; 0 without a puzzle.
    int CursorRow = 0;
    std::vector<TRowReading> Rows;
    // The title band ("about") and the buttons of the column, top to bottom and left to right.
    std::vector<TButtonReading> Buttons;
};

// The room's reading; without a room, an empty one that says "No puzzle".
TRoomReading ReadRoom(const TGameRoom* room);

// What changed from one reading to the next. Indices are positions in Rows and Buttons.
struct TReadingChanges {
    bool Mode = false;
    bool Board = false;
    // The number of rows is different: the board's list is read anew. Rows whose name or
    // description changed (new rows included) are listed.
    bool Rows = false;
    std::vector<size_t> RowNames;
    std::vector<size_t> RowDescriptions;
    // The set of buttons is different (a room came or went): the buttons are read anew and not
    // compared one by one.
    bool Buttons = false;
    std::vector<size_t> ButtonsShown;
    std::vector<size_t> ButtonsEnabled;
    // The board is new as a whole: another puzzle or mode, solved or no longer, other rows, or
    // rows changed that the cursor was not on (a hint, "start", the solver, the editor), not
    // by typing. A screen reader is then shown a new board (whose rows it reads afresh).
    bool NewBoard = false;
    // The focus goes to the cursor's row: it is on another row, or the board is new.
    bool Focus = false;
};

TReadingChanges CompareReadings(const TRoomReading& before, const TRoomReading& after);
