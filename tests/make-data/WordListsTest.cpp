#include "WordLists.h"
#include "Difficulty.h"

#include "base/TextFile.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
// No stray letter is in the vocabulary we ship, and the words the decisions keep are in it
// (denied words and listed words without a decision are the shipped data check's).
TEST(WordLists, ShippedVocabularyIsClean) {
    const std::vector<std::string> vocabulary =
        ReadTextLines(std::filesystem::path(LADDERLY_SOURCE_DIR) / "data" / "vocab.txt");
    ASSERT_GT(vocabulary.size(), 20'000u);
    const std::set<std::string> shipped(vocabulary.begin(), vocabulary.end());
    std::string found;
    for (const std::string word : {"a", "b", "i", "o", "x", "as", "is", "us", "bs", "ts", "colour",
                                   "color", "spicy", "honking", "cock", "whorl"}) {
        found += shipped.contains(word) ? word + " " : "";
    }
    EXPECT_EQ(found, "a i as is us colour color spicy honking cock whorl ");
}

TEST(WordLists, DecisionsPairsAndJson) {
    const TWordDecisions decisions("# comment\n\ndeny hussy hussies\ndeny whore* whorish\n"
                                   "deny spic*\nkeep spicy: full of spice\n");
    std::string denied;
    for (const std::string word :
         {"hussy", "hussies", "whore", "whores", "whoring", "whorish", "spic", "spics", "spicing",
          "spicy", "comment", "hus", "whorl", "deny", "keep"}) {
        denied += decisions.Denies(word) ? word + " " : "";
    }
    EXPECT_EQ(denied, "hussy hussies whore whores whoring whorish spic spics spicing ");
    EXPECT_TRUE(decisions.Decides("spicy") && decisions.Kept().at("spicy") == "full of spice");
    for (const char* bad : {"keep spicy full of spice\n", "keep spicy:\n", "allow word\n"}) {
        EXPECT_THROW(TWordDecisions{bad}, std::runtime_error) << bad;
    }

    const std::vector<TThemedPair> pairs = ParseThemedPairs("# c\nhot cold opposites\n\n");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].Relation, "opposites");
    for (const char* bad : {"hot cold\n", "hot cold similar\n", "hot cold opposites x\n"}) {
        EXPECT_THROW(ParseThemedPairs(bad), std::runtime_error) << bad;
    }
    EXPECT_EQ(JsonStrings("[\n  \"a b\",\n  \"l3i\\\\+ch\", \"\\\"q\"\n]"),
              (std::vector<std::string>{"a b", "l3i\\+ch", "\"q"}));
}

TEST(WordLists, ScowlLists) {
    TempFolder scowl;
    scowl.Write("english-words.10", "a\nb\ni\ncat\ncs\nus\nColour\nfuck\ntoolongword\ntart\n");
    scowl.Write("american-words.10", "color\n");
    scowl.Write("british-words.10", "colour\n");
    scowl.Write("english-words.20", "dog\nsic\n");
    scowl.Write("american-words.20", "gray\nrealize\n");
    scowl.Write("british-words.20", "centre\ngrey\nrealize\n");
    scowl.Write("english-words.35", "rare\n");
    scowl.Write("american-words.70", "center\n");
    EXPECT_EQ(ReadScowlWords(scowl.Path(), 20),
              (std::vector<std::string>{"a", "cat", "centre", "color", "colour", "dog", "gray",
                                        "grey", "i", "realize", "sic", "tart", "us"}));
    EXPECT_EQ(ReadCommonWords(scowl.Path()),
              (std::vector<std::string>{"a", "cat", "centre", "color", "colour", "dog", "gray",
                                        "grey", "i", "realize", "us"}));
    EXPECT_THROW(ReadScowlWords(scowl.Path(), 35), std::runtime_error);

    const TRegionalWords regional = ReadRegionalWords(scowl.Path());
    EXPECT_EQ(regional.American, (std::set<std::string>{"center", "color", "gray"}));
    EXPECT_EQ(regional.British, (std::set<std::string>{"centre", "colour", "grey"}));
    EXPECT_TRUE(regional.AcrossSides("centre", "center") && !regional.AcrossSides("color", "gray"));
    std::string fit;
    for (const std::string word : {"cat", "grey", "cock", "naked", "tart", "gonna"}) {
        fit += IsBoardFit(word, regional) ? word + " " : "";
    }
    EXPECT_EQ(fit, "cat ");
}

TEST(Difficulty, CountsTriesAgainstSolutions) {
    const TStepIndex index({"bat", "cat", "cog", "cot", "cut", "dog", "dot", "hat", "hot"});
    std::vector<bool> familiar(index.Size(), true);
    TLadderPuzzle puzzle = TLadderPuzzle::FromLines("cat", "dog", "ccc", "");
    // Row 2: bat cot cut hat; row 3: 12 ladders, 2 of them (by cog and dot) reach dog.
    EXPECT_DOUBLE_EQ(PuzzleDifficulty(index, familiar, puzzle), std::log10(16.0 / 2.0));
    // With the hint: row 2 cot (1), row 3 cat cog cut dot hot (5); 2 solutions.
    puzzle.Hints[2] = "cot";
    EXPECT_DOUBLE_EQ(PuzzleDifficulty(index, familiar, puzzle), std::log10(6.0 / 2.0));
    familiar[static_cast<size_t>(index.Find("cog"))] = false;
    EXPECT_DOUBLE_EQ(PuzzleDifficulty(index, familiar, puzzle), std::log10(5.0 / 1.0));

    // Ranks, not values; no spread is no correlation.
    EXPECT_DOUBLE_EQ(RankCorrelation({1, 2, 3, 4}, {4, 3, 2, 1}), -1.0);
    EXPECT_DOUBLE_EQ(RankCorrelation({1, 2, 3}, {5, 5, 5}), 0.0);
    EXPECT_NEAR(RankCorrelation({1, 2, 3, 4}, {10, 30, 20, 400}), 0.8, 1e-12);
}

TEST(Difficulty, GentleStart) {
    const auto problems = [](std::vector<std::string> codes) {
        std::vector<TLadderPuzzle> puzzles;
        for (size_t i = 0; i < GentleStart + 5; ++i) {
            puzzles.push_back({"a", "b", i < codes.size() ? codes[i] : "C", {}});
        }
        return GentleStartProblems(puzzles).size();
    };
    EXPECT_EQ(problems({"CC", "CA", "RA", "MC", "SS", "XC"}), 0u);
    EXPECT_EQ(problems({"AA", "CA", "CR", "MC", "SS", "XC"}), 1u); // not change only
    EXPECT_EQ(problems({"CC", "AR", "MC", "SS", "XC"}), 1u);       // two new at once
    EXPECT_EQ(problems({"CC", "CA", "CR", "CM", "CS"}), 1u);       // X never met
    std::vector<std::string> late(GentleStart, "CC");
    late.insert(late.end(), {"CA", "CR", "CM", "CS", "CX"});
    EXPECT_EQ(problems(late), 5u); // each after the first 30
}
} // namespace
