#include "platform/QtPaletteDevice.h"

#include <algorithm>

QtPaletteDevice::QtPaletteDevice(QImage& image) : target(image) {
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int level = static_cast<int>(i);
        colours[i] = qRgb(level, level, level);
    }
}

int QtPaletteDevice::SetPalette(const TPaletteEntries& palette) {
    int changed = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const QRgb colour = qRgb(palette[i].Red, palette[i].Green, palette[i].Blue);
        if (colours[i] != colour) {
            colours[i] = colour;
            ++changed;
        }
    }
    return changed;
}

int32_t QtPaletteDevice::TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY,
                                      int32_t width, int32_t height, int32_t destX, int32_t destY) {
    // The part of the request that lies inside the block, in rows counted from its bottom.
    const int32_t firstColumn = std::max(sourceX, 0);
    const int32_t endColumn = std::min(sourceX + width, block.Width);
    const int32_t lowRow = std::max(sourceY, 0);
    const int32_t highRow = std::min(sourceY + height, block.Height);
    if (block.Pixels == nullptr || firstColumn >= endColumn || lowRow >= highRow) {
        return 0;
    }
    for (int32_t fromBottom = lowRow; fromBottom < highRow; ++fromBottom) {
        // The highest source row lands on the destination's top row.
        const int32_t y = destY + (sourceY + height - 1 - fromBottom);
        if (y < 0 || y >= target.height()) {
            continue;
        }
        const uint8_t* source =
            block.Pixels + static_cast<std::ptrdiff_t>(fromBottom) * block.Stride;
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        const int32_t left = std::max(firstColumn, -destX + sourceX);
        const int32_t right = std::min(endColumn, target.width() - destX + sourceX);
        for (int32_t column = left; column < right; ++column) {
            line[destX + column - sourceX] = colours[source[column]];
        }
    }
    return highRow - lowRow;
}
