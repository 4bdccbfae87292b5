#include "graphics/PX8ImageData.h"
#include "graphics/GraphicAreaSurface.h"
#include "graphics/PX8Lib.h"
#include "graphics/SurfaceModel.h"
#include "platform/PaletteDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

// A screen of palette indices, 255 where nothing was transferred.
class Canvas : public IPaletteDevice {
  public:
    Canvas(int32_t width, int32_t height) : Width(width), Pixels(size_t(width * height), 255) {}
    int32_t TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY, int32_t width,
                         int32_t height, int32_t destX, int32_t destY) override {
        for (int32_t row = 0; row < height; ++row) {
            const uint8_t* from = block.Pixels + (sourceY + height - 1 - row) * block.Stride;
            for (int32_t column = 0; column < width; ++column) {
                At(destX + column, destY + row) = from[sourceX + column];
            }
        }
        return height;
    }
    uint8_t& At(int32_t x, int32_t y) { return Pixels.at(static_cast<size_t>(y * Width + x)); }
    const int32_t Width;
    std::vector<uint8_t> Pixels;
};

// The screen gets every damaged pixel, on both sides of the segment boundary and at the
// left and right edges, at the origin; nothing else, and the damage is cleared.
TEST(PX8ImageData, FlushShowsExactlyTheDamage) {
    TPX8Library library;
    TPX8ImageData* s = library.GetImageData(library.CreateImage("tall", 200, 340));
    for (int32_t y = 0; y < 340; ++y) {
        s->FillRect({0, y, 200, y + 1}, static_cast<uint8_t>(y % 250));
        s->FillRect({y % 200, y, y % 200 + 1, y + 1}, 251);
    }
    s->ClearDamage();
    const std::vector<TRect> damage{{0, 160, 3, 180}, {150, 0, 200, 2}, {100, 339, 101, 340}};
    for (const TRect& r : damage) {
        s->AddDamage(r);
    }
    Canvas screen(210, 350);
    s->FlushDamage(screen, {5, 7});
    for (int32_t y = 0; y < 340; ++y) {
        for (int32_t x = 0; x < 200; ++x) {
            const bool damaged = std::any_of(damage.begin(), damage.end(),
                                             [&](const TRect& r) { return PtInRect(r, x, y); });
            ASSERT_EQ(screen.At(x + 5, y + 7), damaged ? s->GetPixel({x, y}) : 255)
                << x << "," << y;
        }
    }
    s->FlushDamage(screen, {0, 0});
    EXPECT_EQ(screen.At(0, 0), 255) << "the damage was cleared";
}

// Without bevels the border is the plain band, all around the inner rectangle.
TEST(GraphicAreaSurface, PlainBandWithoutBevels) {
    Canvas screen(1, 1);
    TGraphicAreaSurface area(screen);
    EXPECT_TRUE(area.BorderStrips(10, 8).empty());
    area.SetBorderWidth(2);
    std::vector<int> covered(80, 0);
    for (const TBorderStrip& strip : area.BorderStrips(10, 8)) {
        EXPECT_EQ(strip.Colour, TBorderColour::Band);
        for (int32_t y = strip.Rect.Top; y < strip.Rect.Bottom; ++y) {
            for (int32_t x = strip.Rect.Left; x < strip.Rect.Right; ++x) {
                ++covered[static_cast<size_t>(y * 10 + x)];
            }
        }
    }
    for (int32_t i = 0; i < 80; ++i) {
        EXPECT_EQ(covered[static_cast<size_t>(i)], PtInRect({2, 2, 8, 6}, i % 10, i / 10) ? 0 : 1)
            << i;
    }
}

// Random drawing and layer operations on real surfaces and on the reference model; after each
// step the surfaces equal the model and every changed pixel lies in a damage rectangle.
TEST(SurfaceModel, RandomOperationsMatchTheModel) {
    // The seed, whether a surface spans two segments, and the steps.
    const std::tuple<uint32_t, bool, int> runs[] = {
        {1, false, 1500}, {2, false, 1500}, {3, true, 600}, {4, false, 1500}, {5, true, 600},
    };
    for (const auto& [seed, largeSurface, steps] : runs) {
        Choices choices(seed);
        SurfaceScenario scenario(choices, largeSurface);
        for (int step = 0; step < steps; ++step) {
            ASSERT_EQ(scenario.Step(), "") << "seed " << seed << ", step " << step;
        }
    }
}

} // namespace
