#include "PuzzleRules.h"

#include "core/StepActions.h"

#include <algorithm>

namespace {
bool RepeatsAWord(std::vector<TStepIndex::WordId> ladder) {
    std::sort(ladder.begin(), ladder.end());
    return std::adjacent_find(ladder.begin(), ladder.end()) != ladder.end();
}

void CheckShape(const TLadderPuzzle& puzzle, std::vector<std::string>& problems) {
    const int rows = puzzle.Rows();
    if (rows < MinPuzzleRows || rows > MaxRows) {
        problems.push_back(std::to_string(rows) + " rows, not " + std::to_string(MinPuzzleRows) +
                           " to " + std::to_string(MaxRows));
    }
    const std::vector<int> lengths = RowLengths(puzzle);
    const int shortestEnd = static_cast<int>(std::min(puzzle.Start.size(), puzzle.End.size()));
    for (int row = 2; row < rows; ++row) {
        const int length = lengths[static_cast<size_t>(row - 1)];
        if (length < MinRowLetters && length < shortestEnd) {
            problems.push_back("row " + std::to_string(row) + " has " + std::to_string(length) +
                               " letters");
        }
    }
}

// The start, end and hint words, and the words every solution puts on a row, must be fit to show.
void CheckShownWords(const TPuzzleRuleWords& words, const TLadderPuzzle& puzzle,
                     const TLadderSolutions& solutions, std::vector<std::string>& problems) {
    for (int row = 1; row <= puzzle.Rows(); ++row) {
        const auto& rowWords = solutions.RowWords[static_cast<size_t>(row - 1)];
        std::string word = row == 1 ? puzzle.Start : row == puzzle.Rows() ? puzzle.End : "";
        if (word.empty() && rowWords.size() == 1) {
            word = words.Vocabulary.Word(rowWords.front());
        }
        if (word.empty()) {
            continue;
        }
        const std::string what = "row " + std::to_string(row) + " shows " + word + ", ";
        if (WordDecisions().Decides(word) || ListedWords().contains(word)) {
            problems.push_back(what + "a decided or listed word");
        } else if (words.Regional.Contains(word)) {
            problems.push_back(
                what + (words.Regional.American.contains(word) ? "an American" : "a British") +
                " spelling");
        }
    }
}

void CheckWithoutHints(const TPuzzleRuleWords& words, TLadderPuzzle puzzle,
                       std::vector<std::string>& problems) {
    puzzle.Hints.assign(puzzle.Hints.size(), std::string());
    const TLadderSolutions solutions = SolvePuzzle(
        words.Vocabulary, puzzle, MaxSolutionsWithoutHints + 1, MaxSolutionsWithoutHints + 1);
    if (solutions.Count > MaxSolutionsWithoutHints) {
        problems.push_back("more than " + std::to_string(MaxSolutionsWithoutHints) +
                           " solutions without the hints");
    }
    for (const auto& ladder : solutions.Ladders) {
        for (size_t row = 1; row < ladder.size(); ++row) {
            const std::string& from = words.Vocabulary.Word(ladder[row - 1]);
            const std::string& to = words.Vocabulary.Word(ladder[row]);
            if (words.Regional.AcrossSides(from, to)) {
                problems.push_back("a solution steps from " + from + " to " + to);
                return;
            }
        }
    }
}

void CheckHints(const TPuzzleRuleWords& words, const TLadderPuzzle& puzzle,
                std::vector<std::string>& problems) {
    const int rows = puzzle.Rows();
    std::vector<int> hinted;
    for (int row = 1; row <= rows; ++row) {
        if (!puzzle.HintOf(row).empty()) {
            hinted.push_back(row);
        }
    }
    if (hinted.empty() && rows >= 5) {
        problems.push_back("no hint on a puzzle of " + std::to_string(rows) + " rows");
    }
    for (size_t i = 0; i < hinted.size(); ++i) {
        const int row = hinted[i];
        const std::string where = "hint on row " + std::to_string(row);
        if (row <= 2 || row >= rows - 1) {
            problems.push_back(where + " next to the start or end word");
        }
        if (i > 0 && hinted[i - 1] + 1 == row) {
            problems.push_back(where + " next to another hint");
        }
        if (!words.Common.contains(puzzle.HintOf(row))) {
            problems.push_back(where + " is not a common word");
        }
        TLadderPuzzle without = puzzle;
        without.Hints[static_cast<size_t>(row)].clear();
        if (row > 1 && row < rows &&
            SolvePuzzle(words.Vocabulary, without, 1, 0)
                    .RowWords[static_cast<size_t>(row - 1)]
                    .size() <= 1) {
            problems.push_back(where + " is a word every solution has anyway");
        }
    }
}
} // namespace

std::vector<int> RowLengths(const TLadderPuzzle& puzzle) {
    std::vector<int> lengths = {static_cast<int>(puzzle.Start.size())};
    for (const char code : puzzle.Codes) {
        lengths.push_back(lengths.back() + ActionLengthChange(code));
    }
    return lengths;
}

std::vector<std::string> PuzzleProblems(const TPuzzleRuleWords& words,
                                        const TLadderPuzzle& puzzle) {
    std::vector<std::string> problems;
    CheckShape(puzzle, problems);
    for (const std::string& word : {puzzle.Start, puzzle.End}) {
        if (!words.Common.contains(word)) {
            problems.push_back(word + " is not a common word");
        }
    }
    const TLadderSolutions solutions =
        SolvePuzzle(words.Vocabulary, puzzle, MaxSolutions + 1, MaxSolutions + 1);
    if (solutions.Count == 0 || solutions.Count > MaxSolutions) {
        problems.push_back(solutions.Count == 0
                               ? std::string("no solution")
                               : "more than " + std::to_string(MaxSolutions) + " solutions");
    }
    const auto& ladders = solutions.Ladders;
    if (std::any_of(ladders.begin(), ladders.end(), RepeatsAWord)) {
        problems.push_back("a solution repeats a word");
    }
    if (!ladders.empty() &&
        std::none_of(ladders.begin(), ladders.end(), [&words](const auto& ladder) {
            return std::all_of(ladder.begin(), ladder.end(), [&words](TStepIndex::WordId id) {
                return words.Common.contains(words.Vocabulary.Word(id));
            });
        })) {
        problems.push_back("every solution has a word that is not common");
    }
    const size_t shortest = ShortestLadder(words.Vocabulary, words.Vocabulary.Find(puzzle.Start),
                                           words.Vocabulary.Find(puzzle.End))
                                .size();
    if (shortest > 0 && (static_cast<int>(shortest) < puzzle.Rows() - 1 ||
                         static_cast<int>(shortest) < MinPuzzleRows)) {
        problems.push_back("a ladder of " + std::to_string(shortest) + " rows with any actions");
    }
    CheckHints(words, puzzle, problems);
    CheckShownWords(words, puzzle, solutions, problems);
    CheckWithoutHints(words, puzzle, problems);
    return problems;
}
