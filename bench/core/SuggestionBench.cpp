// The suggestion wizard on the shipped vocabulary: six passes over every word for one word of
// 3, 5 and 7 letters, against the 100 ms a designer perceives as instant.

#include "base/Messages.h"
#include "core/PuzzleCore.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

// Takes every box and long text without showing it, keeping the length of the last one.
class QuietInterface : public IUserInterface {
  public:
    MessageBoxResult ShowMessageBox(const std::string&, const std::string& text,
                                    MessageBoxStyle) override {
        shownLength = text.size();
        return MessageBoxResult::Ok;
    }
    void ProcessPendingMessages() override {}
    size_t shownLength = 0;
};

const TPuzzleCore& ShippedVocabulary() {
    static TPuzzleCore core(LADDERLY_SOURCE_DIR "/data");
    if (core.Vocabulary.empty() && !core.LoadVocabulary()) {
        throw std::runtime_error("data/vocab.txt cannot be read");
    }
    return core;
}

void ShowSuggestions(benchmark::State& state, const char* word) {
    const TPuzzleCore& core = ShippedVocabulary();
    QuietInterface ui;
    SetUserInterface(&ui);
    for (auto _ : state) {
        core.ShowSuggestions(word);
    }
    SetUserInterface(nullptr);
    state.counters["words"] = static_cast<double>(core.Vocabulary.size());
    state.counters["listing_bytes"] = static_cast<double>(ui.shownLength);
}

BENCHMARK_CAPTURE(ShowSuggestions, cat, "cat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowSuggestions, stone, "stone")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowSuggestions, chapter, "chapter")->Unit(benchmark::kMillisecond);

} // namespace
