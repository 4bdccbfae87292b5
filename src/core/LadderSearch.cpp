#include "core/LadderSearch.h"

#include "base/Util.h"
#include "core/StepActions.h"

#include <algorithm>
#include <charconv>
#include <deque>

namespace {
using WordId = TStepIndex::WordId;

bool Contains(const std::vector<WordId>& sorted, WordId id) {
    return std::binary_search(sorted.begin(), sorted.end(), id);
}

void SortUnique(std::vector<WordId>& ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

// Fixes what each row may hold: the start and end words, the hints, any word otherwise.
// Returns false when a word is not indexed or a code is unknown (no ladder is possible).
bool RowConstraints(const TStepIndex& index, const TLadderPuzzle& puzzle,
                    std::vector<WordId>& fixed) {
    const int rows = puzzle.Rows();
    fixed.assign(static_cast<size_t>(rows) + 1, -1);
    if (rows < 2 || !std::all_of(puzzle.Codes.begin(), puzzle.Codes.end(),
                                 [](char code) { return ActionIndex(code) >= 0; })) {
        return false;
    }
    fixed[1] = index.Find(puzzle.Start);
    fixed[static_cast<size_t>(rows)] = index.Find(puzzle.End);
    if (fixed[1] < 0 || fixed[static_cast<size_t>(rows)] < 0) {
        return false;
    }
    for (int row = 2; row < rows; ++row) {
        const std::string& hint = puzzle.HintOf(row);
        if (!hint.empty()) {
            fixed[static_cast<size_t>(row)] = index.Find(hint);
            if (fixed[static_cast<size_t>(row)] < 0) {
                return false;
            }
        }
    }
    return true;
}

class TEnumerator {
  public:
    TEnumerator(const TStepIndex& index, const TLadderPuzzle& puzzle,
                const std::vector<std::vector<WordId>>& rowWords, size_t limit,
                std::vector<std::vector<WordId>>& ladders)
        : index_(index), puzzle_(puzzle), rowWords_(rowWords), limit_(limit), ladders_(ladders) {}

    void From(WordId start) {
        path_.assign(1, start);
        Extend();
    }

  private:
    void Extend() {
        const size_t row = path_.size() + 1; // the row to fill next
        if (row > rowWords_.size()) {
            ladders_.push_back(path_);
            return;
        }
        for (const WordId next : index_.Next(path_.back(), puzzle_.Codes[row - 2])) {
            if (ladders_.size() >= limit_) {
                return;
            }
            if (Contains(rowWords_[row - 1], next)) {
                path_.push_back(next);
                Extend();
                path_.pop_back();
            }
        }
    }

    const TStepIndex& index_;
    const TLadderPuzzle& puzzle_;
    const std::vector<std::vector<WordId>>& rowWords_;
    size_t limit_;
    std::vector<std::vector<WordId>>& ladders_;
    std::vector<WordId> path_;
};
} // namespace

const std::string& TLadderPuzzle::HintOf(int row) const {
    static const std::string None;
    return row >= 0 && static_cast<size_t>(row) < Hints.size() ? Hints[static_cast<size_t>(row)]
                                                               : None;
}

TLadderPuzzle TLadderPuzzle::FromLines(std::string_view start, std::string_view end,
                                       std::string_view codes, std::string_view hintLine) {
    TLadderPuzzle puzzle{LowerCaseASCII(start), LowerCaseASCII(end), UpperCaseASCII(codes), {}};
    puzzle.Hints.resize(static_cast<size_t>(puzzle.Rows()) + 1);
    while (!hintLine.empty()) {
        const size_t comma = hintLine.find(',');
        const std::string_view entry = hintLine.substr(0, comma);
        hintLine =
            comma == std::string_view::npos ? std::string_view() : hintLine.substr(comma + 1);
        const size_t equals = entry.find('=');
        int row = 0;
        if (equals == std::string_view::npos ||
            std::from_chars(entry.data(), entry.data() + equals, row).ptr !=
                entry.data() + equals ||
            row < 1 || row > puzzle.Rows()) {
            continue;
        }
        puzzle.Hints[static_cast<size_t>(row)] = LowerCaseASCII(entry.substr(equals + 1));
    }
    return puzzle;
}

TLadderSolutions SolvePuzzle(const TStepIndex& index, const TLadderPuzzle& puzzle,
                             uint64_t countCap, size_t ladderLimit) {
    TLadderSolutions result;
    const int rows = std::max(puzzle.Rows(), 1);
    result.RowWords.resize(static_cast<size_t>(rows));
    std::vector<WordId> fixed;
    if (!RowConstraints(index, puzzle, fixed)) {
        return result;
    }
    const auto code = [&puzzle](size_t row) { return puzzle.Codes[row - 2]; };

    // Backwards from the end word: the words of each row that can still reach it.
    std::vector<std::vector<WordId>> reaching(static_cast<size_t>(rows) + 1);
    reaching[static_cast<size_t>(rows)] = {fixed[static_cast<size_t>(rows)]};
    for (auto row = static_cast<size_t>(rows) - 1; row >= 1; --row) {
        std::vector<WordId>& words = reaching[row];
        for (const WordId next : reaching[row + 1]) {
            for (const WordId word : index.Previous(next, code(row + 1))) {
                if (fixed[row] < 0 || word == fixed[row]) {
                    words.push_back(word);
                }
            }
        }
        SortUnique(words);
        if (words.empty()) {
            return result;
        }
    }

    // Forwards from the start word within those: the words some solution puts on each row,
    // with the number of ladders that reach each of them.
    result.RowWords[0] = reaching[1];
    std::vector<uint64_t> ways = {1};
    for (size_t row = 2; row <= static_cast<size_t>(rows); ++row) {
        std::vector<WordId>& words = result.RowWords[row - 1];
        const std::vector<WordId>& before = result.RowWords[row - 2];
        for (const WordId word : before) {
            for (const WordId next : index.Next(word, code(row))) {
                if (Contains(reaching[row], next)) {
                    words.push_back(next);
                }
            }
        }
        SortUnique(words);
        std::vector<uint64_t> reached(words.size(), 0);
        for (size_t i = 0; i < before.size(); ++i) {
            for (const WordId next : index.Next(before[i], code(row))) {
                const auto at = std::lower_bound(words.begin(), words.end(), next);
                if (at != words.end() && *at == next) {
                    uint64_t& total = reached[static_cast<size_t>(at - words.begin())];
                    total = std::min(countCap, total + ways[i]);
                }
            }
        }
        ways = std::move(reached);
    }
    result.Count = ways.empty() ? 0 : std::min(countCap, ways.front());
    TEnumerator(index, puzzle, result.RowWords, ladderLimit, result.Ladders).From(fixed[1]);
    return result;
}

std::vector<TLadderStep> ShortestLadder(const TStepIndex& index, WordId from, WordId to) {
    if (from < 0 || to < 0 || static_cast<size_t>(std::max(from, to)) >= index.Size()) {
        return {};
    }
    std::vector<WordId> parent(index.Size(), -1);
    parent[static_cast<size_t>(from)] = from;
    std::deque<WordId> queue = {from};
    while (!queue.empty() && parent[static_cast<size_t>(to)] < 0) {
        const WordId word = queue.front();
        queue.pop_front();
        for (const char code : ActionCodes) {
            for (const WordId next : index.Next(word, code)) {
                if (parent[static_cast<size_t>(next)] < 0) {
                    parent[static_cast<size_t>(next)] = word;
                    queue.push_back(next);
                }
            }
        }
    }
    if (parent[static_cast<size_t>(to)] < 0) {
        return {};
    }
    std::vector<TLadderStep> ladder;
    for (WordId word = to; word != from; word = parent[static_cast<size_t>(word)]) {
        const WordId before = parent[static_cast<size_t>(word)];
        const auto code = std::find_if(ActionCodes.begin(), ActionCodes.end(), [&](char c) {
            return IsValidStep(c, index.Word(before), index.Word(word));
        });
        ladder.push_back({*code, word});
    }
    ladder.push_back({' ', from});
    std::reverse(ladder.begin(), ladder.end());
    return ladder;
}
