#include "core/ProgressJournal.h"
#include "core/PuzzleCore.h"

#include "base/ErrorLog.h"
#include "core/BoardKit.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <sys/stat.h>
#include <tuple>

using Lines = std::vector<std::string>;
using namespace std::literals;

namespace fs = std::filesystem;

const char* const Words = "a\r\nab\r\ncat\r\ncart\r\ndog\r\n";

// Four lines make a puzzle, 1 to 3 trailing lines are ignored, and puzzles are ordered by
// 15 x the action count + both word lengths, equal keys in file order.
TEST(PuzzleFile, LoadGroupsAndOrders) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "0/0"},
        {"ab\r\ncd\r\ncc\r\n\r\nab\r\nabc\r\na\r\n2=x\r\nz\r\n", "0/2 ab/abc/a/2=x ab/cd/cc/"},
        {"ab\r\ncd\r\ncc\r\n\r\nab\r\ncd\r\n", "0/1 ab/cd/cc/"},
        {"a\r\na\r\nccc\r\n\r\nabcdefg\r\ngfedcba\r\ncc\r\n\r\n",
         "0/2 abcdefg/gfedcba/cc/ a/a/ccc/"},
        {"b\r\na\r\nc\r\n\r\na\r\nb\r\nc\r\n\r\n", "0/2 b/a/c/ a/b/c/"},
        {"\r\nab\r\ncd\r\ncc\r\n", "0/1 /ab/cd/cc"},
    };
    for (const auto& [text, lines] : cases) {
        LoadedCore loaded(Words, text);
        EXPECT_EQ(AllPuzzles(loaded.core), lines) << testing::PrintToString(text);
    }
}

// One box after a load lists a message for each failing puzzle, in the sorted order. The file is
// read again only when its time is later than at the last load, and a missing file is no load.
TEST(PuzzleFile, LoadReportAndReload) {
    LoadedCore loaded("cat\r\ndog\r\ncart\r\n",
                      "cat\r\ndog\r\nccc\r\n\r\n"   // key 51, passes
                      "cat\r\ncart\r\na\r\n\r\n"    // key 22, passes
                      "cow\r\ndog\r\nc\r\n\r\n"     // key 21, unknown start
                      "cat\r\ndog\r\nccq\r\n\r\n"); // key 51, unknown code
    TPuzzleCore& core = loaded.core;
    EXPECT_TRUE(core.PuzzleHasErrors(1) && !core.PuzzleHasErrors(2) && !core.PuzzleHasErrors(3) &&
                core.PuzzleHasErrors(4));
    ASSERT_EQ(loaded.ui.boxes.size(), 1u);
    const std::string text = loaded.ui.boxes[0].caption + ": " + loaded.ui.boxes[0].text;
    EXPECT_TRUE(
        text.starts_with("Ladderly: Errors were found while loading. Not all puzzles are "
                         "available for play.\r\n\r\nThe starting word (COW) of puzzle 1") &&
        text.find("\r\nStep 4 of puzzle 4 (CAT => DOG)") != std::string::npos)
        << text;
    EXPECT_EQ(loaded.ui.pendingMessagePasses, 1);

    core.CurrentPuzzle = 1;
    EXPECT_FALSE(core.LoadPuzzles()) << "same time";
    ASSERT_TRUE(loaded.Reread("cat\r\ndog\r\nccc\r\n\r\n"));
    EXPECT_FALSE(core.PuzzleHasErrors(1));
    EXPECT_EQ(AllPuzzles(core), "1/1 cat/dog/ccc/")
        << "a load leaves the current puzzle to the caller";
    fs::remove(loaded.folder / "puzzle.txt");
    EXPECT_FALSE(TPuzzleCore(loaded.folder.Path()).LoadPuzzles());
    EXPECT_EQ(loaded.ui.boxes.size(), 1u);
}

// Deleted puzzles (each marked twice), current puzzle before; what is left after the sweep.
// Fields read in upper case, a "@" on the first line marks a deletion, and numbers off the list
// read nothing.
TEST(PuzzleFile, FieldsMarkersAndSweep) {
    const std::tuple<std::vector<int>, int, const char*> cases[] = {
        {{1}, 1, "1/2 b/x/c/ c/x/c/"},
        {{1}, 3, "2/2 b/x/c/ c/x/c/"},
        {{2}, 2, "1/2 a/x/c/ c/x/c/"},
        {{}, 2, "2/3 a/x/c/ b/x/c/ c/x/c/"},
    };
    for (const auto& [deleted, current, left] : cases) {
        TPuzzleCore core;
        SetPuzzles(core, "a/x/c/ b/x/c/ c/x/c/");
        core.CurrentPuzzle = current;
        for (const int n : deleted) {
            core.SetPuzzleDeleted(n, true);
            core.SetPuzzleDeleted(n, true);
        }
        core.RemoveDeletedPuzzles();
        EXPECT_EQ(AllPuzzles(core), left);
        EXPECT_EQ(core.PuzzlesModified, !deleted.empty()) << left;
    }

    TPuzzleCore core;
    SetPuzzles(core, "@cat/Dog/cCc/2=cot");
    EXPECT_EQ(core.PuzzleField(1, 1) + core.PuzzleField(1, 3) + core.PuzzleField(2, 0), "DOG2=COT");
    EXPECT_TRUE(core.IsPuzzleDeleted(1));
}

