#include "PuzzleMaker.h"

#include "Difficulty.h"
#include "core/StepActions.h"

#include <algorithm>
#include <deque>
#include <stdexcept>

namespace {
// Search effort per puzzle: starting words tried, and walks from each.
constexpr int AttemptsPerPuzzle = 40;
constexpr int WalksPerStart = 12;
// How many walks may start or end at one word.
constexpr int MaxWordUses = 2;
// How many action lines of a themed pair's ladders are tried.
constexpr size_t MaxThemedCodes = 400;

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

TPuzzleMaker::TPuzzleMaker(const TPuzzleRuleWords& words, const std::set<std::string>& boardWords,
                           const std::vector<bool>& familiar, uint32_t seed)
    : words_(words), familiar_(familiar), board_(words.Vocabulary.Size(), false), random_(seed) {
    for (const std::string& word : boardWords) {
        const WordId id = words.Vocabulary.Find(word);
        if (id >= 0 && word.size() >= static_cast<size_t>(MinRowLetters)) {
            board_[static_cast<size_t>(id)] = true;
            starts_.push_back(id);
        }
    }
    std::sort(starts_.begin(), starts_.end());
}

bool TPuzzleMaker::Walk(int rows, WordId start, const std::vector<int>& distance,
                        std::string_view actions, TMadePuzzle& made) {
    const TStepIndex& index = words_.Vocabulary;
    std::vector<WordId> ladder = {start};
    std::string codes;
    for (int step = 1; step < rows; ++step) {
        // Actions used least so far first, ties in random order, so each gets its share.
        std::string order(actions);
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
                if (board_[at] && index.Word(next).size() >= static_cast<size_t>(MinRowLetters) &&
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
    return ends_[ladder.back()] < MaxWordUses;
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
    made.Difficulty = PuzzleDifficulty(words_.Vocabulary, familiar_, made.Puzzle);
    return true;
}

std::vector<TMadePuzzle> TPuzzleMaker::MakeWalks(int rows, int count, std::string_view actions) {
    std::vector<TMadePuzzle> made;
    // Long ladders fail more often.
    const int attempts = count * AttemptsPerPuzzle * (rows >= 9 ? 3 : 1);
    for (int attempt = 0; attempt < attempts && std::ssize(made) < count; ++attempt) {
        const WordId start = starts_[Pick(starts_.size())];
        if (ends_[start] >= MaxWordUses) {
            continue;
        }
        const std::vector<int> distance = Distances(words_.Vocabulary, start);
        if (*std::max_element(distance.begin(), distance.end()) < rows - 2) {
            continue;
        }
        TMadePuzzle puzzle;
        for (int walk = 0; walk < WalksPerStart; ++walk) {
            if (Walk(rows, start, distance, actions, puzzle) && Accept(puzzle)) {
                ++ends_[start];
                ++ends_[words_.Vocabulary.Find(puzzle.Puzzle.End)];
                for (const char code : ActionCodes) {
                    if (puzzle.Puzzle.Codes.find(code) != std::string::npos) {
                        ++actionUses_[static_cast<size_t>(ActionIndex(code))];
                    }
                }
                made.push_back(std::move(puzzle));
                break;
            }
        }
    }
    return made;
}

void TPuzzleMaker::Enumerate(std::vector<WordId>& ladder, std::string& codes, size_t rows,
                             WordId end, const std::vector<int>& toEnd,
                             std::map<std::string, std::vector<WordId>>& found) {
    const int left = static_cast<int>(rows - ladder.size()); // steps still to take
    if (left == 0) {
        found.try_emplace(codes, ladder);
        return;
    }
    for (const char code : ActionCodes) {
        for (const WordId next : words_.Vocabulary.Next(ladder.back(), code)) {
            const int distance = toEnd[static_cast<size_t>(next)];
            if (distance < 0 || distance > left - 1 || (next == end) != (left == 1) ||
                std::find(ladder.begin(), ladder.end(), next) != ladder.end() ||
                found.size() >= MaxThemedCodes) {
                continue;
            }
            ladder.push_back(next);
            codes += code;
            Enumerate(ladder, codes, rows, end, toEnd, found);
            codes.pop_back();
            ladder.pop_back();
        }
    }
}

std::optional<TMadePuzzle> TPuzzleMaker::MakeThemed(const TThemedPair& pair) {
    const TStepIndex& index = words_.Vocabulary;
    const WordId start = index.Find(pair.Start);
    const WordId end = index.Find(pair.End);
    if (start < 0 || end < 0 || !board_[static_cast<size_t>(start)] ||
        !board_[static_cast<size_t>(end)]) {
        return std::nullopt;
    }
    const size_t shortest = ShortestLadder(index, start, end).size();
    if (shortest < static_cast<size_t>(MinPuzzleRows)) {
        return std::nullopt;
    }
    // Steps from each board word to the end word through board words.
    std::vector<int> toEnd(index.Size(), -1);
    toEnd[static_cast<size_t>(end)] = 0;
    std::deque<WordId> queue = {end};
    while (!queue.empty()) {
        const WordId word = queue.front();
        queue.pop_front();
        for (const char code : ActionCodes) {
            for (const WordId before : index.Previous(word, code)) {
                if (board_[static_cast<size_t>(before)] && toEnd[static_cast<size_t>(before)] < 0) {
                    toEnd[static_cast<size_t>(before)] = toEnd[static_cast<size_t>(word)] + 1;
                    queue.push_back(before);
                }
            }
        }
    }
    for (size_t rows = shortest; rows <= std::min(shortest + 1, static_cast<size_t>(MaxRows));
         ++rows) {
        std::map<std::string, std::vector<WordId>> found;
        std::vector<WordId> ladder = {start};
        std::string codes;
        Enumerate(ladder, codes, rows, end, toEnd, found);
        std::optional<TMadePuzzle> best;
        for (const auto& [foundCodes, foundLadder] : found) {
            TMadePuzzle made;
            made.Puzzle = {pair.Start, pair.End, foundCodes, {}};
            made.Puzzle.Hints.assign(rows + 1, std::string());
            for (const WordId id : foundLadder) {
                made.Ladder.push_back(index.Word(id));
            }
            made.Themed = true;
            // Fewest hints, then the easiest.
            if (Accept(made) &&
                (!best || std::make_pair(made.HintLine.size(), made.Difficulty) <
                              std::make_pair(best->HintLine.size(), best->Difficulty))) {
                best = std::move(made);
            }
        }
        if (best) {
            return best;
        }
    }
    return std::nullopt;
}
