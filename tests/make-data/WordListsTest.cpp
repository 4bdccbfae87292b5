#include "WordLists.h"

#include "core/TextFile.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
// No denied stem, none of its forms and no stray letter is in the vocabulary we ship.
TEST(WordLists, ShippedVocabularyIsClean) {
    const std::vector<std::string> vocabulary =
        ReadTextLines(std::filesystem::path(LADDERLY_SOURCE_DIR) / "data" / "vocab.txt");
    ASSERT_GT(vocabulary.size(), 20'000u);
    const std::set<std::string> shipped(vocabulary.begin(), vocabulary.end());
    ASSERT_GT(DeniedWords().Entries().size(), 50u);
    for (const std::vector<std::string>& entry : DeniedWords().Entries()) {
        for (const std::string& form : entry) {
            EXPECT_TRUE(DeniedWords().Contains(form)) << form;
        }
    }
    for (const std::string& word : DeniedWords().Words()) {
        EXPECT_FALSE(shipped.contains(word)) << word;
    }
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        EXPECT_EQ(shipped.contains(std::string(1, letter)), letter == 'a' || letter == 'i');
        EXPECT_EQ(shipped.contains(std::string(1, letter) + "s"),
                  letter == 'a' || letter == 'i' || letter == 'u')
            << letter;
    }
    for (const char* word : {"colour", "centre", "spicy", "honking"}) {
        EXPECT_TRUE(shipped.contains(word)) << word;
    }
}

TEST(WordLists, StemListsAndScowlLists) {
    const TStemList list("# comment\n\nhussy hussies\nwhore\nspic\n+spicy\n");
    ASSERT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(list.Entries()[0], (std::vector<std::string>{"hussy", "hussies"}));
    for (const char* word : {"hussy", "hussies", "whore", "whores", "whoring", "whored", "spic",
                             "spics", "spiced", "spicing", "spicier"}) {
        EXPECT_TRUE(list.Contains(word)) << word;
    }
    for (const char* word : {"spicy", "comment", "hus", "whor"}) {
        EXPECT_FALSE(list.Contains(word)) << word;
    }

    TempFolder scowl;
    scowl.Write("english-words.10", "a\nb\ni\ncat\ncs\nus\nColour\nfuck\ntoolongword\ntart\n");
    scowl.Write("american-words.10", "color\n");
    scowl.Write("british-words.10", "colour\n");
    scowl.Write("english-words.20", "dog\nsic\n");
    scowl.Write("american-words.20", "");
    scowl.Write("british-words.20", "centre\n");
    scowl.Write("english-words.35", "rare\n");
    EXPECT_EQ(ReadScowlWords(scowl.Path(), 20),
              (std::vector<std::string>{"a", "cat", "centre", "color", "colour", "dog", "i", "sic",
                                        "tart", "us"}));
    EXPECT_EQ(
        ReadCommonWords(scowl.Path()),
        (std::vector<std::string>{"a", "cat", "centre", "color", "colour", "dog", "i", "us"}));
    EXPECT_THROW(ReadScowlWords(scowl.Path(), 35), std::runtime_error);
}
} // namespace
