#include "graphics/PX8Decoder.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<Bytes>;

constexpr uint8_t A = 250;
constexpr uint8_t B = 251;
constexpr uint8_t Lined = 0x08;
constexpr uint8_t Plain = 0x08 | 0x01;
constexpr uint8_t Stream = 0x08 | 0x02;

// Decodes `stored` into rows of `width` (storage order) and returns them without the padding,
// which must be zero; the message of a PX8Exception comes back in `failure`.
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

struct Good {
    const char* what;
    uint16_t width;
    Bytes stored;
    Rows rows;
};

void Check(uint8_t flags, const std::vector<Good>& cases) {
    for (const Good& c : cases) {
        std::string failure;
        EXPECT_EQ(Decode(flags, c.width, c.rows.size(), c.stored, failure), c.rows) << c.what;
        EXPECT_EQ(failure, "") << c.what;
    }
}

struct Bad {
    const char* what;
    uint16_t width;
    uint8_t rowCount;
    Bytes stored;
};

void Check(uint8_t flags, const std::string& message, const std::vector<Bad>& cases) {
    for (const Bad& c : cases) {
        std::string failure;
        Decode(flags, c.width, c.rowCount, c.stored, failure);
        EXPECT_EQ(failure, message) << c.what;
    }
}

Rows With(Rows rows, size_t row, size_t at, Bytes values) {
    std::copy(values.begin(), values.end(), rows.at(row).begin() + static_cast<long>(at));
    return rows;
}

} // namespace

TEST(PX8Decoder, LineCodesAndEscapes) {
    const Rows ones(2, Bytes(10, 1));
    const std::vector<Good> lined = {
        {"code 0", 3, {0, 5, 6, 7}, {{5, 6, 7}}},
        {"3, 4, 5 as 1", 3, {3, 1, 2, 3, 4, 4, 5, 6, 5, B, 7}, {{1, 2, 3}, {4, 5, 6}, {7, 7, 7}}},
        {"code 2 XOR", 4, {0, 1, 2, 3, 4, 2, 1, 1, 0, 0}, {{1, 2, 3, 4}, {0, 3, 3, 4}}},
        {"code 6 fills", 5, {6, 9}, {{9, 9, 9, 9, 9}}},
        {"code 7 copies", 3, {0, 4, 5, 6, 7}, {{4, 5, 6}, {4, 5, 6}}},
        {"8 copies, 0", 10, {6, 1, 8, 0, 11, 12}, With(ones, 1, 8, {11, 12})},
        {"8 copies, 6", 10, {6, 1, 8, 6, 5}, With(ones, 1, 8, {5, 5})},
        {"8 copies, 7", 8, {6, 1, 8, 7}, Rows(2, Bytes(8, 1))},
        {"A 1", 3, {1, A, 1, 3}, {{A, A, 3}}},
        {"A n v", 5, {1, A, 5, 9}, {{9, 9, 9, 9, 9}}},
        {"B A", 3, {1, B, A, 1, 2}, {{B, 1, 2}}},
        {"B v", 3, {1, B, 7}, {{7, 7, 7}}},
        {"mid-row A 2 n",
         5,
         {0, 1, 2, 3, 4, 5, 1, 9, A, 2, 3, 8},
         {{1, 2, 3, 4, 5}, {9, 2, 3, 4, 8}}},
        {"A 2 0", 4, {0, 1, 2, 3, 4, 1, 5, A, 2, 0}, {{1, 2, 3, 4}, {5, 2, 3, 4}}},
        {"XOR escapes", 4, {0, 1, 2, 3, 4, 2, A, 4, 1}, {{1, 2, 3, 4}, {0, 3, 2, 5}}},
    };
    Check(Lined, lined);
}

// The stream form runs across row ends and knows no B escape; the plain form is the rows as
// they are.
TEST(PX8Decoder, StreamAndPlainRows) {
    const std::vector<Good> stream = {
        {"across rows",
         8,
         {1, 2, 3, 4, A, 10, 7, 5, 6},
         {{1, 2, 3, 4, 7, 7, 7, 7}, {7, 7, 7, 7, 7, 7, 5, 6}}},
        {"A 0, A 1", 3, {A, 0, A, 1}, {{A, A, A}}},
        {"B B", 3, {B, B, 1}, {{B, B, 1}}},
        {"A 2 v", 3, {A, 2, 9, 1}, {{9, 9, 1}}},
        {"run past the end", 2, {A, 9, 4}, {{4, 4}}},
    };
    Check(Stream, stream);
    const std::vector<Good> plain = {
        {"3 rows",
         5,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}}},
        {"no code", 2, {7, 7}, {{7, 7}}},
    };
    Check(Plain, plain);
}

