// Surface drawing against its limits: Blit of a game-screen-sized surface against memcpy of the
// same bytes, and moving a layer against redrawing the whole owner.

#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr uint16_t ScreenWidth = 450;
constexpr uint16_t ScreenHeight = 326;

struct Surface {
    Surface(uint16_t w, uint16_t h, uint32_t seed) : image(std::make_unique<TPX8Image>()) {
        image->Init("bench", nullptr, w, h);
        data = std::make_unique<TPX8ImageData>(*image, nullptr);
        std::mt19937 generator(seed);
        for (int32_t y = 0; y < h; ++y) {
            uint8_t* row = data->StartLine(0, y);
            for (int32_t x = 0; x < w; ++x) {
                row[x] = static_cast<uint8_t>(generator() % 16);
            }
            data->UnlockSegment(0, y);
        }
    }
    std::unique_ptr<TPX8Image> image;
    std::unique_ptr<TPX8ImageData> data;
};

void BM_Memcpy(benchmark::State& state) {
    const size_t bytes = size_t{ScreenWidth} * ScreenHeight;
    std::vector<uint8_t> from(bytes, 7);
    std::vector<uint8_t> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Memcpy);

enum class Kind { Opaque, Transparent, Mirrored };

void BlitScreen(benchmark::State& state, Kind kind) {
    Surface source(ScreenWidth, ScreenHeight, 1);
    Surface dest(ScreenWidth, ScreenHeight, 2);
    source.data->SetTransparency(3, kind == Kind::Transparent);
    source.data->FlipHorizontal = kind == Kind::Mirrored;
    for (auto _ : state) {
        dest.data->Blit({0, 0}, *source.data, source.data->GetBounds());
        dest.data->ClearDamage();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * size_t{ScreenWidth} * ScreenHeight));
}

void BM_BlitOpaque(benchmark::State& state) {
    BlitScreen(state, Kind::Opaque);
}
void BM_BlitTransparent(benchmark::State& state) {
    BlitScreen(state, Kind::Transparent);
}
void BM_BlitMirrored(benchmark::State& state) {
    BlitScreen(state, Kind::Mirrored);
}
BENCHMARK(BM_BlitOpaque);
BENCHMARK(BM_BlitTransparent);
BENCHMARK(BM_BlitMirrored);

// A 100 x 60 sprite with transparent pixels moved back and forth by one pixel as a layer.
void BM_MoveLayerOnePixel(benchmark::State& state) {
    Surface owner(ScreenWidth, ScreenHeight, 4);
    Surface sprite(100, 60, 5);
    sprite.data->SetTransparency(3, true);
    TPX8LayerNode* layer = owner.data->AddLayerFrame(*sprite.data, {170, 130}, 0, 1);
    int32_t x = 170;
    for (auto _ : state) {
        x = x == 170 ? 171 : 170;
        owner.data->SetLayerNodePosition(layer, {x, 130});
        owner.data->ClearDamage();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MoveLayerOnePixel);

// The same picture made without layers: the owner's background and the sprite drawn again.
void BM_RedrawWholeOwner(benchmark::State& state) {
    Surface background(ScreenWidth, ScreenHeight, 4);
    Surface owner(ScreenWidth, ScreenHeight, 4);
    Surface sprite(100, 60, 5);
    sprite.data->SetTransparency(3, true);
    int32_t x = 170;
    for (auto _ : state) {
        x = x == 170 ? 171 : 170;
        owner.data->Blit({0, 0}, *background.data, background.data->GetBounds());
        owner.data->Blit({x, 130}, *sprite.data, sprite.data->GetBounds());
        owner.data->ClearDamage();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RedrawWholeOwner);

} // namespace
