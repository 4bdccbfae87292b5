#pragma once
// Writing pictures into library files. Each segment gets its own escape codes (the two least
// frequent byte values) and is line-coded with, for every row, the line codes that give the
// shortest output; a segment that line coding would not shrink is written as one run-length
// stream, and one that would not shrink either way is written as plain rows.

#include "graphics/PX8Lib.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TPX8Picture {
    std::string Name; // at most 8 characters
    uint16_t Width = 0;
    uint16_t Height = 0;
    std::vector<uint8_t> Pixels; // Width x Height palette indices, top row first
    bool Transparent = false;
    uint8_t TransparentIndex = 0;
};

using TPX8PaletteTable = std::array<uint8_t, PX8PaletteTableSize>;

// One segment's stored form (3-byte segment header, then data) from its rows in storage order
// (the bottom row first), each `width` pixels long.
std::vector<uint8_t> PX8EncodeSegment(std::span<const uint8_t* const> rows, uint16_t width);

// A whole image record. A name longer than 8 characters, pixels that do not match the size or
// a size without band layout raise PX8Exception.
std::vector<uint8_t> PX8EncodeRecord(const TPX8Picture& picture);

// A whole library file: header, palette table (blue, green, red, reserved per entry), records.
std::vector<uint8_t> PX8EncodeLibrary(const TPX8PaletteTable& palette,
                                      const std::vector<TPX8Picture>& pictures);

// Writes PX8EncodeLibrary to a file; "Cannot create file "PATH"" when it cannot be written.
void PX8WriteLibrary(const std::string& path, const TPX8PaletteTable& palette,
                     const std::vector<TPX8Picture>& pictures);
