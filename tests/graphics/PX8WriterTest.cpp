#include "graphics/PX8Writer.h"
#include "graphics/PX8Decoder.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Lib.h"
#include "graphics/PX8SamplePictures.h"
#include "graphics/PX8Stream.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TPX8Picture ToPicture(const SamplePicture& sample) {
    TPX8Picture picture;
    picture.Name = sample.name;
    picture.Width = sample.width;
    picture.Height = sample.height;
    picture.Pixels = sample.pixels;
    picture.Transparent = sample.transparent;
    picture.TransparentIndex = sample.transparentIndex;
    return picture;
}

// Rows made of runs of random length, rows that repeat the one below with a few changes, and
// every byte value, so that every line code and escape gets used.
SamplePicture Structured(uint16_t width, uint16_t height, unsigned seed) {
    std::mt19937 random(seed);
    SamplePicture p{"struct", width, height, std::vector<uint8_t>(std::size_t{width} * height)};
    for (int y = height - 1; y >= 0; --y) {
        uint8_t* row = p.pixels.data() + std::size_t(y) * width;
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

// Loads the library bytes and returns every picture's pixels, top row first.
std::vector<std::vector<uint8_t>> DecodeLibrary(const std::vector<uint8_t>& bytes,
                                                const std::vector<TPX8Picture>& pictures) {
    TPX8Library library;
    library.LoadFromStream(TPX8Stream::FromBytes(bytes.data(), bytes.size()), "memory");
    std::vector<std::vector<uint8_t>> result;
    for (const TPX8Picture& picture : pictures) {
        TImageNode* entry = library.GetImage(picture.Name);
        TPX8Image& image = *entry->Image;
        EXPECT_EQ(image.Width(), picture.Width);
        EXPECT_EQ(image.Height(), picture.Height);
        EXPECT_EQ(image.Transparent(), picture.Transparent);
        std::vector<uint8_t> pixels;
        for (uint32_t y = 0; y < image.Height(); ++y) {
            const uint32_t r = image.Height() - 1 - y;
            const uint8_t* row = image.Segments()[r / image.RowsPerSegment()].Lock() +
                                 (r % image.RowsPerSegment()) * image.Stride();
            pixels.insert(pixels.end(), row, row + image.Width());
        }
        result.push_back(pixels);
        library.ReleaseImage(entry);
    }
    return result;
}

void ExpectRoundTrip(const std::vector<TPX8Picture>& pictures) {
    const std::vector<uint8_t> bytes = PX8EncodeLibrary(TPX8PaletteTable{}, pictures);
    const std::vector<std::vector<uint8_t>> decoded = DecodeLibrary(bytes, pictures);
    ASSERT_EQ(decoded.size(), pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_TRUE(decoded[i] == pictures[i].Pixels)
            << pictures[i].Name << " " << pictures[i].Width << " x " << pictures[i].Height;
    }
}

std::vector<uint8_t> Encode(const std::vector<std::vector<uint8_t>>& rows) {
    std::vector<const uint8_t*> pointers;
    for (const auto& row : rows) {
        pointers.push_back(row.data());
    }
    return PX8EncodeSegment(pointers, static_cast<uint16_t>(rows.at(0).size()));
}

} // namespace

TEST(PX8Writer, RandomPicturesRoundTrip) {
    struct Size {
        uint16_t width, height;
    };
    const Size sizes[] = {{1, 1},   {3, 1},     {1, 300},   {5, 3},     {255, 2},  {256, 300},
                          {257, 9}, {700, 200}, {640, 480}, {16320, 9}, {65280, 2}};
    unsigned seed = 1;
    for (const Size& s : sizes) {
        std::vector<TPX8Picture> pictures;
        for (unsigned colours : {2u, 7u, 256u}) {
            TPX8Picture noise =
                ToPicture(SamplePictures::Random(s.width, s.height, colours, ++seed));
            noise.Name = "n" + std::to_string(colours);
            pictures.push_back(noise);
        }
        TPX8Picture structured = ToPicture(Structured(s.width, s.height, ++seed));
        pictures.push_back(structured);
        ExpectRoundTrip(pictures);
    }
}

TEST(PX8Writer, RealLookingPicturesRoundTrip) {
    std::vector<TPX8Picture> pictures;
    for (const SamplePicture& sample : SamplePictures::Game(7)) {
        pictures.push_back(ToPicture(sample));
    }
    pictures.push_back(ToPicture(SamplePictures::Mixed(1024, 768, 3)));
    ExpectRoundTrip(pictures);
    // Such pictures shrink well below their plain size.
    const std::size_t plain = pictures.back().Pixels.size();
    EXPECT_LT(PX8EncodeRecord(pictures.back()).size(), plain / 2);
}

TEST(PX8Writer, ChoosesTheShortestForm) {
    struct Case {
        const char* what;
        std::vector<std::vector<uint8_t>> rows; // storage order
        uint8_t flags;
        std::vector<uint8_t> data; // expected stored data after the 3-byte header
    };
    // Escape codes: the least frequent values among 1 to 255; here 1 and 2 unless used.
    const std::vector<Case> cases = {
        {"a flat row is code 6", {std::vector<uint8_t>(16, 9)}, 0x08, {6, 9}},
        {"a repeated row is code 7",
         {std::vector<uint8_t>(16, 9), std::vector<uint8_t>(16, 9)},
         0x08,
         {6, 9, 7}},
        {"copies and a fill",
         {std::vector<uint8_t>(16, 9),
          [] {
              std::vector<uint8_t> r(16, 9);
              std::fill(r.begin() + 8, r.end(), 4);
              return r;
          }()},
         0x08,
         {6, 9, 8, 6, 4}},
        {"runs use the escapes",
         {{7, 7, 7, 7, 7, 5, 5, 5, 3, 3, 0, 0, 0, 0, 0, 0}},
         0x08,
         {1, 1, 5, 7, 2, 5, 3, 3, 1, 6, 0}},
        {"noise is stored plainly", {{1, 2, 3, 4, 5, 6}}, 0x09, {1, 2, 3, 4, 5, 6}},
        {"runs across rows make a stream",
         {{1}, {1}, {1}, {1}, {1}, {2}, {3}, {4}, {5}, {6}},
         0x0A,
         {7, 5, 1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> stored = Encode(c.rows);
        ASSERT_GE(stored.size(), 3u) << c.what;
        EXPECT_EQ(stored[2], c.flags) << c.what;
        EXPECT_EQ(std::vector<uint8_t>(stored.begin() + 3, stored.end()), c.data) << c.what;
    }
}

TEST(PX8Writer, EscapeCodesAreTheRarestValues) {
    struct Case {
        std::vector<uint8_t> row;
        uint8_t a, b;
    };
    std::vector<uint8_t> everyValue;
    for (int v = 0; v < 256; ++v) {
        everyValue.push_back(static_cast<uint8_t>(v));
    }
    std::vector<uint8_t> rare = everyValue;
    rare.insert(rare.end(), everyValue.begin() + 1, everyValue.end());
    rare.erase(std::find(rare.begin() + 256, rare.end(), 200));
    rare.erase(std::find(rare.begin() + 256, rare.end(), 100));
    const Case cases[] = {
        {{0, 0, 0}, 1, 2},
        {{1, 2, 3}, 4, 5},
        {everyValue, 1, 2},
        {rare, 100, 200},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> stored = Encode({c.row});
        EXPECT_EQ(stored[0], c.a);
        EXPECT_EQ(stored[1], c.b);
    }
}

TEST(PX8Writer, RejectsWhatCannotBeStored) {
    struct Case {
        TPX8Picture picture;
        const char* message;
    };
    TPX8Picture longName = ToPicture(SamplePictures::Random(2, 2, 4, 1));
    longName.Name = "ninechars";
    TPX8Picture wrongPixels = ToPicture(SamplePictures::Random(2, 2, 4, 1));
    wrongPixels.Pixels.pop_back();
    TPX8Picture empty;
    empty.Name = "empty";
    TPX8Picture tooWide;
    tooWide.Name = "wide";
    tooWide.Width = 65281;
    tooWide.Height = 1;
    tooWide.Pixels.resize(65281);
    const Case cases[] = {
        {longName, "Write: image name \"ninechars\" is longer than 8 characters"},
        {wrongPixels, "Write: image \"random\" has an invalid size"},
        {empty, "Write: image \"empty\" has an invalid size"},
        {tooWide, "Write: image \"wide\" has an invalid size"},
    };
    for (const Case& c : cases) {
        try {
            PX8EncodeRecord(c.picture);
            ADD_FAILURE() << c.message;
        } catch (const PX8Exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}
