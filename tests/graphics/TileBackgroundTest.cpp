#include "graphics/TileBackground.h"

#include <gtest/gtest.h>

namespace {

// The tiles drawn for a clip: those of the grid from (0, 0) that meet it; the window's tests see
// their pixels.
TEST(TileBackground, TilesLieOnTheGridAndMeetTheClip) {
    struct Case {
        TRect clip;
        int32_t tileWidth, tileHeight;
        std::vector<TPoint> origins;
    };
    const Case cases[] = {
        {{70, 5, 100, 6}, 32, 10, {{64, 0}, {96, 0}}},
        {{0, 0, 64, 20}, 32, 10, {{0, 0}, {32, 0}, {0, 10}, {32, 10}}}, // ends on the grid
        {{31, 9, 33, 11}, 32, 10, {{0, 0}, {32, 0}, {0, 10}, {32, 10}}},
        {{-5, -1, 2, 1}, 4, 4, {{-8, -4}, {-4, -4}, {0, -4}, {-8, 0}, {-4, 0}, {0, 0}}},
        {{10, 10, 10, 20}, 4, 4, {}},
        {{0, 0, 10, 10}, 0, 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip.Left);
        EXPECT_EQ(TTileBackground::TileOrigins(c.clip, c.tileWidth, c.tileHeight), c.origins);
    }
}

} // namespace
