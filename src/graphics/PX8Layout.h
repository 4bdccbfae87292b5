#pragma once
// The band layout of a picture: rows are padded to a multiple of 4 bytes and cut into
// horizontal bands (segments) of at most PX8MaxSegmentBytes decoded bytes each. Rows are stored
// bottom-up: segment 0 holds the bottom rows.

#include <cstdint>

inline constexpr uint32_t PX8MaxSegmentBytes = 65280;

struct TPX8BandLayout {
    uint32_t Stride = 0;         // bytes per decoded row: width rounded up to a multiple of 4
    uint32_t RowsPerSegment = 0; // rows of every segment but the last
    uint32_t SegmentCount = 0;   // the count written into a record header
    uint32_t LastSegmentRows = 0;

    uint32_t RowsOf(uint32_t index) const {
        return index + 1 == SegmentCount ? LastSegmentRows : RowsPerSegment;
    }
};

// The layout of a width x height picture (both at least 1). A width whose row alone exceeds
// PX8MaxSegmentBytes has no layout: the result then has SegmentCount 0.
TPX8BandLayout PX8BandLayout(uint16_t width, uint16_t height);
