// Speed of the designer's searches over the shipped data: every puzzle solved and its
// solutions counted, and a shortest ladder between two distant words, each through the step
// index against a plain search that tries every vocabulary word with IsValidStep at each step.

#include "base/TextFile.h"
#include "core/LadderSearch.h"
#include "core/StepActions.h"

#include <benchmark/benchmark.h>

#include <deque>
#include <filesystem>
#include <map>

namespace {
constexpr uint64_t CountCap = 1000;

struct ShippedData {
    std::vector<std::string> vocabulary;
    std::vector<TLadderPuzzle> puzzles;
    std::unique_ptr<TStepIndex> index;

    ShippedData() {
        const std::filesystem::path data = std::filesystem::path(LADDERLY_SOURCE_DIR) / "data";
        vocabulary = ReadTextLines(data / "vocab.txt");
        const std::vector<std::string> lines = ReadTextLines(data / "puzzle.txt");
        for (size_t i = 0; i + 3 < lines.size(); i += 4) {
            puzzles.push_back(
                TLadderPuzzle::FromLines(lines[i], lines[i + 1], lines[i + 2], lines[i + 3]));
        }
        index = std::make_unique<TStepIndex>(vocabulary);
    }
    // The last puzzle has 10 rows: its words are far apart.
    const TLadderPuzzle& Distant() const { return puzzles.back(); }
};

// Loaded before the first benchmark's clock starts.
const ShippedData& Data() {
    static const ShippedData data;
    return data;
}
[[maybe_unused]] const ShippedData& Loaded = Data();

// Solutions counted row by row, each row's words found by testing the whole vocabulary.
uint64_t PlainCount(const std::vector<std::string>& vocabulary, const TLadderPuzzle& puzzle) {
    std::map<std::string, uint64_t> ways = {{puzzle.Start, 1}};
    for (int row = 2; row <= puzzle.Rows(); ++row) {
        const char code = puzzle.Codes[static_cast<size_t>(row - 2)];
        const std::string& fixed = row == puzzle.Rows() ? puzzle.End : puzzle.HintOf(row);
        std::map<std::string, uint64_t> next;
        for (const auto& [word, count] : ways) {
            for (const std::string& candidate : vocabulary) {
                if ((fixed.empty() || candidate == fixed) && IsValidStep(code, word, candidate)) {
                    next[candidate] = std::min(CountCap, next[candidate] + count);
                }
            }
        }
        ways = std::move(next);
    }
    return ways.empty() ? 0 : ways.begin()->second;
}

size_t PlainLadder(const std::vector<std::string>& vocabulary, const std::string& from,
                   const std::string& to) {
    std::map<std::string, size_t> rows = {{from, 1}};
    std::deque<std::string> queue = {from};
    while (!queue.empty() && !rows.contains(to)) {
        const std::string word = queue.front();
        queue.pop_front();
        for (const std::string& candidate : vocabulary) {
            for (const char code : ActionCodes) {
                if (IsValidStep(code, word, candidate)) {
                    if (rows.emplace(candidate, rows[word] + 1).second) {
                        queue.push_back(candidate);
                    }
                    break;
                }
            }
        }
    }
    return rows.contains(to) ? rows[to] : 0;
}

void BM_BuildStepIndex(benchmark::State& state) {
    for (auto _ : state) {
        const TStepIndex index(Data().vocabulary);
        benchmark::DoNotOptimize(index.Size());
    }
    state.counters["words"] = static_cast<double>(Data().index->Size());
}

// Every shipped puzzle, solutions counted up to 1000 and the first one listed, as `solve` does.
void BM_SolveCollection(benchmark::State& state) {
    for (auto _ : state) {
        uint64_t total = 0;
        for (const TLadderPuzzle& puzzle : Data().puzzles) {
            total += SolvePuzzle(*Data().index, puzzle, CountCap, 1).Count;
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["puzzles"] = static_cast<double>(Data().puzzles.size());
}

// The same collection and counts, each row's words found by trying the whole vocabulary.
void BM_SolveCollectionPlain(benchmark::State& state) {
    for (auto _ : state) {
        uint64_t total = 0;
        for (const TLadderPuzzle& puzzle : Data().puzzles) {
            total += PlainCount(Data().vocabulary, puzzle);
        }
        benchmark::DoNotOptimize(total);
    }
}

void BM_LadderIndexed(benchmark::State& state) {
    const TStepIndex& index = *Data().index;
    const TLadderPuzzle& distant = Data().Distant();
    size_t rows = 0;
    for (auto _ : state) {
        rows = ShortestLadder(index, index.Find(distant.Start), index.Find(distant.End)).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_LadderPlain(benchmark::State& state) {
    const TLadderPuzzle& distant = Data().Distant();
    size_t rows = 0;
    for (auto _ : state) {
        rows = PlainLadder(Data().vocabulary, distant.Start, distant.End);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
} // namespace

BENCHMARK(BM_BuildStepIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveCollectionPlain)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LadderIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LadderPlain)->Unit(benchmark::kMillisecond)->Iterations(1);
