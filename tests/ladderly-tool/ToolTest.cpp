#include "Commands.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>

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
        const char* out;
    };
    const Case cases[] = {
        {{"step", "A", "cat", "cart"}, 0, "valid\n"},
        {{"step", "M", "eel", "lee"}, 1, "invalid\n"},
        {{"step", "X", "EEL", "lee"}, 0, "valid\n"},
        {{"step", "a", "cat", "cart"}, 1, "invalid\n"},
        {{"step", "AC", "cat", "cart"}, 1, "invalid\n"},
        {{"step", "A", "cat"}, 2, ""},
        {{"step", "A", "cat", "cart", "x"}, 2, ""},
        {{}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{"validate"}, 2, ""},
        {{"validate", "a", "b"}, 2, ""},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunWith(c.args);
        const std::string name = testing::PrintToString(c.args);
        EXPECT_EQ(run.status, c.status) << name;
        EXPECT_EQ(run.out, c.out) << name;
        EXPECT_EQ(run.err.empty(), c.status != 2) << name;
    }
}

TEST(LadderlyTool, HelpOfEachCommand) {
    const std::vector<std::string> helps[] = {
        {"--help"}, {"step", "--help"}, {"validate", "--help"}};
    for (const auto& args : helps) {
        const ToolRun run = RunWith(args);
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_NE(run.out.find("usage: ladderly-tool"), std::string::npos) << args[0];
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
    // A puzzle file dated 1970 is read like any other.
    TempFolder old;
    old.Write("vocab.txt", "cat\r\n");
    const timespec epoch[2] = {{0, UTIME_OMIT}, {0, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, old.Write("puzzle.txt", "cat\r\ndog\r\nccc\r\n\r\n").c_str(),
                          epoch, 0),
              0);
    EXPECT_EQ(RunWith({"validate", old.Path()}).status, 1);
    const ToolRun missing = RunWith({"validate", "/nonexistent/ladderly"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}
} // namespace
