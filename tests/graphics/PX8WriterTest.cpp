#include "graphics/PX8Writer.h"
#include "graphics/LibraryKit.h"
#include "graphics/PX8ImageData.h"
#include "graphics/PX8TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

TPX8Picture Picture(const std::string& name, uint16_t width, uint16_t height) {
    return {name, width, height, std::vector<uint8_t>(std::size_t{width} * height), false, 0};
}

// Noise of a few colours or of all 256; or rows made of runs of random length and rows that
// repeat the one below with a few changes, so that every line code and escape gets used.
TPX8Picture Random(uint16_t width, uint16_t height, unsigned colours, unsigned seed) {
    std::mt19937 random(seed);
    TPX8Picture p = Picture("n" + std::to_string(colours), width, height);
    for (std::size_t i = 0; i < p.Pixels.size() && colours > 0; ++i) {
        p.Pixels[i] = static_cast<uint8_t>(random() % colours);
    }
    for (int y = height - 1; y >= 0 && colours == 0; --y) {
        uint8_t* row = p.Pixels.data() + std::size_t(y) * width;
        const unsigned kind = random() % 4;
        if (kind == 0 && y + 1 < height) {
            std::copy_n(row + width, width, row);
            for (unsigned k = random() % 4; k > 0; --k) {
                row[random() % width] = static_cast<uint8_t>(random());
            }
            continue;
        }
        for (int x = 0; x < width;) {
            const int length = std::min<int>(width - x, static_cast<int>(random() % 300) + 1);
            const auto value = static_cast<uint8_t>(kind == 1 ? random() % 3 : random());
            std::fill_n(row + x, random() % 3 == 0 ? length : 1, value);
            x += random() % 3 == 0 ? length : 1;
        }
    }
    return p;
}

// Writes the pictures into a library, loads it and compares each picture.
void ExpectRoundTrip(const std::vector<TPX8Picture>& pictures) {
    const std::unique_ptr<TPX8Library> library = LibraryOf(pictures);
    for (const TPX8Picture& picture : pictures) {
        TImageNode* entry = library->GetImage(picture.Name);
        TPX8ImageData& surface = *library->GetImageData(entry);
        ASSERT_EQ(std::tuple(surface.Width(), surface.Height(), entry->Image->Transparent()),
                  std::tuple(picture.Width, picture.Height, picture.Transparent));
        std::vector<uint8_t> pixels;
        for (int32_t y = 0; y < picture.Height; ++y) {
            for (int32_t x = 0; x < picture.Width; ++x) {
                pixels.push_back(surface.GetPixel({x, y}));
            }
        }
        EXPECT_TRUE(pixels == picture.Pixels)
            << picture.Name << " " << picture.Width << " x " << picture.Height;
    }
}

} // namespace

TEST(PX8Writer, RandomPicturesRoundTrip) {
    const std::pair<uint16_t, uint16_t> sizes[] = {{1, 1},     {3, 1},     {1, 300},  {5, 3},
                                                   {255, 2},   {256, 300}, {257, 9},  {700, 200},
                                                   {640, 480}, {16320, 9}, {65280, 2}};
    unsigned seed = 1;
    for (const auto& [width, height] : sizes) {
        std::vector<TPX8Picture> pictures;
        for (unsigned colours : {0u, 2u, 7u, 256u}) {
            pictures.push_back(Random(width, height, colours, ++seed));
        }
        pictures[1].Transparent = true;
        ExpectRoundTrip(pictures);
    }
}

// A stored segment starts with its escape codes, the least frequent values from 1 to 255
// (lowest first), and its form.
TEST(PX8Writer, ChoosesTheEscapesAndTheShortestForm) {
    Bytes half(16, 9);
    std::fill(half.begin() + 8, half.end(), 4);
    const std::pair<std::vector<Bytes>, Bytes> cases[] = {
        {{Bytes(16, 9)}, {1, 2, 0x08, 6, 9}},
        {{Bytes(16, 9), Bytes(16, 9)}, {1, 2, 0x08, 6, 9, 7}},
        {{Bytes(16, 9), half}, {1, 2, 0x08, 6, 9, 8, 6, 4}},
        {{{7, 7, 7, 7, 7, 5, 5, 5, 3, 3, 0, 0, 0, 0, 0, 0}},
         {1, 2, 0x08, 1, 1, 5, 7, 2, 5, 3, 3, 1, 6, 0}},
        {{{1, 2, 3, 4, 5, 6}}, {7, 8, 0x09, 1, 2, 3, 4, 5, 6}},
        {{{1}, {1}, {1}, {1}, {1}, {2}, {3}, {4}, {5}, {6}}, {7, 8, 0x0A, 7, 5, 1, 2, 3, 4, 5, 6}},
    };
    for (const auto& [rows, stored] : cases) {
        std::vector<const uint8_t*> pointers;
        for (const Bytes& row : rows) {
            pointers.push_back(row.data());
        }
        EXPECT_EQ(PX8EncodeSegment(pointers, static_cast<uint16_t>(rows[0].size())), stored)
            << rows.size() << " rows of " << rows[0].size();
    }
}

TEST(PX8Writer, FilesAndWhatCannotBeStored) {
    const std::pair<TPX8Picture, std::string> cases[] = {
        {Picture("ninechars", 2, 2), "Write: image name \"ninechars\" is longer than 8 characters"},
        {{"short", 2, 2, Bytes(3), false, 0}, "Write: image \"short\" has an invalid size"},
        {Picture("empty", 0, 0), "Write: image \"empty\" has an invalid size"},
        {Picture("wide", 65281, 1), "Write: image \"wide\" has an invalid size"},
    };
    for (const auto& [picture, message] : cases) {
        EXPECT_EQ(MessageOf([&] { PX8EncodeRecord(picture); }), message);
    }
    EXPECT_EQ(MessageOf([] { PX8WriteLibrary("/nonexistent/a.px8", {}, {}); }),
              "Cannot create file \"/nonexistent/a.px8\"");
}
