#include "platform/QtPaletteDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A block of 4 x 3 indices, bottom row first: the value is 10 x (row from the bottom) + column.
const std::vector<uint8_t> Block = {0, 1, 2, 3, 0,  0,  0,  0,  10, 11, 12, 13,
                                    0, 0, 0, 0, 20, 21, 22, 23, 0,  0,  0,  0};

TPaletteEntries Grey() {
    TPaletteEntries palette{};
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i), 7, 0};
    }
    return palette;
}

} // namespace

TEST(QtPaletteDevice, TransfersBottomUpRowsThroughThePalette) {
    const TIndexedRows rows{Block.data(), 4, 3, 8};
    // The whole block; the middle row, shifted; clipped on the left and the top; rows above the
    // block left out.
    struct Case {
        int32_t sourceX, sourceY, width, height, destX, destY;
        int32_t rows;
        const char* screen; // 4 rows of 6 red values, two digits each, ".." untouched
    };
    const Case cases[] = {
        {0, 0, 4, 3, 1, 0, 3, "..20212223....10111213....00010203.............."},
        {1, 1, 2, 1, 0, 3, 1, "....................................1112........"},
        {0, 0, 4, 3, -2, -1, 3, "1213........0203................................"},
        {0, 2, 4, 2, 0, 0, 1, "............20212223............................"},
    };
    for (const Case& c : cases) {
        QImage screen(6, 4, QImage::Format_RGB32);
        screen.fill(qRgb(255, 255, 255));
        QtPaletteDevice device(screen);
        device.SetPalette(Grey());
        EXPECT_EQ(
            device.TransferRows(rows, c.sourceX, c.sourceY, c.width, c.height, c.destX, c.destY),
            c.rows)
            << c.screen;
        for (int i = 0; i < 24; ++i) {
            const std::string cell(c.screen + 2 * i, 2);
            const int red = cell == ".." ? -1 : std::stoi(cell);
            EXPECT_EQ(screen.pixel(i % 6, i / 6), red < 0 ? qRgb(255, 255, 255) : qRgb(red, red, 7))
                << c.screen << " at " << i % 6 << "," << i / 6;
        }
    }
}
