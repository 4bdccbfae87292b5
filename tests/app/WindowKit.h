#pragma once
// An installation for the main window's tests: a folder with a small image library holding
// "screen" (450 x 326) and "tile" (32 x 24) in a palette of its own, and the colours the
// window should show for them.

#include "fakes/TempFolder.h"
#include "graphics/LibraryKit.h"

#include <QColor>
#include <QImage>

#include <memory>
#include <string>

inline constexpr int TestTileWidth = 32;
inline constexpr int TestTileHeight = 24;

// Palette entry i: red i, green 255 - i, blue (7 * i) mod 256.
inline TPX8PaletteTable TestPalette() {
    TPX8PaletteTable table{};
    for (int i = 0; i < 256; ++i) {
        table[i * 4] = static_cast<uint8_t>(7 * i);
        table[i * 4 + 1] = static_cast<uint8_t>(255 - i);
        table[i * 4 + 2] = static_cast<uint8_t>(i);
    }
    return table;
}

inline uint8_t ScreenIndex(int x, int y) {
    return static_cast<uint8_t>(1 + (x / 9 + 3 * (y / 7)) % 120);
}

inline uint8_t TileIndex(int x, int y) {
    return static_cast<uint8_t>(130 + (x / 4 + y / 3) % 100);
}

// Writes "ladderly.px8" into the folder, or into a sub-folder ending in "/".
inline void WriteTestLibrary(const TempFolder& folder, const std::string& subFolder = {}) {
    TPX8Picture screen{"screen", 450, 326, {}, false, 0};
    for (int y = 0; y < 326; ++y) {
        for (int x = 0; x < 450; ++x) {
            screen.Pixels.push_back(ScreenIndex(x, y));
        }
    }
    TPX8Picture tile{"tile", TestTileWidth, TestTileHeight, {}, false, 0};
    for (int y = 0; y < TestTileHeight; ++y) {
        for (int x = 0; x < TestTileWidth; ++x) {
            tile.Pixels.push_back(TileIndex(x, y));
        }
    }
    PX8WriteLibrary(folder.Path() + subFolder + "ladderly.px8", TestPalette(), {screen, tile});
}

// The colour an index of the library shows as on the window.
inline QRgb ShownColour(TPX8Library& library, uint8_t index) {
    const TPaletteEntry& entry = library.GetHPal()[index];
    return qRgb(entry.Red, entry.Green, entry.Blue);
}
