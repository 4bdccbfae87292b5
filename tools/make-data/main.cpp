// make-data: writes the vocab.txt and puzzle.txt the game ships, from Debian's scowl lists.

#include "PuzzleMaker.h"
#include "PuzzlePicker.h"
#include "WordLists.h"
#include "core/StepActions.h"

#include "base/TextFile.h"
#include "core/PuzzleCore.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace {
constexpr uint32_t Seed = 20261206;
// Candidates made per puzzle wanted, for the picker to choose from.
// Short puzzles are cheap to make and leave the picker more room next to the themed ones.
constexpr int PoolFactor(int rows) {
    return rows <= 5 ? 6 : 4;
}
constexpr int GentleCandidates = 40;

// How many puzzles of each row count: most of 4 to 7 rows.
const std::map<int, int> PuzzlesPerRows = {{3, 40}, {4, 90}, {5, 100}, {6, 100},
                                           {7, 90}, {8, 50}, {9, 45},  {10, 45}};

constexpr std::string_view Help =
    "usage: make-data SCOWL_FOLDER OUTPUT_FOLDER\n"
    "\n"
    "Writes OUTPUT_FOLDER/vocab.txt and OUTPUT_FOLDER/puzzle.txt from Debian's scowl word lists\n"
    "(SCOWL_FOLDER is normally /usr/share/dict/scowl). The same lists give the same files.\n"
    "\n"
    "The vocabulary: the lower-case words of 1 to 7 letters a-z of english-words.NN,\n"
    "american-words.NN and british-words.NN for every size NN up to 60, except\n"
    "  - every word word-decisions.txt denies (slurs, obscenities, internet slang and spelled\n"
    "    informal speech, with their forms, spelling variants and compounds);\n"
    "  - single letters other than \"a\" and \"i\", and the plurals of letters (\"cs\", \"ms\").\n"
    "\n"
    "The puzzles: 40 of 3 rows, 90 of 4, 100 of 5, 100 of 6, 90 of 7, 50 of 8, 45 of 9 and 45\n"
    "of 10, in the order the game sorts them into. Each one, judged with the whole vocabulary:\n"
    "  - its start word, end word and hints, and every row of at least one solution, are common\n"
    "    words: sizes up to 20, of at least 3 letters, without the words of\n"
    "    puzzle-excluded-words.txt (crude words, letter names, abbreviations, rare forms);\n"
    "  - no word it shows or forces (a row every solution fills alike) has a line in\n"
    "    word-decisions.txt, is on naughty-words-en.json or profane-words.json, or is a spelling\n"
    "    of only the American or only the British lists;\n"
    "  - it has 1 to 5 solutions under its action codes and hints, none repeating a word, and\n"
    "    at most 30 without the hints, none stepping between two spellings of a word;\n"
    "  - the shortest ladder between its start and end words with any actions has at least 3\n"
    "    rows and at most one row fewer than the puzzle;\n"
    "  - puzzles of 5 rows or more have hints, on middle rows only: never next to the start,\n"
    "    the end or another hint, and never on a row every solution would share anyway.\n"
    "\n"
    "The collection is picked from candidates: a puzzle for each pair of themed-pairs.txt the\n"
    "rules allow (either way round for opposites and two of a kind), and four to six times as\n"
    "many puzzles as needed made by walks that try the actions used least so far first. No two\n"
    "puzzles share a start or end word; at least 120 use a themed pair; each action is used by\n"
    "at least 66; the first puzzle uses change steps only, each action first comes in a puzzle\n"
    "whose other steps use actions met before, all six within the first 30; and in the game's\n"
    "order difficulty rises: within each row count, and over all, the picks are those whose\n"
    "difficulty (the log of the partial ladders through words up to size 35 a player could try,\n"
    "over the solutions) ranks with their place, puzzles with equal keys written easiest first.\n";

std::string LowerCodes(std::string codes) {
    std::transform(codes.begin(), codes.end(), codes.begin(),
                   [](char c) { return static_cast<char>(c - 'A' + 'a'); });
    return codes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    WriteLinesWithBackup(path, lines);
    std::filesystem::path backup = path;
    std::filesystem::remove(backup.replace_extension(".bak"));
}

int Run(const std::filesystem::path& scowl, const std::filesystem::path& output) {
    const std::vector<std::string> vocabulary = ReadScowlWords(scowl, VocabularyLevel);
    const std::vector<std::string> commonList = ReadCommonWords(scowl);
    const std::set<std::string> common(commonList.begin(), commonList.end());
    const TRegionalWords regional = ReadRegionalWords(scowl);
    const TStepIndex index(vocabulary);
    const TPuzzleRuleWords words{index, common, regional};
    std::set<std::string> board;
    for (const std::string& word : common) {
        if (IsBoardFit(word, regional)) {
            board.insert(word);
        }
    }
    std::vector<bool> familiar(index.Size(), false);
    for (const std::string& word : ReadScowlWords(scowl, FamiliarLevel)) {
        familiar[static_cast<size_t>(index.Find(word))] = true;
    }

    TPuzzleMaker maker(words, board, familiar, Seed);
    std::vector<TMadePuzzle> themed;
    std::vector<TThemedPair> pairs;
    for (const TThemedPair& pair : ThemedPairs()) {
        pairs.push_back(pair);
        if (IsSymmetric(pair.Relation)) {
            pairs.push_back({pair.End, pair.Start, pair.Relation});
        }
    }
    for (const TThemedPair& pair : pairs) {
        if (std::optional<TMadePuzzle> made = maker.MakeThemed(pair)) {
            themed.push_back(std::move(*made));
        }
    }
    std::map<int, std::vector<TMadePuzzle>> pools;
    // Longest first: they need the rarest starts.
    for (auto wanted = PuzzlesPerRows.rbegin(); wanted != PuzzlesPerRows.rend(); ++wanted) {
        pools[wanted->first] =
            maker.MakeWalks(wanted->first, wanted->second * PoolFactor(wanted->first), ActionCodes);
    }
    // Change steps only, for a gentle first puzzle.
    for (TMadePuzzle& made : maker.MakeWalks(MinPuzzleRows, GentleCandidates, "C")) {
        pools[MinPuzzleRows].push_back(std::move(made));
    }
    const std::vector<TMadePuzzle> puzzles = PickCollection(themed, pools, PuzzlesPerRows, Seed);

    std::vector<std::string> lines;
    for (const TMadePuzzle& made : puzzles) {
        const TLadderPuzzle& p = made.Puzzle;
        lines.insert(lines.end(), {p.Start, p.End, LowerCodes(p.Codes), made.HintLine});
    }
    std::filesystem::create_directories(output);
    WriteFile(output / TPuzzleCore::VocabularyFileName, vocabulary);
    WriteFile(output / TPuzzleCore::PuzzleFileName, lines);
    std::cout << "make-data: " << vocabulary.size() << " words, " << puzzles.size()
              << " puzzles in " << output.string() << '\n';
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << Help;
        return 0;
    }
    if (args.size() != 2) {
        std::cerr << Help;
        return 2;
    }
    try {
        return Run(args[0], args[1]);
    } catch (const std::exception& e) {
        std::cerr << "make-data: " << e.what() << '\n';
        return 1;
    }
}
