#include "PuzzlePicker.h"

#include "Difficulty.h"
#include "core/StepActions.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <set>
#include <stdexcept>

namespace {
constexpr int HillClimbSteps = 60000;
// Kept above the rules' minimum so later edits by hand have room.
constexpr int ActionMargin = 6;
constexpr int ThemedMargin = 20;
// Worth a little correlation: themed pairs stay unless they hold the rise back.
constexpr double ThemedBonus = 0.05;
// Correlations beyond these gain nothing; the climb then serves the other groups.
constexpr double GroupCorrelationGoal = 0.7;
constexpr double OverallCorrelationGoal = 0.85;
constexpr double BrokenRuleCost = 20;

size_t Key(const TMadePuzzle& made) {
    return made.Puzzle.Start.size() + made.Puzzle.End.size();
}

class TPicker {
  public:
    TPicker(std::vector<TMadePuzzle> candidates, const std::map<int, int>& perRows, uint32_t seed)
        : candidates_(std::move(candidates)), perRows_(perRows), random_(seed) {
        for (size_t i = 0; i < candidates_.size(); ++i) {
            pools_[candidates_[i].Puzzle.Rows()].push_back(i);
        }
    }

    std::vector<TMadePuzzle> Pick(size_t themedCount) {
        for (size_t i = 0; i < themedCount; ++i) {
            const int rows = candidates_[i].Puzzle.Rows();
            if (std::ssize(chosen_[rows]) < perRows_.at(rows) && WordsFree(i, candidates_.size())) {
                Take(i);
            }
        }
        for (const auto& [rows, count] : perRows_) {
            FillGroup(rows, count);
        }
        Climb();
        std::vector<TMadePuzzle> collection;
        for (const auto& [rows, count] : perRows_) {
            for (const size_t i : Ordered(rows)) {
                collection.push_back(candidates_[i]);
            }
        }
        if (Score() < 0) {
            throw std::runtime_error("the candidates allow no collection that keeps the rules");
        }
        return collection;
    }

  private:
    bool WordsFree(size_t in, size_t out) const {
        for (const std::string* word :
             {&candidates_[in].Puzzle.Start, &candidates_[in].Puzzle.End}) {
            const auto used = uses_.find(*word);
            const int outUses =
                out < candidates_.size() && (candidates_[out].Puzzle.Start == *word ||
                                             candidates_[out].Puzzle.End == *word)
                    ? 1
                    : 0;
            if (used != uses_.end() && used->second - outUses > 0) {
                return false;
            }
        }
        return candidates_[in].Puzzle.Start != candidates_[in].Puzzle.End;
    }

    void Count(size_t i, int change) {
        const TMadePuzzle& made = candidates_[i];
        themed_ += made.Themed ? change : 0;
        uses_[made.Puzzle.Start] += change;
        uses_[made.Puzzle.End] += change;
        for (size_t a = 0; a < ActionCodes.size(); ++a) {
            actions_[a] += made.Puzzle.Codes.find(ActionCodes[a]) != std::string::npos ? change : 0;
        }
    }

    void Take(size_t i) {
        chosen_[candidates_[i].Puzzle.Rows()].push_back(i);
        Count(i, 1);
    }

    // The candidates whose difficulty stands as high among the pool as their word length.
    void FillGroup(int rows, int count) {
        const std::vector<size_t>& pool = pools_[rows];
        std::vector<double> keys;
        std::vector<double> difficulty;
        for (const size_t i : pool) {
            keys.push_back(static_cast<double>(Key(candidates_[i])));
            difficulty.push_back(candidates_[i].Difficulty);
        }
        const std::vector<double> keyRanks = Ranks(keys);
        const std::vector<double> difficultyRanks = Ranks(difficulty);
        std::vector<size_t> order(pool.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return std::abs(keyRanks[a] - difficultyRanks[a]) <
                   std::abs(keyRanks[b] - difficultyRanks[b]);
        });
        for (const size_t k : order) {
            const size_t i = pool[k];
            if (std::ssize(chosen_[rows]) >= count) {
                return;
            }
            if (std::find(chosen_[rows].begin(), chosen_[rows].end(), i) == chosen_[rows].end() &&
                WordsFree(i, candidates_.size())) {
                Take(i);
            }
        }
        if (std::ssize(chosen_[rows]) < count) {
            throw std::runtime_error("too few candidates of " + std::to_string(rows) + " rows");
        }
    }

