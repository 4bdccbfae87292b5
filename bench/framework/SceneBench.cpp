// The scene framework's per-event costs: merging damage rectangles, finding the box under the
// pointer, and a world tick that runs timer scripts.

#include "base/Geometry.h"
#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "framework/StdRoom.h"
#include "framework/StdWorld.h"
#include "framework/TimerScript.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

namespace {

void BM_MergeRects(benchmark::State& state) {
    std::array<TRect, 5> output{};
    TRect a{0, 0, 100, 100};
    TRect b{50, 50, 150, 150};
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(MergeRects(a, b, output));
    }
}
BENCHMARK(BM_MergeRects);

// A room of N boxes in a row; the point lies in the last one, so every box is tested.
void BM_FindBox(benchmark::State& state) {
    THitBoxList boxes;
    const auto count = static_cast<int32_t>(state.range(0));
    for (int32_t i = 0; i < count; ++i) {
        boxes.Add(std::make_unique<TScriptBox>("B" + std::to_string(i),
                                               TRect{i * 10, 0, i * 10 + 10, 10}));
    }
    const int32_t x = count * 10 - 5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(boxes.FindBox(x, 5));
    }
}
BENCHMARK(BM_FindBox)->Arg(10)->Arg(40);

class AnimatedRoom : public TRoom {
  public:
    using TRoom::TRoom;
    void RunScript(const std::string&, const std::string&) override {
        ScheduleScript(ScriptKind::Animate, 0, ScheduleMode::Always);
    }
};

// A tick with N scripts waiting, one of which is due and schedules itself again.
void BM_TickWithScripts(benchmark::State& state) {
    FakeUserInterface ui;
    FakeGraphicArea area;
    TStdWorld world(&area);
    SetWorld(&world);
    world.AddRoom(std::make_unique<AnimatedRoom>("A"));
    world.GoRoom("A");
    ClearScripts();
    for (int64_t i = 1; i < state.range(0); ++i) {
        ScheduleScript(ScriptKind::Timer, 1000000000, ScheduleMode::Always);
    }
    ScheduleScript(ScriptKind::Animate, 0, ScheduleMode::Always);
    for (auto _ : state) {
        world.Tick(1);
    }
    ClearScripts();
    SetWorld(nullptr);
}
BENCHMARK(BM_TickWithScripts)->Arg(1)->Arg(20);

} // namespace
