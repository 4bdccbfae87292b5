#include "fakes/FakePaletteDevice.h"

#include <algorithm>

FakePaletteDevice::FakePaletteDevice(int32_t width, int32_t height, uint8_t background)
    : canvasWidth(width), canvasHeight(height),
      canvas(static_cast<std::size_t>(width) * height, background) {}

int32_t FakePaletteDevice::TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY,
                                        int32_t width, int32_t height, int32_t destX,
                                        int32_t destY) {
    Transfer transfer{sourceX, sourceY, width, height, destX, destY, 0, {}};
    int32_t rows = 0;
    // Rows from the top of the requested part down; the top one is the highest source row.
    for (int32_t j = 0; j < height; ++j) {
        const int32_t fromBottom = sourceY + height - 1 - j;
        const bool rowInside = fromBottom >= 0 && fromBottom < block.Height;
        rows += rowInside ? 1 : 0;
        for (int32_t i = 0; i < width; ++i) {
            const int32_t column = sourceX + i;
            const bool inside = rowInside && column >= 0 && column < block.Width;
            const uint8_t value =
                inside
                    ? block.Pixels[static_cast<std::ptrdiff_t>(fromBottom) * block.Stride + column]
                    : 0;
            transfer.pixels.push_back(value);
            const int32_t x = destX + i;
            const int32_t y = destY + j;
            if (inside && x >= 0 && x < canvasWidth && y >= 0 && y < canvasHeight) {
                canvas[static_cast<std::size_t>(y) * canvasWidth + x] = value;
            }
        }
    }
    transfer.rows = rows;
    transfers.push_back(std::move(transfer));
    return rows;
}
