#pragma once
// Test implementations of the palette device and the system palette. The device records where
// each transfer went and paints a canvas of palette indices, so tests can look at both what was
// sent and what the screen would show.

#include "platform/PaletteDevice.h"

#include <cstdint>
#include <vector>

class FakePaletteDevice : public IPaletteDevice {
  public:
    struct Transfer {
        int32_t width, height, destX, destY;
    };

    // A canvas of width x height indices, all `background`.
    FakePaletteDevice(int32_t width, int32_t height, uint8_t background = 0)
        : canvasWidth(width), canvasHeight(height),
          canvas(static_cast<std::size_t>(width) * height, background) {}

    // Rows from the top of the requested part down; the top one is the highest source row.
    int32_t TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY, int32_t width,
                         int32_t height, int32_t destX, int32_t destY) override {
        transfers.push_back({width, height, destX, destY});
        int32_t rows = 0;
        for (int32_t j = 0; j < height; ++j) {
            const int32_t fromBottom = sourceY + height - 1 - j;
            if (fromBottom < 0 || fromBottom >= block.Height) {
                continue;
            }
            ++rows;
            for (int32_t i = 0; i < width; ++i) {
                const int32_t column = sourceX + i;
                const int32_t x = destX + i;
                const int32_t y = destY + j;
                if (column >= 0 && column < block.Width && x >= 0 && x < canvasWidth && y >= 0 &&
                    y < canvasHeight) {
                    canvas[static_cast<std::size_t>(y) * canvasWidth + x] =
                        block.Pixels[static_cast<std::ptrdiff_t>(fromBottom) * block.Stride +
                                     column];
                }
            }
        }
        return rows;
    }

    uint8_t At(int32_t x, int32_t y) const {
        return canvas[static_cast<std::size_t>(y) * canvasWidth + x];
    }

    std::vector<Transfer> transfers;
    int32_t canvasWidth;
    int32_t canvasHeight;
    std::vector<uint8_t> canvas;
};

class FakeSystemPalette : public ISystemPalette {
  public:
    bool IsStatic() const override { return isStatic; }
    int ReservedColours() const override { return reserved; }
    TPaletteEntries Entries() const override { return entries; }

    bool isStatic = false;
    int reserved = 0;
    TPaletteEntries entries{};
};
