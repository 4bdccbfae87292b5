#include "core/ProgressJournal.h"

#include "base/ErrorLog.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace std::literals;

TEST(ProgressJournal, ReadsWhatItCanAndWritesItBack) {
    EXPECT_EQ(ProgressKey(" Cat", "DOG\r", "ccX"), "cat dog ccx");
    struct Line {
        std::string_view text;
        bool readable;
    };
    const Line lines[] = {
        {"# a comment", true},
        {"", true},
        {"  \t", true},
        {"solved 2025-03-14 COLD warm CCCC", true},
        {"shown 2025-01-01 a b c", true},
        {"helped\t2025-01-02  a b c\r", true},
        {"shown 2025-01-03 a b c", true},
        {"last 2025-03-14 cat dog ccc", true},
        {"solved 2025-13-01 a b c", false},
        {"solved 2025-3-14 a b c", false},
        {"solved 2025-03-14 a b", false},
        {"solved 2025-03-14 a b c d", false},
        {"won 2025-03-14 a b c", false},
        {"solved 2025-03-14 abcdefgh b c", false},
        {"solved 2025-03-14 a b cccccccccc", false},
        {"solved 2025-03-14 a b cq", false},
        {"solved\0 2025-03-14 a b c"sv, false},
        {"\xff\xfe", false},
    };
    std::string text;
    std::vector<std::string> unread;
    for (const Line& line : lines) {
        text += std::string(line.text) + "\n";
        if (!line.readable) {
            unread.emplace_back(line.text);
        }
    }
    const TJournalText journal = ParseJournal(text + "solved 2025-03-14 cut");
    unread.emplace_back("solved 2025-03-14 cut");
    EXPECT_EQ(journal.Unread, unread);
    EXPECT_EQ(journal.LastPuzzle, "cat dog ccc");
    ASSERT_EQ(journal.Marks.size(), 2u);
    EXPECT_EQ(journal.Marks.at("cold warm cccc").Mark, PuzzleMark::Solved);
    EXPECT_EQ(journal.Marks.at("a b c").Mark, PuzzleMark::Helped) << "a puzzle keeps its best";
    EXPECT_EQ(journal.Marks.at("a b c").Date, "2025-01-02");

    std::string written;
    for (const std::string& line : FormatJournal(journal)) {
        written += line + "\r\n";
    }
    EXPECT_EQ(written, "# Ladderly progress: mark, date, start word, end word, actions\r\n"
                       "helped 2025-01-02 a b c\r\n"
                       "solved 2025-03-14 cold warm cccc\r\n"
                       "last 2025-03-14 cat dog ccc\r\n");
    const TJournalText again = ParseJournal(written);
    EXPECT_TRUE(again.Unread.empty());
    EXPECT_EQ(FormatJournal(again), FormatJournal(journal));

    EXPECT_EQ(ProgressSummary({{4, PuzzleMark::Solved},
                               {3, PuzzleMark::Shown},
                               {4, PuzzleMark::Helped},
                               {10, PuzzleMark::None},
                               {3, PuzzleMark::Solved}}),
              "Solved 3 of 5 \u00b7 3 rows 1/2 \u00b7 4 rows 2/2 \u00b7 10 rows 0/1");
}

// A journal that cannot be read is reported and left as it is until a win, which keeps what
// could not be read beside it first; what is not a readable file is never replaced.
TEST(ProgressJournal, DamagedFilesWaitForTheNextWin) {
    TempFolder temp;
    SetErrorLogFolder(temp.Path());
    const std::string good = "solved 2025-03-14 cat dog ccc\r\n";
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        std::string unreadCopy; // empty: none is made
        bool replaced;
    };
    const Case cases[] = {
        {"damaged lines",
         [&](const fs::path& file) { temp.Write(file.string(), good + "garbage\n\0\n"s); },
         "garbage\r\n\0\r\n"s, true},
        {"too big",
         [&](const fs::path& file) {
             temp.Write(file.string(), good);
             fs::resize_file(temp / file.string(), TProgressJournal::MaxFileSize + 1);
         },
         good + std::string(TProgressJournal::MaxFileSize + 1 - good.size(), '\0'), true},
        {"a folder", [&](const fs::path& file) { temp.MakeFolder(file.string()); }, "", false},
        {"a FIFO",
         [&](const fs::path& file) {
             temp.MakeFolder(file.parent_path().string());
             ASSERT_EQ(::mkfifo((temp / file.string()).c_str(), 0600), 0);
         },
         "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path name = fs::path(c.what) / TProgressJournal::FileName;
        c.make(name);
        const std::string before =
            fs::is_regular_file(temp / name.string()) ? temp.Read(name.string()) : std::string();
        const std::size_t logged = temp.Read("errorlog.txt").size();
        TProgressJournal journal(temp / name.string());
        journal.Load();
        EXPECT_TRUE(journal.Damaged());
        EXPECT_GT(temp.Read("errorlog.txt").size(), logged) << "reported";
        EXPECT_EQ(journal.MarkOf("cat dog ccc"),
                  c.what == std::string("damaged lines") ? PuzzleMark::Solved : PuzzleMark::None);
        EXPECT_TRUE(journal.Mark("ant bee cc", PuzzleMark::Helped, "2025-03-15"));
        EXPECT_FALSE(journal.Mark("ant bee cc", PuzzleMark::Shown, "2025-03-16")) << "no downgrade";

        journal.Save(false);
        EXPECT_EQ(fs::is_regular_file(temp / name.string()) ? temp.Read(name.string()) : "",
                  before);
        journal.Save(true);
        const fs::path copy = fs::path(c.what) / TProgressJournal::UnreadFileName;
        EXPECT_EQ(fs::exists(temp / copy.string()), !c.unreadCopy.empty());
        if (!c.unreadCopy.empty()) {
            EXPECT_EQ(temp.Read(copy.string()), c.unreadCopy);
        }
        EXPECT_EQ(journal.Damaged(), !c.replaced);
        const std::string now =
            fs::is_regular_file(temp / name.string()) ? temp.Read(name.string()) : "";
        EXPECT_EQ(now.find("helped 2025-03-15 ant bee cc") != std::string::npos, c.replaced);
    }

    // A journal that is all ours is written when it changed, its folders made on the way.
    TProgressJournal fresh(temp / "new/user/progress.txt");
    fresh.Load();
    fresh.Save(true);
    EXPECT_FALSE(fs::exists(temp / "new")) << "nothing to keep";
    fresh.SetLastPuzzle("cat dog ccc", "2025-03-14");
    fresh.Save(false);
    TProgressJournal reread(temp / "new/user/progress.txt");
    reread.Load();
    EXPECT_FALSE(reread.Damaged());
    EXPECT_EQ(reread.LastPuzzle(), "cat dog ccc");
    SetErrorLogFolder("");
}

} // namespace
