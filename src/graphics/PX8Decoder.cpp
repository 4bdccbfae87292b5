#include "graphics/PX8Decoder.h"

#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"

#include <cstring>

namespace {

[[noreturn]] void SourceOverflow() {
    throw PX8Exception("Decode: source buffer overflow");
}
[[noreturn]] void InvalidLineCode() {
    throw PX8Exception("Decode: invalid line code");
}
[[noreturn]] void OutputOverflow() {
    throw PX8Exception("Decode: output line overflow");
}

// Reads the stored bytes with a bounds check on every access.
class Source {
  public:
    explicit Source(std::span<const uint8_t> bytes)
        : at(bytes.data()), end(bytes.data() + bytes.size()) {}

    bool AtEnd() const { return at >= end; }
    uint8_t Byte() {
        if (at >= end) {
            SourceOverflow();
        }
        return *at++;
    }
    const uint8_t* Take(uint32_t count) {
        if (static_cast<std::size_t>(end - at) < count) {
            SourceOverflow();
        }
        const uint8_t* start = at;
        at += count;
        return start;
    }
    // Bytes left, and a pointer to them, for the fast literal scan.
    const uint8_t* Here() const { return at; }
    std::size_t Left() const { return static_cast<std::size_t>(end - at); }
    void Advance(std::size_t count) { at += count; }

  private:
    const uint8_t* at;
    const uint8_t* end;
};

// One run-length coded row from column x to the end (line codes 1 to 5).
void DecodeRunRow(Source& src, uint8_t a, uint8_t b, uint8_t* row, const uint8_t* previous,
                  uint32_t x, uint32_t width) {
    while (x < width) {
        // Literal bytes are the common case: copy them without going through the escapes.
        const uint8_t* here = src.Here();
        std::size_t limit = std::min<std::size_t>(width - x, src.Left());
        std::size_t literal = 0;
        while (literal < limit && here[literal] != a && here[literal] != b) {
            ++literal;
        }
        if (literal > 0) {
            std::memcpy(row + x, here, literal);
            src.Advance(literal);
            x += static_cast<uint32_t>(literal);
            continue;
        }
        const uint8_t v = src.Byte();
        uint32_t count = 0;
        uint8_t value = 0;
        if (v == a) {
            const uint8_t n = src.Byte();
            if (n == 0 || n == 1) {
                count = n + 1u;
                value = a;
            } else if (n == 2) {
                if (previous == nullptr) {
                    InvalidLineCode();
                }
                const uint8_t copy = src.Byte();
                const uint32_t length = copy == 0 ? width - x : copy;
                if (x + length > width) {
                    OutputOverflow();
                }
                std::memcpy(row + x, previous + x, length);
                x += length;
                continue;
            } else {
                count = n;
                value = src.Byte();
            }
        } else {
            const uint8_t w = src.Byte();
            if (w == a) {
                count = 1;
                value = b;
            } else if (w == b) {
                count = 2;
                value = b;
            } else {
                count = 3;
                value = w;
            }
        }
        if (x + count > width) {
            OutputOverflow();
        }
        std::memset(row + x, value, count);
        x += count;
    }
}

void DecodeLineCoded(Source& src, uint8_t a, uint8_t b, bool plain, uint32_t width, uint32_t rows,
                     uint32_t stride, uint8_t* out) {
    for (uint32_t k = 0; k < rows; ++k) {
        uint8_t* row = out + std::size_t{k} * stride;
        const uint8_t* previous = k == 0 ? nullptr : row - stride;
        uint32_t x = 0;
        bool complete = false;
        while (!complete) {
            if (src.AtEnd()) {
                SourceOverflow();
            }
            const uint8_t code = plain ? 0 : src.Byte();
            if (previous == nullptr && (code == 2 || code >= 7)) {
                InvalidLineCode();
            }
            switch (code) {
            case 0:
                std::memcpy(row + x, src.Take(width - x), width - x);
                complete = true;
                break;
            case 1:
            case 3:
            case 4:
            case 5:
                DecodeRunRow(src, a, b, row, previous, x, width);
                complete = true;
                break;
            case 2:
                DecodeRunRow(src, a, b, row, previous, x, width);
                for (uint32_t i = 0; i < width; ++i) {
                    row[i] ^= previous[i];
                }
                complete = true;
                break;
            case 6:
                std::memset(row + x, src.Byte(), width - x);
                complete = true;
                break;
            case 7:
                std::memcpy(row + x, previous + x, width - x);
                complete = true;
                break;
            default:
                if (x + code > width) {
                    OutputOverflow();
                }
                std::memcpy(row + x, previous + x, code);
                x += code;
                break;
            }
        }
        std::memset(row + width, 0, stride - width);
    }
}

void DecodeSimpleStream(Source& src, uint8_t a, uint32_t width, uint32_t rows, uint32_t stride,
                        uint8_t* out) {
    uint32_t count = 0;
    uint8_t value = 0;
    for (uint32_t k = 0; k < rows; ++k) {
        uint8_t* row = out + std::size_t{k} * stride;
        uint32_t x = 0;
        while (x < width) {
            if (count > 0) {
                const uint32_t n = std::min(count, width - x);
                std::memset(row + x, value, n);
                x += n;
                count -= n;
                continue;
            }
            value = src.Byte();
            if (value == a) {
                const uint8_t n = src.Byte();
                if (n >= 2) {
                    value = src.Byte();
                    count = n;
                } else {
                    count = n + 1u;
                }
            } else {
                row[x++] = value;
            }
        }
        std::memset(row + width, 0, stride - width);
    }
}

} // namespace

void PX8DecodeRows(std::span<const uint8_t> stored, uint8_t codeA, uint8_t codeB, uint8_t flags,
                   uint16_t width, uint32_t rows, uint32_t stride, uint8_t* out) {
    Source src(stored);
    if ((flags & PX8SegmentStream) != 0) {
        DecodeSimpleStream(src, codeA, width, rows, stride, out);
    } else {
        DecodeLineCoded(src, codeA, codeB, (flags & PX8SegmentPlain) != 0, width, rows, stride,
                        out);
    }
}
