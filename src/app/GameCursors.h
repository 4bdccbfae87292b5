#pragma once
// The screen's cursors by id: 0 and the negative ids are the window system's own (the ids of
// the toolkit the game was designed with: -1 none, -11 hourglass, -21 pointing hand, ...),
// positive ids are slots the game fills with cursors of its own.

#include <QCursor>

#include <cstdint>

// The game's own cursors.
namespace GameCursor {
inline constexpr int16_t LetterCell = 1; // a board cell that takes letters
inline constexpr int16_t Link = 2;       // the About box's web address
} // namespace GameCursor

// Draws the game's cursors into their slots; needs a QGuiApplication.
void InstallGameCursors();

// The cursor of an id; an empty slot or an unknown id is the arrow.
QCursor ScreenCursor(int16_t id);
