// The image library the build packs from assets/: every picture the game asks for, at the size
// and frame layout the game draws it with, on one palette shared with every PNG in assets/.

#include "IndexedPng.h"
#include "graphics/PX8Lib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

struct Expected {
    const char* name;
    int width; // 0: free
    int height;
    int frames;
    bool transparent;
};

const Expected Pictures[] = {
    {"screen", 450, 326, 1, false}, {"letters", 226, 121, 1, false}, {"laddgfx", 300, 62, 1, false},
    {"youwin", 0, 0, 2, true},      {"tile", 0, 0, 1, false},        {"icon", 61, 61, 1, false},
    {"checkbtn", 0, 24, 2, true},   {"hintbtn", 0, 24, 2, true},     {"startbtn", 0, 24, 2, true},
    {"newbtn", 0, 24, 2, true},     {"selbtn", 0, 24, 2, true},      {"edvocbtn", 0, 24, 2, true},
    {"sugstbtn", 0, 24, 2, true},   {"actmbtn", 0, 42, 2, true},     {"actcbtn", 0, 42, 2, true},
    {"actsbtn", 0, 42, 2, true},    {"actxbtn", 0, 42, 2, true},     {"actrbtn", 0, 42, 2, true},
    {"actabtn", 0, 42, 2, true},    {"addrwbtn", 0, 24, 2, true},    {"delrwbtn", 0, 24, 2, true},
    {"sethnbtn", 0, 24, 2, true},   {"clrhnbtn", 0, 24, 2, true},    {"accptbtn", 0, 24, 2, true},
    {"canclbtn", 0, 24, 2, true},   {"badge", 22, 44, 2, true},
};

// Where the buttons stand on the screen: each must lie in the button column and clear of
// every other.
struct Place {
    const char* name;
    int x;
    int y;
};

const Place Buttons[] = {
    {"checkbtn", 351, 236}, {"hintbtn", 351, 253},  {"startbtn", 351, 270}, {"newbtn", 351, 287},
    {"selbtn", 351, 304},   {"edvocbtn", 351, 10},  {"sugstbtn", 351, 27},  {"actmbtn", 353, 47},
    {"actcbtn", 393, 47},   {"actsbtn", 353, 70},   {"actxbtn", 393, 70},   {"actrbtn", 353, 93},
    {"actabtn", 393, 93},   {"addrwbtn", 351, 122}, {"delrwbtn", 351, 139}, {"sethnbtn", 351, 156},
    {"clrhnbtn", 351, 173}, {"accptbtn", 351, 194}, {"canclbtn", 351, 211},
};

constexpr int ColumnLeft = 334;
constexpr uint8_t Black = 0;
constexpr uint8_t Cursor = 128;
constexpr uint8_t White = 255;

// Indexes 1-9 and 246-254 are the display's own where it keeps system colours.
bool Reserved(int index) {
    return (index >= 1 && index <= 9) || (index >= 246 && index <= 254);
}

class GamePictures : public testing::Test {
  protected:
    void SetUp() override { library.LoadFromFile(LADDERLY_IMAGE_LIBRARY); }

    // The picture's indexes, top row first.
    std::vector<uint8_t> Pixels(const std::string& name) {
        TImageNode* entry = library.GetImage(name);
        TPX8ImageData* surface = library.GetImageData(entry);
        std::vector<uint8_t> pixels;
        for (int32_t y = 0; y < surface->Height(); ++y) {
            for (int32_t x = 0; x < surface->Width(); ++x) {
                pixels.push_back(surface->GetPixel({x, y}));
            }
        }
        library.ReleaseImageData(entry);
        library.ReleaseImage(entry);
        return pixels;
    }

    // The picture, held until the test ends.
    TPX8Image& Image(const std::string& name) {
        held.push_back(library.GetImage(name));
        return *held.back()->Image;
    }

    void TearDown() override {
        for (TImageNode* entry : held) {
            library.ReleaseImage(entry);
        }
    }

    TPX8Library library;
    std::vector<TImageNode*> held;
};

TEST_F(GamePictures, EveryPictureAtItsSizeAndFrames) {
    EXPECT_EQ(library.GetDirectory().size(), std::size(Pictures));
    for (const Expected& expected : Pictures) {
        SCOPED_TRACE(expected.name);
        ASSERT_TRUE(library.ImageExists(expected.name));
        TPX8Image& image = Image(expected.name);
        if (expected.width > 0) {
            EXPECT_EQ(image.Width(), expected.width);
        }
        if (expected.height > 0) {
            EXPECT_EQ(image.Height(), expected.height);
        }
        EXPECT_EQ(image.Height() % expected.frames, 0u);
        EXPECT_EQ(image.Transparent(), expected.transparent);
        const std::vector<uint8_t> pixels = Pixels(expected.name);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const bool key = expected.transparent && pixels[i] == image.TransparentIndex();
            ASSERT_FALSE(Reserved(pixels[i]) && !key) << "pixel " << i << " " << int{pixels[i]};
        }
        if (expected.frames == 2) {
            const std::size_t half = pixels.size() / 2;
            EXPECT_FALSE(std::equal(pixels.begin(), pixels.begin() + half, pixels.begin() + half))
                << "the two frames look the same";
        }
    }
}

TEST_F(GamePictures, ButtonsStandInTheColumnApart) {
    std::vector<std::array<int, 4>> rects;
    for (const Place& place : Buttons) {
        TPX8Image& image = Image(place.name);
        const int right = place.x + image.Width();
        const int bottom = place.y + image.Height() / 2;
        EXPECT_LE(right, 450) << place.name;
        for (const auto& [l, t, r, b] : rects) {
            EXPECT_FALSE(place.x < r && l < right && place.y < b && t < bottom) << place.name;
        }
        rects.push_back({place.x, place.y, right, bottom});
    }
}

TEST_F(GamePictures, TheBoardGroundIsPlainWhite) {
    // Rows are filled with the colour at (0, 0) and the cursor is erased with white, so the
    // ground the board may cover must be white: x from 4 to 327, y from 46 to 306.
    const std::vector<uint8_t> screen = Pixels("screen");
    for (int y = 46; y < 306; ++y) {
        for (int x = 4; x < 327; ++x) {
            ASSERT_EQ(screen[y * 450 + x], White) << x << ", " << y;
        }
    }
    EXPECT_EQ(screen[0], White);
    // The column is the column: none of the ground shows right of x = 334.
    EXPECT_NE(screen[10 * 450 + ColumnLeft + 10], White);
}

TEST_F(GamePictures, OnePaletteForTheLibraryAndEveryAsset) {
    const uint8_t* table = library.GetPaletteTable();
    auto entry = [table](int i) {
        return std::array<uint8_t, 3>{table[4 * i + 2], table[4 * i + 1], table[4 * i]};
    };
    EXPECT_EQ(entry(Black), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(entry(White), (std::array<uint8_t, 3>{255, 255, 255}));
    EXPECT_NE(entry(Cursor), entry(White));
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
