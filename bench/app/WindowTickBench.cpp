// One game-timer tick that shows a full-screen damage, and one that shows a 26 x 21 damage (a
// letter cell of the board), through the graphic area and Qt's paint path (offscreen): draw,
// tick (palette lookup into the picture), then deliver the paint to the window's backing store.
// The tick budget is 55 ms.

#include "app/GraphicArea.h"
#include "graphics/PX8ImageData.h"
#include "graphics/PX8Lib.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int64_t paints = 0;
};

QApplication& Application() {
    static int argc = 1;
    static char name[] = "window_tick_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

void BM_TickFlush(benchmark::State& state) {
    Application();
    TPX8Library library;
    TGraphicArea::SetGlobalImageLibrary(&library);
    {
        QWidget window;
        window.resize(466, 342);
        auto* area = new TGraphicArea(&window);
        area->setGeometry(0, 0, 466, 342);
        area->SetBorderWidth(4);
        area->SetInnerBevelWidth(2);
        area->SetOuterBevelWidth(2);
        area->SetBevelInner(TBevelCut::Lowered);
        area->SetBevelOuter(TBevelCut::Raised);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        TPX8ImageData* surface = area->GetImage();
        PaintCounter counter;
        area->installEventFilter(&counter);
        const TRect damage{100, 80, 100 + static_cast<int32_t>(state.range(0)),
                           80 + static_cast<int32_t>(state.range(1))};
        uint8_t colour = 0;
        for (auto _ : state) {
            surface->FillRect(damage, ++colour);
            area->Tick();
            QApplication::processEvents();
        }
        state.counters["paints_per_tick"] =
            static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
        if (!window.isActiveWindow()) {
            state.SkipWithError("the window never became active: ticks showed nothing");
        }
    }
    TGraphicArea::SetGlobalImageLibrary(nullptr);
}
BENCHMARK(BM_TickFlush)->Args({450, 326})->Args({26, 21})->Unit(benchmark::kMicrosecond);

} // namespace
