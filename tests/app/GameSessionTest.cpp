// The game as a player meets it: the real window over the shipped puzzles, vocabulary and
// pictures, driven by QTest keys and mouse clicks only.

#include "app/FormGame.h"

#include "app/GameRooms.h"
#include "app/GraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"
#include "framework/GameWorld.h"
#include "graphics/PX8ImageData.h"
#include "platform/QtTestApplication.h"
#include "screens/GameRoom.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class GameSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        fs::copy_file(LADDERLY_BUILD_DIR "/ladderly.px8", install / "ladderly.px8");
        for (const char* name : {"vocab.txt", "puzzle.txt"}) {
            fs::copy_file(fs::path(std::getenv("LADDERLY_SOURCE_DIR")) / "data" / name,
                          fs::path(install.MakeFolder("dat")) / name);
        }
        settings.ProgramFolder = install.Path();
        settings.InstallFolder = install.Path();
        settings.DataFolder = install.Path() + "dat/";
        RegisterGameRoom(settings.DataFolder, nullptr);
    }
    void TearDown() override { TWorld::SetGameRoomFactory(nullptr); }

    TGameRoom& Show(TFormGame& form) {
        bool started = false;
        form.OnShown = [&started] { started = true; };
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_TRUE(ProcessEventsUntil([&started] { return started; }));
        return dynamic_cast<TGameRoom&>(*form.GetWorld()->GetCurrentRoom());
    }

    // A click at a point of the display surface.
    static void Click(TFormGame& form, const TPoint& p) {
        QTest::mouseClick(form.gfxaGame, Qt::LeftButton, {}, QPoint(p.X + 8, p.Y + 8));
    }
    static TPoint Centre(const TRect& r) {
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    TempFolder install;
    GameSettings settings;
    ApplicationInfo application{"Ladderly", "ladd.hlp"};
    FakeUserInterface ui;
};

// The first shipped puzzle of four rows or more, solved by typing the ladder the solver finds,
// the win animation moving on the screen, and a click that goes on to the next puzzle.
TEST_F(GameSessionTest, PlayAShippedPuzzleToTheWinByKeys) {
    auto form = std::make_unique<TFormGame>(settings, application);
    TGameRoom& room = Show(*form);
    ASSERT_EQ(room.CurrentPuzzle, 1);
    const TRect newButton = room.FindHitBox("newbtn")->Bounds;
    while (room.RowCount < 4) {
        Click(*form, Centre(newButton));
    }

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
    for (int r = 2; r < room.RowCount; ++r) {
        EXPECT_EQ(room.Rows[static_cast<size_t>(r)], solver.Rows[static_cast<size_t>(r)]);
    }
    ASSERT_TRUE(room.Solved);
    ASSERT_NE(room.WinSprite, nullptr);
    const int32_t startY = room.WinY;
    ASSERT_TRUE(ProcessEventsUntil([&] { return room.WinY > startY + 60; }))
        << "the sprite falls in on the game's ticks";
    const QImage shot = form->grab().toImage();
    const TPX8ImageData& sprite = *room.WinSprite->GetSurface();
    const TPX8ImageData* surface = form->gfxaGame->GetCore().GetSurface();
    ASSERT_TRUE(surface->IsLayer(sprite));
    EXPECT_FALSE(shot.isNull());

    const int solved = room.CurrentPuzzle;
    Click(*form, {room.BoardLeft + 5, room.BoardTop + 5});
    EXPECT_FALSE(room.Solved);
    EXPECT_NE(room.CurrentPuzzle, solved);
    EXPECT_EQ(room.WinSprite, nullptr);

    form.reset();
    EXPECT_TRUE(ui.boxes.empty()) << "nothing changed, nothing asked at the end";
}

} // namespace
