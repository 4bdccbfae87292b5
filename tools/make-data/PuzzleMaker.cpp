#include "PuzzleMaker.h"

#include "core/StepActions.h"

#include <algorithm>
#include <stdexcept>

TPuzzleMaker::TPuzzleMaker(std::vector<std::string> words, uint32_t seed)
    : byLength_(MaxWordLength + 2), random_(seed) {
    for (std::string& word : words) {
        if (!word.empty() && word.size() <= static_cast<size_t>(MaxWordLength)) {
            byLength_[word.size()].push_back(std::move(word));
        }
    }
    for (std::vector<std::string>& list : byLength_) {
        std::sort(list.begin(), list.end());
    }
}

const std::vector<std::string>& TPuzzleMaker::Neighbours(const std::string& word, char code) {
    const auto key = std::make_pair(word, code);
    auto found = neighbours_.find(key);
    if (found != neighbours_.end()) {
        return found->second;
    }
    std::vector<std::string> result;
    const int length = static_cast<int>(word.size()) + ActionLengthChange(code);
    if (length >= 1 && length <= MaxWordLength) {
        for (const std::string& candidate : byLength_[static_cast<size_t>(length)]) {
            if (IsValidStep(code, word, candidate)) {
                result.push_back(candidate);
            }
        }
    }
    return neighbours_.emplace(key, std::move(result)).first->second;
}

std::string TPuzzleMaker::PickStart() {
    // Mostly middle lengths, where most ladders are; one- and two-letter starts now and then.
    static constexpr int Weights[] = {0, 1, 3, 10, 12, 12, 8, 6};
    int total = 0;
    for (const int weight : Weights) {
        total += weight;
    }
    int roll = static_cast<int>(Pick(static_cast<size_t>(total)));
    size_t length = 1;
    while (roll >= Weights[length]) {
        roll -= Weights[length];
        ++length;
    }
    const std::vector<std::string>& list = byLength_[length];
    return list.empty() ? std::string() : list[Pick(list.size())];
}

bool TPuzzleMaker::Walk(int rows, TMadePuzzle& puzzle) {
    puzzle = {};
    std::string start = PickStart();
    if (start.empty()) {
        return false;
    }
    puzzle.Ladder.push_back(start);
    for (int row = 2; row <= rows; ++row) {
        // Actions used least so far are tried first, so every action gets its share.
        std::string order(ActionCodes);
        std::shuffle(order.begin(), order.end(), random_);
        std::stable_sort(order.begin(), order.end(),
                         [this](char a, char b) { return used_[a] < used_[b]; });
        bool stepped = false;
        for (const char code : order) {
            std::vector<std::string> options;
            for (const std::string& next : Neighbours(puzzle.Ladder.back(), code)) {
                if (std::find(puzzle.Ladder.begin(), puzzle.Ladder.end(), next) ==
                    puzzle.Ladder.end()) {
                    options.push_back(next);
                }
            }
            if (!options.empty()) {
                puzzle.Ladder.push_back(options[Pick(options.size())]);
                puzzle.Codes += code;
                stepped = true;
                break;
            }
        }
        if (!stepped) {
            return false;
        }
    }
    puzzle.Start = puzzle.Ladder.front();
    puzzle.End = puzzle.Ladder.back();
    // A longer ladder whose end is one step from its start would be a dull puzzle.
    if (rows > 2) {
        for (const char code : ActionCodes) {
            if (IsValidStep(code, puzzle.Start, puzzle.End)) {
                return false;
            }
        }
    }
    return !pairs_.contains({puzzle.Start, puzzle.End}) &&
           !pairs_.contains({puzzle.End, puzzle.Start});
}

void TPuzzleMaker::AddHints(TMadePuzzle& puzzle) {
    const int rows = static_cast<int>(puzzle.Ladder.size());
    if (rows < 6) {
        return;
    }
    const int wanted = rows >= 8 ? 2 : 1;
    std::vector<int> candidates;
    for (int row = 2; row < rows; ++row) {
        candidates.push_back(row);
    }
    std::shuffle(candidates.begin(), candidates.end(), random_);
    candidates.resize(static_cast<size_t>(wanted));
    std::sort(candidates.begin(), candidates.end());
    for (const int row : candidates) {
        if (!puzzle.Hints.empty()) {
            puzzle.Hints += ',';
        }
        puzzle.Hints += std::to_string(row) + "=" + puzzle.Ladder[static_cast<size_t>(row - 1)];
    }
}

std::vector<TMadePuzzle> TPuzzleMaker::Make(int count) {
    std::vector<TMadePuzzle> puzzles;
    for (int i = 0; i < count; ++i) {
        const int rows = 2 + i % (MaxRows - 1);
        TMadePuzzle puzzle;
        int attempts = 0;
        while (!Walk(rows, puzzle)) {
            if (++attempts > 10000) {
                throw std::runtime_error("no new puzzle of " + std::to_string(rows) +
                                         " rows found");
            }
        }
        for (const char code : puzzle.Codes) {
            ++used_[code];
        }
        pairs_.insert({puzzle.Start, puzzle.End});
        AddHints(puzzle);
        puzzles.push_back(std::move(puzzle));
    }
    return puzzles;
}
