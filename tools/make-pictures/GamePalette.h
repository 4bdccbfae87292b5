#pragma once
// The one 256-colour palette every picture of the game shares, and the mapping of drawn
// colours onto it.
//
// Layout (indexes):
//   0          black: every display keeps it, and edit mode blanks the button column with it
//   1-9        the display's reserved system colours; no picture draws them (1 is the
//              transparent key of the pictures that have one)
//   10-49      slate greys, dark to light
//   50-81      blue
//   82-105     green
//   106-127    red
//   128        the board cursor
//   129-156    amber
//   157-176    orange
//   177-200    purple
//   201-224    teal
//   225-245    pink
//   246-254    the display's reserved system colours; no picture draws them
//   255        white: the board's background, which also erases the cursor
// Each ramp runs from a dark shade through its key colour to a pale tint, so antialiased edges
// between a colour, its text and the white board stay smooth.

#include "IndexedPng.h"

#include <QImage>

#include <array>
#include <cstdint>

namespace GamePalette {

inline constexpr uint8_t Black = 0;
inline constexpr uint8_t TransparentKey = 1;
inline constexpr uint8_t Cursor = 128;
inline constexpr uint8_t White = 255;

// The 256 entries as red, green, blue.
const std::array<std::array<uint8_t, 3>, 256>& Entries();

// True for the indexes a picture may contain: black, white, the cursor and the ramps.
bool Drawable(int index);

// Maps a drawn picture onto the palette, each pixel to the nearest drawable entry. Pixels of
// a transparent picture that are mostly see-through become TransparentKey (marked fully
// transparent in the PNG); the others are laid over `backdrop`, what the picture will stand on.
IndexedPng ToIndexed(const QImage& picture, bool transparent, QRgb backdrop = qRgb(255, 255, 255));

} // namespace GamePalette
