#pragma once
// Hand-built library files for the image engine's tests: records are assembled from raw
// segment bytes, so every field can be made right or wrong on purpose.

#include "graphics/PX8Exception.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct TestSegment {
    uint8_t codeA = 0, codeB = 0, flags = 0x08;
    Bytes data;
};

struct TestRecord {
    std::string name;
    uint16_t width = 1, height = 1;
    uint8_t state = 1, transparentIndex = 0, transparent = 0;
    uint16_t version = 3;
    std::vector<TestSegment> segments;
};

// Appends `value` in `size` little-endian bytes.
inline void PutLE(Bytes& out, uint32_t value, int size) {
    for (int i = 0; i < size; ++i, value >>= 8) {
        out.push_back(static_cast<uint8_t>(value));
    }
}

// A w x h picture stored plainly in one segment: pixel (x, y) = base + x + 16 * y.
inline TestRecord PlainRecord(const std::string& name, uint16_t w, uint16_t h, uint8_t base) {
    TestSegment segment{0, 0, 0x08 | 0x01, {}};
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            segment.data.push_back(static_cast<uint8_t>(base + x + 16 * y));
        }
    }
    return {name, w, h, 1, 0, 0, 3, {segment}};
}

// The 6-byte file header and a palette table whose entry i is (blue i, green 255 - i, red i/2).
inline Bytes FileHeader() {
    Bytes out = {'P', 'X', 8, 0, 2, 0};
    for (int i = 0; i < 256; ++i) {
        PutLE(out, static_cast<uint32_t>(i | (255 - i) << 8 | (i / 2) << 16), 4);
    }
    return out;
}

inline Bytes LibraryBytes(const std::vector<TestRecord>& records) {
    Bytes out = FileHeader();
    for (const TestRecord& record : records) {
        const std::string name = (record.name + std::string(8, '\0')).substr(0, 8);
        out.insert(out.end(), name.begin(), name.end());
        PutLE(out, record.width, 2);
        PutLE(out, record.height, 2);
        out.insert(out.end(), {static_cast<uint8_t>(record.segments.size()), record.state,
                               record.transparentIndex, record.transparent});
        PutLE(out, record.version, 2);
        auto end = static_cast<uint32_t>(18 + 4 * record.segments.size());
        for (const TestSegment& segment : record.segments) {
            PutLE(out, end += static_cast<uint32_t>(3 + segment.data.size()), 4);
        }
        for (const TestSegment& segment : record.segments) {
            out.insert(out.end(), {segment.codeA, segment.codeB, segment.flags});
            out.insert(out.end(), segment.data.begin(), segment.data.end());
        }
    }
    return out;
}

// The message of the engine fault the operation raises, or "" when it raises none.
inline std::string MessageOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const PX8Exception& e) {
        return e.what();
    }
    return "";
}
