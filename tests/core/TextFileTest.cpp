#include "core/TextFile.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

// The temporary file cannot be made or written, or the old backup cannot be deleted: each time
// the error names the file, the current file and the backup stay as they were, and no temporary
// file is left behind. A blocker is a non-empty folder, or a link to a full device.
TEST(TextFile, FailingWriteKeepsTheData) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"vocab.tmp", nullptr, "Cannot create the temporary file"},
        {"vocab.bak", nullptr, "Cannot delete the old backup"},
        {"vocab.tmp", "/dev/full", "Cannot write the new file"},
    };
    for (const auto& [blocker, device, what] : cases) {
        TempFolder folder;
        folder.Write("vocab.txt", "current\r\n");
        const bool backupBlocked = std::string_view(blocker) == "vocab.bak";
        if (!backupBlocked) {
            folder.Write("vocab.bak", "old\r\n");
        }
        if (device != nullptr) {
            fs::create_symlink(device, folder / blocker);
        } else {
            fs::create_directories(folder / blocker / "inside");
        }
        try {
            WriteLinesWithBackup(folder / "vocab.txt", {"new"});
            ADD_FAILURE() << what << ": the write should fail";
        } catch (const fs::filesystem_error& e) {
            EXPECT_EQ(e.path1(), folder / blocker);
            EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
        }
        EXPECT_EQ(folder.Read("vocab.txt"), "current\r\n") << what;
        if (!backupBlocked) {
            EXPECT_EQ(folder.Read("vocab.bak"), "old\r\n") << what;
        }
        const fs::file_status temporary = fs::symlink_status(folder / "vocab.tmp");
        EXPECT_FALSE(fs::is_regular_file(temporary) || fs::is_symlink(temporary)) << what;
    }
}
} // namespace
