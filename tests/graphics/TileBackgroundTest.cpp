#include "graphics/TileBackground.h"
#include "graphics/HotImage.h"

#include "fakes/FakePaletteDevice.h"
#include "graphics/LibraryKit.h"
#include "graphics/PX8TestFiles.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

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

TEST(TileBackground, DrawsTheTileOverTheClipOrNothingWithoutIt) {
    std::optional<TTileBackground> early;
    early.emplace();
    FakePaletteDevice device(100, 60, 0);
    EXPECT_FALSE(early->SetImageName("tile")) << "no library yet";
    EXPECT_FALSE(early->Paint(device, {0, 0, 100, 60}));

    std::unique_ptr<TPX8Library> library = LibraryOf({CountingPicture("tile", 32, 10, 1)});
    TTileBackground::SetGlobalImageLibrary(library.get());
    TTileBackground background;
    EXPECT_FALSE(background.SetImageName("absent"));
    EXPECT_FALSE(background.Paint(device, {0, 0, 100, 60}));
    EXPECT_TRUE(device.transfers.empty());

    EXPECT_TRUE(background.SetImageName("TILE"));
    EXPECT_TRUE(background.Paint(device, {70, 15, 90, 25}));
    // One column of two tiles from (64, 10); each pixel is the tile's at its grid position.
    for (int y = 10; y < 30; ++y) {
        for (int x = 64; x < 96; ++x) {
            ASSERT_EQ(device.At(x, y), static_cast<uint8_t>(1 + x % 32 + 16 * (y % 10)))
                << x << "," << y;
        }
    }
    EXPECT_EQ(device.At(63, 15), 0) << "no tile left of the clip's column";
    EXPECT_EQ(device.At(96, 15), 0) << "none right of it";
    EXPECT_EQ(device.At(70, 30), 0) << "no tile below the clip's row";

    // The name set before the library came is taken on first need.
    EXPECT_TRUE(early->Paint(device, {0, 0, 1, 1}));
    EXPECT_EQ(library->GetImages().Find("tile")->RefCount, 2);
    early.reset();
    background.SetImageName("absent");
    EXPECT_EQ(library->GetImages().Find("tile"), nullptr) << "both handed the tile back";
    TTileBackground::SetGlobalImageLibrary(nullptr);
}

TEST(HotImage, HotImagesOfOneNameShareTheEntry) {
    std::unique_ptr<TPX8Library> library = LibraryOf({CountingPicture("youwin", 4, 6, 1)});
    THotImage::SetGlobalImageLibrary(library.get());
    EXPECT_EQ(MessageOf([] { THotImage missing("nothing"); }), "Image \"nothing\" does not exist");

    auto first = std::make_unique<THotImage>("youwin");
    THotImage second("YOUWIN");
    EXPECT_EQ(first->GetEntry(), second.GetEntry());
    EXPECT_EQ(second.GetEntry()->RefCount, 2);
    TPX8ImageData* surface = first->GetSurface();
    surface->FrameCount = 2;
    EXPECT_EQ(second.GetSurface(), surface);
    EXPECT_EQ(second.GetSurface()->FrameCount, 2);

    first.reset();
    ASSERT_NE(library->GetImages().Find("youwin"), nullptr);
    EXPECT_EQ(second.GetSurface()->GetPixel({3, 5}), 1 + 3 + 16 * 5);
    THotImage::SetGlobalImageLibrary(nullptr);
    EXPECT_EQ(MessageOf([] { THotImage none("youwin"); }), "GetImage: no library loaded");
}

} // namespace
