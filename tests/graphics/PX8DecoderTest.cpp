#include "graphics/PX8Decoder.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Rows = std::vector<Bytes>;

constexpr uint8_t A = 250;
constexpr uint8_t B = 251;
constexpr uint8_t Lined = 0x08;
constexpr uint8_t Plain = 0x08 | 0x01;
constexpr uint8_t Stream = 0x08 | 0x02;

struct Case {
    const char* what;
    uint8_t flags;
    uint16_t width;
    Bytes stored;
    Rows rows;           // expected rows, storage order, width pixels each
    const char* failure; // expected message instead, or nullptr
};

// Decodes and returns the rows (without padding), checking the padding is zero; the message
// of a PX8Exception comes back in `failure`.
Rows Decode(const Case& c, uint32_t rowCount, std::string& failure) {
    const uint32_t stride = (c.width + 3u) & ~3u;
    Bytes out(std::size_t{stride} * rowCount, 0xCD);
    Rows rows;
    try {
        PX8DecodeRows(c.stored, A, B, c.flags, c.width, rowCount, stride, out.data());
    } catch (const PX8Exception& e) {
        failure = e.what();
        return rows;
    }
    for (uint32_t k = 0; k < rowCount; ++k) {
        const auto start = out.begin() + static_cast<std::ptrdiff_t>(k * stride);
        rows.emplace_back(start, start + c.width);
        for (uint32_t pad = c.width; pad < stride; ++pad) {
            EXPECT_EQ(out[k * stride + pad], 0) << c.what << " padding of row " << k;
        }
    }
    return rows;
}

void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        // A failing case gives the row count through a single expected row, if any.
        const uint32_t rowCount = c.failure == nullptr ? static_cast<uint32_t>(c.rows.size())
                                                       : static_cast<uint32_t>(c.rows.at(0)[0]);
        std::string failure;
        const Rows rows = Decode(c, rowCount, failure);
        if (c.failure != nullptr) {
            EXPECT_EQ(failure, c.failure) << c.what;
        } else {
            EXPECT_EQ(failure, "") << c.what;
            EXPECT_EQ(rows, c.rows) << c.what;
        }
    }
}

// For failing cases: how many rows the segment has.
Rows RowCount(uint8_t n) {
    return Rows{Bytes{n}};
}

const char* const SourceOverflow = "Decode: source buffer overflow";
const char* const InvalidCode = "Decode: invalid line code";
const char* const LineOverflow = "Decode: output line overflow";

} // namespace

TEST(PX8Decoder, LineCodes) {
    Check({
        {"code 0 in a 3 x 1 picture", Lined, 3, {0, 5, 6, 7}, {{5, 6, 7}}, nullptr},
        {"code 0 takes the rest after copies",
         Lined,
         10,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 8, 0, 11, 12},
         {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12}},
         nullptr},
        {"code 1 literals", Lined, 3, {1, 9, 8, 7}, {{9, 8, 7}}, nullptr},
        {"codes 3, 4 and 5 act as 1",
         Lined,
         3,
         {3, 1, 2, 3, 4, 4, 5, 6, 5, B, 7},
         {{1, 2, 3}, {4, 5, 6}, {7, 7, 7}},
         nullptr},
        {"code 2 XORs with the row below",
         Lined,
         4,
         {0, 1, 2, 3, 4, 2, 1, 1, 0, 0},
         {{1, 2, 3, 4}, {0, 3, 3, 4}},
         nullptr},
        {"code 6 fills the row", Lined, 5, {6, 9}, {{9, 9, 9, 9, 9}}, nullptr},
        {"code 6 fills after copies",
         Lined,
         10,
         {6, 1, 8, 6, 5},
         {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 5, 5}},
         nullptr},
        {"code 7 copies the row below", Lined, 3, {0, 4, 5, 6, 7}, {{4, 5, 6}, {4, 5, 6}}, nullptr},
        {"code 8 then 7", Lined, 10, {6, 3, 8, 7}, {Bytes(10, 3), Bytes(10, 3)}, nullptr},
        {"code 255 then literals", Lined, 257,
         [] {
             Bytes b = {6, 2, 255, 1, 7, 8};
             return b;
         }(),
         [] {
             Bytes second(257, 2);
             second[255] = 7;
             second[256] = 8;
             return Rows{Bytes(257, 2), second};
         }(),
         nullptr},
        {"copies that end the row still need a code",
         Lined,
         8,
         {6, 1, 8, 7},
         {Bytes(8, 1), Bytes(8, 1)},
         nullptr},
    });
}

