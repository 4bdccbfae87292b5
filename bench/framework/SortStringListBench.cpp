// The solver sorts the whole vocabulary twice per search: by length, then by character codes.

#include "base/Util.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RandomWords(std::size_t count) {
    std::mt19937 random(1);
    std::vector<std::string> words(count);
    for (std::string& word : words) {
        word.resize(1 + random() % 7);
        for (char& letter : word) {
            letter = static_cast<char>('a' + random() % 26);
        }
    }
    return words;
}

void SortByLengthThenCodes(benchmark::State& state) {
    const std::vector<std::string> words = RandomWords(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::string> list = words;
        SortStringList(list, [&list](std::size_t a, std::size_t b) {
            return list[a].size() < list[b].size();
        });
        SortStringList(list, [&list](std::size_t a, std::size_t b) { return list[a] < list[b]; });
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(SortByLengthThenCodes)->Arg(2600)->Arg(6000)->Arg(20000)->Unit(benchmark::kMillisecond);
