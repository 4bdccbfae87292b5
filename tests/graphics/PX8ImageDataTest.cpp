#include "graphics/SurfaceKit.h"

#include "fakes/FakePaletteDevice.h"

#include <gtest/gtest.h>

namespace {

const char* const Outside = "StartLine: co-ordinates outside drawing area";

TEST(PX8ImageData, RowAccessChecksItsCoordinates) {
    TestSurface s(5, 4);
    int32_t y = 0;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { s->UnlockSegment(4, 3); }, ""},
        {[&] { s->StartLine(5, 0); }, Outside},
        {[&] { s->StartLine(-1, 0); }, Outside},
        {[&] { s->StartLine(0, 4); }, Outside},
        {[&] {
             s->GetPixel({2, 9});
         },
         Outside},
        {[&] { s->NextStartLine(s->StartLine(0, y = 3), 0, y); },
         "NextStartLine: co-ordinates outside drawing area"},
        {[&] { s->PrevStartLine(s->StartLine(0, y = 0), 0, y); },
         "PrevStartLine: co-ordinates outside drawing area"},
        {[&] { s->UnlockSegment(0, -1); }, "UnlockSegment: co-ordinates outside drawing area"},
        {[&] {
             s.image->Segments()[0].Free(), s->GetPixel({0, 0});
         },
         "StartLine: Lock failed"},
    };
    for (const auto& [operation, message] : cases) {
        EXPECT_EQ(MessageOf(operation), message);
    }
}

// Rows are stored bottom-up: a step down a picture row moves one stride back in memory inside
// a segment; the one step into the other segment goes through StartLine.
TEST(PX8ImageData, SteppingCrossesSegments) {
    TestSurface s(200, 340);
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
        TestSurface source(200, 340);
        for (int32_t y = 0; y < 340; ++y) {
            source->FillRect({0, y, 200, y + 1}, static_cast<uint8_t>(y));
            source->FillRect({1 + y % 199, y, 2 + y % 199, y + 1}, 255);
        }
        TestSurface target(200, 340);
        target->Blit(dest, *source, {0, top, 200, 340});
        for (int32_t y = 0; y < 340; ++y) {
            const int32_t sy = y - dest.Y + top;
            const bool inside = sy >= top && sy < 340;
            ASSERT_EQ(target->GetPixel({0, y}), inside ? static_cast<uint8_t>(sy) : 0) << y;
            ASSERT_TRUE(!inside || target->GetPixel({1 + sy % 199, y}) == 255) << y;
        }
    }
}

// Copies and stretches, flips and transparency are the model-based test's; a clip rectangle
// reaching past the surface draws only on it, under the layers.
TEST(PX8ImageData, BlitClipsToTheSurface) {
    TestSurface source(4, 2);
    source.Paint("1234 5678");
    TestSurface dest(6, 3);
    TestSurface layer(1, 1);
    layer.Paint("9");
    dest->AddLayerFrame(*layer, {5, 2}, 0, 0);
    dest->ClipRect = {-10, -10, 100, 100};
    dest->Blit({3, 2}, *source, {0, 0, 4, 2});
    EXPECT_EQ(dest.Picture(), "000000 000000 000129");
}

TEST(PX8ImageData, AddDamage) {
    struct Case {
        const char* name;
        std::vector<TRect> added;
        std::vector<TRect> expected;
    };
    const Case cases[] = {
        {"inside an entry changes nothing", {{0, 0, 10, 10}, {2, 2, 5, 5}}, {{0, 0, 10, 10}}},
        {"containing an entry replaces it", {{2, 2, 5, 5}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
        {"overlapping is appended", {{0, 0, 5, 5}, {3, 3, 8, 8}}, {{0, 0, 5, 5}, {3, 3, 8, 8}}},
        {"touching is appended", {{0, 0, 5, 5}, {5, 0, 8, 5}}, {{0, 0, 5, 5}, {5, 0, 8, 5}}},
        {"clipped to the bounds", {{-5, -5, 50, 3}}, {{0, 0, 20, 3}}},
        {"reversed is normalised", {{5, 5, 1, 1}}, {{1, 1, 5, 5}}},
        {"empty is appended", {{3, 3, 3, 8}}, {{3, 3, 3, 8}}},
        {"the first covering entry stops the walk",
         {{0, 0, 4, 4}, {0, 0, 8, 8}, {1, 1, 2, 2}},
         {{0, 0, 8, 8}}},
    };
    for (const Case& c : cases) {
        TestSurface s(20, 10);
        for (const TRect& r : c.added) {
            s->AddDamage(r);
        }
        EXPECT_EQ(s.Damage(), c.expected) << c.name;
    }
    TestSurface s(20, 10);
    s->AddDamage({1, 1, 2, 2});
    s->DamageAll();
    EXPECT_EQ(s.Damage(), (std::vector<TRect>{{0, 0, 20, 10}}));
}

TEST(PX8ImageData, DisplayTransfersEachBandOnce) {
    TestSurface s(200, 340, true);
    for (int32_t y = 0; y < 340; ++y) {
        s->FillRect({0, y, 200, y + 1}, static_cast<uint8_t>(3 * y));
    }
    FakePaletteDevice device(400, 400);
    // Rows 160 to 179 straddle the two bands (the top band holds picture rows 0 to 169); the
    // bottom band goes first.
    EXPECT_EQ(s->Display(device, {7, 9}, {10, 160, 60, 180}), 20);
    ASSERT_EQ(device.transfers.size(), 2u);
    EXPECT_EQ(device.transfers[0].height, 10);
    EXPECT_EQ(device.transfers[0].destY, 19);
    EXPECT_EQ(device.transfers[1].height, 10);
    EXPECT_EQ(device.transfers[1].destY, 9);
    for (int32_t y = 160; y < 180; ++y) {
        EXPECT_EQ(device.At(7, y - 151), static_cast<uint8_t>(3 * y)) << y;
        EXPECT_EQ(device.At(56, y - 151), static_cast<uint8_t>(3 * y)) << y;
    }
    EXPECT_EQ(device.At(6, 9), 0);
    EXPECT_EQ(device.At(57, 29), 0);
}

// Flushing shows every damage rectangle in order, and needs a displayable surface.
TEST(PX8ImageData, FlushDamageDisplaysEveryRectangleInOrder) {
    TestSurface s(20, 10, true);
    s->FillRect({0, 0, 5, 5}, 4);
    s->FillRect({10, 2, 12, 9}, 6);
    FakePaletteDevice device(100, 100);
    s->FlushDamage(device, {30, 40});
    EXPECT_FALSE(s->HasDamage());
    ASSERT_EQ(device.transfers.size(), 2u);
    EXPECT_EQ(device.transfers[1].destX, 40);
    EXPECT_EQ(device.transfers[1].destY, 42);
    EXPECT_EQ(device.At(34, 44), 4);
    EXPECT_EQ(device.At(41, 48), 6);
    EXPECT_EQ(device.At(42, 48), 0);
    TestSurface plain(8, 8);
    plain->DamageAll();
    EXPECT_EQ(MessageOf([&] {
                  plain->FlushDamage(device, {0, 0});
              }),
              "PBMInfo not initialized for Display");
}

} // namespace
