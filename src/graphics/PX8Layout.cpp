#include "graphics/PX8Layout.h"

TPX8BandLayout PX8BandLayout(uint16_t width, uint16_t height) {
    TPX8BandLayout layout;
    layout.Stride = (uint32_t{width} + 3u) & ~3u;
    if (width == 0 || height == 0 || layout.Stride > PX8MaxSegmentBytes) {
        return layout;
    }
    const uint32_t total = layout.Stride * height;
    uint32_t count = (total + PX8MaxSegmentBytes - 1) / PX8MaxSegmentBytes;
    auto rowsFor = [&](uint32_t n) { return (total / n + layout.Stride - 1) / layout.Stride; };
    uint32_t rows = rowsFor(count);
    while (rows * layout.Stride > PX8MaxSegmentBytes) {
        ++count;
        rows = rowsFor(count);
    }
    layout.RowsPerSegment = rows;
    // The count follows from the rows of segment 0, so the last segment is never empty.
    layout.SegmentCount = (height + rows - 1) / rows;
    layout.LastSegmentRows = height - (layout.SegmentCount - 1) * rows;
    return layout;
}
