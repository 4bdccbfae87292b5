#include "fakes/FakePaletteDevice.h"
#include "graphics/PX8Lib.h"
#include "graphics/PX8TestFiles.h"

#include <gtest/gtest.h>

namespace {

// A 3 x 2 picture stored plainly, pixel (x, y) = 10 + x + 16 * y, colour 11 transparent.
TestRecord Sprite() {
    TestRecord record = PlainRecord("sprite", 3, 2, 10);
    record.transparentIndex = 11;
    record.transparent = 1;
    return record;
}

TEST(PX8ImageDataLibrary, SurfacesAreLentWithCounts) {
    TPX8Library library;
    library.LoadFromFile(WriteTempFile("surfaces.px8", LibraryBytes({Sprite()})));
    TImageNode* entry = library.GetImage("SPRITE");
    TPX8ImageData* surface = library.GetImageData(entry);
    EXPECT_EQ(entry->Image->State(), PX8StateDecoded);
    EXPECT_EQ(surface->GetTransparentColor(), 11);
    EXPECT_EQ(surface->GetPixel({0, 0}), 10);
    EXPECT_EQ(surface->GetPixel({2, 1}), 28);
    EXPECT_EQ(library.GetImageData(entry), surface);
    EXPECT_EQ(entry->DataRefCount, 2);
    library.ReleaseImageData(entry);
    EXPECT_EQ(entry->ImageData.get(), surface);
    library.ReleaseImageData(entry);
    EXPECT_EQ(entry->ImageData, nullptr);
    library.ReleaseImageData(entry);
    library.ReleaseImageData(nullptr);
    EXPECT_EQ(entry->DataRefCount, 0);
    EXPECT_EQ(MessageOf([&] { library.GetImageData(nullptr); }), "GetImageData: no image");

    // Releasing the picture with a surface that is shown as a layer takes the layer away.
    TImageNode* board = library.CreateImage("board", 8, 4);
    TPX8ImageData* owner = library.GetImageData(board);
    owner->AddLayerFrame(*library.GetImageData(entry), {1, 1}, 0, 0);
    EXPECT_EQ(owner->GetPixel({1, 1}), 10);
    EXPECT_EQ(owner->GetPixel({2, 1}), 0);
    library.ReleaseImage(entry);
    EXPECT_TRUE(owner->GetLayers().IsEmpty());
    EXPECT_EQ(owner->GetPixel({1, 1}), 0);

    FakePaletteDevice device(20, 20);
    owner->FillRect({0, 0, 2, 2}, 5);
    owner->FlushDamage(device, {3, 4});
    EXPECT_EQ(device.At(4, 5), 5);
    EXPECT_EQ(device.At(5, 5), 0);
}

} // namespace
