#include "framework/Geometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Found by argument-dependent lookup, so it lives beside TRect in the global namespace.
static std::ostream& operator<<(std::ostream& out, const TRect& r) {
    return out << '(' << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom << ')';
}

namespace {

std::vector<TRect> Merge(const TRect& r1, const TRect& r2) {
    std::array<TRect, 5> output{};
    const int count = MergeRects(r1, r2, output);
    return {output.begin(), output.begin() + count};
}

int64_t Area(const std::vector<TRect>& rects) {
    int64_t area = 0;
    for (const TRect& r : rects) {
        area += int64_t{RectWidth(r)} * RectHeight(r);
    }
    return area;
}

} // namespace

TEST(Geometry, MergeRects) {
    struct Case {
        const char* what;
        TRect r1, r2;
        std::vector<TRect> expected;
    };
    const Case cases[] = {
        {"stacked, second below", {0, 0, 10, 10}, {0, 10, 10, 20}, {{0, 0, 10, 20}}},
        {"stacked, second above", {0, 10, 10, 20}, {0, 0, 10, 10}, {{0, 0, 10, 20}}},
        {"side by side, second right", {0, 0, 10, 10}, {10, 0, 20, 10}, {{0, 0, 20, 10}}},
        {"side by side, second left", {10, 0, 20, 10}, {0, 0, 10, 10}, {{0, 0, 20, 10}}},
        {"same columns with a gap",
         {0, 0, 10, 10},
         {0, 11, 10, 20},
         {{0, 0, 10, 10}, {0, 11, 10, 20}}},
        {"same rows with a gap",
         {0, 0, 10, 10},
         {12, 0, 20, 10},
         {{0, 0, 10, 10}, {12, 0, 20, 10}}},
        {"touching corners only",
         {0, 0, 10, 10},
         {10, 10, 20, 20},
         {{0, 0, 10, 10}, {10, 10, 20, 20}}},
        {"touching edges of different length",
         {0, 0, 10, 10},
         {10, 0, 20, 5},
         {{0, 0, 10, 10}, {10, 0, 20, 5}}},
        {"first inside second", {2, 2, 5, 5}, {0, 0, 10, 10}, {{0, 0, 10, 10}}},
        {"second inside first", {0, 0, 10, 10}, {2, 2, 5, 5}, {{0, 0, 10, 10}}},
        {"equal", {1, 2, 3, 4}, {1, 2, 3, 4}, {{1, 2, 3, 4}}},
        {"same columns overlapping", {0, 5, 10, 15}, {0, 0, 10, 10}, {{0, 0, 10, 15}}},
        {"same rows overlapping", {0, 0, 10, 10}, {5, 0, 15, 10}, {{0, 0, 15, 10}}},
        {"diagonal overlap",
         {0, 0, 10, 10},
         {5, 5, 15, 15},
         {{0, 0, 5, 10}, {5, 0, 10, 5}, {5, 5, 10, 10}, {5, 10, 10, 15}, {10, 5, 15, 15}}},
        {"cross",
         {0, 4, 20, 6},
         {8, 0, 12, 20},
         {{0, 4, 8, 6}, {8, 0, 12, 4}, {8, 4, 12, 6}, {8, 6, 12, 20}, {12, 4, 20, 6}}},
        {"shared left edge leaves out the left strip",
         {0, 0, 10, 10},
         {0, 5, 15, 15},
         {{0, 0, 10, 5}, {0, 5, 10, 10}, {0, 10, 10, 15}, {10, 5, 15, 15}}},
        {"negative co-ordinates",
         {-10, -10, 0, 0},
         {-5, -5, 5, 5},
         {{-10, -10, -5, 0}, {-5, -10, 0, -5}, {-5, -5, 0, 0}, {-5, 0, 0, 5}, {0, -5, 5, 5}}},
        {"empty first rectangle is kept apart",
         {3, 3, 3, 8},
         {0, 0, 10, 10},
         {{3, 3, 3, 8}, {0, 0, 10, 10}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Merge(c.r1, c.r2), c.expected) << c.what;
    }
}

TEST(Geometry, MergeRectsCoversTheUnionWithoutOverlap) {
    // Every overlapping pair of a small grid of rectangles: the pieces must not overlap one
    // another and must cover exactly the pixels of the union.
    std::vector<TRect> rects;
    for (int32_t l = 0; l < 4; ++l) {
        for (int32_t t = 0; t < 4; ++t) {
            for (int32_t w = 1; w < 4; ++w) {
                for (int32_t h = 1; h < 4; ++h) {
                    rects.push_back({l, t, l + w, t + h});
                }
            }
        }
    }
    for (const TRect& a : rects) {
        for (const TRect& b : rects) {
            TRect common;
            if (!IntersectRect(common, a, b)) {
                continue;
            }
            const std::vector<TRect> pieces = Merge(a, b);
            const int64_t unionArea = Area({a}) + Area({b}) - Area({common});
            ASSERT_EQ(Area(pieces), unionArea) << a << ' ' << b;
            for (int32_t y = 0; y < 8; ++y) {
                for (int32_t x = 0; x < 8; ++x) {
                    int covering = 0;
                    for (const TRect& p : pieces) {
                        covering += PtInRect(p, x, y) ? 1 : 0;
                    }
                    const bool inUnion = PtInRect(a, x, y) || PtInRect(b, x, y);
                    ASSERT_EQ(covering, inUnion ? 1 : 0)
                        << a << ' ' << b << " at " << x << ',' << y;
                }
            }
        }
    }
}

TEST(Geometry, HitsAndIntersections) {
    struct Hit {
        int32_t x, y;
        bool inside;
    };
    const TRect box{10, 10, 20, 20};
    const Hit hits[] = {{10, 10, true},  {19, 19, true}, {20, 15, false},
                        {15, 20, false}, {9, 15, false}, {15, 9, false}};
    for (const Hit& h : hits) {
        EXPECT_EQ(PtInRect(box, h.x, h.y), h.inside) << h.x << ',' << h.y;
    }

    TRect common{1, 1, 1, 1};
    EXPECT_FALSE(IntersectRect(common, {0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_EQ(common, TRect{});
    EXPECT_TRUE(IntersectRect(common, {0, 0, 10, 10}, {5, -5, 8, 3}));
    EXPECT_EQ(common, (TRect{5, 0, 8, 3}));
}
