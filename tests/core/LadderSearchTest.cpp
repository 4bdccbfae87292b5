#include "core/LadderSearch.h"
#include "core/StepActions.h"

#include "core/BoardKit.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using WordId = TStepIndex::WordId;

// Short words over four letters: many of them are one step apart by every action.
std::vector<std::string> RandomWords(std::mt19937& random) {
    std::set<std::string> words;
    while (words.size() < 260) {
        std::string word(2 + random() % 4, 'a');
        for (char& letter : word) {
            letter = "aest"[random() % 4];
        }
        words.insert(word);
    }
    return {words.begin(), words.end()};
}

// The solutions found the plain way: every word tried on every row with IsValidStep.
void Enumerate(const std::vector<std::string>& words, const TLadderPuzzle& puzzle,
               std::vector<WordId>& path, std::vector<std::vector<WordId>>& found) {
    const int row = static_cast<int>(path.size()) + 1;
    for (size_t id = 0; id < words.size(); ++id) {
        if ((row == puzzle.Rows() && words[id] != puzzle.End) ||
            !IsValidStep(puzzle.Codes[static_cast<size_t>(row - 2)],
                         words[static_cast<size_t>(path.back())], words[id])) {
            continue;
        }
        path.push_back(static_cast<WordId>(id));
        if (row == puzzle.Rows()) {
            found.push_back(path);
        } else {
            Enumerate(words, puzzle, path, found);
        }
        path.pop_back();
    }
}

// The index and the searches agree with IsValidStep applied to every pair of words.
TEST(LadderSearch, AgreesWithThePlainSearch) {
    std::mt19937 random(5);
    const std::vector<std::string> words = RandomWords(random);
    std::vector<std::string> given = words;
    given.insert(given.end(), {"AES", "aes", "toolonger", "a-b", ""});
    const TStepIndex index(given);
    ASSERT_EQ(index.Size(), words.size()) << "case folded, repeats merged, bad entries left out";
    EXPECT_TRUE(index.Find("AEs") == index.Find("aes") && index.Find("toolonger") == -1 &&
                index.Next(0, 'a').empty());

    int solved = 0;
    for (int trial = 0; trial < 150; ++trial) {
        // A random walk gives the codes; its last word is the end word in most trials.
        TLadderPuzzle puzzle;
        puzzle.Start = words[random() % words.size()];
        std::string last = puzzle.Start;
        for (int step = 0, steps = 1 + static_cast<int>(random() % 5); step < steps; ++step) {
            const char code = ActionCodes[random() % ActionCodes.size()];
            const auto options = index.Next(index.Find(last), code);
            if (!options.empty()) {
                last = index.Word(options[random() % options.size()]);
                puzzle.Codes += code;
            }
        }
        puzzle.End = trial % 5 == 0 ? words[random() % words.size()] : last;
        std::vector<WordId> path = {index.Find(puzzle.Start)};
        std::vector<std::vector<WordId>> plain;
        Enumerate(words, puzzle, path, plain);

        const TLadderSolutions found = SolvePuzzle(index, puzzle, 1'000'000, 7);
        // Each row's words are those some plain solution puts there, in order.
        std::vector<std::set<WordId>> rowWords(static_cast<size_t>(puzzle.Rows()));
        for (const auto& ladder : plain) {
            for (size_t k = 0; k < ladder.size(); ++k) {
                rowWords[k].insert(ladder[k]);
            }
        }
        ASSERT_EQ(std::tuple(found.Count, found.Ladders),
                  std::tuple(plain.size(),
                             std::vector(plain.begin(),
                                         plain.begin() + std::min<size_t>(7, plain.size()))))
            << puzzle.Start << " " << puzzle.Codes << " " << puzzle.End;
        for (size_t k = 0; k < rowWords.size(); ++k) {
            ASSERT_TRUE(std::ranges::equal(found.RowWords[k], rowWords[k]));
        }
        EXPECT_EQ(SolvePuzzle(index, puzzle, 2, 0).Count, std::min<size_t>(2, plain.size()))
            << "counted up to the cap";
        solved += plain.empty() ? 0 : 1;
    }
    EXPECT_GT(solved, 80) << "enough of the random puzzles have solutions";
}

// A puzzle read from its file lines, the searches where nothing can be found (an unknown code,
// no step, hints that break every solution or are no word), and the shortest ladder.
TEST(LadderSearch, PuzzlesFromFileLinesAndImpossibleOnes) {
    const TLadderPuzzle puzzle =
        TLadderPuzzle::FromLines("CAT", "Dog", "ccc", "2=cot,x=no,3=DOT,9=far,=a,5");
    EXPECT_EQ(
        std::tuple(puzzle.Start, puzzle.End, puzzle.Codes, puzzle.Hints, puzzle.HintOf(7)),
        std::tuple("cat", "dog", "CCC", std::vector<std::string>{"", "", "cot", "dot", ""}, ""));
    const TStepIndex index({"cat", "cot", "dot", "dog", "cog"});
    EXPECT_EQ(SolvePuzzle(index, puzzle, 10, 10).Count, 1u);
    for (const auto& [codes, hints] :
         {std::pair{"ccq", ""}, {"", ""}, {"ccc", "2=cog,3=cot"}, {"ccc", "3=zzz"}}) {
        const TLadderPuzzle none = TLadderPuzzle::FromLines("cat", "dog", codes, hints);
        EXPECT_EQ(SolvePuzzle(index, none, 10, 10).Count, 0u) << codes << " " << hints;
    }
    EXPECT_TRUE(ShortestLadder(TStepIndex({"cat", "dog"}), 0, 1).empty());
    EXPECT_EQ(ShortestLadder(index, 0, 0).size(), 1u);
    // The shortest ladder: each step by the first action that makes it (a move before a scramble).
    const TStepIndex anagrams({"ate", "eat", "eta", "tea"});
    const std::vector<TLadderStep> ladder =
        ShortestLadder(anagrams, anagrams.Find("eat"), anagrams.Find("tea"));
    EXPECT_EQ(std::pair(ladder.size(), ladder.back().Code), std::pair(size_t{2}, 'M'));
}

} // namespace
