#include "core/TextFile.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(TextFile, SplitTextLines) {
    struct Case {
        const char* name;
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"CR LF", "cat\r\ndog\r\n", {"cat", "dog"}},
        {"LF", "cat\ndog\n", {"cat", "dog"}},
        {"CR", "cat\rdog\r", {"cat", "dog"}},
        {"mixed", "cat\rdog\nemu\r\nfox", {"cat", "dog", "emu", "fox"}},
        {"no final line end", "cat\r\ndog", {"cat", "dog"}},
        {"blank lines kept", "cat\r\n\r\n\ndog\r\n", {"cat", "", "", "dog"}},
        {"LF CR is two line ends", "cat\n\rdog", {"cat", "", "dog"}},
        {"NUL ends the text", std::string("cat\r\ndo\0g\r\nemu\r\n", 16), {"cat", "do"}},
        {"NUL first", std::string("\0cat\r\n", 6), {}},
        {"only a line end", "\r\n", {""}},
        {"blanks and tabs kept", " cat\t\r\n", {" cat\t"}},
        {"8-bit bytes kept", "caf\xe9\r\n", {"caf\xe9"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitTextLines(c.text), c.lines) << c.name;
    }
}

TEST(TextFile, FileDate) {
    TempFolder folder;
    EXPECT_EQ(FileDate(folder / "missing.txt"), -1);
    EXPECT_EQ(FileDate(folder.Path()), -1) << "a folder is not a data file";
    folder.Write("a.txt", "cat\r\n");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 30);
    fs::last_write_time(folder / "a.txt", when);
    const int64_t early = FileDate(folder / "a.txt");
    EXPECT_GT(early, 0);
    // Times after 2044 stay positive and later times stay larger, to the nanosecond.
    fs::last_write_time(folder / "a.txt", when + std::chrono::hours(24 * 365 * 60));
    const int64_t late = FileDate(folder / "a.txt");
    EXPECT_GT(late, early);
    fs::last_write_time(folder / "a.txt",
                        when + std::chrono::hours(24 * 365 * 60) + std::chrono::nanoseconds(1000));
    EXPECT_EQ(FileDate(folder / "a.txt"), late + 1000);
}

TEST(TextFile, ReadTextLinesOfAMissingFileIsAClearError) {
    TempFolder folder;
    EXPECT_THROW(ReadTextLines(folder / "missing.txt"), fs::filesystem_error);
}

TEST(TextFile, WriteKeepsOneBackup) {
    TempFolder folder;
    const fs::path file = folder / "vocab.txt";
    WriteLinesWithBackup(file, {"first"});
    EXPECT_EQ(folder.Read("vocab.txt"), "first\r\n");
    EXPECT_FALSE(fs::exists(folder / "vocab.bak"));
    WriteLinesWithBackup(file, {"second", ""});
    WriteLinesWithBackup(file, {"third"});
    EXPECT_EQ(folder.Read("vocab.txt"), "third\r\n");
    EXPECT_EQ(folder.Read("vocab.bak"), "second\r\n\r\n");
    EXPECT_FALSE(fs::exists(folder / "vocab.tmp"));
    WriteLinesWithBackup(file, {});
    EXPECT_EQ(folder.Read("vocab.txt"), "");
}

TEST(TextFile, FailingWriteKeepsTheData) {
    struct Case {
        const char* name;
        const char* blocker; // a non-empty folder where the write needs a file
        const char* backupAfter;
    };
    // The temporary file cannot be made, or the old backup cannot be deleted: either way the
    // current file and the backup stay as they were.
    const Case cases[] = {
        {"temporary file blocked", "vocab.tmp", "old\r\n"},
        {"backup blocked", "vocab.bak", nullptr},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("vocab.txt", "current\r\n");
        if (c.backupAfter != nullptr) {
            folder.Write("vocab.bak", c.backupAfter);
        }
        fs::create_directories(folder / c.blocker / "inside");
        EXPECT_THROW(WriteLinesWithBackup(folder / "vocab.txt", {"new"}), fs::filesystem_error)
            << c.name;
        EXPECT_EQ(folder.Read("vocab.txt"), "current\r\n") << c.name;
        if (c.backupAfter != nullptr) {
            EXPECT_EQ(folder.Read("vocab.bak"), c.backupAfter) << c.name;
        }
        EXPECT_FALSE(fs::is_regular_file(folder / "vocab.tmp")) << c.name;
    }
}

TEST(TextFile, FailingWriteNamesTheFile) {
    TempFolder folder;
    fs::create_directories(folder / "puzzle.tmp" / "x");
    try {
        WriteLinesWithBackup(folder / "puzzle.txt", {"cat"});
        FAIL() << "the write should fail";
    } catch (const fs::filesystem_error& e) {
        EXPECT_EQ(e.path1(), folder / "puzzle.tmp");
        EXPECT_NE(std::string(e.what()).find("Cannot create the temporary file"),
                  std::string::npos);
    }
}
} // namespace