// Hint line, row, word and the line after: entries go in row order, are replaced in place, and
// clearing one takes its comma with it.
TEST(PuzzleFile, SetHintAndGetHint) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"2=a,6=c", 4, "x", "2=a,4=x,6=c"},     {"4=x", 4, "", ""},
        {"2=a,4=x,6=c", 4, "Q", "2=a,4=q,6=c"}, {"", 3, "cat", "3=cat"},
        {"2=a,3=c", 7, "cat", "2=a,3=c,7=cat"}, {"2=a,6=c", 2, "", "6=c"},
    };
    for (const auto& [line, row, word, result] : cases) {
        TPuzzleCore core;
        SetOnePuzzle(core, "cat", "dog", "cccc", line);
        core.SetHint(row, word);
        EXPECT_EQ(core.PuzzleLines[3].Text, result) << line << " " << row << "=" << word;
    }

    TPuzzleCore core;
    SetPuzzles(core, "cat/dog/cccc/2=ab,4=xy,6=cd");
    core.SetHint(2, "zz");
    EXPECT_EQ(core.GetHint(2) + core.PuzzleLines[3].Text, "2=ab,4=xy,6=cd") << "no current puzzle";
    core.CurrentPuzzle = 1;
    EXPECT_EQ(core.GetHint(2) + core.GetHint(3) + core.GetHint(6) + core.GetHint(9), "ABCD");
}

// Row 2 of the board, hint line, the row found and the hint then: rows that hold their hint or
// are of another length, and rows off the board, are skipped; a malformed entry ends the search.
TEST(PuzzleFile, NextHint) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"CA  ", "2=CART,3=CARE", 2, "CART"},  {"CART", "2=CART,3=CARE", 3, "CARE"},
        {"CA  ", "2=CARTS,3=CARE", 3, "CARE"}, {"CART", "2=CART", 0, "2=CART"},
        {"CART", "7=CART,3=CARE", 3, "CARE"},  {"CA  ", "X,3=CARE", 0, "X,3=CARE"},
    };
    for (const auto& [row2, line, row, word] : cases) {
        TPuzzleCore core;
        core.RowCount = 4;
        core.Rows = {"", "CAT", row2, "    ", "DARE"};
        std::string hint = line;
        EXPECT_EQ(core.NextHint(hint), row) << line;
        EXPECT_EQ(hint, word) << line;
    }
}

