#include "core/PuzzleCore.h"
#include "core/VocabularyList.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
using Lines = std::vector<std::string>;
using namespace std::string_literals;
namespace fs = std::filesystem;

// Gives the file a modification time that is later (or earlier) than it has now.
void ShiftFileTime(const fs::path& path, std::chrono::seconds by) {
    fs::last_write_time(path, fs::last_write_time(path) + by);
}

TEST(VocabularyStore, BuildVocabularyList) {
    struct Case {
        const char* name;
        Lines lines;
        Lines list;
    };
    const Case cases[] = {
        {"sorted", {"ant", "bee", "cat"}, {"ant", "bee", "cat"}},
        {"unsorted", {"cat", "ant", "bee"}, {"ant", "bee", "cat"}},
        {"order ignores case", {"Cat", "bee", "ANT"}, {"ANT", "bee", "Cat"}},
        {"first spelling kept", {"Cat", "dog", "cat", "CAT"}, {"Cat", "dog"}},
        {"first spelling kept in order", {"ant", "cat", "Cat"}, {"ant", "cat"}},
        {"blank and tab lines dropped", {"cat", "  ", "\t", "", "dog"}, {"cat", "dog"}},
        {"leading blank kept as is", {" cat", "dog"}, {" cat", "dog"}},
        {"trailing blank kept as is", {"cat ", "cat"}, {"cat", "cat "}},
        {"long and odd entries kept", {"dogsleds", "don't", "x1"}, {"dogsleds", "don't", "x1"}},
        {"prefix first", {"cats", "cat", "ca"}, {"ca", "cat", "cats"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildVocabularyList(c.lines), c.list) << c.name;
    }
}

TEST(VocabularyStore, LookupAndInsert) {
    std::vector<std::string> list = BuildVocabularyList({"Cat", "dog", " emu"});
    struct Case {
        const char* word;
        bool known;
    };
    const Case cases[] = {{"cat", true},  {"CAT", true}, {"Dog", true}, {"emu", false},
                          {" emu", true}, {"ca", false}, {"", false},   {"cats", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(VocabularyContains(list, c.word), c.known) << '"' << c.word << '"';
    }
    InsertVocabularyWord(list, "cab");
    InsertVocabularyWord(list, "CAT");
    InsertVocabularyWord(list, "zebra");
    EXPECT_EQ(list, (Lines{" emu", "cab", "Cat", "dog", "zebra"}));
}

TEST(VocabularyStore, LoadsLineEndsAndOddLines) {
    TempFolder folder;
    folder.Write(
        "vocab.txt",
        "Cat\r\ndog\remu\n\r\n  \t\r\n cat\r\nCAT\r\ndogsleds\r\nx-ray\r\nzebra\0never\r\n"s);
    TPuzzleCore core(folder.Path());
    EXPECT_TRUE(core.LoadVocabulary());
    EXPECT_EQ(core.Vocabulary, (Lines{" cat", "Cat", "dog", "dogsleds", "emu", "x-ray", "zebra"}));
    EXPECT_TRUE(core.IsInVocabulary("CAT"));
    EXPECT_FALSE(core.IsInVocabulary("never"));
}

TEST(VocabularyStore, ReloadsOnlyWhenTheFileIsNewer) {
    TempFolder folder;
    TPuzzleCore core(folder.Path());
    EXPECT_FALSE(core.LoadVocabulary()) << "missing file";
    EXPECT_EQ(core.VocabFileDate, 0);

    folder.Write("vocab.txt", "cat\r\n");
    ASSERT_TRUE(core.LoadVocabulary());
    core.AddVocabularyWord("Dog");
    EXPECT_EQ(core.Vocabulary, (Lines{"cat", "dog"}));

    EXPECT_FALSE(core.LoadVocabulary()) << "same time";
    ShiftFileTime(folder / "vocab.txt", std::chrono::seconds(-10));
    EXPECT_FALSE(core.LoadVocabulary()) << "older time";
    EXPECT_EQ(core.Vocabulary, (Lines{"cat", "dog"}));

    ShiftFileTime(folder / "vocab.txt", std::chrono::seconds(20));
    EXPECT_TRUE(core.LoadVocabulary()) << "newer time discards the additions";
    EXPECT_EQ(core.Vocabulary, (Lines{"cat"}));

    fs::remove(folder / "vocab.txt");
    EXPECT_FALSE(core.LoadVocabulary()) << "file gone: the list stays";
    EXPECT_EQ(core.Vocabulary, (Lines{"cat"}));
}

TEST(VocabularyStore, SaveRoundTripWithBackup) {
    TempFolder folder;
    folder.Write("vocab.txt", "cat\ndog\n");
    TPuzzleCore core(folder.Path());
    ASSERT_TRUE(core.LoadVocabulary());
    core.AddVocabularyWord("ANT");
    core.SaveVocabulary();
    EXPECT_EQ(folder.Read("vocab.txt"), "ant\r\ncat\r\ndog\r\n");
    EXPECT_EQ(folder.Read("vocab.bak"), "cat\ndog\n");

    // File times can be coarse; make sure the new file reads as newer than the last load.
    ShiftFileTime(folder / "vocab.txt", std::chrono::seconds(1));
    EXPECT_TRUE(core.LoadVocabulary());
    EXPECT_EQ(core.Vocabulary, (Lines{"ant", "cat", "dog"}));

    core.AddVocabularyWord("emu");
    core.SaveVocabulary();
    core.SaveVocabulary();
    EXPECT_EQ(folder.Read("vocab.bak"), "ant\r\ncat\r\ndog\r\nemu\r\n")
        << "the backup holds the first of two saves";
}

TEST(VocabularyStore, FailingSaveKeepsTheFileAndTheList) {
    TempFolder folder;
    folder.Write("vocab.txt", "cat\r\n");
    TPuzzleCore core(folder.Path());
    ASSERT_TRUE(core.LoadVocabulary());
    core.AddVocabularyWord("dog");
    fs::create_directories(folder / "vocab.tmp" / "x");
    EXPECT_THROW(core.SaveVocabulary(), fs::filesystem_error);
    EXPECT_EQ(folder.Read("vocab.txt"), "cat\r\n");
    EXPECT_EQ(core.Vocabulary, (Lines{"cat", "dog"}));
}

TEST(VocabularyStore, HugeFiles) {
    TempFolder folder;
    // Half a million lines in reverse order, and one line of ten million letters.
    std::string text;
    for (int i = 500'000; i > 0; --i) {
        text += "w" + std::to_string(i) + "\n";
    }
    text += std::string(10'000'000, 'q');
    folder.Write("vocab.txt", text);
    TPuzzleCore core(folder.Path());
    ASSERT_TRUE(core.LoadVocabulary());
    EXPECT_EQ(core.Vocabulary.size(), 500'001u);
    EXPECT_EQ(core.Vocabulary.front(), std::string(10'000'000, 'q'));
    EXPECT_TRUE(core.IsInVocabulary("W250000"));
}
} // namespace
