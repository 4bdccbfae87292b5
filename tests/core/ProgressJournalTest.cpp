#include "core/ProgressJournal.h"

#include "base/ErrorLog.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace std::literals;

TEST(ProgressJournal, ReadsWhatItCanAndWritesItBack) {
    // Lines that cannot be read: bad dates, too few or too many fields, an unknown mark, a word
    // or an action line too long, a bad code, a NUL, bytes that are no text, a cut last line.
    const std::string bad =
        "solved 2025-13-01 a b c\nsolved 2025-3-14 a b c\nsolved 2025-03-14 a b\n"
        "solved 2025-03-14 a b c d\nwon 2025-03-14 a b c\n"
        "solved 2025-03-14 abcdefgh b c\nsolved 2025-03-14 a b cccccccccc\n"
        "solved 2025-03-14 a b cq\nsolved\0 2025-03-14 a b c\n\xff\xfe\n"
        "solved 2025-03-14 cut"s;
    const TJournalText journal =
        ParseJournal("# a comment\n\n \t\nsolved 2025-03-14 COLD warm CCCC\n"
                     "shown 2025-01-01 a b c\nhelped\t2025-01-02  a b c\r\n"
                     "shown 2025-01-03 a b c\nlast 2025-03-14 cat dog ccc\n" +
                     bad);
    std::string unread;
    for (const std::string& line : journal.Unread) {
        unread += (unread.empty() ? "" : "\n") + line;
    }
    EXPECT_EQ(unread, bad);
    // A puzzle named twice keeps its best mark.
    EXPECT_EQ(
        FormatJournal(journal),
        (std::vector<std::string>{"# Ladderly progress: mark, date, start word, end word, actions",
                                  "helped 2025-01-02 a b c", "solved 2025-03-14 cold warm cccc",
                                  "last 2025-03-14 cat dog ccc"}));
}

// A journal that cannot be read never stops a start: it is reported, and left as it is until a
// win, which first keeps what could not be read beside it; what is not a readable file is never
// replaced.
TEST(ProgressJournal, DamagedFilesWaitForTheNextWin) {
    TempFolder temp;
    SetErrorLogFolder(temp.Path());
    const std::string big(TProgressJournal::MaxFileSize + 1, 'x');
    // A file's content and the copy of what could not be read; none for a folder and a FIFO.
    const std::array<std::string, 3> cases[] = {
        {"garbage", "\xff\0 x\n"s, "\xff\0 x\r\n"s},
        {"truncated", "solved 2025-03-14 cat dog ccc\r\nhelped 2025", "helped 2025\r\n"},
        {"too big", big, big},
        {"a folder", "", ""},
        {"a FIFO", "", ""},
    };
    for (const auto& [what, text, unreadCopy] : cases) {
        SCOPED_TRACE(what);
        const auto content = [&](const std::string& name) {
            return fs::is_regular_file(temp / (what + name)) ? temp.Read(what + name) : "";
        };
        const fs::path file = temp / (what + "/progress.txt");
        temp.MakeFolder(what);
        if (what == "a folder") {
            temp.MakeFolder(what + "/progress.txt");
        } else if (what == "a FIFO") {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        } else {
            temp.Write(what + "/progress.txt", text);
        }
        const std::size_t logged = temp.Read("errorlog.txt").size();
        TProgressJournal journal(file);
        journal.Load();
        EXPECT_GT(temp.Read("errorlog.txt").size(), logged) << "reported";
        EXPECT_EQ(journal.MarkOf("cat dog ccc") == PuzzleMark::Solved, what == "truncated");
        EXPECT_TRUE(journal.Mark("ant bee cc", PuzzleMark::Helped, "2025-03-15") &&
                    !journal.Mark("ant bee cc", PuzzleMark::Shown, "2025-03-16"))
            << "no downgrade";

        journal.Save(false);
        EXPECT_EQ(content("/progress.txt"), text);
        journal.Save(true);
        EXPECT_EQ(content("/progress-unread.txt"), unreadCopy);
        const bool written =
            content("/progress.txt").find("helped 2025-03-15") != std::string::npos;
        EXPECT_EQ(std::tuple(journal.Damaged(), written),
                  std::tuple(unreadCopy.empty(), !unreadCopy.empty()));
    }
    SetErrorLogFolder("");
}
