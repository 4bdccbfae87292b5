// Speed of the puzzle core on realistic sizes: the vocabulary loader against merely reading the
// same lines, the puzzle loader with its validation, and the step test.

#include "base/Messages.h"
#include "base/TextFile.h"
#include "core/PuzzleCore.h"
#include "core/WordText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr const char* ScowlFolder = "/usr/share/dict/scowl";
constexpr int ScowlLevels[] = {10, 20, 35, 40, 50, 55, 60, 70, 80, 95};

class SilentInterface : public IUserInterface {
  public:
    MessageBoxResult ShowMessageBox(const std::string&, const std::string&,
                                    MessageBoxStyle style) override {
        return DefaultMessageBoxResult(style);
    }
    void ProcessPendingMessages() override {}
};

// Folders with the whole scowl list as vocab.txt, once in the game's order and once shuffled,
// and the shipped vocabulary with 10,000 puzzles.
struct Fixture {
    fs::path root =
        fs::temp_directory_path() / ("ladderly-core-bench-" + std::to_string(::getpid()));
    fs::path sorted = root / "sorted";
    fs::path shuffled = root / "shuffled";
    fs::path puzzles = root / "puzzles";
    std::vector<std::string> words;
    size_t lineCount = 0;

    Fixture() {
        for (const int level : ScowlLevels) {
            for (const char* list : {"english-words.", "american-words."}) {
                std::ifstream file(fs::path(ScowlFolder) / (list + std::to_string(level)));
                std::string line;
                while (std::getline(file, line)) {
                    words.push_back(line);
                }
            }
        }
        if (words.empty()) {
            throw std::runtime_error("the scowl word lists are not installed");
        }
        lineCount = words.size();
        std::stable_sort(words.begin(), words.end(), LessNoCase);
        for (const fs::path& folder : {sorted, shuffled, puzzles}) {
            fs::create_directories(folder);
        }
        WriteLinesWithBackup(sorted / "vocab.txt", words);
        std::vector<std::string> mixed = words;
        std::shuffle(mixed.begin(), mixed.end(), std::mt19937(7));
        WriteLinesWithBackup(shuffled / "vocab.txt", mixed);

        const fs::path data = fs::path(LADDERLY_SOURCE_DIR) / "data";
        fs::copy_file(data / "vocab.txt", puzzles / "vocab.txt",
                      fs::copy_options::overwrite_existing);
        const std::vector<std::string> shipped = ReadTextLines(data / "puzzle.txt");
        std::vector<std::string> many;
        while (many.size() < 40'000) {
            many.insert(many.end(), shipped.begin(), shipped.end());
        }
        many.resize(40'000);
        WriteLinesWithBackup(puzzles / "puzzle.txt", many);
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void ReadLines(benchmark::State& state, const fs::path& folder) {
    const fs::path path = folder / "vocab.txt";
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(file, line)) {
            lines.push_back(line);
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(Data().lineCount);
}

void LoadVocabulary(benchmark::State& state, const fs::path& folder) {
    TPuzzleCore core(folder);
    for (auto _ : state) {
        core.VocabFileDate.reset();
        if (!core.LoadVocabulary()) {
            state.SkipWithError("vocab.txt was not read");
            return;
        }
        benchmark::DoNotOptimize(core.Vocabulary.data());
    }
    state.counters["words"] = static_cast<double>(core.Vocabulary.size());
}

void BM_ReadLinesSorted(benchmark::State& state) {
    ReadLines(state, Data().sorted);
}
void BM_LoadVocabularySorted(benchmark::State& state) {
    LoadVocabulary(state, Data().sorted);
}
void BM_ReadLinesShuffled(benchmark::State& state) {
    ReadLines(state, Data().shuffled);
}
void BM_LoadVocabularyShuffled(benchmark::State& state) {
    LoadVocabulary(state, Data().shuffled);
}

void BM_LoadPuzzles10000(benchmark::State& state) {
    SilentInterface ui;
    SetUserInterface(&ui);
    TPuzzleCore core(Data().puzzles);
    core.LoadVocabulary();
    for (auto _ : state) {
        core.PuzzleFileDate.reset();
        core.LoadPuzzles();
        benchmark::DoNotOptimize(core.PuzzleLines.data());
    }
    SetUserInterface(nullptr);
    state.counters["puzzles"] = core.PuzzleCount;
}

// A million steps between vocabulary words of equal or neighbouring lengths, every code.
void BM_IsValidStepMillion(benchmark::State& state) {
    TPuzzleCore core(Data().puzzles);
    core.LoadVocabulary();
    const std::vector<std::string>& words = core.Vocabulary;
    std::mt19937 random(11);
    struct Step {
        char code;
        const std::string* from;
        const std::string* to;
    };
    std::vector<Step> steps;
    while (steps.size() < 1'000'000) {
        const std::string& from = words[random() % words.size()];
        const std::string& to = words[random() % words.size()];
        const size_t gap =
            from.size() > to.size() ? from.size() - to.size() : to.size() - from.size();
        if (gap <= 1) {
            steps.push_back({ActionCodes[steps.size() % ActionCodes.size()], &from, &to});
        }
    }
    for (auto _ : state) {
        int valid = 0;
        for (const Step& step : steps) {
            valid += IsValidStep(step.code, *step.from, *step.to) ? 1 : 0;
        }
        benchmark::DoNotOptimize(valid);
    }
}
} // namespace

BENCHMARK(BM_ReadLinesSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadVocabularySorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLinesShuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadVocabularyShuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPuzzles10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsValidStepMillion)->Unit(benchmark::kMillisecond);