// Whether a save asks and what it writes the random designer sessions show; here the question's
// buttons, the backup, and that the collection and the vocabulary go so the next load reads the
// files; a save that fails keeps the file and the collection.
TEST(PuzzleFile, SaveAsksThenWritesWithBackup) {
    const std::string original = "cat\r\ndog\r\nccc\r\n\r\nab\na\nr\n\nextra";
    LoadedCore loaded(Words, original);
    loaded.core.PuzzlesModified = true;
    loaded.core.PuzzleLines[2].Text = "cxc";
    loaded.core.SavePuzzles();
    ASSERT_EQ(loaded.ui.boxes.size(), 1u); // the question's text is the sessions' check
    EXPECT_EQ(loaded.ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_EQ(loaded.folder.Read("puzzle.txt"), "ab\r\na\r\ncxc\r\n\r\ncat\r\ndog\r\nccc\r\n\r\n");
    EXPECT_EQ(loaded.folder.Read("puzzle.bak"), original) << "the file as it was, byte for byte";
    EXPECT_EQ(AllPuzzles(loaded.core) + std::to_string(loaded.core.Vocabulary.size()), "0/00");

    loaded.core.LoadGameData();
    loaded.core.PuzzlesModified = true;
    fs::remove(loaded.folder / "puzzle.bak");
    fs::create_directories(loaded.folder / "puzzle.bak" / "x");
    EXPECT_THROW(loaded.core.SavePuzzles(), fs::filesystem_error);
    EXPECT_EQ(AllPuzzles(loaded.core) + loaded.folder.Read("puzzle.txt"),
              "0/2 ab/a/cxc/ cat/dog/ccc/ab\r\na\r\ncxc\r\n\r\ncat\r\ndog\r\nccc\r\n\r\n");
}

// Start word, end word, action line, hint line and the messages (none when the puzzle passes),
// "|" between them; "%" stands for "puzzle 1 (START => END) " and "^" for the same at the start
// of a sentence: the name ends in a blank, so two blanks come before "is" and "has". Hints are
// judged against the start and end words and the other hints, one message each.
TEST(PuzzleValidation, MessagesOfOnePuzzle) {
    const std::string notARow =
        " of % is not a word for one of the rows between the starting and final words.";
    const std::string range = " It must be in the range 1 - 7.";
    const std::tuple<const char*, const char*, const char*, const char*, std::string> cases[] = {
        {"CAT", "DOG", "ccccccccc", "", ""},
        {"ABCDEF", "ABCDEF", "ar", "", ""},
        {"CAT", "DOG", "cxc", "3=cog", ""},
        {"CAT", "COW", "ccc", "", "The final word (COW) of % is not in the game vocabulary."},
        {"", "DOG", "c", "", "The starting word () of % is not in the game vocabulary."},
        {"CAT", "DOG", "cccccccccc", "", "^ has 11 steps. The maximum allowed is 10."},
        {"CAT", "CAT", "", "", "^ has 1 step. The minimum allowed is 2."},
        {"ABCDEFGH", "DOG", "c", "", "The starting word of % has 8 letters." + range},
        {"ABCDEF", "ABCDEF", "aa", "", "Step 3 of % requires a word of 8 letters." + range},
        {"A", "A", "r", "", "Step 2 of % requires a word of 0 letters." + range},
        {"CAT", "DOG", "ccc ", "",
         "Step 5 of % has the unknown action code  . The valid codes are A, C, M, R, S and X."},
        {"CAT", "CART", "c", "", "^ requires a final word of 3 letters, but CART has 4 letters."},
        {"CAT", "DOG", "ccc", "1=cat,4=dog,3=c0g",
         "The hint \"1=CAT\"" + notARow + "|The hint \"4=DOG\"" + notARow + "|The hint \"3=C0G\"" +
             notARow},
        {"CAT", "DOG", "ccc", "2=zzz,3=cart",
         "The hint ZZZ for row 2 of % is not in the game vocabulary.|The hint CART for row 3 of % "
         "has 4 letters, but the row needs 3."},
        {"CAT", "DOG", "ccc", "2=dog",
         "The hint DOG for row 2 of % is not reached from CAT by a valid \"Change 1 Letter\" "
         "step."},
        {"CAT", "DOG", "ccc", "2=cot,3=cat",
         "The hint CAT for row 3 of % does not lead to DOG by a valid \"Change 1 Letter\" step."},
    };
    for (const auto& [start, end, codes, hints, messages] : cases) {
        TPuzzleCore core;
        core.Vocabulary = {"a", "abcdef", "abcdefgh", "cart", "cat", "cog", "cot", "dog"};
        SetOnePuzzle(core, start, end, codes, hints);
        const std::string name = std::string("uzzle 1 (") + start + " => " + end + ") ";
        std::string expected = messages.empty() ? "before" : "before\r\n";
        for (const char c : messages) {
            expected += c == '|'   ? "\r\n"
                        : c == '%' ? "p" + name
                        : c == '^' ? "P" + name
                                   : std::string(1, c);
        }
        std::string errors = "before";
        EXPECT_EQ(core.ValidatePuzzle(1, errors), messages.empty())
            << start << " " << codes << " " << hints;
        EXPECT_EQ(errors, expected);
    }
}

// Blank lines go, a word keeps its first spelling, the list is sorted (a word added twice is the
// unknown words' check's); the file is read again
// only when its time is later than at the last load, and a file gone keeps the list. (The line
// ends are the text file's.)
TEST(VocabularyStore, LoadsWhenNewer) {
    TempFolder folder;
    TPuzzleCore core(folder.Path());
    EXPECT_FALSE(core.LoadVocabulary() || core.VocabFileDate) << "missing file";
    folder.Write("vocab.txt", "Cat\r\ndog\r\n\r\n  \t\r\n cat\r\nCAT\r\ndogsleds\r\nx-ray\r\n");
    ASSERT_TRUE(core.LoadVocabulary());
    const Lines loaded = {" cat", "Cat", "dog", "dogsleds", "x-ray"};
    EXPECT_TRUE(core.Vocabulary == loaded && core.IsInVocabulary("CAT"));
    core.AddVocabularyWord("Zoo");
    EXPECT_FALSE(core.LoadVocabulary()) << "same time";
    fs::last_write_time(folder / "vocab.txt", fs::last_write_time(folder / "vocab.txt") + 20s);
    EXPECT_TRUE(core.LoadVocabulary() && core.Vocabulary == loaded) << "newer: additions go";
    fs::remove(folder / "vocab.txt");
    EXPECT_TRUE(!core.LoadVocabulary() && core.Vocabulary == loaded) << "file gone: the list stays";
}

// A folder or a FIFO of the vocabulary's name is not read (and does not block), and a save
// refuses to replace it, naming it and leaving it and the backup alone.
TEST(VocabularyStore, OddFilesAreLeftAlone) {
    for (const bool fifo : {false, true}) {
        TempFolder folder;
        folder.Write("vocab.bak", "kept\r\n");
        const fs::path file = folder / "vocab.txt";
        if (fifo) {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        } else {
            fs::create_directory(file);
        }
        TPuzzleCore core(folder.Path());
        EXPECT_FALSE(core.LoadVocabulary()) << fifo;
        core.AddVocabularyWord("dog");
        try {
            core.SaveVocabulary();
            ADD_FAILURE() << fifo << ": saved over it";
        } catch (const fs::filesystem_error& e) {
            EXPECT_EQ(e.path1(), file);
            EXPECT_NE(std::string(e.what()).find("could not be read"), std::string::npos);
        }
        EXPECT_EQ(fs::status(file).type(), fifo ? fs::file_type::fifo : fs::file_type::directory);
        EXPECT_EQ(folder.Read("vocab.bak"), "kept\r\n") << fifo;
    }
}

// Each user of a system installation reads their own copy of a file when there is one and the
// shipped file otherwise, and saves only their copy.
constexpr char UserWords[] = "cat\r\ncot\r\ndog\r\n";
constexpr char OnePuzzle[] = "cat\r\ncot\r\nc\r\n\r\n";

TEST(UserData, ReadTheUsersCopyOrTheShippedFileAndSaveOnlyTheCopy) {
    TempFolder temp;
    const std::string shipped = temp.MakeFolder("usr");
    temp.Write("usr/vocab.txt", UserWords);
    temp.Write("usr/puzzle.txt", OnePuzzle);
    const fs::path ann = temp / "ann";
    const fs::path bob = temp / "bob";
    FakeUserInterface ui; // answers Yes to saving
    TPuzzleCore annCore(shipped, ann);
    annCore.LoadGameData();
    annCore.AddVocabularyWord("cog");
    annCore.SaveVocabulary(); // makes the user's folder
    EXPECT_TRUE(annCore.LoadVocabulary() && annCore.IsInVocabulary("cog")) << "now the user's copy";
    for (int save = 0; save < 2; ++save) {
        annCore.LoadPuzzles();
        annCore.PuzzlesModified = true;
        annCore.SavePuzzles();
    }
    EXPECT_EQ(temp.Read("ann/puzzle.txt") + temp.Read("ann/puzzle.bak") +
                  temp.Read("usr/vocab.txt") + temp.Read("usr/puzzle.txt"),
              std::string(OnePuzzle) + OnePuzzle + UserWords + OnePuzzle);
    EXPECT_FALSE(fs::exists(temp / "usr/puzzle.bak") || fs::exists(temp / "usr/vocab.bak"));

    // An upgrade ships more puzzles: a user who never saved any gets them, Ann keeps her own.
    temp.Write("usr/puzzle.txt", std::string(OnePuzzle) + "cot\r\ncat\r\nc\r\n\r\n");
    TPuzzleCore bobCore(shipped, bob);
    bobCore.LoadGameData();
    TPuzzleCore annAgain(shipped, ann);
    annAgain.LoadGameData();
    EXPECT_EQ(std::tuple(bobCore.IsInVocabulary("cog"), bobCore.PuzzleCount, annAgain.PuzzleCount),
              std::tuple(false, 2, 1));

    // A copy that appears while the game runs is read even when it is older than the shipped
    // file; one that goes sends the game back to the shipped file.
    temp.Write("bob/vocab.txt", "bob\r\n");
    fs::last_write_time(bob / "vocab.txt", fs::last_write_time(temp / "usr/vocab.txt") - 1h);
    EXPECT_TRUE(bobCore.LoadVocabulary() && bobCore.Vocabulary == Lines{"bob"});
    fs::remove(bob / "vocab.txt");
    EXPECT_TRUE(bobCore.LoadVocabulary() && bobCore.IsInVocabulary("dog"));
}

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
