#include "graphics/SurfaceKit.h"

#include "fakes/FakePaletteDevice.h"
#include "graphics/PX8Exception.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(PX8ImageData, RowAccessChecksItsCoordinates) {
    TestSurface s(5, 4);
    uint8_t* row = nullptr;
    struct Case {
        const char* name;
        std::function<void()> operation;
        std::string message;
    };
    const Case cases[] = {
        {"last pixel", [&] { row = s->StartLine(4, 3); }, ""},
        {"x = Width", [&] { s->StartLine(5, 0); }, "StartLine: co-ordinates outside drawing area"},
        {"x < 0", [&] { s->StartLine(-1, 0); }, "StartLine: co-ordinates outside drawing area"},
        {"y = Height", [&] { s->StartLine(0, 4); }, "StartLine: co-ordinates outside drawing area"},
        {"next below the bottom",
         [&] {
             int32_t y = 3;
             s->NextStartLine(s->StartLine(0, 3), 0, y);
         },
         "NextStartLine: co-ordinates outside drawing area"},
        {"previous above the top",
         [&] {
             int32_t y = 0;
             s->PrevStartLine(s->StartLine(0, 0), 0, y);
         },
         "PrevStartLine: co-ordinates outside drawing area"},
        {"unlock outside", [&] { s->UnlockSegment(0, -1); },
         "UnlockSegment: co-ordinates outside drawing area"},
        {"pixel outside",
         [&] {
             s->GetPixel({2, 9});
         },
         "StartLine: co-ordinates outside drawing area"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf(c.operation), c.message) << c.name;
    }
    EXPECT_NE(row, nullptr);
}

TEST(PX8ImageData, LockFailureIsReported) {
    TestSurface s(5, 4);
    s.image->Segments()[0].Free();
    EXPECT_EQ(MessageOf([&] { s->GetPixel({0, 0}); }), "StartLine: Lock failed");
}

// A picture of two segments: rows are stored bottom-up, so stepping down a picture row moves
// one stride back in memory inside a segment, and crossing into the other segment goes through
// StartLine.
TEST(PX8ImageData, SteppingCrossesSegments) {
    TestSurface s(200, 340);
    ASSERT_EQ(s->SegmentCount(), 2);
    int32_t y = 0;
    uint8_t* row = s->StartLine(0, 0);
    int crossings = 0;
    for (;;) {
        row[0] = static_cast<uint8_t>(y);
        row[199] = static_cast<uint8_t>(y + 1);
        if (y == 339) {
            break;
        }
        uint8_t* next = s->NextStartLine(row, 0, y);
        crossings += next != row - s->Stride();
        row = next;
    }
    s->UnlockSegment(0, y);
    EXPECT_EQ(crossings, 1);
    for (;;) {
        EXPECT_EQ(row[0], static_cast<uint8_t>(y));
        if (y == 0) {
            break;
        }
        row = s->PrevStartLine(row, 0, y);
    }
    s->UnlockSegment(0, y);
    for (int32_t x : {0, 199}) {
        for (int32_t line : {0, 169, 170, 171, 339}) {
            EXPECT_EQ(s->GetPixel({x, line}), static_cast<uint8_t>(line + (x == 199)));
        }
    }
}

