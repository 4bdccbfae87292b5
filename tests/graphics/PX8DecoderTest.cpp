#include "graphics/PX8Decoder.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Rows = std::vector<Bytes>;

constexpr uint8_t A = 250;
constexpr uint8_t B = 251;
constexpr uint8_t Lined = 0x08;
constexpr uint8_t Plain = 0x08 | 0x01;
constexpr uint8_t Stream = 0x08 | 0x02;

const std::string Short = "Decode: source buffer overflow";
const std::string NothingBelow = "Decode: invalid line code";
const std::string TooLong = "Decode: output line overflow";

// Decodes `stored` into `rowCount` rows of `width` (storage order) and returns them without the
// padding, which must be zero; the message of a PX8Exception comes back in `failure`.
Rows Decode(uint8_t flags, uint16_t width, size_t rowCount, const Bytes& stored,
            std::string& failure) {
    const uint32_t stride = (width + 3u) & ~3u;
    Bytes out(stride * rowCount, 0xCD);
    Rows rows;
    failure = MessageOf([&] {
        PX8DecodeRows(stored, A, B, flags, width, static_cast<uint32_t>(rowCount), stride,
                      out.data());
    });
    for (size_t k = 0; k < rowCount && failure.empty(); ++k) {
        const auto start = out.begin() + static_cast<std::ptrdiff_t>(k * stride);
        rows.emplace_back(start, start + width);
        EXPECT_EQ(Bytes(start + width, start + stride), Bytes(stride - width, 0)) << "padding";
    }
    return rows;
}

} // namespace

// Segments cut short, codes with no row below and runs past the row end are refused; beside
// them, the codes and escapes the writer's round trip never produces: line codes 3 to 5, and
// in the stream form short runs of A, B as a plain value and runs past the end.
TEST(PX8Decoder, BadSegmentsAndCodesTheWriterNeverUses) {
    // Flags, width, rows, the stored bytes, the failure and the rows decoded.
    const std::tuple<uint8_t, uint16_t, size_t, Bytes, std::string, Rows> cases[] = {
        {Lined, 3, 3, {3, 1, 2, 3, 4, 4, 5, 6, 5, B, 7}, "", {{1, 2, 3}, {4, 5, 6}, {7, 7, 7}}},
        {Stream, 3, 1, {A, 0, A, 1}, "", {{A, A, A}}},
        {Stream, 3, 1, {B, B, 1}, "", {{B, B, 1}}},
        {Stream, 3, 1, {A, 2, 9, 1}, "", {{9, 9, 1}}},
        {Stream, 2, 1, {A, 9, 4}, "", {{4, 4}}},
        {Stream, 4, 2, {1, 2, A, 3, 5}, Short, {}},
        {Stream, 4, 1, {1, A}, Short, {}},
        {Stream, 4, 1, {1, A, 5}, Short, {}},
        {Stream, 4, 1, {}, Short, {}},
        {Plain, 5, 3, Bytes(14, 1), Short, {}},
        {Lined, 3, 1, {}, Short, {}},
        {Lined, 3, 2, {6, 1}, Short, {}},
        {Lined, 4, 1, {0, 1, 2}, Short, {}},
        {Lined, 4, 1, {6}, Short, {}},
        {Lined, 4, 1, {1, 1, 2}, Short, {}},
        {Lined, 4, 1, {1, A}, Short, {}},
        {Lined, 4, 1, {1, A, 4}, Short, {}},
        {Lined, 4, 2, {6, 1, 1, A, 2}, Short, {}},
        {Lined, 4, 1, {1, B}, Short, {}},
        {Lined, 10, 2, {6, 1, 8}, Short, {}},
        {Lined, 3, 1, {2, 1, 1, 1}, NothingBelow, {}},
        {Lined, 3, 1, {7}, NothingBelow, {}},
        {Lined, 9, 1, {8, 0, 1}, NothingBelow, {}},
        {Lined, 3, 1, {255}, NothingBelow, {}},
        {Lined, 3, 1, {1, A, 2, 1, 1, 1}, NothingBelow, {}},
        {Lined, 3, 1, {1, A, 2, 0}, NothingBelow, {}},
        {Lined, 8, 2, {6, 1, 9, 7}, TooLong, {}},
        {Lined, 10, 2, {6, 1, 8, 8, 7}, TooLong, {}},
        {Lined, 4, 1, {1, 1, A, 5, 9}, TooLong, {}},
        {Lined, 3, 1, {1, 1, 2, A, 1}, TooLong, {}},
        {Lined, 3, 1, {1, 1, B, 7}, TooLong, {}},
        {Lined, 3, 1, {1, 1, 2, B, B}, TooLong, {}},
        {Lined, 3, 2, {6, 1, 1, 1, A, 2, 3}, TooLong, {}},
    };
    for (const auto& [flags, width, rowCount, stored, expectedFailure, expectedRows] : cases) {
        std::string failure;
        const Rows rows = Decode(flags, width, rowCount, stored, failure);
        EXPECT_EQ(std::pair(failure, rows), std::pair(expectedFailure, expectedRows))
            << int{flags} << " " << testing::PrintToString(stored);
    }
}
