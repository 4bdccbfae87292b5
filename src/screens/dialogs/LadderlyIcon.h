#pragma once
// The game's picture: a golden ladder with letter tiles climbing beside it on a blue tile. The
// About box shows it at 61 x 61 pixels; the desktop icons are drawn from the same shapes at
// their own sizes, so they stay sharp.

#include <QImage>

// The picture, size x size pixels, with a transparent surround.
QImage DrawLadderlyIcon(int size);

inline constexpr int AboutPictureSize = 61;
