#include "core/PuzzleCore.h"

#include "core/BoardKit.h"
#include "core/VocabularyList.h"
#include "fakes/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::vector<std::string> Words = {"a",   "at",  "bag", "bat", "big", "cat", "cog",
                                        "cot", "dig", "dog", "hat", "hog", "hot", "cart"};

// A core with one puzzle on the board that counts the rows the solver shows and can stop or
// fail after a number of them.
class SolvingCore : public TPuzzleCore {
  public:
    SolvingCore(const char* start, const char* end, const char* codes, const char* hints) {
        Vocabulary = BuildVocabularyList(Words);
        PuzzleLines = {{start, 0}, {end, 0}, {codes, 0}, {hints, 0}};
        PuzzleCount = 1;
        CurrentPuzzle = 1;
        Actions = " " + PuzzleField(1, 2);
        RowCount = static_cast<int32_t>(Actions.size());
        Rows[1] = PuzzleField(1, 0);
        Rows[static_cast<size_t>(RowCount)] = PuzzleField(1, 1);
        for (int r = 2; r < RowCount; ++r) {
            Rows[static_cast<size_t>(r)].assign(static_cast<size_t>(RowLength(r)), ' ');
        }
    }
    int shownRows = 0;
    int stopAfter = -1;
    int failAfter = -1;

  protected:
    bool SolverStopped() const override {
        return TPuzzleCore::SolverStopped() || (stopAfter >= 0 && shownRows >= stopAfter);
    }
    void ShowSolverRow(int) override {
        ++shownRows;
        if (shownRows == failAfter) {
            throw std::runtime_error("drawing failed");
        }
    }
};

// Every outcome of a search, read from the board: found (with and without hints), exhausted,
// blocked by a hint, a length without words, a puzzle with nothing to fill, stopped half-way.
TEST(LadderSolver, Searches) {
    FakeUserInterface ui;
    const std::tuple<const char*, const char*, const char*, const char*, int, const char*> cases[] =
        {
            {"cat", "dog", "ccc", "2=cot", -1, "CAT/COT/COG/DOG"},
            {"bag", "dog", "ccc", "", -1, "BAG/BIG/DIG/DOG"},
            {"cat", "dog", "cc", "", -1, "CAT/   /DOG"},
            {"cat", "dog", "ccc", "2=hog", -1, "CAT/   /   /DOG"},
            {"cat", "dog", "ccc", "3=hot", -1, "CAT/   /HOT/DOG"}, // a hint stays
            {"hat", "bat", "ar", "", -1, "HAT/    /BAT"},
            {"cat", "cot", "c", "", -1, "CAT/COT"},
            {"cat", "dog", "ccc", "", 1, "CAT/   /   /DOG"},
            {"cat", "dog", "ccc", "2=cot", 1, "CAT/COT/   /DOG"},
        };
    for (const auto& [start, end, codes, hints, stopAfter, ladder] : cases) {
        SolvingCore core(start, end, codes, hints);
        core.stopAfter = stopAfter;
        core.SolveLadder();
        EXPECT_EQ(BoardRows(core), ladder) << start << " " << codes << " " << hints;
        EXPECT_TRUE(core.IsInVocabulary("hog")) << "lookups work again";
        // 2 words of 1 and 2 letters, 11 of 3, 1 of 4.
        EXPECT_EQ(core.LengthIndex, (std::array<int32_t, 9>{0, 0, 1, 2, 13, 14, 14, 14, 14}));
        EXPECT_EQ(core.Vocabulary, BuildVocabularyList(Words)) << "back in its own order";
    }

    SolvingCore blocked("cat", "dog", "ccc", "2=hog");
    blocked.SolveLadder();
    EXPECT_EQ(blocked.shownRows, 0) << "a blocking hint tries no other word";
    SolvingCore aborted("cat", "dog", "ccc", "");
    aborted.SolverAbort = true;
    aborted.SolveLadder();
    EXPECT_EQ(aborted.shownRows, 0);
}

// A fault during the search still puts the vocabulary back in order before it goes on.
TEST(LadderSolver, FaultRestoresTheVocabulary) {
    SolvingCore core("cat", "dog", "ccc", "");
    core.failAfter = 3;
    EXPECT_THROW(core.SolveLadder(), std::runtime_error);
    EXPECT_EQ(core.Vocabulary, BuildVocabularyList(Words));
    EXPECT_TRUE(core.IsInVocabulary("dog"));
}

} // namespace
