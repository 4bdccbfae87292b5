#include "core/LadderSearch.h"
#include "core/PuzzleCore.h"
#include "core/StepActions.h"

#include "core/BoardKit.h"
#include "core/VocabularyList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <tuple>

namespace {

const std::vector<std::string> Words = {"a",   "at",  "bag", "bat", "big", "cat", "cog",
                                        "cot", "dig", "dog", "hat", "hog", "hot", "cart"};

// A core that counts the rows the solver shows (stopping or failing after a number of them),
// and records what it was asked to show after each check.
class RecordingCore : public TPuzzleCore {
  public:
    using TPuzzleCore::TPuzzleCore;
    // One puzzle on the board.
    RecordingCore(const char* start, const char* end, const char* codes, const char* hints) {
        Vocabulary = BuildVocabularyList(Words);
        SetOnePuzzle(*this, start, end, codes, hints);
        LoadPuzzle(1);
    }
    std::string Statuses() const {
        std::string text;
        for (int r = 1; r <= RowCount; ++r) {
            text += static_cast<char>('0' + static_cast<int>(RowStatus[static_cast<size_t>(r)]));
        }
        return text;
    }
    int shownRows = 0;
    int stopAfter = -1;
    int failAfter = -1;
    std::vector<std::string> shown;

  protected:
    bool SolverStopped() const override {
        return TPuzzleCore::SolverStopped() || (stopAfter >= 0 && shownRows >= stopAfter);
    }
    void ShowSolverRow(int) override {
        if (++shownRows == failAfter) {
            throw std::runtime_error("drawing failed");
        }
    }
    void ShowCheckResult(bool newlySolved, bool quiet) override {
        shown.push_back(std::string(newlySolved ? "win" : "no win") + (quiet ? " quiet" : ""));
    }
};

// Every outcome of a search, read from the board: found, exhausted, blocked by a hint, a length
// without words, a puzzle with nothing to fill, stopped half-way, and a fault while it draws.
// (Esc stopping it is the room's.)
TEST(LadderSolver, Searches) {
    const std::tuple<const char*, const char*, const char*, const char*, int, const char*> cases[] =
        {
            {"cat", "dog", "ccc", "2=cot", -1, "CAT/COT/COG/DOG"},
            {"cat", "dog", "cc", "", -1, "CAT/   /DOG"},
            {"cat", "dog", "ccc", "2=hog", -1, "CAT/   /   /DOG"},
            {"cat", "dog", "ccc", "3=hot", -1, "CAT/   /HOT/DOG"}, // a hint stays
            {"hat", "bat", "ar", "", -1, "HAT/    /BAT"},
            {"cat", "cot", "c", "", -1, "CAT/COT"},
            {"cat", "dog", "ccc", "2=cot", 1, "CAT/COT/   /DOG"},
        };
    for (const auto& [start, end, codes, hints, stopAfter, ladder] : cases) {
        RecordingCore core(start, end, codes, hints);
        core.stopAfter = stopAfter;
        core.SolveLadder();
        EXPECT_EQ(BoardRows(core), ladder) << start << " " << codes << " " << hints;
        // Lookups work again, the list back in its own order.
        EXPECT_TRUE(core.IsInVocabulary("hog") && core.Vocabulary == BuildVocabularyList(Words));
        EXPECT_TRUE(std::string(hints) != "2=hog" || core.shownRows == 0)
            << "a blocking hint tries no other word";
    }
    RecordingCore failing("cat", "dog", "ccc", "");
    failing.failAfter = 3;
    EXPECT_THROW(failing.SolveLadder(), std::runtime_error);
    EXPECT_EQ(failing.Vocabulary, BuildVocabularyList(Words)) << "a fault puts it back in order";
}

// Each row judged: blanks first, then the vocabulary, then the step from a row above that is
// complete (even when that row is unknown or badly stepped).
TEST(SolutionCheck, RowStatusTable) {
    FakeUserInterface ui;
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"CAT/COT/COG/DOG", "CCC", "4444"}, {"CAT/C T/COG/DOG", "CCC", "4344"},
        {"CAT/CXT/COG/DOG", "CCC", "4124"}, {"CAT/DOG/COG/DOG", "CCC", "4244"},
        {"CAT/COT/COG/DOG", "CXC", "4424"}, {"CAT/   /   /DOG", "CCC", "4334"},
    };
    for (const auto& [rows, codes, statuses] : cases) {
        RecordingCore core("cat", "dog", "", "");
        SetBoard(core, rows, codes);
        const bool ok = statuses.find_first_not_of('4') == std::string::npos;
        // A quiet check shows no marks; the win starts once.
        const bool result = core.CheckSolution(true);
        EXPECT_EQ(std::tuple(result, core.Solved, core.ShowMarks, core.Statuses()),
                  std::tuple(ok, ok, false, statuses))
            << rows << " " << codes;
        core.CheckSolution(false);
        EXPECT_EQ(
            std::tuple(core.ShowMarks, core.shown),
            std::tuple(!ok, std::vector<std::string>{ok ? "win quiet" : "no win quiet", "no win"}));
    }
    EXPECT_TRUE(ui.boxes.empty()) << "play mode never asks";
}

// In edit mode nothing is ever solved, and a loud check offers the unknown words: repeated
// words listed twice, added once, and the vocabulary saved.
TEST(SolutionCheck, EditModeOffersUnknownWords) {
    TempFolder folder;
    FakeUserInterface ui;
    RecordingCore core(folder.Path());
    core.Vocabulary = BuildVocabularyList({"cat", "dog"});
    core.EditMode = true;
    SetBoard(core, "CAT/CXT/CXT/DOG", "CCC");
    EXPECT_TRUE(!core.CheckSolution(true) && ui.boxes.empty());
    ui.Answer(MessageBoxResult::No);
    EXPECT_FALSE(core.CheckSolution(false));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Your solution uses words that are not in the Ladderly vocabulary:\r\n\r\n"
              "CXT CXT\r\n\r\nWould you like these words to be added?");
    EXPECT_TRUE(core.Statuses() == "4112" && !core.IsInVocabulary("cxt"));

    ui.Answer(MessageBoxResult::Yes);
    EXPECT_FALSE(core.CheckSolution(false) || core.Solved) << "the result stays false";
    // Known now, a word is judged by its step.
    EXPECT_EQ(core.Statuses() + " " + folder.Read("vocab.txt"), "4422 cat\r\ncxt\r\ndog\r\n");
}

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
