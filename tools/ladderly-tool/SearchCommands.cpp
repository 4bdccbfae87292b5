// ladderly-tool solve, ladder and suggest: a designer's searches over a data folder.

#include "Commands.h"
#include "DesignData.h"

#include "base/Util.h"
#include "core/Suggestions.h"

#include <charconv>
#include <iostream>

namespace {
constexpr uint64_t SolutionCap = 1000;

constexpr std::string_view SolveHelp =
    "usage: ladderly-tool solve DIR [N...]\n"
    "\n"
    "Solves puzzles of DIR/puzzle.txt (all, or those numbered N, numbered as the game numbers\n"
    "them) with the words of DIR/vocab.txt, under each puzzle's action codes and hints, as the\n"
    "game's solver would. Prints per puzzle the number of solutions (counted up to 1000) and\n"
    "the first solution in alphabetical order. Exits 1 when a puzzle has no solution.\n";

constexpr std::string_view LadderHelp =
    "usage: ladderly-tool ladder [-d DIR] FROM TO\n"
    "\n"
    "Prints a shortest ladder from FROM to TO with any actions, through the words of\n"
    "DIR/vocab.txt (DIR is data unless given): one row per line, each after the code that\n"
    "leads to it, then the action line. Exits 1 when there is no ladder.\n";

constexpr std::string_view SuggestHelp =
    "usage: ladderly-tool suggest [-d DIR] WORD\n"
    "\n"
    "Prints the game's suggestion listing for WORD: every word of DIR/vocab.txt (DIR is data\n"
    "unless given) one step away, grouped by action.\n";

std::string Rows(const TStepIndex& index, const std::vector<TStepIndex::WordId>& ladder) {
    std::string text;
    for (const TStepIndex::WordId id : ladder) {
        text += (text.empty() ? "" : " ") + UpperCaseASCII(index.Word(id));
    }
    return text;
}
} // namespace

int SolveCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out,
                 std::ostream& err) {
    if (IsHelp(args)) {
        out << SolveHelp;
        return 0;
    }
    if (args.empty()) {
        err << SolveHelp;
        return 2;
    }
    const TDesignData data = LoadDesignData(args[0], true);
    std::vector<size_t> numbers;
    for (size_t i = 1; i < args.size(); ++i) {
        size_t n = 0;
        const std::string& arg = args[i];
        if (std::from_chars(arg.data(), arg.data() + arg.size(), n).ptr !=
                arg.data() + arg.size() ||
            n < 1 || n > data.Puzzles.size()) {
            err << "ladderly-tool solve: no puzzle " << arg << " (1 to " << data.Puzzles.size()
                << ")\n";
            return 2;
        }
        numbers.push_back(n);
    }
    if (numbers.empty()) {
        for (size_t n = 1; n <= data.Puzzles.size(); ++n) {
            numbers.push_back(n);
        }
    }
    int status = 0;
    for (const size_t n : numbers) {
        const TLadderPuzzle& puzzle = data.Puzzles[n - 1];
        const TLadderSolutions solutions = SolvePuzzle(*data.Index, puzzle, SolutionCap, 1);
        out << PuzzleName(n, puzzle) << ": ";
        if (solutions.Count == 0) {
            out << "no solution\n";
            status = 1;
            continue;
        }
        out << solutions.Count << (solutions.Count >= SolutionCap ? " or more" : "")
            << (solutions.Count == 1 ? " solution: " : " solutions: ")
            << Rows(*data.Index, solutions.Ladders.front()) << '\n';
    }
    return status;
}

int LadderCommand(const std::vector<std::string>& arguments, std::istream&, std::ostream& out,
                  std::ostream& err) {
    std::vector<std::string> args = arguments;
    if (IsHelp(args)) {
        out << LadderHelp;
        return 0;
    }
    const std::filesystem::path folder = TakeDataFolder(args);
    if (args.size() != 2) {
        err << LadderHelp;
        return 2;
    }
    const TDesignData data = LoadDesignData(folder, false);
    const TStepIndex& index = *data.Index;
    for (const std::string& word : args) {
        if (index.Find(word) < 0) {
            out << UpperCaseASCII(word) << " is not in the vocabulary.\n";
            return 1;
        }
    }
    const std::vector<TLadderStep> ladder =
        ShortestLadder(index, index.Find(args[0]), index.Find(args[1]));
    if (ladder.empty()) {
        out << "No ladder leads from " << UpperCaseASCII(args[0]) << " to "
            << UpperCaseASCII(args[1]) << ".\n";
        return 1;
    }
    std::string codes;
    for (const TLadderStep& step : ladder) {
        out << step.Code << ' ' << UpperCaseASCII(index.Word(step.Word)) << '\n';
        if (step.Code != ' ') {
            codes += step.Code;
        }
    }
    out << ladder.size() << " rows, actions " << codes << '\n';
    return 0;
}

int SuggestCommand(const std::vector<std::string>& arguments, std::istream&, std::ostream& out,
                   std::ostream& err) {
    std::vector<std::string> args = arguments;
    if (IsHelp(args)) {
        out << SuggestHelp;
        return 0;
    }
    const std::filesystem::path folder = TakeDataFolder(args);
    if (args.size() != 1) {
        err << SuggestHelp;
        return 2;
    }
    const std::string listing =
        SuggestionListing(LoadDesignData(folder, false).Vocabulary, args[0]);
    for (const char c : listing) {
        if (c != '\r') {
            out << c;
        }
    }
    out << '\n';
    return 0;
}