TEST(PX8Decoder, EscapeTable) {
    Check({
        {"A 0 gives A", Lined, 3, {1, A, 0, 4, 4}, {{A, 4, 4}}, nullptr},
        {"A 1 gives A A", Lined, 3, {1, A, 1, 3}, {{A, A, 3}}, nullptr},
        {"A n v gives n times v", Lined, 5, {1, A, 5, 9}, {{9, 9, 9, 9, 9}}, nullptr},
        {"A 255 v", Lined, 255, {1, A, 255, B}, {Bytes(255, B)}, nullptr},
        {"B A gives B", Lined, 3, {1, B, A, 1, 2}, {{B, 1, 2}}, nullptr},
        {"B B gives B B", Lined, 3, {1, B, B, 1}, {{B, B, 1}}, nullptr},
        {"B v gives v v v", Lined, 3, {1, B, 7}, {{7, 7, 7}}, nullptr},
        {"A 2 n copies n from below",
         Lined,
         4,
         {0, 1, 2, 3, 4, 1, A, 2, 2, 9, 9},
         {{1, 2, 3, 4}, {1, 2, 9, 9}},
         nullptr},
        {"A 2 n in the middle of a row",
         Lined,
         5,
         {0, 1, 2, 3, 4, 5, 1, 9, A, 2, 3, 8},
         {{1, 2, 3, 4, 5}, {9, 2, 3, 4, 8}},
         nullptr},
        {"A 2 0 copies exactly the rest",
         Lined,
         4,
         {0, 1, 2, 3, 4, 1, 5, A, 2, 0},
         {{1, 2, 3, 4}, {5, 2, 3, 4}},
         nullptr},
        {"A 2 0 at the row start",
         Lined,
         4,
         {0, 1, 2, 3, 4, 1, A, 2, 0},
         {{1, 2, 3, 4}, {1, 2, 3, 4}},
         nullptr},
        {"escapes inside an XOR row",
         Lined,
         4,
         {0, 1, 2, 3, 4, 2, A, 4, 1},
         {{1, 2, 3, 4}, {0, 3, 2, 5}},
         nullptr},
    });
}

TEST(PX8Decoder, SimpleStream) {
    Check({
        {"runs cross row ends",
         Stream,
         8,
         {1, 2, 3, 4, A, 10, 7, 5, 6},
         {{1, 2, 3, 4, 7, 7, 7, 7}, {7, 7, 7, 7, 7, 7, 5, 6}},
         nullptr},
        {"A 0 and A 1", Stream, 3, {A, 0, A, 1}, {{A, A, A}}, nullptr},
        {"B is an ordinary byte", Stream, 3, {B, B, 1}, {{B, B, 1}}, nullptr},
        {"A 2 v gives two", Stream, 3, {A, 2, 9, 1}, {{9, 9, 1}}, nullptr},
        {"padding is not part of the stream",
         Stream,
         3,
         {A, 6, 4},
         {{4, 4, 4}, {4, 4, 4}},
         nullptr},
        {"a run may end past the last row", Stream, 2, {A, 9, 4}, {{4, 4}}, nullptr},
        {"A 1 spanning a row end", Stream, 1, {A, 1}, {{A}, {A}}, nullptr},
        {"stream too short", Stream, 4, {1, 2, A, 3, 5}, RowCount(2), SourceOverflow},
        {"stream ends inside an escape", Stream, 4, {1, A}, RowCount(1), SourceOverflow},
        {"stream ends before the run value", Stream, 4, {1, A, 5}, RowCount(1), SourceOverflow},
        {"empty stream", Stream, 4, {}, RowCount(1), SourceOverflow},
    });
}

TEST(PX8Decoder, PlainRows) {
    Check({
        {"3 rows of width 5 need 15 bytes",
         Plain,
         5,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}},
         nullptr},
        {"10 bytes fail on the third row",
         Plain,
         5,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         RowCount(3),
         SourceOverflow},
        {"12 bytes fail inside the third row",
         Plain,
         5,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         RowCount(3),
         SourceOverflow},
        {"plain rows start with no code", Plain, 2, {7, 7}, {{7, 7}}, nullptr},
    });
}

