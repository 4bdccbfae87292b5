// The game as a player meets it: the real window over the shipped puzzles, vocabulary and
// pictures, driven by QTest keys and mouse clicks only.

#include "app/FormGame.h"

#include "app/GameRooms.h"
#include "app/GraphicArea.h"
#include "app/ShowWindow.h"
#include "core/BoardKit.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"
#include "framework/GameWorld.h"
#include "graphics/PX8ImageData.h"
#include "platform/QtTestApplication.h"
#include "screens/GameRoom.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

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
        RegisterGameRoom(settings.DataFolder, settings.DataFolder, nullptr);
    }
    void TearDown() override { TWorld::SetGameRoomFactory(nullptr); }

    static TGameRoom& Show(TFormGame& form) {
        EXPECT_TRUE(ShowAndStart(form));
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

    QTest::keyClick(form.get(), Qt::Key_F1);
    QTest::keyClick(form.get(), Qt::Key_F2);
    EXPECT_EQ(ui.helpShown,
              (std::vector<HelpContext>{HelpContext::Playing, HelpContext::Contents}));
    QTest::keyClicks(form.get(), QString::fromStdString(typed).toLower());
    for (int r = 2; r < room.RowCount; ++r) {
        EXPECT_EQ(room.Rows[static_cast<size_t>(r)], solver.Rows[static_cast<size_t>(r)]);
    }
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
    TPX8ImageData& sprite = *room.WinSprite->GetSurface();
    TPX8ImageData& surface = *form->gfxaGame->GetCore().GetSurface();
    TLayerInfo layer;
    surface.GetLayerInfo(sprite, layer);
    EXPECT_EQ((TPoint{layer.X, layer.Y}), (TPoint{room.WinX, room.WinY}));
    int opaque = 0;
    for (int32_t y = 0; y < sprite.FrameHeight; y += 4) {
        for (int32_t x = 0; x < sprite.Width(); x += 4) {
            // The band shown, which lags the frame number by one switch.
            const uint8_t pixel = sprite.GetPixel({x, layer.SourceRect.Top + y});
            if (pixel != sprite.GetTransparentColor() && room.WinY + y < surface.Height()) {
                ++opaque;
                ASSERT_EQ(surface.GetPixel({room.WinX + x, room.WinY + y}), pixel) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 100) << "the sprite shows on the display";

    const int solved = room.CurrentPuzzle;
    Click(*form, {room.BoardLeft + 5, room.BoardTop + 5});
    EXPECT_FALSE(room.Solved);
    EXPECT_NE(room.CurrentPuzzle, solved);
    EXPECT_EQ(room.WinSprite, nullptr);

    form.reset();
    EXPECT_TRUE(ui.boxes.empty()) << "nothing changed, nothing asked at the end";
}

// A designer through the real window: F6 makes cold-warm, its rows are typed and the spare
// ones deleted by clicks, "+" (on the keypad), "-" and "=" (typed with Shift, as some layouts
// do) change a step, a row is added and deleted, a hint set,
// cleared and set again; the puzzle is accepted and saved when the window closes. Then a new
// puzzle and an edit are cancelled, and the file stays as it was.
TEST_F(GameSessionTest, DesignAPuzzleSaveItAndCancelOthers) {
    auto form = std::make_unique<TFormGame>(settings, application);
    TGameRoom* room = &Show(*form);
    const int count = room->PuzzleCount;
    const auto click = [&](const char* button) {
        Click(*form, Centre(room->FindHitBox(button)->Bounds));
    };
    const auto board = [&] { return BoardRows(*room) + " " + room->Actions.substr(1); };
    ui.AnswerInput("Cold warm");
    QTest::keyClick(form.get(), Qt::Key_F6);
    ASSERT_TRUE(room->EditMode);
    // Shipped puzzles using the words bring a warning first.
    const size_t warnings = ui.boxes.size();
    EXPECT_EQ(room->CurrentPuzzle, count + 1);
    QTest::keyClicks(form.get(), "cordcardward");
    for (int i = 0; i < 5; ++i) {
        click("delrwbtn");
    }
    EXPECT_EQ(board(), "COLD/CORD/CARD/WARD/WARM CCCC");

    const std::pair<std::pair<Qt::Key, Qt::KeyboardModifiers>, const char*> keys[] = {
        {{Qt::Key_Plus, Qt::KeypadModifier}, "COLD/CORD /CARD/WARD/WARM ARCC"},
        {{Qt::Key_Minus, Qt::NoModifier}, "COLD/CORD/CARD/WARD/WARM CCCC"},
        {{Qt::Key_Equal, Qt::ShiftModifier}, "COLD/CORD/CARD/WARD/WARM SCCC"},
        {{Qt::Key_Equal, Qt::NoModifier}, "COLD/CORD/CARD/WARD/WARM XCCC"},
        {{Qt::Key_Equal, Qt::NoModifier}, "COLD/CORD/CARD/WARD/WARM MCCC"},
        {{Qt::Key_Equal, Qt::NoModifier}, "COLD/CORD/CARD/WARD/WARM CCCC"},
    };
    for (const auto& [key, expected] : keys) {
        QTest::keyClick(form.get(), key.first, key.second);
        EXPECT_EQ(board(), expected);
    }
    click("addrwbtn");
    EXPECT_EQ(board(), "COLD/CORD/CARD/WARD/    /WARM CCCCC");
    click("delrwbtn");
    QTest::keyClick(form.get(), Qt::Key_Down);
    click("sethnbtn");
    ui.Answer(MessageBoxResult::No);
    click("clrhnbtn");
    ui.Answer(MessageBoxResult::Yes);
    click("clrhnbtn");
    EXPECT_EQ(room->GetHint(3), "");
    click("sethnbtn");
    QTest::keyClick(form.get(), Qt::Key_W);
    EXPECT_EQ(room->GetHint(3), "WARD") << "the hint follows the word typed";
    // The end word's row takes the cursor while editing.
    Click(*form, {room->BoardLeft + 112 + 5, room->BoardTop + 4 * 26 + 5});
    EXPECT_EQ(room->CursorRow, 5);
    click("accptbtn");
    EXPECT_FALSE(room->EditMode);
    EXPECT_EQ(board(), "COLD/    /    /    /WARM CCCC");

    form.reset();
    ASSERT_EQ(ui.boxes.size(), warnings + 3);
    EXPECT_EQ(ui.boxes.back().text, TPuzzleCore::SaveQuestion);
    const std::string saved = install.Read("dat/puzzle.txt");
    TPuzzleCore reloaded(settings.DataFolder);
    reloaded.LoadGameData();
    ASSERT_EQ(reloaded.PuzzleCount, count + 1);
    int found = 0;
    for (int n = 1; n <= reloaded.PuzzleCount; ++n) {
        if (reloaded.PuzzleField(n, 0) == "COLD" && reloaded.PuzzleField(n, 1) == "WARM") {
            found = n;
        }
    }
    ASSERT_GT(found, 0);
    EXPECT_EQ(reloaded.PuzzleField(found, 2) + " " + reloaded.PuzzleField(found, 3), "CCCC 3=WARD");

    form = std::make_unique<TFormGame>(settings, application);
    room = &Show(*form);
    ui.AnswerInput("cold ward");
    QTest::keyClick(form.get(), Qt::Key_F6);
    ASSERT_TRUE(room->EditMode);
    const size_t boxes = ui.boxes.size();
    EXPECT_EQ(ui.boxes.back().text.substr(0, 15), "Warning: \"cold\"");
    EXPECT_EQ(room->PuzzleCount, count + 2);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(room->EditMode);
    EXPECT_EQ(room->PuzzleCount, count + 1);
    QTest::keyClick(form.get(), Qt::Key_F5);
    ASSERT_TRUE(room->EditMode);
    click("addrwbtn");
    QTest::keyClicks(form.get(), "abc");
    ui.Answer(MessageBoxResult::Yes);
    click("canclbtn");
    EXPECT_EQ(ui.boxes.back().text, TPuzzleCore::CancelEditQuestion);
    EXPECT_FALSE(room->EditMode);
    form.reset();
    EXPECT_EQ(ui.boxes.size(), boxes + 1) << "no save question";
    EXPECT_EQ(install.Read("dat/puzzle.txt"), saved);
}

} // namespace
