#pragma once
// The screen's cursors by id (see CursorId): the window system's own and the game's.

#include "framework/CursorId.h"

#include <QCursor>

// Draws the game's cursors into their slots; needs a QGuiApplication.
void InstallGameCursors();

// The cursor of an id; an empty slot or an unknown id is the arrow.
QCursor ScreenCursor(CursorId id);
