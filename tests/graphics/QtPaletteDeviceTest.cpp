#include "platform/QtPaletteDevice.h"

#include <gtest/gtest.h>

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
    struct Case {
        const char* what;
        int32_t sourceX, sourceY, width, height, destX, destY;
        int32_t rows;
        std::vector<int> screen; // 6 x 4 red values, -1 = untouched
    };
    const Case cases[] = {
        {"the whole block", 0, 0, 4, 3, 1, 0, 3, {-1, 20, 21, 22, 23, -1, -1, 10, 11, 12, 13, -1,
                                                  -1, 0,  1,  2,  3,  -1, -1, -1, -1, -1, -1, -1}},
        {"the middle row, shifted", 1, 1, 2, 1, 0, 3, 1, {-1, -1, -1, -1, -1, -1, -1, -1,
                                                          -1, -1, -1, -1, -1, -1, -1, -1,
                                                          -1, -1, 11, 12, -1, -1, -1, -1}},
        {"clipped on the left and the top", 0, 0, 4, 3, -2, -1, 3, {12, 13, -1, -1, -1, -1,
                                                                    2,  3,  -1, -1, -1, -1,
                                                                    -1, -1, -1, -1, -1, -1,
                                                                    -1, -1, -1, -1, -1, -1}},
        {"rows above the block are left out", 0, 2, 4, 2, 0, 0, 1, {-1, -1, -1, -1, -1, -1,
                                                                    20, 21, 22, 23, -1, -1,
                                                                    -1, -1, -1, -1, -1, -1,
                                                                    -1, -1, -1, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        QImage screen(6, 4, QImage::Format_RGB32);
        screen.fill(qRgb(255, 255, 255));
        QtPaletteDevice device(screen);
        device.SetPalette(Grey());
        EXPECT_EQ(
            device.TransferRows(rows, c.sourceX, c.sourceY, c.width, c.height, c.destX, c.destY),
            c.rows)
            << c.what;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                const int expected = c.screen[static_cast<std::size_t>(y * 6 + x)];
                const QRgb pixel = screen.pixel(x, y);
                if (expected < 0) {
                    EXPECT_EQ(pixel, qRgb(255, 255, 255)) << c.what << " at " << x << "," << y;
                } else {
                    EXPECT_EQ(pixel, qRgb(expected, expected, 7))
                        << c.what << " at " << x << "," << y;
                }
            }
        }
    }
}
