// The image library the build packs from assets/: every picture the game asks for, at the size
// and frame layout the game draws it with, on one palette shared with every PNG in assets/.

#include "IndexedPng.h"
#include "graphics/PX8Lib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

namespace {

// Name, width and height (0: free), frames, transparency, and for a button where it stands on
// the screen: each must lie in the button column and clear of every other.
const std::tuple<const char*, int, int, int, bool, int, int> Pictures[] = {
    {"screen", 450, 326, 1, false, 0, 0},   {"letters", 226, 121, 1, false, 0, 0},
    {"laddgfx", 300, 62, 1, false, 0, 0},   {"youwin", 0, 0, 2, true, 0, 0},
    {"tile", 0, 0, 1, false, 0, 0},         {"icon", 61, 61, 1, false, 0, 0},
    {"checkbtn", 0, 24, 2, true, 351, 236}, {"hintbtn", 0, 24, 2, true, 351, 253},
    {"startbtn", 0, 24, 2, true, 351, 270}, {"newbtn", 0, 24, 2, true, 351, 287},
    {"selbtn", 0, 24, 2, true, 351, 304},   {"edvocbtn", 0, 24, 2, true, 351, 10},
    {"sugstbtn", 0, 24, 2, true, 351, 27},  {"actmbtn", 0, 42, 2, true, 353, 47},
    {"actcbtn", 0, 42, 2, true, 393, 47},   {"actsbtn", 0, 42, 2, true, 353, 70},
    {"actxbtn", 0, 42, 2, true, 393, 70},   {"actrbtn", 0, 42, 2, true, 353, 93},
    {"actabtn", 0, 42, 2, true, 393, 93},   {"addrwbtn", 0, 24, 2, true, 351, 122},
    {"delrwbtn", 0, 24, 2, true, 351, 139}, {"sethnbtn", 0, 24, 2, true, 351, 156},
    {"clrhnbtn", 0, 24, 2, true, 351, 173}, {"accptbtn", 0, 24, 2, true, 351, 194},
    {"canclbtn", 0, 24, 2, true, 351, 211}, {"badge", 22, 44, 2, true, 0, 0},
};

// A picture as the library holds it: its indexes top row first.
struct Picture {
    int width, height;
    bool transparent;
    uint8_t key;
    std::vector<uint8_t> pixels;
};

class GamePictures : public testing::Test {
  protected:
    void SetUp() override { library.LoadFromFile(LADDERLY_IMAGE_LIBRARY); }

    Picture Read(const std::string& name) {
        TImageNode* entry = library.GetImage(name);
        const TPX8Image& i = *entry->Image;
        Picture picture{i.Width(), i.Height(), i.Transparent(), i.TransparentIndex(), {}};
        TPX8ImageData* surface = library.GetImageData(entry);
        for (int32_t y = 0; y < surface->Height(); ++y) {
            for (int32_t x = 0; x < surface->Width(); ++x) {
                picture.pixels.push_back(surface->GetPixel({x, y}));
            }
        }
        library.ReleaseImageData(entry);
        library.ReleaseImage(entry);
        return picture;
    }

    TPX8Library library;
};

// Indexes 1-9 and 246-254 are the display's own where it keeps system colours; two frames must
// differ.
TEST_F(GamePictures, EveryPictureAtItsSizeAndFramesWithButtonsApart) {
    EXPECT_EQ(library.GetDirectory().size(), std::size(Pictures));
    std::vector<std::array<int, 4>> buttons;
    for (const auto& [name, width, height, frames, transparent, x, y] : Pictures) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(library.ImageExists(name));
        const Picture picture = Read(name);
        EXPECT_EQ(std::tuple(width ? picture.width : 0, height ? picture.height : 0,
                             picture.height % frames, picture.transparent),
                  std::tuple(width, height, 0, transparent));
        for (const uint8_t index : picture.pixels) {
            const bool reserved = (index >= 1 && index <= 9) || (index >= 246 && index <= 254);
            ASSERT_FALSE(reserved && !(transparent && index == picture.key)) << int{index};
        }
        const auto half = picture.pixels.begin() + static_cast<long>(picture.pixels.size() / 2);
        EXPECT_TRUE(frames == 1 || !std::equal(picture.pixels.begin(), half, half));
        if (x > 0) {
            const int right = x + picture.width;
            const int bottom = y + picture.height / 2;
            EXPECT_LE(right, 450);
            for (const auto& [l, t, r, b] : buttons) {
                EXPECT_FALSE(x < r && l < right && y < b && t < bottom);
            }
            buttons.push_back({x, y, right, bottom});
        }
    }
}

TEST_F(GamePictures, TheBoardGroundIsPlainWhite) {
    // Rows are filled with the colour at (0, 0) and the cursor is erased with white, so the
    // ground the board may cover must be white: x from 4 to 327, y from 46 to 306.
    const std::vector<uint8_t> screen = Read("screen").pixels;
    for (int y = 46; y < 306; ++y) {
        for (int x = 4; x < 327; ++x) {
            ASSERT_EQ(screen[y * 450 + x], 255) << x << ", " << y;
        }
    }
    EXPECT_EQ(screen[0], 255);
    // The column is the column: none of the ground shows right of x = 334.
    EXPECT_NE(screen[10 * 450 + 334 + 10], 255);
}

TEST_F(GamePictures, OnePaletteForTheLibraryAndEveryAsset) {
    const uint8_t* table = library.GetPaletteTable();
    auto entry = [table](int i) {
        return std::array<uint8_t, 3>{table[4 * i + 2], table[4 * i + 1], table[4 * i]};
    };
    EXPECT_EQ(entry(0), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(entry(255), (std::array<uint8_t, 3>{255, 255, 255}));
    EXPECT_NE(entry(128), entry(255)) << "the cursor's colour";
    const char* source = std::getenv("LADDERLY_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    int files = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::filesystem::path(source) / "assets")) {
        const IndexedPng png = ReadIndexedPng(file.path().string());
        ASSERT_EQ(png.palette.size(), 256u) << file.path();
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(png.palette[i], entry(i)) << file.path() << " entry " << i;
        }
        ++files;
    }
    EXPECT_EQ(files, static_cast<int>(std::size(Pictures)));
}

} // namespace
