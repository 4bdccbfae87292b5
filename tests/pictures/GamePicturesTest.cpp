// The image library the build packs from assets/: every picture the game asks for, at the size
// and frame layout the game draws it with, on one palette shared with every PNG in assets/.

#include "IndexedPng.h"
#include "graphics/PX8Lib.h"

#include <gtest/gtest.h>

#include <algorithm>
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

class GamePictures : public testing::Test {
  protected:
    void SetUp() override { library.LoadFromFile(LADDERLY_IMAGE_LIBRARY); }

    // The picture's indexes, top row first; the library keeps it until it closes.
    std::vector<uint8_t> Pixels(const std::string& name) {
        TPX8ImageData* surface = library.GetImageData(library.GetImage(name));
        std::vector<uint8_t> pixels;
        for (int32_t y = 0; y < surface->Height(); ++y) {
            for (int32_t x = 0; x < surface->Width(); ++x) {
                pixels.push_back(surface->GetPixel({x, y}));
            }
        }
        return pixels;
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
        const std::vector<uint8_t> pixels = Pixels(name);
        const TPX8Image& image = *library.GetImage(name)->Image;
        const int w = image.Width(), h = image.Height();
        EXPECT_EQ(std::tuple(width ? w : 0, height ? h : 0, h % frames, image.Transparent()),
                  std::tuple(width, height, 0, transparent));
        for (const uint8_t i : pixels) {
            const bool reserved = (i >= 1 && i <= 9) || (i >= 246 && i <= 254);
            ASSERT_FALSE(reserved && !(transparent && i == image.TransparentIndex())) << int{i};
        }
        const auto half = pixels.begin() + static_cast<long>(pixels.size() / 2);
        EXPECT_TRUE(frames == 1 || !std::equal(pixels.begin(), half, half));
        if (x > 0) {
            const int right = x + w, bottom = y + h / 2;
            EXPECT_TRUE(right <= 450 && std::none_of(buttons.begin(), buttons.end(), [&](auto& b) {
                            return x < b[2] && b[0] < right && y < b[3] && b[1] < bottom;
                        }));
            buttons.push_back({x, y, right, bottom});
        }
    }
}

// Rows are filled with the colour at (0, 0) and the cursor is erased with white, so the ground
// the board may cover must be white (x from 4 to 327, y from 46 to 306), and none of it shows
// in the button column.
TEST_F(GamePictures, TheBoardGroundIsPlainWhite) {
    const std::vector<uint8_t> screen = Pixels("screen");
    for (auto row = screen.begin() + 46 * 450; row < screen.begin() + 306 * 450; row += 450) {
        ASSERT_EQ(std::count(row + 4, row + 327, 255), 323) << (row - screen.begin()) / 450;
    }
    EXPECT_TRUE(screen[0] == 255 && screen[10 * 450 + 344] != 255);
}

// Black and white at the ends and a cursor colour (128) that is not white.
TEST_F(GamePictures, OnePaletteForTheLibraryAndEveryAsset) {
    const uint8_t* table = library.GetPaletteTable();
    std::vector<std::array<uint8_t, 3>> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back({table[4 * i + 2], table[4 * i + 1], table[4 * i]});
    }
    EXPECT_TRUE(palette[0] == (std::array<uint8_t, 3>{}) && palette[128] != palette[255] &&
                palette[255] == (std::array<uint8_t, 3>{255, 255, 255}));
    for (const auto& file : std::filesystem::directory_iterator(LADDERLY_ASSETS)) {
        EXPECT_EQ(ReadIndexedPng(file.path().string()).palette, palette) << file.path();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(LADDERLY_ASSETS), {}),
              std::ssize(Pictures));
}

} // namespace
