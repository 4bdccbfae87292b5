#include "graphics/PX8Lib.h"
#include "fakes/FakePaletteDevice.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8TestFiles.h"

#include <gtest/gtest.h>

namespace {

// A w x h picture stored plainly in one segment: pixel (x, y) = base + x + 16 * y.
TestRecord PlainRecord(const std::string& name, uint16_t w, uint16_t h, uint8_t base) {
    TestRecord record;
    record.name = name;
    record.width = w;
    record.height = h;
    TestSegment segment;
    segment.flags = 0x08 | 0x01;
    for (int r = 0; r < h; ++r) {
        const int y = h - 1 - r;
        for (int x = 0; x < w; ++x) {
            segment.data.push_back(static_cast<uint8_t>(base + x + 16 * y));
        }
    }
    record.segments.push_back(segment);
    return record;
}

uint8_t PixelAt(TImageNode* entry, int x, int y) {
    TPX8Image& image = *entry->Image;
    const uint32_t r = image.Height() - 1u - static_cast<uint32_t>(y);
    TPX8ImageSegment& segment = image.Segments()[r / image.RowsPerSegment()];
    return segment.Lock()[(r % image.RowsPerSegment()) * image.Stride() + static_cast<uint32_t>(x)];
}

} // namespace

TEST(PX8Library, LoadsAndLendsImagesByName) {
    TPX8Library library;
    library.LoadFromFile(WriteTempFile(
        "lib.px8", LibraryBytes({PlainRecord("Board", 3, 2, 10), PlainRecord("TILE", 5, 4, 40)})));
    EXPECT_TRUE(library.ImageExists("board"));
    EXPECT_TRUE(library.ImageExists("tile"));
    EXPECT_FALSE(library.ImageExists("nothing"));
    TImageNode* board = library.GetImage("BOARD");
    EXPECT_EQ(board->Name, "board");
    EXPECT_EQ(board->RefCount, 1);
    EXPECT_EQ(PixelAt(board, 0, 0), 10);
    EXPECT_EQ(PixelAt(board, 2, 1), 10 + 2 + 16);
    EXPECT_EQ(library.GetImage("Board"), board);
    EXPECT_EQ(board->RefCount, 2);
    library.ReleaseImage(board);
    EXPECT_EQ(library.GetImages().Count(), 1);
    library.ReleaseImage(board);
    EXPECT_TRUE(library.GetImages().IsEmpty());
}

TEST(PX8Library, DrawImagePutsTheBandsInPlace) {
    TPX8Library library;
    library.LoadFromFile(WriteTempFile("lib.px8", LibraryBytes({PlainRecord("a", 3, 2, 10)})));
    FakePaletteDevice device(8, 8, 255);
    library.DrawImage(device, 2, 3, library.GetImage("a"));
    ASSERT_EQ(device.transfers.size(), 1u);
    EXPECT_EQ(device.At(2, 3), 10);
    EXPECT_EQ(device.At(4, 4), 10 + 2 + 16);
    EXPECT_EQ(device.At(5, 4), 255);
}
