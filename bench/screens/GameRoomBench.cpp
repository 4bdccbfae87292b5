// The game room on the shipped puzzles and pictures, on a graphic area in an offscreen window:
// a letter key to the frame that shows it (the cell drawn, the quiet check, the damage
// flushed and painted), loading a puzzle with the whole board drawn, and the hidden solver on
// the slowest shipped puzzle with its drawing and message pumping against the same search
// without a screen, and what a screen reader's view adds to each tick. The tick budget is
// 55 ms.

#include "app/GraphicArea.h"
#include "base/Messages.h"
#include "framework/FrameSet.h"
#include "framework/GameWorld.h"
#include "graphics/HotImage.h"
#include "graphics/PX8Lib.h"
#include "platform/QtUserInterface.h"
#include "screens/GameRoom.h"
#include "screens/RoomReading.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

const std::string DataFolder = LADDERLY_SOURCE_DIR "/data/";

QApplication& Application() {
    static int argc = 1;
    static char name[] = "game_room_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

// The game room entered in a world on a graphic area of a shown window.
class RoomOnScreen {
  public:
    RoomOnScreen() {
        SetUserInterface(&ui);
        library.LoadFromFile(LADDERLY_BUILD_DIR "/ladderly.px8");
        TGraphicArea::SetGlobalImageLibrary(&library);
        THotImage::SetGlobalImageLibrary(&library);
        TFrameSet::SetGlobalImageLibrary(&library);
        window.resize(466, 342);
        area = new TGraphicArea(&window);
        area->setGeometry(0, 0, 466, 342);
        window.show();
        QApplication::processEvents();
        TWorld::SetGameRoomFactory([](const std::string& id) {
            return std::make_unique<TGameRoom>(id, DataFolder, nullptr);
        });
        world = std::make_unique<TWorld>(area);
        SetWorld(world.get());
        world->CreateRooms();
        world->Start();
        room = dynamic_cast<TGameRoom*>(world->GetCurrentRoom());
        Flush();
    }
    ~RoomOnScreen() {
        world.reset();
        delete area;
        TWorld::SetGameRoomFactory(nullptr);
        TFrameSet::SetGlobalImageLibrary(nullptr);
        THotImage::SetGlobalImageLibrary(nullptr);
        TGraphicArea::SetGlobalImageLibrary(nullptr);
        SetUserInterface(nullptr);
    }
    RoomOnScreen(const RoomOnScreen&) = delete;
    RoomOnScreen& operator=(const RoomOnScreen&) = delete;

    void Flush() {
        area->Tick();
        QApplication::processEvents();
    }

    // The first puzzle with at least this many rows.
    int PuzzleWithRows(int rows) const {
        for (int n = 1; n <= room->PuzzleCount; ++n) {
            if (static_cast<int>(room->PuzzleField(n, 2).size()) + 1 >= rows) {
                return n;
            }
        }
        return 1;
    }

    QApplication& application = Application();
    QtUserInterface ui{QtUserInterface::Mode::Headless};
    TPX8Library library;
    QWidget window;
    TGraphicArea* area = nullptr;
    std::unique_ptr<TWorld> world;
    TGameRoom* room = nullptr;
};

void BM_LetterKeyToFrame(benchmark::State& state) {
    RoomOnScreen screen;
    screen.room->LoadPuzzle(screen.PuzzleWithRows(10));
    screen.Flush();
    uint16_t letter = 'A';
    for (auto _ : state) {
        screen.world->KeyDown(letter, 0);
        screen.Flush();
        letter = letter == 'Z' ? 'A' : static_cast<uint16_t>(letter + 1);
    }
}
BENCHMARK(BM_LetterKeyToFrame)->Unit(benchmark::kMicrosecond);

void BM_LoadPuzzleAndDrawBoard(benchmark::State& state) {
    RoomOnScreen screen;
    int n = 0;
    for (auto _ : state) {
        n = n % screen.room->PuzzleCount + 1;
        screen.room->LoadPuzzle(n);
        screen.Flush();
    }
}
BENCHMARK(BM_LoadPuzzleAndDrawBoard)->Unit(benchmark::kMicrosecond);

// What each tick costs while a screen reader listens: the room read and compared with the
// reading of the tick before.
void BM_ReadAndCompareRoom(benchmark::State& state) {
    RoomOnScreen screen;
    screen.room->LoadPuzzle(screen.PuzzleWithRows(10));
    TRoomReading last = ReadRoom(screen.room);
    for (auto _ : state) {
        TRoomReading now = ReadRoom(screen.room);
        benchmark::DoNotOptimize(CompareReadings(last, now));
        last = std::move(now);
    }
}
BENCHMARK(BM_ReadAndCompareRoom)->Unit(benchmark::kMicrosecond);

// A puzzle core over the shipped data with puzzle n on the board, rows blank, as the room
// loads it.
void PutOnBoard(TPuzzleCore& core, int n) {
    core.CurrentPuzzle = n;
    core.Actions = " " + core.PuzzleField(n, 2);
    core.RowCount = static_cast<int32_t>(core.Actions.size());
    core.Rows[1] = core.PuzzleField(n, 0);
    core.Rows[static_cast<size_t>(core.RowCount)] = core.PuzzleField(n, 1);
    for (int r = 2; r < core.RowCount; ++r) {
        core.Rows[static_cast<size_t>(r)].assign(static_cast<size_t>(core.RowLength(r)), ' ');
    }
}

// The shipped puzzle the solver takes longest on without a screen.
int SlowestPuzzle() {
    static const int slowest = [] {
        TPuzzleCore core(DataFolder);
        core.LoadGameData();
        int found = 1;
        auto longest = std::chrono::steady_clock::duration::zero();
        for (int n = 1; n <= core.PuzzleCount; ++n) {
            PutOnBoard(core, n);
            const auto start = std::chrono::steady_clock::now();
            core.SolveLadder();
            const auto spent = std::chrono::steady_clock::now() - start;
            if (spent > longest) {
                longest = spent;
                found = n;
            }
        }
        return found;
    }();
    return slowest;
}

void BM_SolverWithoutScreen(benchmark::State& state) {
    Application();
    QtUserInterface ui(QtUserInterface::Mode::Headless);
    SetUserInterface(&ui);
    TPuzzleCore core(DataFolder);
    core.LoadGameData();
    const int n = SlowestPuzzle();
    for (auto _ : state) {
        PutOnBoard(core, n);
        core.SolveLadder();
    }
    state.SetLabel("puzzle " + std::to_string(n) + ", " + std::to_string(core.RowCount) + " rows");
    SetUserInterface(nullptr);
}
BENCHMARK(BM_SolverWithoutScreen)->Unit(benchmark::kMillisecond);

void BM_SolverDrawingAndPumping(benchmark::State& state) {
    RoomOnScreen screen;
    const int n = SlowestPuzzle();
    for (auto _ : state) {
        screen.room->LoadPuzzle(n);
        screen.room->SolverUnlocked = true;
        screen.world->KeyDown(RoomKey::F11, 0);
        screen.Flush();
    }
    state.SetLabel("puzzle " + std::to_string(n));
}
BENCHMARK(BM_SolverDrawingAndPumping)->Unit(benchmark::kMillisecond);

} // namespace
