#include "core/PuzzleCore.h"

#include "core/BoardKit.h"
#include "core/VocabularyList.h"

#include <gtest/gtest.h>

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

} // namespace
