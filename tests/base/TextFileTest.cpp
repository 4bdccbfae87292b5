#include "base/TextFile.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// CR, LF and CR LF each end a line (LF CR is two), a NUL ends the text, and a last line needs
// no line end; blanks, tabs and 8-bit bytes stay.
TEST(TextFile, SplitTextLines) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"cat\rdog\nemu\r\n\r\n\nfox", {"cat", "dog", "emu", "", "", "fox"}},
        {"cat\n\rdog\r", {"cat", "", "dog"}},
        {std::string("cat\r\ndo\0g\r\nemu\r\n", 16), {"cat", "do"}},
        {" cat\t\r\ncaf\xe9", {" cat\t", "caf\xe9"}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(SplitTextLines(text), lines) << testing::PrintToString(text);
    }
}

// Dates keep their nanoseconds and compare with the date loaded; a missing name, a folder and a
// FIFO are told apart from files (the vocabulary's tests see odd files load or be left alone).
TEST(TextFile, FileDate) {
    TempFolder folder;
    EXPECT_EQ(std::pair(FileDate(folder / "missing.txt").State, FileDate(folder.Path()).State),
              std::pair(FileState::Missing, FileState::Unreadable));
    EXPECT_THROW(ReadTextLines(folder / "missing.txt"), fs::filesystem_error);
    const std::string file = folder.Write("a.txt", "cat\r\n");
    const timespec times[2] = {{0, UTIME_OMIT}, {int64_t{1} << 32, 1}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    const TFileDate date = FileDate(file);
    EXPECT_EQ(std::pair(date.State, date.Time),
              std::pair(FileState::Readable, (int64_t{1} << 32) * 1'000'000'000 + 1));
    EXPECT_TRUE(IsNewerThanLoaded(date, std::nullopt) && !IsNewerThanLoaded(date, date.Time) &&
                IsNewerThanLoaded(date, date.Time - 1));
}

// Each step of a save fails in turn (the last round fails none). Before every step the file
// holds the old or the new text, whole, so a save cut off anywhere loses nothing; a failure
// leaves the file as it was, removes what the save made and names the file; the file keeps its
// permission bits.
TEST(TextFile, SaveKeepsTheFileWholeAtEveryStep) {
    const int steps = static_cast<int>(WriteStep::Count);
    for (int failing = 0; failing <= steps; ++failing) {
        TempFolder folder;
        const fs::path file = folder.Write("vocab.txt", "old\r\n");
        folder.Write("vocab.bak", "older\r\n");
        fs::permissions(file, static_cast<fs::perms>(0640));
        const bool planted = failing == steps; // a "vocab.tmp" link is never written through
        if (planted) {
            fs::create_symlink(folder.Write("elsewhere/victim.txt", "victim"),
                               folder / "vocab.tmp");
        }
        SetWriteStepHook([&](WriteStep step) {
            const std::string now = folder.Read("vocab.txt");
            EXPECT_TRUE(now == "old\r\n" || now == "new\r\n") << now;
            return static_cast<int>(step) == failing ? EIO : 0;
        });
        std::string error;
        try {
            WriteLinesWithBackup(file, {"new"});
        } catch (const fs::filesystem_error& e) {
            error = e.what();
            EXPECT_EQ(e.code().value(), EIO);
        }
        SetWriteStepHook({});
        SCOPED_TRACE(failing);
        const bool failed = failing < steps;
        EXPECT_EQ(!error.empty(), failed);
        EXPECT_NE(error.find(failed ? folder.Path() + "vocab." : ""), std::string::npos);
        const bool backupReplaced = failing > static_cast<int>(WriteStep::ReplaceBackup);
        EXPECT_EQ(folder.Read("vocab.txt") + folder.Read("vocab.bak"),
                  (failed ? "old\r\n" : "new\r\n") +
                      std::string(backupReplaced ? "old\r\n" : "older\r\n"));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), planted ? 4 : 2);
        EXPECT_TRUE(!planted || (folder.Read("elsewhere/victim.txt") == "victim" &&
                                 fs::is_symlink(folder / "vocab.tmp")));
        EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0640));
    }
}
