#include "Difficulty.h"

#include "core/StepActions.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

double PuzzleDifficulty(const TStepIndex& index, const std::vector<bool>& familiar,
                        const TLadderPuzzle& puzzle) {
    const TStepIndex::WordId start = index.Find(puzzle.Start);
    const TStepIndex::WordId end = index.Find(puzzle.End);
    if (start < 0 || end < 0 || puzzle.Rows() < 3) {
        return 0;
    }
    std::map<TStepIndex::WordId, double> ways = {{start, 1}};
    double tries = 0;
    for (int row = 2; row < puzzle.Rows(); ++row) {
        const char code = puzzle.Codes[static_cast<size_t>(row - 2)];
        const TStepIndex::WordId hint =
            puzzle.HintOf(row).empty() ? -1 : index.Find(puzzle.HintOf(row));
        std::map<TStepIndex::WordId, double> next;
        for (const auto& [word, count] : ways) {
            for (const TStepIndex::WordId to : index.Next(word, code)) {
                if (familiar[static_cast<size_t>(to)] && (hint < 0 || to == hint)) {
                    next[to] += count;
                    tries += count;
                }
            }
        }
        ways = std::move(next);
    }
    double solutions = 0;
    for (const auto& [word, count] : ways) {
        const auto last = index.Next(word, puzzle.Codes.back());
        solutions += std::binary_search(last.begin(), last.end(), end) ? count : 0;
    }
    return solutions > 0 ? std::log10(tries / solutions) : 0;
}

std::vector<double> Ranks(const std::vector<double>& values) {
    std::vector<size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&values](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> ranks(values.size());
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j < order.size() && values[order[j]] == values[order[i]]) {
            ++j;
        }
        for (size_t k = i; k < j; ++k) {
            ranks[order[k]] = static_cast<double>(i + j - 1) / 2;
        }
        i = j;
    }
    return ranks;
}

double RankCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
    if (x.size() != y.size() || x.size() < 2) {
        return 0;
    }
    const std::vector<double> rx = Ranks(x);
    const std::vector<double> ry = Ranks(y);
    const double mean = static_cast<double>(x.size() - 1) / 2;
    double xy = 0;
    double xx = 0;
    double yy = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        xy += (rx[i] - mean) * (ry[i] - mean);
        xx += (rx[i] - mean) * (rx[i] - mean);
        yy += (ry[i] - mean) * (ry[i] - mean);
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
}

TDifficultyCurve DifficultyCurve(const std::vector<TLadderPuzzle>& puzzles,
                                 const std::vector<double>& difficulty) {
    TDifficultyCurve curve;
    std::vector<double> positions(puzzles.size());
    std::iota(positions.begin(), positions.end(), 0.0);
    curve.Overall = RankCorrelation(positions, difficulty);
    std::map<int, std::pair<std::vector<double>, std::vector<double>>> groups;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        auto& [groupPositions, groupDifficulty] = groups[puzzles[i].Rows()];
        groupPositions.push_back(positions[i]);
        groupDifficulty.push_back(difficulty[i]);
    }
    for (const auto& [rows, group] : groups) {
        if (group.first.size() >= MinGroupPuzzles) {
            curve.ByRows.emplace_back(rows, RankCorrelation(group.first, group.second));
        }
    }
    return curve;
}

std::vector<std::string> GentleStartProblems(const std::vector<TLadderPuzzle>& puzzles) {
    std::vector<std::string> problems;
    if (!puzzles.empty() && puzzles.front().Codes.find_first_not_of('C') != std::string::npos) {
        problems.push_back("puzzle 1 uses other actions than change");
    }
    std::string met;
    for (size_t n = 1; n <= puzzles.size() && met.size() < ActionCodes.size(); ++n) {
        std::string fresh;
        for (const char code : puzzles[n - 1].Codes) {
            if (met.find(code) == std::string::npos && fresh.find(code) == std::string::npos) {
                fresh += code;
            }
        }
        if (fresh.size() > 1) {
            problems.push_back("puzzle " + std::to_string(n) + " brings the new actions " + fresh +
                               " together");
        }
        if (!fresh.empty() && n > GentleStart) {
            problems.push_back("puzzle " + std::to_string(n) + " brings " + fresh +
                               " only after the first " + std::to_string(GentleStart));
        }
        met += fresh;
    }
    if (met.size() < ActionCodes.size()) {
        problems.push_back("not all six actions are used");
    }
    return problems;
}
