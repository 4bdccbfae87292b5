#include "graphics/GraphicAreaSurface.h"

#include "fakes/FakePaletteDevice.h"
#include "graphics/LibraryKit.h"

#include <gtest/gtest.h>

namespace {

// Surfaces come from the library under names of their own and are remade, with the old
// picture, when the border changes their size; the window's tests see the border and freezing.
TEST(GraphicAreaSurface, SurfacesAreNamedInTurnAndRemadeWithTheOldPicture) {
    std::unique_ptr<TPX8Library> library = LibraryOf({CountingPicture("dot", 1, 1, 9)});
    TGraphicAreaSurface::SetGlobalImageLibrary(library.get());
    FakePaletteDevice device{466, 342, 0};
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

    // The game's border (band 4, both bevels 2) makes the surface 16 narrower and lower.
    first.GetSurface()->FillRect({0, 0, 466, 342}, 7);
    first.GetSurface()->FillRect({10, 10, 11, 11}, 3);
    first.SetBorderWidth(4);
    first.SetInnerBevelWidth(2);
    first.SetOuterBevelWidth(2);
    EXPECT_FALSE(first.SetInnerBevelWidth(0));
    EXPECT_FALSE(first.SetBorderWidth(-1));
    first.SetBevelInner(TBevelCut::Lowered);
    first.SetBevelOuter(TBevelCut::Raised);
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

} // namespace