// Copies between two-segment pictures whose segment boundaries fall on different rows of the
// copy, whole rows and part rows, straight and upside down.
TEST(PX8ImageData, BlitAcrossSegments) {
    struct Case {
        const char* name;
        TPoint dest;
        TRect source;
        bool upsideDown;
    };
    const Case cases[] = {
        {"whole rows", {0, 7}, {0, 0, 200, 340}, false},
        {"whole rows from lower down", {0, -20}, {0, 3, 200, 340}, false},
        {"part rows", {5, 2}, {10, 0, 150, 340}, false},
        {"whole rows upside down", {0, 7}, {0, 0, 200, 340}, true},
    };
    for (const Case& c : cases) {
        TestSurface source(200, 340);
        for (int32_t y = 0; y < 340; ++y) {
            uint8_t* row = source->StartLine(0, y);
            for (int32_t x = 0; x < 200; ++x) {
                row[x] = static_cast<uint8_t>(x * 7 + y);
            }
            source->UnlockSegment(0, y);
        }
        source->FlipVertical = c.upsideDown;
        TestSurface dest(200, 340);
        dest->Blit(c.dest, *source, c.source);
        const int32_t h = RectHeight(c.source);
        for (int32_t y = 0; y < 340; ++y) {
            for (int32_t x = 0; x < 200; ++x) {
                const int32_t sx = x - c.dest.X + c.source.Left;
                int32_t v = y - c.dest.Y;
                if (c.upsideDown) {
                    v = h - 1 - v;
                }
                const int32_t sy = v + c.source.Top;
                const bool inside = sx >= c.source.Left && sx < c.source.Right && v >= 0 && v < h &&
                                    sx < 200 && sy < 340;
                const uint8_t expected = inside ? static_cast<uint8_t>(sx * 7 + sy) : 0;
                ASSERT_EQ(dest->GetPixel({x, y}), expected) << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(PX8ImageData, ClipBoundsAndTransparency) {
    TestSurface s(10, 6);
    EXPECT_EQ(s->GetBounds(), (TRect{0, 0, 10, 6}));
    EXPECT_EQ(s->ClipRect, (TRect{0, 0, 10, 6}));
    s->SetClip({-5, 2, 4, 40});
    EXPECT_EQ(s->ClipRect, (TRect{0, 2, 4, 6}));
    s->SetClip({20, 20, 30, 30});
    EXPECT_TRUE(IsRectEmpty(s->ClipRect));
    s->ResetClip();
    EXPECT_EQ(s->ClipRect, (TRect{0, 0, 10, 6}));
    EXPECT_EQ(s->GetTransparentColor(), -1);
    s->SetTransparency(7, true);
    EXPECT_EQ(s->GetTransparentColor(), 7);
    s->SetTransparency(7, false);
    EXPECT_EQ(s->GetTransparentColor(), -1);
    EXPECT_EQ(s->FrameHeight, 6);
    EXPECT_EQ(s->FrameCount, 1);
}

TEST(PX8ImageData, Blit) {
    struct Case {
        const char* name;
        bool transparent, flipHorizontal, flipVertical;
        TPoint dest;
        TRect source;
        TRect clip;
        Rows expected;
    };
    // Source 4 x 2:  1234 / 5678, colour 3 transparent when asked. Destination 6 x 3 of zeros.
    const TRect all{0, 0, 6, 3};
    const Case cases[] = {
        {"plain", false, false, false, {1, 1}, {0, 0, 4, 2}, all, {"000000", "012340", "056780"}},
        {"left -3 starts 3 further right",
         false,
         false,
         false,
         {0, 0},
         {-3, 0, 2, 1},
         all,
         {"000120", "000000", "000000"}},
        {"reversed rectangle",
         false,
         false,
         false,
         {0, 0},
         {2, 2, 0, 0},
         all,
         {"120000", "560000", "000000"}},
        {"transparent colour skipped",
         true,
         false,
         false,
         {0, 0},
         {0, 0, 4, 2},
         all,
         {"120400", "567800", "000000"}},
        {"mirrored: first column last",
         false,
         true,
         false,
         {0, 0},
         {0, 0, 4, 1},
         all,
         {"432100", "000000", "000000"}},
        {"mirrored and transparent",
         true,
         true,
         false,
         {0, 0},
         {0, 0, 4, 1},
         all,
         {"402100", "000000", "000000"}},
        {"upside down",
         false,
         false,
         true,
         {0, 0},
         {0, 0, 4, 2},
         all,
         {"567800", "123400", "000000"}},
        {"both flips",
         false,
         true,
         true,
         {2, 1},
         {0, 0, 4, 2},
         all,
         {"000000", "008765", "004321"}},
        {"clipped on the left",
         false,
         false,
         false,
         {-2, 0},
         {0, 0, 4, 2},
         all,
         {"340000", "780000", "000000"}},
        {"clipped on the left, mirrored",
         false,
         true,
         false,
         {-2, 0},
         {0, 0, 4, 2},
         all,
         {"210000", "650000", "000000"}},
        {"clipped by ClipRect",
         false,
         false,
         false,
         {0, 0},
         {0, 0, 4, 2},
         {1, 1, 3, 3},
         {"000000", "067000", "000000"}},
        {"mirrored, source sticks out on the right",
         false,
         true,
         false,
         {0, 0},
         {2, 0, 6, 1},
         all,
         {"004300", "000000", "000000"}},
        {"outside the destination",
         false,
         false,
         false,
         {6, 0},
         {0, 0, 4, 2},
         all,
         {"000000", "000000", "000000"}},
        {"empty source rectangle",
         false,
         false,
         false,
         {0, 0},
         {1, 1, 1, 2},
         all,
         {"000000", "000000", "000000"}},
    };
    for (const Case& c : cases) {
        TestSurface source(4, 2);
        source.Paint({"1234", "5678"});
        source->SetTransparency(3, c.transparent);
        source->FlipHorizontal = c.flipHorizontal;
        source->FlipVertical = c.flipVertical;
        TestSurface dest(6, 3);
        dest->SetClip(c.clip);
        dest->Blit(c.dest, *source, c.source);
        EXPECT_EQ(dest.Picture(), c.expected) << c.name;
        const bool changed = c.expected != Rows{"000000", "000000", "000000"};
        EXPECT_EQ(dest->HasDamage(), changed) << c.name;
    }
}

TEST(PX8ImageData, BlitClippedUsesItsOwnClipAndPutsTheOldOneBack) {
    TestSurface source(4, 2);
    source.Paint({"1234", "5678"});
    TestSurface dest(6, 3);
    dest->SetClip({0, 0, 1, 1});
    dest->BlitClipped({0, 0}, *source, {1, 0, 6, 3}, {0, 0, 4, 2});
    EXPECT_EQ(dest.Picture(), (Rows{"023400", "067800", "000000"}));
    EXPECT_EQ(dest->ClipRect, (TRect{0, 0, 1, 1}));
}

TEST(PX8ImageData, StretchBlit) {
    struct Case {
        const char* name;
        bool transparent, flipHorizontal, flipVertical;
        TRect dest;
        TRect source;
        Rows expected;
    };
    // Source 2 x 2: 12 / 34, colour 2 transparent when asked. Destination 5 x 4 of zeros.
    const Case cases[] = {
        {"doubled",
         false,
         false,
         false,
         {0, 0, 4, 4},
         {0, 0, 2, 2},
         {"11220", "11220", "33440", "33440"}},
        {"halved",
         false,
         false,
         false,
         {0, 0, 1, 1},
         {0, 0, 2, 2},
         {"40000", "00000", "00000", "00000"}},
        {"three columns from two",
         false,
         false,
         false,
         {0, 0, 3, 1},
         {0, 0, 2, 1},
         {"12200", "00000", "00000", "00000"}},
        {"mirrored",
         false,
         true,
         false,
         {0, 0, 4, 2},
         {0, 0, 2, 2},
         {"22110", "44330", "00000", "00000"}},
        {"upside down",
         false,
         false,
         true,
         {0, 0, 2, 4},
         {0, 0, 2, 2},
         {"34000", "34000", "12000", "12000"}},
        {"transparent",
         true,
         false,
         false,
         {0, 0, 4, 2},
         {0, 0, 2, 2},
         {"11000", "33440", "00000", "00000"}},
        {"sticks out",
         false,
         false,
         false,
         {3, 2, 7, 6},
         {0, 0, 2, 2},
         {"00000", "00000", "00011", "00011"}},
        {"source partly outside",
         false,
         false,
         false,
         {0, 0, 4, 2},
         {1, 0, 3, 1},
         {"22000", "22000", "00000", "00000"}},
        {"empty destination",
         false,
         false,
         false,
         {2, 2, 2, 4},
         {0, 0, 2, 2},
         {"00000", "00000", "00000", "00000"}},
        {"empty source",
         false,
         false,
         false,
         {0, 0, 4, 4},
         {0, 0, 0, 2},
         {"00000", "00000", "00000", "00000"}},
    };
    for (const Case& c : cases) {
        TestSurface source(2, 2);
        source.Paint({"12", "34"});
        source->SetTransparency(2, c.transparent);
        source->FlipHorizontal = c.flipHorizontal;
        source->FlipVertical = c.flipVertical;
        TestSurface dest(5, 4);
        dest->StretchBlit(c.dest, *source, c.source);
        EXPECT_EQ(dest.Picture(), c.expected) << c.name;
    }
}

TEST(PX8ImageData, FillAndFrame) {
    struct Case {
        const char* name;
        bool frame;
        TRect rect;
        TRect clip;
        Rows expected;
    };
    const TRect all{0, 0, 6, 4};
    const Case cases[] = {
        {"fill", false, {1, 1, 3, 3}, all, {"000000", "011000", "011000", "000000"}},
        {"fill clipped",
         false,
         {-2, -2, 3, 3},
         {1, 0, 6, 4},
         {"011000", "011000", "011000", "000000"}},
        {"fill reversed is empty",
         false,
         {3, 3, 1, 1},
         all,
         {"000000", "000000", "000000", "000000"}},
        {"frame", true, {0, 0, 4, 4}, all, {"111100", "100100", "100100", "111100"}},
        {"frame out on the right has no right edge",
         true,
         {3, 0, 9, 4},
         all,
         {"000111", "000100", "000100", "000111"}},
        {"frame out at the top has no top edge",
         true,
         {0, -1, 3, 3},
         all,
         {"101000", "101000", "111000", "000000"}},
        {"frame one row high", true, {1, 1, 5, 2}, all, {"000000", "011110", "000000", "000000"}},
        {"frame clipped by ClipRect",
         true,
         {0, 0, 4, 4},
         {0, 0, 2, 4},
         {"110000", "100000", "100000", "110000"}},
    };
    for (const Case& c : cases) {
        TestSurface s(6, 4);
        s->SetClip(c.clip);
        if (c.frame) {
            s->FrameRect(c.rect, 1);
        } else {
            s->FillRect(c.rect, 1);
        }
        EXPECT_EQ(s.Picture(), c.expected) << c.name;
    }
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
    EXPECT_FALSE(s->HasDamage());
    s->DamageAll();
    EXPECT_EQ(s.Damage(), (std::vector<TRect>{{0, 0, 20, 10}}));
    s->ClearDamage();
    EXPECT_FALSE(s->HasDamage());
}

TEST(PX8ImageData, DisplayTransfersEachBandOnce) {
    TestSurface s(200, 340, true);
    for (int32_t y = 0; y < 340; ++y) {
        uint8_t* row = s->StartLine(0, y);
        for (int32_t x = 0; x < 200; ++x) {
            row[x] = static_cast<uint8_t>(x + 3 * y);
        }
        s->UnlockSegment(0, y);
    }
    FakePaletteDevice device(400, 400);
    // Rows 160 to 179 straddle the two bands (the top band holds picture rows 0 to 169).
    EXPECT_EQ(s->Display(device, {7, 9}, {10, 160, 60, 180}), 20);
    ASSERT_EQ(device.transfers.size(), 2u);
    EXPECT_EQ(device.transfers[0].height, 10); // the bottom band first
    EXPECT_EQ(device.transfers[0].destY, 19);
    EXPECT_EQ(device.transfers[1].height, 10);
    EXPECT_EQ(device.transfers[1].destY, 9);
    for (int32_t y = 160; y < 180; ++y) {
        for (int32_t x = 10; x < 60; ++x) {
            ASSERT_EQ(device.At(x - 3, y - 151), static_cast<uint8_t>(x + 3 * y)) << x << "," << y;
        }
    }
    EXPECT_EQ(device.At(6, 9), 0);
    EXPECT_EQ(device.At(57, 29), 0);
}

TEST(PX8ImageData, FlushDamageDisplaysEveryRectangleInOrder) {
    TestSurface s(20, 10, true);
    s->FillRect({0, 0, 5, 5}, 4);
    s->FillRect({10, 2, 12, 9}, 6);
    FakePaletteDevice device(100, 100);
    s->FlushDamage(device, {30, 40});
    EXPECT_FALSE(s->HasDamage());
    ASSERT_EQ(device.transfers.size(), 2u);
    EXPECT_EQ(device.transfers[0].destX, 30);
    EXPECT_EQ(device.transfers[0].destY, 40);
    EXPECT_EQ(device.transfers[1].destX, 40);
    EXPECT_EQ(device.transfers[1].destY, 42);
    EXPECT_EQ(device.At(34, 44), 4);
    EXPECT_EQ(device.At(41, 48), 6);
    EXPECT_EQ(device.At(42, 48), 0);
}

TEST(PX8ImageData, DisplayNeedsABitmapDescription) {
    TestSurface s(8, 8);
    FakePaletteDevice device;
    EXPECT_EQ(MessageOf([&] {
                  s->Display(device, {0, 0}, {0, 0, 8, 8});
              }),
              "PBMInfo not initialized for Display");
    s->DamageAll();
    EXPECT_EQ(MessageOf([&] {
                  s->FlushDamage(device, {0, 0});
              }),
              "PBMInfo not initialized for Display");
}

} // namespace
