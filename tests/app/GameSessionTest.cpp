// The game as a player meets it: the real window over the shipped puzzles, vocabulary and
// pictures, driven by QTest keys and mouse clicks only.

#include "app/FormGame.h"

#include "app/GraphicArea.h"
#include "app/ShowWindow.h"
#include "graphics/PX8ImageData.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class GameSessionTest : public RealGameTest {
  protected:
    GameSessionTest() {
        for (const char* name : {"vocab.txt", "puzzle.txt"}) {
            fs::copy_file(fs::path(std::getenv("LADDERLY_SOURCE_DIR")) / "data" / name,
                          install / "dat" / name);
        }
    }

    // A click at a point of the display surface.
    static void Click(TFormGame& form, const TPoint& p) {
        QTest::mouseClick(form.gfxaGame, Qt::LeftButton, {}, QPoint(p.X + 8, p.Y + 8));
    }
};

// The first shipped puzzle of four rows or more, solved by typing the ladder the solver finds,
// the win animation moving on the screen, and a click that goes on to the next puzzle.
TEST_F(GameSessionTest, PlayAShippedPuzzleToTheWinByKeys) {
    auto form = std::make_unique<TFormGame>(settings, application);
    TGameRoom& room = Start(*form);
    ASSERT_EQ(room.CurrentPuzzle, 1);
    const TRect newButton = room.FindHitBox("newbtn")->Bounds;
    for (int clicks = 0; room.RowCount < 4 && clicks < 200; ++clicks) {
        Click(*form,
              {(newButton.Left + newButton.Right) / 2, (newButton.Top + newButton.Bottom) / 2});
    }
    ASSERT_GE(room.RowCount, 4);

    TPuzzleCore solver(settings.DataFolder);
    solver.LoadGameData();
    solver.CurrentPuzzle = room.CurrentPuzzle;
    solver.RowCount = room.RowCount;
    solver.Actions = room.Actions;
    solver.Rows = room.Rows;
    solver.SolveLadder();
    std::string typed;
    for (int r = 2; r < room.RowCount; ++r) {
        typed += solver.Rows[static_cast<size_t>(r)];
    }
    ASSERT_EQ(typed.find(' '), std::string::npos) << "the solver found a ladder";

    QTest::keyClicks(form.get(), QString::fromStdString(typed).toLower());
    ASSERT_TRUE(room.Solved);
    ASSERT_NE(room.WinSprite, nullptr);
    // The sprite falls in from above the screen on the game's own ticks. A real event loop
    // waits between them, which is when the game counts as idle and the sprite is redrawn.
    QElapsedTimer clock;
    clock.start();
    while (room.WinY < 0 && clock.elapsed() < 20000) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_GE(room.WinY, 0);
    // The sprite is a layer of the display where the room put it.
    TLayerInfo layer;
    form->gfxaGame->GetCore().GetSurface()->GetLayerInfo(*room.WinSprite->GetSurface(), layer);
    EXPECT_EQ((TPoint{layer.X, layer.Y}), (TPoint{room.WinX, room.WinY}));

    const int solved = room.CurrentPuzzle;
    Click(*form, {room.BoardLeft + 5, room.BoardTop + 5});
    EXPECT_FALSE(room.Solved);
    EXPECT_NE(room.CurrentPuzzle, solved);
    form.reset();
    EXPECT_TRUE(ui.boxes.empty()) << "nothing changed, nothing asked at the end";
}

} // namespace
