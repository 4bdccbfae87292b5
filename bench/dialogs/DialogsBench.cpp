// How quickly the dialogs open on large lists, how quickly the selector sorts and the
// vocabulary editor follows one typed letter, each until the dialog has been painted. 100 ms is
// what a player perceives as instant. Runs offscreen.

#include "core/VocabularyList.h"
#include "screens/dialogs/PuzzleSelector.h"
#include "screens/dialogs/VocabEditor.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "dialogs_benchmarks";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

// Shows the dialog and lets it lay out and paint.
void ShowAndPaint(QWidget& dialog) {
    dialog.show();
    QApplication::processEvents();
    dialog.repaint();
}

std::vector<TSelectorEntry> PuzzleEntries(int count) {
    std::mt19937 random(10000);
    std::vector<TSelectorEntry> entries;
    for (int n = 1; n <= count; ++n) {
        std::string start(3 + random() % 5, 'A');
        std::string end(3 + random() % 5, 'A');
        for (char& c : start) {
            c = static_cast<char>('A' + random() % 26);
        }
        for (char& c : end) {
            c = static_cast<char>('A' + random() % 26);
        }
        entries.push_back({std::to_string(2 + random() % 9) + " " + start + " " + end, n});
    }
    return entries;
}

// Every word of Debian's scowl lists, about half a million; made-up words fill up to 500,000
// where the lists are missing.
const std::vector<std::string>& LargeVocabulary() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> lines;
        const std::filesystem::path folder = "/usr/share/dict/scowl";
        for (const char* list : {"english-words.", "american-words."}) {
            for (const int level : {10, 20, 35, 40, 50, 55, 60, 70, 80, 95}) {
                std::ifstream file(folder / (list + std::to_string(level)));
                for (std::string line; std::getline(file, line);) {
                    lines.push_back(line);
                }
            }
        }
        std::mt19937 random(500000);
        while (lines.size() < 500000) {
            std::string word(1 + random() % 7, 'a');
            for (char& c : word) {
                c = static_cast<char>('a' + random() % 26);
            }
            lines.push_back(word);
        }
        return BuildVocabularyList(std::move(lines));
    }();
    return words;
}

void BM_OpenSelector(benchmark::State& state) {
    Application();
    std::vector<TSelectorEntry> entries = PuzzleEntries(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDlgSelect dialog(entries, static_cast<int32_t>(entries.size() / 2));
        ShowAndPaint(dialog);
    }
    state.counters["puzzles"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_OpenSelector)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click on the Start word header of the shown selector: sorted, selection kept in view,
// painted. Each click reverses the order.
void BM_SortSelector(benchmark::State& state) {
    Application();
    std::vector<TSelectorEntry> entries = PuzzleEntries(static_cast<int>(state.range(0)));
    TDlgSelect dialog(entries, static_cast<int32_t>(entries.size() / 2));
    ShowAndPaint(dialog);
    QHeaderView& header = *dialog.findChild<QTreeView*>("lvPuzzles")->header();
    const QPoint startWord(header.sectionViewportPosition(1) + 10, header.height() / 2);
    for (auto _ : state) {
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, startWord);
        dialog.repaint();
    }
}
BENCHMARK(BM_SortSelector)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenVocabularyEditor(benchmark::State& state) {
    Application();
    const std::vector<std::string>& words = LargeVocabulary();
    for (auto _ : state) {
        TDlgVocab dialog(words);
        ShowAndPaint(dialog);
    }
    state.counters["words"] = static_cast<double>(words.size());
}
BENCHMARK(BM_OpenVocabularyEditor)->Unit(benchmark::kMillisecond)->UseRealTime();

// One letter typed into the word box: the nearest word found, highlighted, scrolled to and
// painted. The box alternates between "m" and empty.
void BM_TypeOneLetter(benchmark::State& state) {
    Application();
    TDlgVocab dialog(LargeVocabulary());
    ShowAndPaint(dialog);
    auto& word = *dialog.findChild<QLineEdit*>("txtWord");
    word.clear();
    for (auto _ : state) {
        QTest::keyClick(&word, Qt::Key_M);
        dialog.repaint();
        state.PauseTiming();
        QTest::keyClick(&word, Qt::Key_Backspace);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeOneLetter)->Unit(benchmark::kMillisecond)->UseRealTime();

// OK/Save on the large list: the edited words handed back as the vocabulary.
void BM_SaveEditedVocabulary(benchmark::State& state) {
    const std::vector<std::string>& words = LargeVocabulary();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildVocabularyList(words));
    }
}
BENCHMARK(BM_SaveEditedVocabulary)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
