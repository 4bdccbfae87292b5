// Decodes one segment: the first bytes choose the picture width, the segment's rows, its
// escape codes and flags; the rest is the stored data. Only PX8Exception may come out.

#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8Layout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t Settings = 6;
    if (size < Settings) {
        return 0;
    }
    const auto width = static_cast<uint16_t>(1 + (data[0] | (data[1] & 0x03) << 8));
    const uint32_t stride = (width + 3u) & ~3u;
    const auto rows =
        static_cast<uint16_t>(std::min<uint32_t>(1 + data[2] % 64, PX8MaxSegmentBytes / stride));
    TPX8ImageSegment segment(nullptr, 0);
    segment.Allocate(size - Settings);
    if (size > Settings) {
        std::memcpy(segment.Lock(), data + Settings, size - Settings);
    }
    segment.Unlock();
    segment.Codes[0] = data[3];
    segment.Codes[1] = data[4];
    segment.Flags = static_cast<uint8_t>((data[5] & 0x03) | PX8SegmentStored);
    try {
        segment.Decode(width, rows);
    } catch (const PX8Exception&) {
        return 0;
    }
    // Every decoded byte is readable and the padding is zero.
    const uint8_t* block = segment.Lock();
    for (uint32_t r = 0; r < rows; ++r) {
        for (uint32_t x = width; x < stride; ++x) {
            if (block[r * stride + x] != 0) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
