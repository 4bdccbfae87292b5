#pragma once
// Screen cursors by id: 0 and the negative ids are the window system's own (the ids of the
// toolkit the game was designed with: -1 none, -11 hourglass, -21 pointing hand, ...), positive
// ids are slots the game fills with cursors of its own.

#include <cstdint>

enum class CursorId : int16_t {
    HourGlass = -11,
    None = -1,
    Default = 0,
    LetterCell = 1,  // a board cell that takes letters
    Link = 2,        // the About box's web address
    AskRoom = 32767, // held by a hit box whose room decides its cursor; never shown
};
