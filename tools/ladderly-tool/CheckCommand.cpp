// ladderly-tool check: the rules the shipped vocabulary and puzzles follow, with the figures of
// the collection.

#include "Commands.h"
#include "DesignData.h"

#include "Difficulty.h"
#include "PuzzleRules.h"
#include "WordLists.h"
#include "core/StepActions.h"

#include <cstdio>
#include <iostream>
#include <map>

namespace {
constexpr std::string_view Help =
    "usage: ladderly-tool check DIR [--scowl FOLDER]\n"
    "\n"
    "Checks DIR/vocab.txt and DIR/puzzle.txt against the rules of the shipped data and prints\n"
    "each violation on one line with the puzzle's number and words, then the collection's\n"
    "figures. Common words are those make-data takes from the scowl lists in FOLDER\n"
    "(/usr/share/dict/scowl unless given). Exits 1 when a rule is broken.\n"
    "\n"
    "The vocabulary holds no denied word, and every word of it on a list of bad words has a\n"
    "decision. The collection has at least 500 puzzles, most of them of 4 to 7 rows, every\n"
    "action is used by at least 60 of them and at least 100 have a themed pair of start and\n"
    "end words. In game order the first puzzle uses change steps only, each action is first\n"
    "met in a puzzle whose other steps use actions met before, all six within the first 30,\n"
    "and difficulty rises: its rank correlation with the position is at least 0.5 among the\n"
    "puzzles of each row count (with 5 puzzles or more) and 0.7 over all. Each puzzle, judged\n"
    "with the whole vocabulary:\n"
    "  - has 3 to 10 rows, none shorter than 3 letters unless the start or end word is;\n"
    "  - has 1 to 5 solutions under its action codes and hints, none repeating a word, and at\n"
    "    most 30 without the hints, none stepping between two spellings of a word;\n"
    "  - has no ladder between its start and end words with any actions shorter than 3 rows\n"
    "    or more than one step shorter than the puzzle;\n"
    "  - has a hint when it has 5 rows or more; no hint next to the start, the end or another\n"
    "    hint, and none on a row every solution would share without it;\n"
    "  - shows only common words as start, end and hints, and some solution has only common\n"
    "    words;\n"
    "  - shows and forces no decided or listed word and no spelling of one side of the ocean.\n";

std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

template <typename Map> std::string Figures(const Map& counts) {
    std::string text;
    for (const auto& [key, count] : counts) {
        text += "  " + std::to_string(key) + ": " + std::to_string(count);
    }
    return text;
}
} // namespace

