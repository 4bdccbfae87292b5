#pragma once
// A picture of the whole game window put together from the game's pictures the way the game
// draws them, to judge the pictures as a whole: the tiled background, the border, the screen,
// a puzzle on the board and the buttons, in play mode or in edit mode.

#include <QImage>

#include <map>
#include <string>

QImage MockWindow(const std::map<std::string, QImage>& pictures, bool editMode);
