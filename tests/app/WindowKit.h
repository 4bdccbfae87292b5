#pragma once
// An installation for the main window's tests: a folder with a small image library holding
// "screen" (450 x 326) and "tile" (32 x 24) in a palette of its own, and the colours the
// window should show for them.

#include "fakes/TempFolder.h"
#include "graphics/LibraryKit.h"

#include <QColor>
#include <QImage>

#include <array>
#include <memory>
#include <string>

inline constexpr int TestTileWidth = 32;
inline constexpr int TestTileHeight = 24;

inline uint8_t ScreenIndex(int x, int y) {
    return static_cast<uint8_t>(1 + (x / 9 + 3 * (y / 7)) % 120);
}

inline uint8_t TileIndex(int x, int y) {
    return static_cast<uint8_t>(130 + (x / 4 + y / 3) % 100);
}

// Writes "ladderly.px8" into the folder.
// subFolder: a staged installation inside the folder (the start-up benchmark).
inline void WriteTestLibrary(const TempFolder& folder, const std::string& subFolder = {}) {
    const auto picture = [](const char* name, uint16_t width, uint16_t height,
                            uint8_t (*index)(int, int)) {
        TPX8Picture made{name, width, height, {}, false, 0};
        for (int i = 0; i < width * height; ++i) {
            made.Pixels.push_back(index(i % width, i / width));
        }
        return made;
    };
    // Palette entry i, stored blue, green, red, unused: red i, green 255 - i, blue 7 * i mod 256.
    TPX8PaletteTable palette{};
    for (int i = 0; i < 1024; ++i) {
        palette[i] = static_cast<uint8_t>(std::array{7 * (i / 4), 255 - i / 4, i / 4, 0}[i % 4]);
    }
    PX8WriteLibrary(folder.Path() + subFolder + "ladderly.px8", palette,
                    {picture("screen", 450, 326, ScreenIndex),
                     picture("tile", TestTileWidth, TestTileHeight, TileIndex)});
}

// The colour an index of the library shows as on the window.
inline QRgb ShownColour(TPX8Library& library, uint8_t index) {
    const TPaletteEntry& entry = library.GetHPal()[index];
    return qRgb(entry.Red, entry.Green, entry.Blue);
}