// Each bad segment: its width, its number of rows and its bytes.
TEST(PX8Decoder, BadSegments) {
    const std::string overflow = "Decode: source buffer overflow";
    const std::vector<Bad> shortStream = {
        {"too short", 4, 2, {1, 2, A, 3, 5}},
        {"A at the end", 4, 1, {1, A}},
        {"A n at the end", 4, 1, {1, A, 5}},
        {"empty", 4, 1, {}},
    };
    Check(Stream, overflow, shortStream);
    const std::vector<Bad> shortPlain = {{"14 bytes for 3 rows", 5, 3, Bytes(14, 1)}};
    Check(Plain, overflow, shortPlain);
    const std::vector<Bad> shortLined = {
        {"no data", 3, 1, {}},
        {"second row missing", 3, 2, {6, 1}},
        {"code 0 short", 4, 1, {0, 1, 2}},
        {"code 6 short", 4, 1, {6}},
        {"code 1 short", 4, 1, {1, 1, 2}},
        {"A", 4, 1, {1, A}},
        {"A n", 4, 1, {1, A, 4}},
        {"A 2", 4, 2, {6, 1, 1, A, 2}},
        {"B", 4, 1, {1, B}},
        {"copies, then nothing", 10, 2, {6, 1, 8}},
    };
    Check(Lined, overflow, shortLined);
    // The first row has nothing below it.
    const std::vector<Bad> nothingBelow = {
        {"code 2", 3, 1, {2, 1, 1, 1}},      {"code 7", 3, 1, {7}},
        {"code 8", 9, 1, {8, 0, 1}},         {"code 255", 3, 1, {255}},
        {"A 2 n", 3, 1, {1, A, 2, 1, 1, 1}}, {"A 2 0", 3, 1, {1, A, 2, 0}},
    };
    Check(Lined, "Decode: invalid line code", nothingBelow);
    const std::vector<Bad> tooLong = {
        {"code 9 in width 8", 8, 2, {6, 1, 9, 7}},
        {"copies past the end", 10, 2, {6, 1, 8, 8, 7}},
        {"A n v", 4, 1, {1, 1, A, 5, 9}},
        {"A 1 on the last pixel", 3, 1, {1, 1, 2, A, 1}},
        {"B v on the last two", 3, 1, {1, 1, B, 7}},
        {"B B on the last pixel", 3, 1, {1, 1, 2, B, B}},
        {"A 2 n", 3, 2, {6, 1, 1, 1, A, 2, 3}},
    };
    Check(Lined, "Decode: output line overflow", tooLong);
}

// A decoded segment replaces its stored bytes; a failed one keeps no block at all.
TEST(PX8Segment, DecodeReplacesTheStoredBytesOrLeavesNoBlock) {
    TPX8ImageSegment segment(nullptr, 0);
    segment.Allocate(4);
    std::copy_n(Bytes{0, 5, 6, 7}.begin(), 4, segment.Lock());
    segment.Flags = Lined;
    segment.Decode(3, 1);
    segment.Decode(3, 1); // nothing left to decode
    EXPECT_EQ(segment.Flags & 0x08, 0);
    EXPECT_EQ(Bytes(segment.Lock(), segment.Lock() + segment.Size), (Bytes{5, 6, 7, 0}));

    segment.Allocate(1);
    segment.Lock()[0] = 7;
    segment.Flags = Lined;
    EXPECT_THROW(segment.Decode(3, 1), PX8Exception);
    EXPECT_FALSE(segment.HasBlock());
    EXPECT_EQ(MessageOf([&] { segment.Lock(); }), "Segment Lock: segment buffer not allocated");
    EXPECT_EQ(MessageOf([&] { segment.Reallocate(8); }),
              "Reallocate: segment buffer not allocated");
    segment.Allocate(2);
    segment.Lock()[1] = 9;
    segment.Reallocate(6);
    EXPECT_EQ(segment.Lock()[1], 9);
    EXPECT_EQ(MessageOf([&] { segment.Reallocate(SIZE_MAX); }), "Reallocate: out of memory");
    EXPECT_FALSE(segment.HasBlock());
    EXPECT_EQ(MessageOf([&] { segment.Allocate(SIZE_MAX); }), "Allocate: out of memory");
}
