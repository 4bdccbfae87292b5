// The sound table and the effects: loading the table, a request up to the moment the output
// starts (to compare with the length of the shortest sound), the memory loaded sounds take
// against their sample bytes, and what is heard through the real device.

#include "sound/AppSound.h"

#include "fakes/FakeWaveOutput.h"
#include "fakes/TempFolder.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <string>

#ifdef LADDERLY_QT_OUTPUT
#include "platform/QtWaveOutput.h"
#include "sound/MonitorRecorder.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <array>
#include <functional>
#include <vector>
#endif

// Every allocation of the process is counted, so the memory a sound really takes shows.
namespace {
std::atomic<std::int64_t> LiveBytes{0};
}

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    LiveBytes += static_cast<std::int64_t>(malloc_usable_size(block));
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        LiveBytes -= static_cast<std::int64_t>(malloc_usable_size(block));
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void operator delete[](void* block) noexcept {
    operator delete(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace {
const std::string Shipped = std::string(LADDERLY_SOURCE_DIR) + "/data/";

class NoTarget : public IWaveDoneTarget {
  public:
    void WaveDone(const TWaveDoneMessage& message) override { SoundDone(message); }
};

// The shortest shipped sound, in milliseconds.
double ShortestSoundMs() {
    double shortest = 1e9;
    for (const char* name : {"click", "chime", "solved"}) {
        const TSoundMemory memory = ReadWaveFile(Shipped + "wav/" + name + ".wav");
        shortest =
            std::min(shortest, 1000.0 * memory.SampleSize() / memory.Format().AvgBytesPerSec);
    }
    return shortest;
}

// Starting the manager with the shipped "sounds.txt": compiled first (range 1) or read from a
// "sounds.dat" that is newer (range 0).
void BM_LoadSoundTable(benchmark::State& state) {
    const TempFolder folder;
    std::filesystem::copy(Shipped + "sounds.txt", folder / "sounds.txt");
    FakeWaveOutput output;
    NoTarget target;
    const bool compile = state.range(0) != 0;
    for (auto _ : state) {
        if (compile) {
            state.PauseTiming();
            std::filesystem::remove(folder / "sounds.dat");
            state.ResumeTiming();
        }
        const std::unique_ptr<TAppSound> sound =
            InitSounds(target, output, true, Shipped + "wav", folder.Path());
        benchmark::DoNotOptimize(sound.get());
    }
}
BENCHMARK(BM_LoadSoundTable)->ArgName("compile")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// PlaySound of a kind up to the output's Write, with the test output: reading the file,
// building the node, opening and writing. Kind 0 is the shortest sound, kind 2 the longest.
void BM_PlaySoundToOutputStart(benchmark::State& state) {
    const TempFolder folder;
    std::filesystem::copy(Shipped + "sounds.txt", folder / "sounds.txt");
    FakeWaveOutput output;
    NoTarget target;
    const std::unique_ptr<TAppSound> sound =
        InitSounds(target, output, true, Shipped + "wav", folder.Path());
    const int kind = static_cast<int>(state.range(0));
    for (auto _ : state) {
        PlaySound(kind);
        state.PauseTiming();
        if (output.Playing() == nullptr) {
            state.SkipWithError("nothing plays");
            break;
        }
        output.Finish();
        output.Deliver();
        state.ResumeTiming();
    }
    state.counters["shortest_sound_ms"] = ShortestSoundMs();
}
BENCHMARK(BM_PlaySoundToOutputStart)
    ->ArgName("kind")
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

#ifdef LADDERLY_QT_OUTPUT
// What is heard of each shipped effect through Qt Multimedia's default device, beside paplay of
// the same file, both recorded from the sink's monitor (run under tests/sound/with_null_sink.sh;
// skipped without a sound server). The time is from the request to the first audible sample;
// heard_ms is the shortest audible length recorded, audible_ms the file's.
class Listener : public IWaveDoneTarget {
  public:
    void WaveDone(const TWaveDoneMessage& message) override {
        SoundDone(message);
        ++Done;
    }
    int Done = 0;
};

std::string ShippedWave(int kind) {
    return Shipped + "wav/" + std::array{"click", "chime", "solved"}[kind] + ".wav";
}

// Lets events through until the condition holds or ten seconds have passed.
void Until(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

// Plays by `play` once per iteration while the monitor is recorded; `over` tells when the player
// is done with the sound, and half a second more is recorded.
void MeasureHeard(benchmark::State& state, const std::string& file,
                  const std::function<void()>& play, const std::function<bool()>& over) {
    MonitorRecorder recorder;
    Until([&] { return recorder.Samples().size() >= MonitorRecorder::Rate / 5; });
    if (recorder.Samples().size() == 0) {
        state.SkipWithError("the monitor cannot be recorded");
        return;
    }
    const double audible = 1000 * AudibleSecondsOfFile(file);
    double shortest = 1e9;
    for (auto _ : state) {
        const std::size_t from = recorder.Samples().size();
        const auto requested = MonitorRecorder::Clock::now();
        play();
        Until(over);
        const std::size_t after = recorder.Samples().size();
        Until([&] { return recorder.Samples().size() >= after + MonitorRecorder::Rate / 2; });
        const AudibleSpan span = FindAudible(recorder.Samples(), from);
        if (!span.Found) {
            state.SkipWithError("nothing was heard");
            break;
        }
        shortest = std::min(shortest, 1000 * span.Seconds(MonitorRecorder::Rate));
        state.SetIterationTime(
            std::chrono::duration<double>(recorder.TimeOf(span.First) - requested).count());
    }
    state.counters["heard_ms"] = shortest;
    state.counters["audible_ms"] = audible;
}

// Each shipped effect ten times, timed by the measurement.
void EachEffect(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("kind")
        ->DenseRange(0, 2)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
}

QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "sound_benchmarks";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

void BM_HeardThroughQt(benchmark::State& state) {
    Application();
    const TempFolder folder;
    std::filesystem::copy(Shipped + "sounds.txt", folder / "sounds.txt");
    QtWaveOutput output;
    if (output.DeviceCount() == 0) {
        state.SkipWithError("no sound server");
        return;
    }
    Listener target;
    const std::unique_ptr<TAppSound> sound =
        InitSounds(target, output, true, Shipped + "wav", folder.Path());
    const int kind = static_cast<int>(state.range(0));
    int requested = 0;
    MeasureHeard(
        state, ShippedWave(kind),
        [&] {
            ++requested;
            PlaySound(kind);
        },
        [&] { return target.Done == requested; });
}
BENCHMARK(BM_HeardThroughQt)->Apply(EachEffect);

void BM_HeardThroughPaplay(benchmark::State& state) {
    Application();
    if (QtWaveOutput().DeviceCount() == 0) {
        state.SkipWithError("no sound server");
        return;
    }
    const std::string file = ShippedWave(static_cast<int>(state.range(0)));
    QProcess player;
    MeasureHeard(
        state, file, [&] { player.start("paplay", {QString::fromStdString(file)}); },
        [&] { return player.state() == QProcess::NotRunning; });
}
BENCHMARK(BM_HeardThroughPaplay)->Apply(EachEffect);
#endif

// The memory the three shipped sounds take once loaded, against their sample bytes.
void BM_LoadedSoundMemory(benchmark::State& state) {
    FakeWaveOutput output;
    NoTarget target;
    std::int64_t taken = 0;
    std::int64_t samples = 0;
    for (auto _ : state) {
        TWaveMan manager(target, output, true);
        manager.SetFolder(Shipped + "wav");
        const std::int64_t before = LiveBytes;
        samples = 0;
        std::uint16_t number = 0;
        for (const char* name : {"click", "chime", "solved"}) {
            manager.LoadSound(name, number, 0);
            samples += manager.FindSound(number++)->Header().Length;
        }
        taken = LiveBytes - before;
    }
    state.counters["sample_bytes"] = static_cast<double>(samples);
    state.counters["loaded_bytes"] = static_cast<double>(taken);
    state.counters["overhead_bytes"] = static_cast<double>(taken - samples);
}
BENCHMARK(BM_LoadedSoundMemory)->Unit(benchmark::kMicrosecond);
} // namespace