TEST(PX8Decoder, FirstRowHasNothingBelow) {
    Check({
        {"code 2 on the first row", Lined, 3, {2, 1, 1, 1}, RowCount(1), InvalidCode},
        {"code 7 on the first row", Lined, 3, {7}, RowCount(1), InvalidCode},
        {"code 8 on the first row", Lined, 9, {8, 0, 1}, RowCount(1), InvalidCode},
        {"code 255 on the first row", Lined, 3, {255}, RowCount(1), InvalidCode},
        {"A 2 n on the first row", Lined, 3, {1, A, 2, 1, 1, 1}, RowCount(1), InvalidCode},
        {"A 2 0 on the first row", Lined, 3, {1, A, 2, 0}, RowCount(1), InvalidCode},
        {"A 2 0 on the second row", Lined, 3, {6, 1, 1, A, 2, 0}, {{1, 1, 1}, {1, 1, 1}}, nullptr},
    });
}

TEST(PX8Decoder, RowsMayNotOverflow) {
    Check({
        {"code 9 in width 8", Lined, 8, {6, 1, 9, 7}, RowCount(2), LineOverflow},
        {"copies past the end", Lined, 10, {6, 1, 8, 8, 7}, RowCount(2), LineOverflow},
        {"A n v past the end", Lined, 4, {1, 1, A, 5, 9}, RowCount(1), LineOverflow},
        {"A 1 on the last pixel", Lined, 3, {1, 1, 2, A, 1}, RowCount(1), LineOverflow},
        {"B v on the last two pixels", Lined, 3, {1, 1, B, 7}, RowCount(1), LineOverflow},
        {"B B on the last pixel", Lined, 3, {1, 1, 2, B, B}, RowCount(1), LineOverflow},
        {"A 2 n past the end", Lined, 3, {6, 1, 1, 1, A, 2, 3}, RowCount(2), LineOverflow},
    });
}

TEST(PX8Decoder, ReadsStayInsideTheStoredData) {
    Check({
        {"no data at all", Lined, 3, {}, RowCount(1), SourceOverflow},
        {"second row missing", Lined, 3, {6, 1}, RowCount(2), SourceOverflow},
        {"code 0 short of pixels", Lined, 4, {0, 1, 2}, RowCount(1), SourceOverflow},
        {"code 6 without its value", Lined, 4, {6}, RowCount(1), SourceOverflow},
        {"run row ends early", Lined, 4, {1, 1, 2}, RowCount(1), SourceOverflow},
        {"escape A without count", Lined, 4, {1, A}, RowCount(1), SourceOverflow},
        {"escape A n without value", Lined, 4, {1, A, 4}, RowCount(1), SourceOverflow},
        {"escape A 2 without length", Lined, 4, {6, 1, 1, A, 2}, RowCount(2), SourceOverflow},
        {"escape B without value", Lined, 4, {1, B}, RowCount(1), SourceOverflow},
        {"copies then nothing", Lined, 10, {6, 1, 8}, RowCount(2), SourceOverflow},
    });
}

TEST(PX8Segment, DecodeReplacesTheStoredBytesOrLeavesNoBlock) {
    TPX8ImageSegment segment(nullptr, 0);
    segment.Allocate(4);
    std::copy_n(Bytes{0, 5, 6, 7}.begin(), 4, segment.Lock());
    segment.Unlock();
    segment.Flags = Lined;
    segment.Decode(3, 1);
    EXPECT_EQ(segment.Size, 4);
    EXPECT_EQ(segment.Flags & 0x08, 0);
    EXPECT_EQ(Bytes(segment.Lock(), segment.Lock() + 4), (Bytes{5, 6, 7, 0}));
    segment.Decode(3, 1); // nothing left to decode
    EXPECT_EQ(segment.Lock()[0], 5);

    segment.Allocate(1);
    segment.Lock()[0] = 7;
    segment.Flags = Lined;
    EXPECT_THROW(segment.Decode(3, 1), PX8Exception);
    EXPECT_FALSE(segment.HasBlock());
    try {
        segment.Lock();
        ADD_FAILURE() << "Lock of a segment without block";
    } catch (const PX8Exception& e) {
        EXPECT_STREQ(e.what(), "Segment Lock: segment buffer not allocated");
    }
    try {
        segment.Reallocate(8);
        ADD_FAILURE() << "Reallocate of a segment without block";
    } catch (const PX8Exception& e) {
        EXPECT_STREQ(e.what(), "Reallocate: segment buffer not allocated");
    }
    segment.Allocate(2);
    segment.Lock()[1] = 9;
    segment.Reallocate(6);
    EXPECT_EQ(segment.Size, 6);
    EXPECT_EQ(segment.Lock()[1], 9);
    const Bytes detached = segment.Detach();
    EXPECT_EQ(detached.size(), 6u);
    EXPECT_FALSE(segment.HasBlock());
    EXPECT_EQ(segment.Size, 0);
}
