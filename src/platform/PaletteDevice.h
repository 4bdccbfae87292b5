#pragma once
// What the image engine needs to put 8-bit palette-index pixels on a screen: a device that
// takes blocks of palette-index rows, and the system's palette, whose reserved colours the
// game's palette keeps at both ends.

#include <array>
#include <cstdint>

struct TPaletteEntry {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    uint8_t Flags = 0;

    bool operator==(const TPaletteEntry&) const = default;
};

// Flag of an entry that must not be mapped onto another entry of the same colour.
inline constexpr uint8_t PaletteNoCollapse = 0x04;

using TPaletteEntries = std::array<TPaletteEntry, 256>;

// A block of 8-bit palette-index rows stored bottom-up: Pixels is the first byte of the
// bottom row, and row r counted from the bottom starts at Pixels + r * Stride.
struct TIndexedRows {
    const uint8_t* Pixels = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;
};

class IPaletteDevice {
  public:
    virtual ~IPaletteDevice() = default;

    // Copies an unscaled width x height part of the block to the device. The part starts at
    // column sourceX, and its lowest row is row sourceY counted from the block's bottom; its
    // top-left pixel lands at (destX, destY). Parts outside the block or the device are left
    // out. Returns the number of rows transferred.
    virtual int32_t TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY,
                                 int32_t width, int32_t height, int32_t destX, int32_t destY) = 0;
};

class ISystemPalette {
  public:
    virtual ~ISystemPalette() = default;

    // Whether the system keeps colours of its own at both ends of the palette.
    virtual bool IsStatic() const = 0;
    // How many entries the system keeps (half at each end) when the palette is static.
    virtual int ReservedColours() const = 0;
    // The system's 256 palette entries.
    virtual TPaletteEntries Entries() const = 0;
};

// A desktop without a system palette: not static; entry 0 black, entry 255 white.
ISystemPalette& NoSystemPalette();
