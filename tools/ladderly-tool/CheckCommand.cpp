// ladderly-tool check: the rules the shipped vocabulary and puzzles follow, with the figures of
// the collection.

#include "Commands.h"
#include "DesignData.h"

#include "PuzzleRules.h"
#include "WordLists.h"
#include "core/StepActions.h"

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
    "The vocabulary holds no word of the deny list. The collection has at least 500 puzzles,\n"
    "most of them of 4 to 7 rows, and every action is used by at least 60 of them. Each\n"
    "puzzle, judged with the whole vocabulary:\n"
    "  - has 3 to 10 rows, none shorter than 3 letters unless the start or end word is;\n"
    "  - has 1 to 5 solutions under its action codes and hints, none repeating a word;\n"
    "  - has no ladder between its start and end words with any actions that is more than\n"
    "    one step shorter;\n"
    "  - has a hint when it has 5 rows or more; no hint next to the start, the end or another\n"
    "    hint, and none on a row every solution would share without it;\n"
    "  - shows only common words as start, end and hints, and some solution has only common\n"
    "    words.\n";

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
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
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
    const TPuzzleRuleWords words{*data.Index, common};

    int problems = 0;
    const auto report = [&](const std::string& text) {
        out << text << '\n';
        ++problems;
    };
    for (const std::string& word : data.Vocabulary) {
        if (DeniedWords().Contains(word)) {
            report("vocabulary: " + word + " is denied");
        }
    }
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
    return problems == 0 ? 0 : 1;
}
