#include "core/TextFile.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// CR, LF and CR LF each end a line (LF CR is two), a NUL ends the text, and a last line needs
// no line end; blanks, tabs and 8-bit bytes stay.
TEST(TextFile, SplitTextLines) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"cat\rdog\nemu\r\n\r\n\nfox", {"cat", "dog", "emu", "", "", "fox"}},
        {"cat\n\rdog\r", {"cat", "", "dog"}},
        {std::string("cat\r\ndo\0g\r\nemu\r\n", 16), {"cat", "do"}},
        {std::string("\0cat\r\n", 6), {}},
        {" cat\t\r\ncaf\xe9", {" cat\t", "caf\xe9"}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(SplitTextLines(text), lines) << testing::PrintToString(text);
    }
}

TEST(TextFile, FileDate) {
    TempFolder folder;
    EXPECT_EQ(FileDate(folder / "missing.txt"), -1);
    EXPECT_EQ(FileDate(folder.Path()), -1) << "a folder is not a data file";
    EXPECT_THROW(ReadTextLines(folder / "missing.txt"), fs::filesystem_error);
    // Times after 2044 stay positive and later times stay larger, to the nanosecond.
    const fs::path file = folder.Write("a.txt", "cat\r\n");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 30);
    fs::last_write_time(file, when);
    const int64_t early = FileDate(file);
    EXPECT_GT(early, 0);
    fs::last_write_time(file, when + std::chrono::hours(24 * 365 * 60));
    const int64_t late = FileDate(file);
    EXPECT_GT(late, early);
    fs::last_write_time(file,
                        when + std::chrono::hours(24 * 365 * 60) + std::chrono::microseconds(1));
    EXPECT_EQ(FileDate(file), late + 1000);
}

// The temporary file cannot be made, or the old backup cannot be deleted: either way the error
// names the file, and the current file and the backup stay as they were.
TEST(TextFile, FailingWriteKeepsTheData) {
    struct Case {
        const char* blocker; // a non-empty folder where the write needs a file
        const char* what;
        const char* backup;
    };
    const Case cases[] = {
        {"vocab.tmp", "Cannot create the temporary file", "old\r\n"},
        {"vocab.bak", "Cannot delete the old backup", nullptr},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("vocab.txt", "current\r\n");
        if (c.backup != nullptr) {
            folder.Write("vocab.bak", c.backup);
        }
        fs::create_directories(folder / c.blocker / "inside");
        try {
            WriteLinesWithBackup(folder / "vocab.txt", {"new"});
            ADD_FAILURE() << c.blocker << ": the write should fail";
        } catch (const fs::filesystem_error& e) {
            EXPECT_EQ(e.path1(), folder / c.blocker);
            EXPECT_NE(std::string(e.what()).find(c.what), std::string::npos) << e.what();
        }
        EXPECT_EQ(folder.Read("vocab.txt"), "current\r\n") << c.blocker;
        if (c.backup != nullptr) {
            EXPECT_EQ(folder.Read("vocab.bak"), c.backup) << c.blocker;
        }
        EXPECT_FALSE(fs::is_regular_file(folder / "vocab.tmp")) << c.blocker;
    }
}
} // namespace