int CheckCommand(const std::vector<std::string>& arguments, std::istream&, std::ostream& out,
                 std::ostream& err) {
    std::vector<std::string> args = arguments;
    if (IsHelp(args)) {
        out << Help;
        return 0;
    }
    std::filesystem::path scowl = "/usr/share/dict/scowl";
    if (args.size() == 3 && args[1] == "--scowl") {
        scowl = args[2];
        args.resize(1);
    }
    if (args.size() != 1) {
        err << Help;
        return 2;
    }
    const TDesignData data = LoadDesignData(args[0], true);
    const std::vector<std::string> commonList = ReadCommonWords(scowl);
    const std::set<std::string> common(commonList.begin(), commonList.end());
    const TRegionalWords regional = ReadRegionalWords(scowl);
    const TPuzzleRuleWords words{*data.Index, common, regional};
    std::vector<bool> familiar(data.Index->Size(), false);
    for (const std::string& word : ReadScowlWords(scowl, FamiliarLevel)) {
        if (const TStepIndex::WordId id = data.Index->Find(word); id >= 0) {
            familiar[static_cast<size_t>(id)] = true;
        }
    }

    int problems = 0;
    const auto report = [&](const std::string& text) {
        out << text << '\n';
        ++problems;
    };
    int listed = 0;
    for (const std::string& word : data.Vocabulary) {
        if (WordDecisions().Denies(word)) {
            report("vocabulary: " + word + " is denied");
        } else if (ListedWords().contains(word)) {
            ++listed;
            if (!WordDecisions().Decides(word)) {
                report("vocabulary: " + word + " is a listed word without a decision");
            }
        }
    }
    std::map<std::string, int> perRelation;
    std::vector<double> difficulty;
    std::map<int, int> perRows;
    std::map<char, int> perAction;
    std::map<uint64_t, int> perSolutions;
    std::map<int, int> perHints;
    int middle = 0;
    for (size_t n = 1; n <= data.Puzzles.size(); ++n) {
        const TLadderPuzzle& puzzle = data.Puzzles[n - 1];
        for (const std::string& problem : PuzzleProblems(words, puzzle)) {
            report(PuzzleName(n, puzzle) + ": " + problem);
        }
        ++perRows[puzzle.Rows()];
        middle += puzzle.Rows() >= 4 && puzzle.Rows() <= 7 ? 1 : 0;
        for (const char code : ActionCodes) {
            perAction[code] += puzzle.Codes.find(code) != std::string::npos ? 1 : 0;
        }
        ++perSolutions[SolvePuzzle(*data.Index, puzzle, MaxSolutions + 1, 0).Count];
        int hints = 0;
        for (int row = 1; row <= puzzle.Rows(); ++row) {
            hints += puzzle.HintOf(row).empty() ? 0 : 1;
        }
        ++perHints[hints];
        difficulty.push_back(PuzzleDifficulty(*data.Index, familiar, puzzle));
        if (const TThemedPair* pair = FindThemedPair(puzzle.Start, puzzle.End)) {
            ++perRelation[pair->Relation];
        }
    }
    for (const std::string& problem : GentleStartProblems(data.Puzzles)) {
        report("collection: " + problem);
    }
    const TDifficultyCurve curve = DifficultyCurve(data.Puzzles, difficulty);
    for (const auto& [rows, correlation] : curve.ByRows) {
        if (correlation < MinGroupCorrelation) {
            report("collection: difficulty of the " + std::to_string(rows) +
                   "-row puzzles rises with a rank correlation of only " + Fixed(correlation));
        }
    }
    if (curve.Overall < MinOverallCorrelation) {
        report("collection: difficulty rises with a rank correlation of only " +
               Fixed(curve.Overall));
    }
    int themed = 0;
    for (const auto& [relation, count] : perRelation) {
        themed += count;
    }
    if (themed < MinThemedPuzzles) {
        report("collection: only " + std::to_string(themed) + " puzzles with a themed pair");
    }
    const auto puzzles = static_cast<int>(data.Puzzles.size());
    if (puzzles < MinPuzzles) {
        report("collection: " + std::to_string(puzzles) + " puzzles, fewer than " +
               std::to_string(MinPuzzles));
    }
    if (2 * middle <= puzzles) {
        report("collection: only " + std::to_string(middle) + " puzzles of 4 to 7 rows");
    }
    for (const auto& [code, count] : perAction) {
        if (count < MinPuzzlesPerAction) {
            report("collection: action " + std::string(1, code) + " in only " +
                   std::to_string(count) + " puzzles");
        }
    }
    out << puzzles << " puzzles, " << problems << " problems\n";
    out << "puzzles per row count:" << Figures(perRows) << '\n';
    out << "puzzles per action:";
    for (const auto& [code, count] : perAction) {
        out << "  " << code << ": " << count;
    }
    out << "\npuzzles per number of solutions:" << Figures(perSolutions) << '\n';
    out << "puzzles per number of hints:" << Figures(perHints) << '\n';
    out << "difficulty rank correlation with position:  all: " << Fixed(curve.Overall);
    for (const auto& [rows, correlation] : curve.ByRows) {
        out << "  " << rows << " rows: " << Fixed(correlation);
    }
    out << "\nthemed puzzles: " << themed;
    for (const auto& [relation, count] : perRelation) {
        out << "  " << relation << ": " << count;
    }
    out << "\ndecided words: " << WordDecisions().Denied().size() << " denied, "
        << WordDecisions().Kept().size() << " kept; " << listed
        << " vocabulary words on the lists of bad words\n";
    return problems == 0 ? 0 : 1;
}
