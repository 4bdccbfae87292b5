#include "graphics/PX8ImageData.h"
#include "graphics/PX8Lib.h"

#include <gtest/gtest.h>

namespace {

// A 200 x 340 picture needs two segments. Rows are stored bottom-up: a step down a picture row
// moves one stride back in memory inside a segment; the one step into the other segment goes
// through StartLine.
TEST(PX8ImageData, SteppingCrossesSegments) {
    TPX8Library library;
    TPX8ImageData* s = library.GetImageData(library.CreateImage("tall", 200, 340));
    int32_t y = 0;
    uint8_t* row = s->StartLine(0, 0);
    int crossings = 0;
    for (; y < 339; row[0] = static_cast<uint8_t>(y)) {
        uint8_t* next = s->NextStartLine(row, 0, y);
        crossings += next != row - s->Stride();
        row = next;
    }
    for (; y > 0; row[1] = static_cast<uint8_t>(y)) {
        uint8_t* next = s->PrevStartLine(row, 0, y);
        crossings += next != row + s->Stride();
        row = next;
    }
    s->UnlockSegment(0, y);
    EXPECT_EQ(crossings, 2);
    for (int32_t line : {1, 169, 170, 171, 339}) {
        EXPECT_EQ(s->GetPixel({0, line}), static_cast<uint8_t>(line));
        EXPECT_EQ(s->GetPixel({1, 339 - line}), static_cast<uint8_t>(339 - line));
    }
}

// Whole rows between two-segment pictures whose segment boundaries fall on different rows of
// the copy.
TEST(PX8ImageData, BlitWholeRowsAcrossSegments) {
    for (const auto& [dest, top] : {std::pair{TPoint{0, 7}, 0}, {TPoint{0, -20}, 3}}) {
        TPX8Library library;
        TPX8ImageData* source = library.GetImageData(library.CreateImage("source", 200, 340));
        for (int32_t y = 0; y < 340; ++y) {
            source->FillRect({0, y, 200, y + 1}, static_cast<uint8_t>(y));
            source->FillRect({1 + y % 199, y, 2 + y % 199, y + 1}, 255);
        }
        TPX8ImageData* target = library.GetImageData(library.CreateImage("target", 200, 340));
        target->Blit(dest, *source, {0, top, 200, 340});
        for (int32_t y = 0; y < 340; ++y) {
            const int32_t sy = y - dest.Y + top;
            const bool inside = sy >= top && sy < 340;
            ASSERT_EQ(target->GetPixel({0, y}), inside ? static_cast<uint8_t>(sy) : 0) << y;
            ASSERT_TRUE(!inside || target->GetPixel({1 + sy % 199, y}) == 255) << y;
        }
    }
}

} // namespace
