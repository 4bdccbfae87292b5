// FlushDamage of a whole game-screen-sized surface through the Qt device, against drawing a
// prepared 32-bit QImage of the same size onto the same back buffer.

#include "graphics/PX8BitmapInfo.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"
#include "platform/QtPaletteDevice.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr uint16_t ScreenWidth = 450;
constexpr uint16_t ScreenHeight = 326;

void BM_FlushDamageQtDevice(benchmark::State& state) {
    TPX8Image image;
    image.Init("screen", nullptr, ScreenWidth, ScreenHeight);
    TPX8ImageData surface(image, &PX8IdentityBitmapInfo());
    for (int32_t y = 0; y < ScreenHeight; ++y) {
        uint8_t* row = surface.StartLine(0, y);
        for (int32_t x = 0; x < ScreenWidth; ++x) {
            row[x] = static_cast<uint8_t>(x ^ y);
        }
        surface.UnlockSegment(0, y);
    }
    QImage back(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
    QtPaletteDevice device(back);
    for (auto _ : state) {
        surface.DamageAll();
        surface.FlushDamage(device, {0, 0});
        benchmark::DoNotOptimize(back.constBits());
    }
}
BENCHMARK(BM_FlushDamageQtDevice);

void BM_DrawPreparedQImage(benchmark::State& state) {
    QImage prepared(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
    for (int y = 0; y < ScreenHeight; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) {
            prepared.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
        }
    }
    QImage back(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&back);
        painter.drawImage(0, 0, prepared);
        painter.end();
        benchmark::DoNotOptimize(back.constBits());
    }
}
BENCHMARK(BM_DrawPreparedQImage);

} // namespace
