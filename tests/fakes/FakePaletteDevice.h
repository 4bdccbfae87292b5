#pragma once
// Test implementations of the palette device and the system palette. The device records every
// transfer (rectangles and pixels) and paints a canvas of palette indices, so tests can look
// at both what was sent and what the screen would show.

#include "platform/PaletteDevice.h"

#include <cstdint>
#include <vector>

class FakePaletteDevice : public IPaletteDevice {
  public:
    struct Transfer {
        int32_t sourceX, sourceY, width, height, destX, destY;
        int32_t rows;                // rows reported as transferred
        std::vector<uint8_t> pixels; // the transferred part, top row first, `width` per row
    };

    // A canvas of width x height indices, all `background`.
    FakePaletteDevice(int32_t width = 640, int32_t height = 480, uint8_t background = 0);

    int32_t TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY, int32_t width,
                         int32_t height, int32_t destX, int32_t destY) override;

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