    // The game's order within a row count: shorter words first, then (file order) easier.
    std::vector<size_t> Ordered(int rows) const {
        std::vector<size_t> group = chosen_.at(rows);
        std::sort(group.begin(), group.end(), [this](size_t a, size_t b) {
            const auto key = [this](size_t i) {
                return std::make_tuple(Key(candidates_[i]), candidates_[i].Difficulty, i);
            };
            return key(a) < key(b);
        });
        return group;
    }

    // The rise of difficulty, capped at the goals, less a cost for each broken rule: negative
    // while any rule is broken.
    double Score() const {
        int broken = 0;
        for (const int uses : actions_) {
            broken += std::max(0, MinPuzzlesPerAction + ActionMargin - uses);
        }
        std::vector<TLadderPuzzle> puzzles;
        std::vector<double> difficulty;
        double rise = 0;
        for (const auto& [rows, count] : perRows_) {
            std::vector<double> positions;
            std::vector<double> groupDifficulty;
            for (const size_t i : Ordered(rows)) {
                positions.push_back(static_cast<double>(positions.size()));
                groupDifficulty.push_back(candidates_[i].Difficulty);
                puzzles.push_back(candidates_[i].Puzzle);
                difficulty.push_back(candidates_[i].Difficulty);
            }
            const double correlation = RankCorrelation(positions, groupDifficulty);
            broken += correlation < MinGroupCorrelation ? 1 : 0;
            rise += std::min(correlation, GroupCorrelationGoal);
        }
        broken += static_cast<int>(GentleStartProblems(puzzles).size());
        broken += std::max(0, MinThemedPuzzles + ThemedMargin - themed_);
        rise += ThemedBonus * themed_;
        const TDifficultyCurve curve = DifficultyCurve(puzzles, difficulty);
        broken += curve.Overall < MinOverallCorrelation ? 1 : 0;
        rise += std::min(curve.Overall, OverallCorrelationGoal);
        return rise - BrokenRuleCost * broken;
    }

    // Swaps a picked candidate for one of the same row count while the score does not fall.
    void Climb() {
        std::vector<int> groups;
        for (const auto& [rows, count] : perRows_) {
            groups.insert(groups.end(), static_cast<size_t>(count), rows);
        }
        double score = Score();
        for (int step = 0; step < HillClimbSteps; ++step) {
            const int rows = groups[random_() % groups.size()];
            std::vector<size_t>& group = chosen_[rows];
            const std::vector<size_t>& pool = pools_[rows];
            const size_t at = random_() % group.size();
            const size_t out = group[at];
            const size_t in = pool[random_() % pool.size()];
            if (std::find(group.begin(), group.end(), in) != group.end() || !WordsFree(in, out)) {
                continue;
            }
            Count(out, -1);
            Count(in, 1);
            group[at] = in;
            const double next = Score();
            if (next >= score) {
                score = next;
            } else {
                group[at] = out;
                Count(in, -1);
                Count(out, 1);
            }
        }
    }

    std::vector<TMadePuzzle> candidates_;
    std::map<int, int> perRows_;
    std::map<int, std::vector<size_t>> pools_;  // candidate numbers by row count
    std::map<int, std::vector<size_t>> chosen_; // picked candidate numbers by row count
    std::map<std::string, int> uses_;           // picks starting or ending at a word
    std::array<int, 6> actions_ = {};           // picks using each action
    int themed_ = 0;                            // themed picks
    std::mt19937 random_;
};
} // namespace

std::vector<TMadePuzzle> PickCollection(const std::vector<TMadePuzzle>& themed,
                                        const std::map<int, std::vector<TMadePuzzle>>& pools,
                                        const std::map<int, int>& perRows, uint32_t seed) {
    std::vector<TMadePuzzle> candidates = themed;
    for (const auto& [rows, pool] : pools) {
        candidates.insert(candidates.end(), pool.begin(), pool.end());
    }
    return TPicker(std::move(candidates), perRows, seed).Pick(themed.size());
}
