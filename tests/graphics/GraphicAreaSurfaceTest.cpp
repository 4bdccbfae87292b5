#include "graphics/GraphicAreaSurface.h"

#include "fakes/FakePaletteDevice.h"
#include "graphics/LibraryKit.h"

#include <gtest/gtest.h>

namespace {

// A graphic area surface set up as the main window's: band 4, both bevels 2 wide.
class GraphicAreaSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override { TGraphicAreaSurface::SetGlobalImageLibrary(library.get()); }
    void TearDown() override { TGraphicAreaSurface::SetGlobalImageLibrary(nullptr); }

    static void MakeGameBorder(TGraphicAreaSurface& area) {
        area.SetBorderWidth(4);
        area.SetInnerBevelWidth(2);
        area.SetOuterBevelWidth(2);
        area.SetBevelInner(TBevelCut::Lowered);
        area.SetBevelOuter(TBevelCut::Raised);
    }

    std::unique_ptr<TPX8Library> library = LibraryOf({CountingPicture("dot", 1, 1, 9)});
    FakePaletteDevice device{466, 342, 0};
};

TEST_F(GraphicAreaSurfaceTest, BorderLeavesTheSurfaceAndCoversEverythingElse) {
    TGraphicAreaSurface area(device);
    EXPECT_EQ(area.BorderThickness(), 0);
    EXPECT_TRUE(area.BorderStrips(10, 10).empty());
    MakeGameBorder(area);
    EXPECT_FALSE(area.SetInnerBevelWidth(0));
    EXPECT_FALSE(area.SetOuterBevelWidth(-3));
    EXPECT_FALSE(area.SetBorderWidth(-1));
    EXPECT_EQ(area.GetInnerBevelWidth(), 2);
    EXPECT_EQ(area.InnerRect(466, 342), (TRect{8, 8, 458, 334}));

    // Each pixel's colour from the strips, drawn in order (later strips win).
    std::vector<int> colour(466 * 342, -1);
    for (const TBorderStrip& strip : area.BorderStrips(466, 342)) {
        for (int32_t y = strip.Rect.Top; y < strip.Rect.Bottom; ++y) {
            for (int32_t x = strip.Rect.Left; x < strip.Rect.Right; ++x) {
                colour[y * 466 + x] = static_cast<int>(strip.Colour);
            }
        }
    }
    const auto at = [&colour](int x, int y) { return colour[y * 466 + x]; };
    for (int y = 0; y < 342; ++y) {
        for (int x = 0; x < 466; ++x) {
            ASSERT_EQ(at(x, y) >= 0, !PtInRect(area.InnerRect(466, 342), x, y)) << x << "," << y;
        }
    }
    const int shadow = static_cast<int>(TBorderColour::Shadow);
    const int highlight = static_cast<int>(TBorderColour::Highlight);
    const int band = static_cast<int>(TBorderColour::Band);
    struct Probe {
        int x, y, colour;
    };
    // Raised outside: light top and left, dark right and bottom; lowered inside: the reverse.
    const Probe probes[] = {{0, 0, highlight},     {1, 200, highlight},   {465, 0, shadow},
                            {464, 341, shadow},    {0, 341, shadow},      {2, 2, band},
                            {5, 300, band},        {6, 6, shadow},        {7, 100, shadow},
                            {459, 100, highlight}, {100, 335, highlight}, {6, 335, highlight}};
    for (const Probe& p : probes) {
        EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
}

TEST_F(GraphicAreaSurfaceTest, SurfacesAreNamedInTurnAndRemadeWithTheOldPicture) {
    TGraphicAreaSurface first(device);
    TGraphicAreaSurface second(device);
    int reallocs = 0;
    first.OnRealloc = [&reallocs] { ++reallocs; };
    EXPECT_EQ(first.EnsureSurface(466, 342)->Width(), 466);
    TPX8ImageData* made = second.EnsureSurface(20, 10);
    const int number = std::stoi(first.GetSurfaceName().substr(4));
    EXPECT_EQ(first.GetSurfaceName().substr(0, 4), "gfxa");
    EXPECT_EQ(second.GetSurfaceName(), "gfxa" + std::to_string(number + 1));
    EXPECT_EQ(second.EnsureSurface(20, 10), made);

    // The game's border makes the surface 16 narrower and lower; the picture is copied over.
    first.GetSurface()->FillRect({0, 0, 466, 342}, 7);
    first.GetSurface()->FillRect({10, 10, 11, 11}, 3);
    MakeGameBorder(first);
    TPX8ImageData* remade = first.EnsureSurface(466, 342);
    EXPECT_EQ(remade->Width(), 450);
    EXPECT_EQ(remade->Height(), 326);
    EXPECT_EQ(remade->GetPixel({10, 10}), 3);
    EXPECT_EQ(remade->GetPixel({449, 325}), 7);
    EXPECT_EQ(reallocs, 2);
    EXPECT_EQ(library->GetImages().Count(), 2) << "the old surface went back to the library";

    // Between two drawn bevels only the border is redrawn; to or from none the size changes.
    EXPECT_EQ(first.SetBevelOuter(TBevelCut::Lowered), TBevelChange::RedrawBorder);
    EXPECT_EQ(first.EnsureSurface(466, 342), remade);
    EXPECT_EQ(first.SetBevelOuter(TBevelCut::Lowered), TBevelChange::None);
    EXPECT_EQ(first.SetBevelOuter(TBevelCut::None), TBevelChange::Invalidate);
    EXPECT_EQ(first.EnsureSurface(466, 342)->Width(), 454);
    EXPECT_EQ(first.SetBevelOuter(TBevelCut::Raised), TBevelChange::Invalidate);

    // Without a library there is no surface and nothing to show.
    TGraphicAreaSurface::SetGlobalImageLibrary(nullptr);
    TGraphicAreaSurface none(device);
    EXPECT_EQ(none.EnsureSurface(466, 342), nullptr);
    EXPECT_TRUE(none.Flush().empty());
}

TEST_F(GraphicAreaSurfaceTest, FreezingHoldsTheDamageUntilItEnds) {
    TGraphicAreaSurface area(device);
    MakeGameBorder(area);
    std::vector<std::vector<TRect>> shown;
    area.OnFlushed = [&shown](const std::vector<TRect>& rects) { shown.push_back(rects); };
    TPX8ImageData* surface = area.EnsureSurface(466, 342);
    surface->ClearDamage();
    area.Tick(466, 342);
    EXPECT_TRUE(shown.empty()) << "no damage, no transfer";

    surface->FillRect({0, 0, 5, 5}, 1);
    area.SetFreezeDisplay(true); // what was drawn before the freeze still goes out
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (std::vector<TRect>{{0, 0, 5, 5}}));
    EXPECT_EQ(device.At(4, 4), 1);

    surface->FillRect({10, 10, 36, 31}, 2);
    area.Tick(466, 342);
    area.RequestRepaint();
    area.Tick(466, 342);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(device.At(10, 10), 0);

    area.SetFreezeDisplay(false);
    ASSERT_EQ(shown.size(), 2u);
    // The repaint asked for while frozen took in the fill.
    EXPECT_EQ(shown[1], (std::vector<TRect>{{0, 0, 450, 326}}));
    EXPECT_EQ(device.At(35, 30), 2);
    area.RequestRepaint();
    area.Tick(466, 342);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], (std::vector<TRect>{{0, 0, 450, 326}}));
    EXPECT_FALSE(surface->HasDamage());
}

} // namespace
