#include "Commands.h"
#include "IndexedPng.h"

#include "fakes/TempFolder.h"
#include "graphics/PX8Writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Px8Run {
    int status;
    std::string out;
    std::string err;
};

Px8Run Px8(const std::vector<std::string>& args) {
    std::vector<std::string> full = {"px8"};
    full.insert(full.end(), args.begin(), args.end());
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunTool(full, in, out, err);
    return {status, out.str(), err.str()};
}

IndexedPng Picture(uint32_t width, uint32_t height, std::size_t colours, int seed) {
    IndexedPng png;
    png.width = width;
    png.height = height;
    for (std::size_t i = 0; i < colours; ++i) {
        png.palette.push_back({static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i),
                               static_cast<uint8_t>(i / 2)});
    }
    for (uint32_t i = 0; i < width * height; ++i) {
        png.pixels.push_back(
            static_cast<uint8_t>((i / 3 + i % width * static_cast<uint32_t>(seed)) % colours));
    }
    return png;
}

std::string Path(const TempFolder& folder, const char* name) {
    return (folder / name).string();
}

} // namespace

TEST(LadderlyToolPx8, PackListAndExtract) {
    TempFolder folder;
    const IndexedPng tile = Picture(37, 21, 16, 3);
    const IndexedPng sprite = Picture(8, 300, 12, 5); // a prefix of the same palette
    WriteIndexedPng(Path(folder, "Tile.png"), tile);
    WriteIndexedPng(Path(folder, "sprite.png"), sprite);
    const std::string library = Path(folder, "lib.px8");
    Px8Run run =
        Px8({"pack", library, Path(folder, "Tile.png"), "-t", "7", Path(folder, "sprite.png")});
    ASSERT_EQ(run.status, 0) << run.err;

    run = Px8({"list", library});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "sprite 8 300 1\ntile 37 21 1\n");

    run = Px8({"extract", library, "TILE", Path(folder, "tile.pgm")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string expected = "P5\n37 21\n255\n";
    expected.append(tile.pixels.begin(), tile.pixels.end());
    EXPECT_EQ(folder.Read("tile.pgm"), expected);

    run = Px8({"extract", library, "sprite", Path(folder, "out.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    const IndexedPng back = ReadIndexedPng(Path(folder, "out.png"));
    EXPECT_EQ(back.width, 8u);
    EXPECT_EQ(back.height, 300u);
    EXPECT_EQ(back.pixels, sprite.pixels);
    ASSERT_EQ(back.palette.size(), 256u);
    for (std::size_t i = 0; i < tile.palette.size(); ++i) {
        EXPECT_EQ(back.palette[i], tile.palette[i]) << i;
    }
    ASSERT_EQ(back.alpha.size(), 8u);
    EXPECT_EQ(back.alpha[7], 0);
    EXPECT_EQ(back.alpha[6], 255);
}

TEST(LadderlyToolPx8, PackTakesTheTransparentColourThePngMarks) {
    TempFolder folder;
    struct Case {
        std::vector<uint8_t> alpha; // the PNG's transparency of its first entries
        std::vector<std::string> option;
        int transparentIndex; // -1: opaque
    };
    const Case cases[] = {
        {{}, {}, -1},
        {{255, 255, 0}, {}, 2},
        {{0}, {}, 0},
        {{255, 0, 0}, {}, -1},   // two marked: no choice
        {{255, 128, 0}, {}, -1}, // partly transparent entries say nothing
        {{255, 255, 0}, {"-t", "5"}, 5},
    };
    for (const Case& c : cases) {
        IndexedPng png = Picture(6, 3, 8, 2);
        png.alpha = c.alpha;
        WriteIndexedPng(Path(folder, "pic.png"), png);
        std::vector<std::string> args = {"pack", Path(folder, "lib.px8")};
        args.insert(args.end(), c.option.begin(), c.option.end());
        args.push_back(Path(folder, "pic.png"));
        const Px8Run run = Px8(args);
        ASSERT_EQ(run.status, 0) << run.err;
        TPX8Library library;
        library.LoadFromFile(Path(folder, "lib.px8"));
        TImageNode* entry = library.GetImage("pic");
        const std::string name = testing::PrintToString(c.alpha);
        EXPECT_EQ(entry->Image->Transparent(), c.transparentIndex >= 0) << name;
        if (c.transparentIndex >= 0) {
            EXPECT_EQ(entry->Image->TransparentIndex(), c.transparentIndex) << name;
        }
        library.ReleaseImage(entry);
    }
}

TEST(LadderlyToolPx8, FaultsExitWithTheEnginesMessage) {
    TempFolder folder;
    WriteIndexedPng(Path(folder, "a.png"), Picture(4, 2, 4, 1));
    IndexedPng otherPalette = Picture(4, 2, 4, 1);
    otherPalette.palette[2] = {1, 2, 3};
    WriteIndexedPng(Path(folder, "b.png"), otherPalette);
    WriteIndexedPng(Path(folder, "ninechars.png"), Picture(4, 2, 4, 1));
    folder.Write("garbage.png", "\x89PNG\r\n\x1a\nnot really");
    folder.Write("empty.px8", "");

    // A flat 4 x 2 picture is stored as codes 6 (fill) and 7 (copy the row below); a 7 on the
    // first row is a fault.
    TPX8Picture flat;
    flat.Name = "flat";
    flat.Width = 4;
    flat.Height = 2;
    flat.Pixels.assign(8, 9);
    std::vector<uint8_t> bytes = PX8EncodeLibrary(TPX8PaletteTable{}, {flat});
    ASSERT_EQ(bytes.at(1055), 6);
    bytes[1055] = 7;
    folder.Write("badcode.px8", std::string(bytes.begin(), bytes.end()));
    bytes.resize(1040);
    folder.Write("short.px8", std::string(bytes.begin(), bytes.end()));

    struct Case {
        std::vector<std::string> args;
        std::string message; // the start of standard error
    };
    const Case cases[] = {
        {{"list", Path(folder, "missing.px8")}, "Cannot open file"},
        {{"list", Path(folder, "empty.px8")}, "ValidatePX8FileHeader: header invalid"},
        {{"list", Path(folder, "short.px8")}, "Invalid PX8 image header"},
        {{"list", Path(folder, "badcode.px8")}, "Decode: invalid line code"},
        {{"extract", Path(folder, "badcode.px8"), "flat", Path(folder, "x.pgm")},
         "Decode: invalid line code"},
        {{"extract", Path(folder, "badcode.px8"), "x", Path(folder, "x.gif")}, "ladderly-tool px8"},
        {{"pack", Path(folder, "o.px8"), Path(folder, "a.png"), Path(folder, "b.png")},
         "ladderly-tool px8"},
        {{"pack", Path(folder, "o.px8"), Path(folder, "ninechars.png")}, "ladderly-tool px8"},
        {{"pack", Path(folder, "o.px8"), Path(folder, "a.png"), Path(folder, "a.png")},
         "ladderly-tool px8"},
        {{"pack", Path(folder, "o.px8"), "-t", "256", Path(folder, "a.png")}, "ladderly-tool px8"},
        {{"pack", Path(folder, "o.px8"), Path(folder, "a.png"), "-t"}, "ladderly-tool px8"},
        {{"pack", Path(folder, "o.px8"), Path(folder, "garbage.png")}, Path(folder, "garbage.png")},
        {{"pack", Path(folder, "o.px8")}, "ladderly-tool px8"},
        {{}, "ladderly-tool px8"},
    };
    for (const Case& c : cases) {
        const Px8Run run = Px8(c.args);
        const std::string name = testing::PrintToString(c.args);
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << name << ": " << run.err;
        EXPECT_EQ(run.out, "") << name;
    }
}
