#include "Commands.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
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

TEST(LadderlyTool, StepAndUsage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out; // nullptr: the usage
    };
    const Case cases[] = {
        {{"step", "A", "cat", "cart"}, 0, "valid\n"},
        {{"step", "M", "eel", "lee"}, 1, "invalid\n"},
        {{"step", "AC", "cat", "cart"}, 1, "invalid\n"},
        {{"step", "A", "cat"}, 2, ""},
        {{}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{"validate", "a", "b"}, 2, ""},
        {{"sounds", "sounds.txt"}, 2, ""},
        {{"--help"}, 0, nullptr},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunWith(c.args);
        const std::string name = testing::PrintToString(c.args);
        EXPECT_EQ(run.status, c.status) << name;
        if (c.out == nullptr) {
            EXPECT_NE(run.out.find("usage: ladderly-tool"), std::string::npos) << name;
        } else {
            EXPECT_EQ(run.out, c.out) << name;
        }
        EXPECT_EQ(run.err.empty(), c.status != 2) << name;
    }
}

TEST(LadderlyTool, StepBatch) {
    const ToolRun run = RunWith({"step"}, "A cat cart\nC cat dot\n  S  stop   pots \n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "valid\ninvalid\nvalid\n");
    EXPECT_EQ(run.err, "");

    const ToolRun bad = RunWith({"step"}, "A cat\nC cat cut\n\nX form from extra\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "invalid\nvalid\ninvalid\ninvalid\n") << "one answer per line";
    EXPECT_NE(bad.err.find("line 1"), std::string::npos);
    EXPECT_NE(bad.err.find("line 4"), std::string::npos);
}

TEST(LadderlyTool, Validate) {
    struct Case {
        const char* name;
        const char* vocabulary; // nullptr: no file
        const char* puzzles;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {"good data", "cat\r\ncart\r\ndog\r\n", "cat\r\ndog\r\nccc\r\n\r\ncat\r\ncart\r\na\r\n\r\n",
         0, "2\n"},
        {"empty collection", "cat\r\n", "", 0, "0\n"},
        {"errors give the load report", "cat\r\n", "cat\r\ndog\r\nccc\r\n\r\n", 1,
         "Errors were found while loading. Not all puzzles are available for play.\n\nThe final "
         "word (DOG) of puzzle 1 (CAT => DOG)  is not in the game vocabulary.\n"},
        {"missing vocabulary", nullptr, "cat\r\ndog\r\nccc\r\n\r\n", 1, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        if (c.vocabulary != nullptr) {
            folder.Write("vocab.txt", c.vocabulary);
        }
        folder.Write("puzzle.txt", c.puzzles);
        const ToolRun run = RunWith({"validate", folder.Path()});
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(run.out, c.out) << c.name;
    }
    const ToolRun missing = RunWith({"validate", "/nonexistent/ladderly"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}
} // namespace

namespace {
// A small data folder and scowl lists that make all but two of its words common.
struct DesignFolder {
    TempFolder folder;
    DesignFolder() {
        folder.Write("data/vocab.txt",
                     "cat\r\ncog\r\ncot\r\ncut\r\ndig\r\ndog\r\ndot\r\nfoam\r\nform\r\n"
                     "fort\r\nfrom\r\ngray\r\ngrey\r\nhat\r\nhit\r\nhog\r\nhot\r\nhut\r\nporn\r\n"
                     "pray\r\nprey\r\ntit\r\n");
        folder.Write("data/puzzle.txt", "cat\r\ndog\r\ncc\r\n\r\n"
                                        "cat\r\ndog\r\nccc\r\n\r\n"
                                        "form\r\nfort\r\nxxc\r\n\r\n"
                                        "cat\r\ncot\r\nc\r\n\r\n"
                                        "hat\r\ndig\r\ncccc\r\n2=hot\r\n"
                                        "cut\r\nhat\r\ncc\r\n\r\n"
                                        "prey\r\ngray\r\ncc\r\n\r\n"
                                        "hut\r\ntit\r\ncc\r\n\r\n");
        folder.Write("scowl/english-words.10", "cat\ncog\ncot\ndig\ndog\ndot\nform\nfort\nfrom\n"
                                               "hat\nhit\nhog\nhot\nhut\npray\nprey\ntit\n");
        folder.Write("scowl/american-words.10", "gray\n");
        folder.Write("scowl/british-words.10", "grey\n");
        for (const char* list : {"english-words.20", "american-words.20", "british-words.20",
                                 "english-words.35", "american-words.35", "british-words.35"}) {
            folder.Write(std::string("scowl/") + list, "");
        }
    }
    std::string Data() const { return (folder / "data").string(); }
    std::string Scowl() const { return (folder / "scowl").string(); }
};

TEST(LadderlyTool, DesignersSearches) {
    const DesignFolder design;
    const std::string data = design.Data();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const Case cases[] = {
        // Numbered as the game sorts them: fewer steps, then shorter words first.
        {{"solve", data},
         1,
         "puzzle 1 (CAT => COT): 1 solution: CAT COT\n"
         "puzzle 2 (CAT => DOG): no solution\n"
         "puzzle 3 (CUT => HAT): 2 solutions: CUT CAT HAT\n"
         "puzzle 4 (HUT => TIT): 1 solution: HUT HIT TIT\n"
         "puzzle 5 (PREY => GRAY): 2 solutions: PREY GREY GRAY\n"
         "puzzle 6 (CAT => DOG): 2 solutions: CAT COT COG DOG\n"
         "puzzle 7 (FORM => FORT): 1 solution: FORM FROM FORM FORT\n"
         "puzzle 8 (HAT => DIG): 2 solutions: HAT HOT DOT DOG DIG\n"},
        {{"solve", data, "6", "1"},
         0,
         "puzzle 6 (CAT => DOG): 2 solutions: CAT COT COG DOG\n"
         "puzzle 1 (CAT => COT): 1 solution: CAT COT\n"},
        {{"solve", data, "9"}, 2, ""},
        {{"solve", data, "x"}, 2, ""},
        {{"solve", "/nonexistent/ladderly"}, 1, ""},
        {{"ladder", "-d", data, "HAT", "dig"},
         0,
         "  HAT\nC HOT\nC DOT\nC DOG\nC DIG\n5 rows, actions CCCC\n"},
        {{"ladder", "-d", data, "cat", "form"}, 1, "No ladder leads from CAT to FORM.\n"},
        {{"ladder", "-d", data, "cat", "zzz"}, 1, "ZZZ is not in the vocabulary.\n"},
        {{"ladder", "-d", data, "cat"}, 2, ""},
        {{"suggest", "-d", data, "cot"},
         0,
         "Transitions available for \"COT\":\n\nChange 1 Letter\n  CAT  COG  CUT  DOT  HOT\n"},
        {{"suggest", "-d", data, "qq"}, 0, "Sorry - no transitions available for \"QQ\".\n"},
        {{"suggest", "-d", data}, 2, ""},
        // The figures end with the decisions of the shipped word lists.
        {{"check", data, "--scowl", design.Scowl()},
         1,
         "vocabulary: porn is denied\n"
         "puzzle 1 (CAT => COT): 2 rows, not 3 to 10\n"
         "puzzle 1 (CAT => COT): a ladder of 2 rows with any actions\n"
         "puzzle 2 (CAT => DOG): no solution\n"
         "puzzle 3 (CUT => HAT): cut is not a common word\n"
         "puzzle 3 (CUT => HAT): every solution has a word that is not common\n"
         "puzzle 4 (HUT => TIT): tit is not a common word\n"
         "puzzle 4 (HUT => TIT): every solution has a word that is not common\n"
         "puzzle 4 (HUT => TIT): row 3 shows tit, a decided or listed word\n"
         "puzzle 5 (PREY => GRAY): row 3 shows gray, an American spelling\n"
         "puzzle 5 (PREY => GRAY): a solution steps from grey to gray\n"
         "puzzle 7 (FORM => FORT): a solution repeats a word\n"
         "puzzle 7 (FORM => FORT): a ladder of 2 rows with any actions\n"
         "puzzle 8 (HAT => DIG): hint on row 2 next to the start or end word\n"
         "puzzle 8 (HAT => DIG): hint on row 2 is a word every solution has anyway\n"
         "collection: not all six actions are used\n"
         "collection: only 0 puzzles with a themed pair\n"
         "collection: 8 puzzles, fewer than 500\n"
         "collection: only 3 puzzles of 4 to 7 rows\n"
         "collection: action A in only 0 puzzles\n"
         "collection: action C in only 8 puzzles\n"
         "collection: action M in only 0 puzzles\n"
         "collection: action R in only 0 puzzles\n"
         "collection: action S in only 0 puzzles\n"
         "collection: action X in only 1 puzzles\n"
         "8 puzzles, 25 problems\n"
         "puzzles per row count:  2: 1  3: 4  4: 2  5: 1\n"
         "puzzles per action:  A: 0  C: 8  M: 0  R: 0  S: 0  X: 1\n"
         "puzzles per number of solutions:  0: 1  1: 3  2: 4\n"
         "puzzles per number of hints:  0: 7  1: 1\n"
         "difficulty rank correlation with position:  all: 0.76\n"
         "themed puzzles: 0\n"
         "decided words: "},
        {{"check", data, "--scowl", "/nonexistent/scowl"}, 1, ""},
        {{"check"}, 2, ""},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunWith(c.args);
        const std::string name = testing::PrintToString(c.args);
        EXPECT_EQ(run.status, c.status) << name << run.err;
        EXPECT_EQ(run.out.substr(0, c.out.ends_with(": ") ? c.out.size() : std::string::npos),
                  c.out)
            << name;
    }
    for (const char* command :
         {"step", "validate", "sounds", "solve", "ladder", "suggest", "check"}) {
        EXPECT_NE(RunWith({command, "--help"}).out.find("usage: ladderly-tool"), std::string::npos);
    }
}
} // namespace
