#include "PuzzleMaker.h"

#include "core/StepActions.h"

#include <algorithm>
#include <deque>
#include <stdexcept>

namespace {
// Search effort per puzzle: starting words tried, and walks from each.
constexpr int MaxStarts = 3000;
constexpr int WalksPerStart = 12;

// Breadth-first distances from a word over every action; -1 where it cannot reach.
std::vector<int> Distances(const TStepIndex& index, TStepIndex::WordId from) {
    std::vector<int> distance(index.Size(), -1);
    distance[static_cast<size_t>(from)] = 0;
    std::deque<TStepIndex::WordId> queue = {from};
    while (!queue.empty()) {
        const TStepIndex::WordId word = queue.front();
        queue.pop_front();
        for (const char code : ActionCodes) {
            for (const TStepIndex::WordId next : index.Next(word, code)) {
                if (distance[static_cast<size_t>(next)] < 0) {
                    distance[static_cast<size_t>(next)] = distance[static_cast<size_t>(word)] + 1;
                    queue.push_back(next);
                }
            }
        }
    }
    return distance;
}

std::string HintLine(const TLadderPuzzle& puzzle) {
    std::string line;
    for (int row = 1; row <= puzzle.Rows(); ++row) {
        if (!puzzle.HintOf(row).empty()) {
            line += (line.empty() ? "" : ",") + std::to_string(row) + "=" + puzzle.HintOf(row);
        }
    }
    return line;
}
} // namespace

TPuzzleMaker::TPuzzleMaker(const TPuzzleRuleWords& words, uint32_t seed)
    : words_(words), common_(words.Vocabulary.Size(), false), random_(seed) {
    for (const std::string& word : words.Common) {
        const WordId id = words.Vocabulary.Find(word);
        if (id >= 0) {
            common_[static_cast<size_t>(id)] = true;
            if (word.size() >= static_cast<size_t>(MinRowLetters)) {
                starts_.push_back(id);
            }
        }
    }
    std::sort(starts_.begin(), starts_.end());
}

bool TPuzzleMaker::Walk(int rows, WordId start, const std::vector<int>& distance,
                        TMadePuzzle& made) {
    const TStepIndex& index = words_.Vocabulary;
    std::vector<WordId> ladder = {start};
    std::string codes;
    for (int step = 1; step < rows; ++step) {
        // Actions used least so far first, ties in random order, so each gets its share.
        std::string order(ActionCodes);
        for (size_t i = order.size(); i > 1; --i) {
            std::swap(order[i - 1], order[Pick(i)]);
        }
        std::stable_sort(order.begin(), order.end(), [this](char a, char b) {
            return actionUses_[static_cast<size_t>(ActionIndex(a))] <
                   actionUses_[static_cast<size_t>(ActionIndex(b))];
        });
        bool stepped = false;
        for (const char code : order) {
            // Words one step further from the start; the last step may also keep the distance.
            std::vector<WordId> options;
            for (const WordId next : index.Next(ladder.back(), code)) {
                const size_t at = static_cast<size_t>(next);
                if (common_[at] && index.Word(next).size() >= static_cast<size_t>(MinRowLetters) &&
                    distance[at] >= step - (step == rows - 1 ? 1 : 0) &&
                    std::find(ladder.begin(), ladder.end(), next) == ladder.end()) {
                    options.push_back(next);
                }
            }
            if (!options.empty()) {
                ladder.push_back(options[Pick(options.size())]);
                codes += code;
                stepped = true;
                break;
            }
        }
        if (!stepped) {
            return false;
        }
    }
    made = {};
    made.Puzzle.Start = index.Word(ladder.front());
    made.Puzzle.End = index.Word(ladder.back());
    made.Puzzle.Codes = codes;
    made.Puzzle.Hints.assign(static_cast<size_t>(rows) + 1, std::string());
    for (const WordId id : ladder) {
        made.Ladder.push_back(index.Word(id));
    }
    return !usedEnds_.contains(ladder.back());
}

bool TPuzzleMaker::AddHints(TMadePuzzle& made) {
    TLadderPuzzle& puzzle = made.Puzzle;
    const int rows = puzzle.Rows();
    uint64_t count = SolvePuzzle(words_.Vocabulary, puzzle, 1000, 0).Count;
    // Hints go on middle rows, never next to the start, the end or another hint; each time on
    // the row that leaves the fewest solutions.
    while (count > MaxSolutions || (rows >= 5 && HintLine(puzzle).empty())) {
        int best = 0;
        uint64_t bestCount = count;
        for (int row = 3; row <= rows - 2; ++row) {
            if (!puzzle.HintOf(row).empty() || !puzzle.HintOf(row - 1).empty() ||
                !puzzle.HintOf(row + 1).empty()) {
                continue;
            }
            puzzle.Hints[static_cast<size_t>(row)] = made.Ladder[static_cast<size_t>(row - 1)];
            const uint64_t hinted = SolvePuzzle(words_.Vocabulary, puzzle, 1000, 0).Count;
            puzzle.Hints[static_cast<size_t>(row)].clear();
            if (hinted < bestCount || (best == 0 && hinted <= bestCount)) {
                best = row;
                bestCount = hinted;
            }
        }
        if (best == 0) {
            return false;
        }
        puzzle.Hints[static_cast<size_t>(best)] = made.Ladder[static_cast<size_t>(best - 1)];
        count = bestCount;
    }
    made.HintLine = HintLine(puzzle);
    return true;
}

bool TPuzzleMaker::Accept(TMadePuzzle& made) {
    if (!AddHints(made) || !PuzzleProblems(words_, made.Puzzle).empty()) {
        return false;
    }
    usedEnds_.insert(words_.Vocabulary.Find(made.Puzzle.Start));
    usedEnds_.insert(words_.Vocabulary.Find(made.Puzzle.End));
    for (const char code : ActionCodes) {
        if (made.Puzzle.Codes.find(code) != std::string::npos) {
            ++actionUses_[static_cast<size_t>(ActionIndex(code))];
        }
    }
    return true;
}

std::vector<TMadePuzzle> TPuzzleMaker::Make(const std::map<int, int>& perRows) {
    std::vector<TMadePuzzle> puzzles;
    // Longest first: they need the rarest starts.
    for (auto wanted = perRows.rbegin(); wanted != perRows.rend(); ++wanted) {
        const auto [rows, count] = *wanted;
        for (int made = 0; made < count; ++made) {
            TMadePuzzle puzzle;
            bool found = false;
            for (int attempt = 0; attempt < MaxStarts && !found; ++attempt) {
                const WordId start = starts_[Pick(starts_.size())];
                if (usedEnds_.contains(start)) {
                    continue;
                }
                const std::vector<int> distance = Distances(words_.Vocabulary, start);
                if (*std::max_element(distance.begin(), distance.end()) < rows - 2) {
                    continue;
                }
                for (int walk = 0; walk < WalksPerStart && !found; ++walk) {
                    found = Walk(rows, start, distance, puzzle) && Accept(puzzle);
                }
            }
            if (!found) {
                throw std::runtime_error("no new puzzle of " + std::to_string(rows) +
                                         " rows found");
            }
            puzzles.push_back(std::move(puzzle));
        }
    }
    return puzzles;
}
