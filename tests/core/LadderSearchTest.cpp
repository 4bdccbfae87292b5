#include "core/LadderSearch.h"
#include "core/StepActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <iterator>
#include <random>
#include <set>
#include <tuple>

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
        const std::string& word = words[id];
        const std::string& hint = puzzle.HintOf(row);
        if ((row == puzzle.Rows() && word != puzzle.End) || (!hint.empty() && word != hint) ||
            !IsValidStep(puzzle.Codes[static_cast<size_t>(row - 2)],
                         words[static_cast<size_t>(path.back())], word)) {
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
    EXPECT_EQ(index.Find("AEs"), index.Find("aes"));
    EXPECT_EQ(index.Find("toolonger"), -1);

    // Every word's plain neighbours by any action, for the shortest ladders below. (The index's
    // own lists are checked through the searches, which walk them both ways.)
    std::vector<std::vector<WordId>> neighbours(words.size());
    for (size_t from = 0; from < words.size(); ++from) {
        for (size_t to = 0; to < words.size(); ++to) {
            if (std::ranges::any_of(
                    ActionCodes, [&](char c) { return IsValidStep(c, words[from], words[to]); })) {
                neighbours[from].push_back(static_cast<WordId>(to));
            }
        }
    }
    EXPECT_TRUE(index.Next(0, 'a').empty());

    int solved = 0;
    for (int trial = 0; trial < 150; ++trial) {
        // A random walk gives the codes; its last word is the end word in most trials.
        TLadderPuzzle puzzle;
        puzzle.Start = words[random() % words.size()];
        std::string last = puzzle.Start;
        for (int step = 0, steps = 1 + static_cast<int>(random() % 5); step < steps; ++step) {
            const char code = ActionCodes[random() % ActionCodes.size()];
            std::vector<std::string> options;
            std::copy_if(words.begin(), words.end(), std::back_inserter(options),
                         [&](const std::string& w) { return IsValidStep(code, last, w); });
            if (!options.empty()) {
                last = options[random() % options.size()];
                puzzle.Codes += code;
            }
        }
        puzzle.End = trial % 5 == 0 ? words[random() % words.size()] : last;
        puzzle.Hints.assign(static_cast<size_t>(puzzle.Rows()) + 1, "");
        std::vector<WordId> path = {index.Find(puzzle.Start)};
        std::vector<std::vector<WordId>> plain;
        Enumerate(words, puzzle, path, plain);
        if (puzzle.Rows() > 3 && !plain.empty() && trial % 2 == 0) {
            // Hint a row of some solution, sometimes a word that breaks every solution.
            const auto& some = plain[random() % plain.size()];
            const int row = 2 + static_cast<int>(random() % (puzzle.Rows() - 2));
            puzzle.Hints[static_cast<size_t>(row)] =
                trial % 3 == 0 ? "tttt"
                               : words[static_cast<size_t>(some[static_cast<size_t>(row - 1)])];
            plain.clear();
            Enumerate(words, puzzle, path, plain);
        }

        const TLadderSolutions found = SolvePuzzle(index, puzzle, 1'000'000, 7);
        std::vector<std::set<WordId>> used(static_cast<size_t>(puzzle.Rows()));
        for (const auto& ladder : plain) {
            for (size_t k = 0; k < ladder.size(); ++k) {
                used[k].insert(ladder[k]);
            }
        }
        std::vector<std::vector<WordId>> rowWords;
        for (const std::set<WordId>& row : used) {
            rowWords.emplace_back(row.begin(), row.end());
        }
        const std::string name = puzzle.Start + " " + puzzle.Codes + " " + puzzle.End;
        ASSERT_EQ(std::tuple(found.Count, found.Ladders, found.RowWords),
                  std::tuple(
                      plain.size(),
                      std::vector(plain.begin(), plain.begin() + std::min<size_t>(7, plain.size())),
                      rowWords))
            << name;
        EXPECT_EQ(SolvePuzzle(index, puzzle, 2, 0).Count, std::min<size_t>(2, plain.size()))
            << "counted up to the cap";
        solved += plain.empty() ? 0 : 1;

        // The shortest ladder from the start: as long as the plain breadth-first search finds,
        // each step by the first action that makes it.
        std::vector<size_t> distance(words.size(), 0);
        std::deque<WordId> queue = {path[0]};
        for (distance[static_cast<size_t>(path[0])] = 1; !queue.empty(); queue.pop_front()) {
            for (const WordId next : neighbours[static_cast<size_t>(queue.front())]) {
                if (distance[static_cast<size_t>(next)] == 0) {
                    distance[static_cast<size_t>(next)] =
                        distance[static_cast<size_t>(queue.front())] + 1;
                    queue.push_back(next);
                }
            }
        }
        const WordId to = index.Find(puzzle.End);
        const std::vector<TLadderStep> ladder = ShortestLadder(index, path[0], to);
        ASSERT_EQ(ladder.size(), distance[static_cast<size_t>(to)]) << name;
        for (size_t k = 1; k < ladder.size(); ++k) {
            const std::string& before = index.Word(ladder[k - 1].Word);
            const std::string& after = index.Word(ladder[k].Word);
            const char first = *std::ranges::find_if(
                ActionCodes, [&](char c) { return IsValidStep(c, before, after); });
            EXPECT_EQ(ladder[k].Code, first) << before << " " << after;
        }
    }
    EXPECT_GT(solved, 80) << "enough of the random puzzles have solutions";
}

// A puzzle read from its file lines, and the searches where nothing can be found.
TEST(LadderSearch, PuzzlesFromFileLinesAndImpossibleOnes) {
    const TLadderPuzzle puzzle =
        TLadderPuzzle::FromLines("CAT", "Dog", "ccc", "2=cot,x=no,3=DOT,9=far,=a,5");
    EXPECT_EQ(
        std::tuple(puzzle.Start, puzzle.End, puzzle.Codes, puzzle.Hints, puzzle.HintOf(7)),
        std::tuple("cat", "dog", "CCC", std::vector<std::string>{"", "", "cot", "dot", ""}, ""));
    const TStepIndex index({"cat", "cot", "dot", "dog", "cog"});
    EXPECT_EQ(SolvePuzzle(index, puzzle, 10, 10).Count, 1u);
    for (const char* codes : {"ccq", ""}) {
        const TLadderPuzzle none = TLadderPuzzle::FromLines("cat", "dog", codes, "");
        EXPECT_EQ(SolvePuzzle(index, none, 10, 10).Count, 0u) << "unknown code or no step";
    }
    EXPECT_TRUE(ShortestLadder(TStepIndex({"cat", "dog"}), 0, 1).empty());
    EXPECT_EQ(ShortestLadder(index, 0, 0).size(), 1u);
}
} // namespace
