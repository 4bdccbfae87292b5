#include "Commands.h"
#include "IndexedPng.h"

#include "fakes/TempFolder.h"
#include "graphics/PX8Writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

namespace {
using Args = std::vector<std::string>;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun RunWith(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunTool(args, in, out, err);
    return {status, out.str(), err.str()};
}

// Steps as arguments or one per input line (a bad line answers "invalid" and names its
// number), and the usage.
TEST(LadderlyTool, StepAndUsage) {
    const std::tuple<Args, const char*, int, const char*, const char*> cases[] = {
        {{"step", "A", "cat", "cart"}, "", 0, "valid\n", ""},
        {{"step", "AC", "cat", "cart"}, "", 1, "invalid\n", ""},
        {{"step"}, "\n S eel  lee \nX a b c\n", 2, "invalid\nvalid\ninvalid\n", "line 3"},
        {{"step", "A", "cat"}, "", 2, "", "usage"},
        {{}, "", 2, "", "usage"},
        {{"frobnicate"}, "", 2, "", "unknown command"},
        {{"--help"}, "", 0, "usage: ladderly-tool", ""},
    };
    for (const auto& [args, input, status, out, err] : cases) {
        const ToolRun run = RunWith(args, input);
        EXPECT_EQ(std::tuple(run.status, run.out.substr(0, *out == 'u' ? 20 : std::string::npos),
                             run.err.empty(), run.err.find(err) != std::string::npos),
                  std::tuple(status, out, *err == '\0', true))
            << testing::PrintToString(args) << run.err;
    }
}

// A small data folder, and scowl lists that make all but two of its words common; a folder whose
// puzzle has a word the vocabulary lacks. An expected output ending in a blank is its start.
TEST(LadderlyTool, DesignersSearches) {
    TempFolder folder;
    folder.Write("data/vocab.txt",
                 "cat\r\ncog\r\ncot\r\ncut\r\ndig\r\ndog\r\ndot\r\nfoam\r\nform\r\n"
                 "fort\r\nfrom\r\ngray\r\ngrey\r\nhat\r\nhit\r\nhog\r\nhot\r\nhut\r\nporn\r\n"
                 "pray\r\nprey\r\ntit\r\n");
    folder.Write("data/puzzle.txt",
                 "cat\r\ndog\r\ncc\r\n\r\ncat\r\ndog\r\nccc\r\n\r\nform\r\nfort\r\nxxc\r\n\r\n"
                 "cat\r\ncot\r\nc\r\n\r\nhat\r\ndig\r\ncccc\r\n2=hot\r\ncut\r\nhat\r\ncc\r\n\r\n"
                 "prey\r\ngray\r\ncc\r\n\r\nhut\r\ntit\r\ncc\r\n\r\n");
    folder.Write("scowl/english-words.10", "cat\ncog\ncot\ndig\ndog\ndot\nform\nfort\nfrom\n"
                                           "hat\nhit\nhog\nhot\nhut\npray\nprey\ntit\n");
    folder.Write("scowl/american-words.10", "gray\n");
    folder.Write("scowl/british-words.10", "grey\n");
    for (const char* list : {"english-words.20", "american-words.20", "british-words.20",
                             "english-words.35", "american-words.35", "british-words.35"}) {
        folder.Write(std::string("scowl/") + list, "");
    }
    folder.Write("bad/vocab.txt", "cat\r\n");
    folder.Write("bad/puzzle.txt", "cat\r\ndog\r\nccc\r\n\r\n");
    const std::string data = (folder / "data").string();
    const std::tuple<Args, int, std::string> cases[] = {
        // Numbered as the game sorts them: fewer steps, then shorter words first.
        {{"validate", data}, 0, "8\n"},
        {{"validate", (folder / "bad").string()},
         1,
         "Errors were found while loading. Not all "
         "puzzles are available for play.\n\nThe "},
        {{"validate", (folder / "scowl").string()}, 1, ""},
        {{"solve", data, "6", "2"},
         1,
         "puzzle 6 (CAT => DOG): 2 solutions: CAT COT COG DOG\n"
         "puzzle 2 (CAT => DOG): no solution\n"},
        {{"solve", data, "9"}, 2, ""},
        {{"solve", "/nonexistent/ladderly"}, 1, ""},
        {{"ladder", "-d", data, "HAT", "dig"},
         0,
         "  HAT\nC HOT\nC DOT\nC DOG\nC DIG\n5 rows, actions CCCC\n"},
        {{"ladder", "-d", data, "cat", "form"}, 1, "No ladder leads from CAT to FORM.\n"},
        {{"ladder", "-d", data, "cat", "zzz"}, 1, "ZZZ is not in the vocabulary.\n"},
        {{"suggest", "-d", data, "cot"},
         0,
         "Transitions available for \"COT\":\n\nChange 1 Letter\n  CAT  COG  CUT  DOT  HOT\n"},
        {{"check", data, "--scowl", "/nonexistent/scowl"}, 1, ""},
    };
    for (const auto& [args, status, out] : cases) {
        const ToolRun run = RunWith(args);
        EXPECT_EQ(
            std::tuple(run.status, out.ends_with(' ') ? run.out.substr(0, out.size()) : run.out),
            std::tuple(status, out))
            << testing::PrintToString(args) << run.err;
    }
    // Each kind of problem once (the count covers the rest of their kind), and the first figures.
    const ToolRun check = RunWith({"check", data, "--scowl", (folder / "scowl").string()});
    std::istringstream lines(
        "vocabulary: porn is denied\npuzzle 1 (CAT => COT): 2 rows, not 3 to 10\npuzzle 1 (CAT => "
        "COT): a ladder of 2 rows with any actions\npuzzle 2 (CAT => DOG): no solution\npuzzle 3 "
        "(CUT => HAT): cut is not a common word\npuzzle 3 (CUT => HAT): every solution has a word "
        "that is not common\npuzzle 4 (HUT => TIT): row 3 shows tit, a decided or listed word\n"
        "puzzle 5 (PREY => GRAY): row 3 shows gray, an American spelling\npuzzle 5 (PREY => "
        "GRAY): a solution steps from grey to gray\npuzzle 7 (FORM => FORT): a solution repeats a "
        "word\npuzzle 8 (HAT => DIG): hint on row 2 next to the start or end word\npuzzle 8 (HAT "
        "=> DIG): hint on row 2 is a word every solution has anyway\ncollection: not all six "
        "actions are used\ncollection: only 0 puzzles with a themed pair\ncollection: 8 puzzles, "
        "fewer than 500\ncollection: only 3 puzzles of 4 to 7 rows\ncollection: action A in only "
        "0 puzzles\n8 puzzles, 25 problems\npuzzles per row count:  2: 1  3: 4  4: 2  5: 1\n");
    EXPECT_EQ(check.status, 1);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_NE(check.out.find(line + "\n"), std::string::npos) << line;
    }
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

// Packed with pictures whose PNGs mark transparency in their first entries (two marked entries
// leave no choice, partly transparent ones say nothing), an option, or neither; each option or
// mark holds for its own picture only. Each case: the alpha table, the option, the transparent
// index (-1: none).
TEST(LadderlyToolPx8, PackListAndExtract) {
    TempFolder folder;
    const auto at = [&folder](const char* name) { return (folder / name).string(); };
    const std::tuple<std::vector<uint8_t>, std::vector<std::string>, int> cases[] = {
        {{}, {}, -1},          {{255, 255, 0}, {}, 2},  {{0}, {}, 0},
        {{255, 0, 0}, {}, -1}, {{255, 128, 0}, {}, -1}, {{255, 255, 0}, {"-t", "5"}, 5},
    };
    const IndexedPng tile = Picture(37, 21, 16, 3);
    const IndexedPng sprite = Picture(8, 300, 12, 5); // a prefix of the same palette
    WriteIndexedPng(at("Tile.png"), tile);
    WriteIndexedPng(at("sprite.png"), sprite);
    const std::string library = at("lib.px8");
    Args args = {"px8", "pack", library, at("Tile.png"), "-t", "7", at("sprite.png")};
    for (char name = 'a'; const auto& [given, option, transparentIndex] : cases) {
        IndexedPng png = Picture(6, 3, 8, 2);
        png.alpha = given;
        args.insert(args.end(), option.begin(), option.end());
        args.push_back(at("") + name++ + ".png");
        WriteIndexedPng(args.back(), png);
    }
    const ToolRun run = RunWith(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        RunWith({"px8", "list", library}).out,
        "a 6 3 1\nb 6 3 1\nc 6 3 1\nd 6 3 1\ne 6 3 1\nf 6 3 1\nsprite 8 300 1\ntile 37 21 1\n");

    for (char name = 'a'; const auto& [given, option, transparentIndex] : cases) {
        RunWith({"px8", "extract", library, std::string(1, name++), at("out.png")});
        // The extracted PNG marks the library's transparent entry, the last of its alpha table.
        const std::vector<uint8_t> alpha = ReadIndexedPng(at("out.png")).alpha;
        EXPECT_EQ(static_cast<int>(alpha.size()) - 1, transparentIndex);
        EXPECT_TRUE(alpha.empty() || alpha.back() == 0);
    }

    RunWith({"px8", "extract", library, "TILE", at("tile.pgm")});
    EXPECT_EQ(folder.Read("tile.pgm"),
              "P5\n37 21\n255\n" + std::string(tile.pixels.begin(), tile.pixels.end()));
    RunWith({"px8", "extract", library, "sprite", at("out.png")});
    const IndexedPng back = ReadIndexedPng(at("out.png"));
    EXPECT_EQ(std::tie(back.width, back.height, back.pixels),
              std::tie(sprite.width, sprite.height, sprite.pixels));
    ASSERT_EQ(back.palette.size(), 256u);
    EXPECT_TRUE(std::equal(tile.palette.begin(), tile.palette.end(), back.palette.begin()));
}

TEST(LadderlyToolPx8, FaultsExitWithTheEnginesMessage) {
    TempFolder folder;
    const auto at = [&folder](const char* name) { return (folder / name).string(); };
    WriteIndexedPng(at("a.png"), Picture(4, 2, 4, 1));
    IndexedPng otherPalette = Picture(4, 2, 4, 1);
    otherPalette.palette[2] = {1, 2, 3};
    WriteIndexedPng(at("b.png"), otherPalette);
    WriteIndexedPng(at("ninechars.png"), Picture(4, 2, 4, 1));
    folder.Write("garbage.png", "\x89PNG\r\n\x1a\nnot really");

    // The arguments and the start of standard error.
    const std::string tool = "ladderly-tool px8";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"px8", "list", at("missing.px8")}, "Cannot open file"},
        {{"px8", "extract", at("a.png"), "x", at("x.gif")}, tool},
        {{"px8", "pack", at("o.px8"), at("a.png"), at("b.png")}, tool},
        {{"px8", "pack", at("o.px8"), at("ninechars.png")}, tool},
        {{"px8", "pack", at("o.px8"), at("a.png"), at("a.png")}, tool},
        {{"px8", "pack", at("o.px8"), "-t", "256", at("a.png")}, tool},
        {{"px8", "pack", at("o.px8"), at("garbage.png")}, at("garbage.png")},
        {{"px8", "pack", at("o.px8")}, tool},
        {{"px8"}, tool},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = RunWith(args);
        EXPECT_EQ(std::tuple(run.status, run.err.substr(0, message.size()), run.out),
                  std::tuple(2, message, ""))
            << testing::PrintToString(args) << run.err;
    }
}
} // namespace
