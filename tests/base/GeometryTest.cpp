#include "base/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(Geometry, MergeRectsCoversTheUnionWithoutOverlap) {
    // Every pair of a small grid of rectangles, empty ones too: the pieces must not overlap one
    // another and must cover exactly the pixels of the union; pairs apart stay two rectangles
    // unless they touch along a whole edge. IntersectRect's own edges are checked on the way.
    std::vector<TRect> rects;
    for (int32_t i = 0; i < 4 * 4 * 4 * 3; ++i) { // left, top, width, height
        rects.push_back({i % 4, i / 4 % 4, i % 4 + i / 16 % 4, i / 4 % 4 + 1 + i / 64});
    }
    for (const TRect& a : rects) {
        for (const TRect& b : rects) {
            TRect common{1, 1, 1, 1};
            std::array<TRect, 5> output{};
            const std::vector<TRect> pieces(output.begin(),
                                            output.begin() + MergeRects(a, b, output));
            if (!IntersectRect(common, a, b)) {
                EXPECT_EQ(common, TRect{});
                // (Rectangles with the same columns only ever join top to bottom.)
                const bool sameColumns = a.Left == b.Left && a.Right == b.Right;
                const bool column = sameColumns && (a.Top == b.Bottom || a.Bottom == b.Top);
                const bool row = !sameColumns && a.Top == b.Top && a.Bottom == b.Bottom &&
                                 (a.Left == b.Right || a.Right == b.Left);
                ASSERT_EQ(pieces.size(), column || row ? 1u : 2u);
            }
            for (int32_t at = 0; at < 64; ++at) {
                const int32_t x = at % 8;
                const int32_t y = at / 8;
                const auto covering = std::ranges::count_if(
                    pieces, [&](const TRect& p) { return PtInRect(p, x, y); });
                ASSERT_EQ(covering, PtInRect(a, x, y) || PtInRect(b, x, y) ? 1 : 0);
            }
        }
    }
}

// Near the ends of the 32-bit range the helpers saturate instead of wrapping. (The point
// operators are the same one-line sums.)
TEST(Geometry, SaturatesNearTheLimits) {
    constexpr int32_t Hi = INT32_MAX;
    constexpr int32_t Lo = INT32_MIN;
    EXPECT_EQ(RectWidth({Lo, 0, Hi, 0}), Hi);
    EXPECT_EQ(RectHeight({0, Hi, 0, Lo}), Lo);
    EXPECT_EQ(RectAt({Hi - 5, Lo + 5}, {0, 0, 10, -10}), (TRect{Hi - 5, Lo + 5, Hi, Lo}));
    EXPECT_EQ((TRect{0, 0, 10, 10} + TPoint{Hi, Lo}), (TRect{Hi, Lo, Hi, Lo + 10}));
    EXPECT_EQ((TRect{-10, 0, 0, 10} - TPoint{Hi, Lo}), (TRect{Lo, Hi, -Hi, Hi}));
}
