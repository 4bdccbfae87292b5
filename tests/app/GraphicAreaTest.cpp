#include "app/GraphicArea.h"

#include "app/GameCursors.h"
#include "app/TileBG.h"
#include "app/WindowKit.h"
#include "graphics/PX8ImageData.h"
#include "platform/QtTestApplication.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

struct MouseSeen {
    char kind; // 'm'ove, 'd'own, 'u'p
    uint8_t button;
    uint8_t shift;
    int32_t x, y;
    friend bool operator==(const MouseSeen&, const MouseSeen&) = default;
};

// A graphic area with the main window's border in a window of its own.
class GraphicAreaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestLibrary(install);
        library->LoadFromFile(install.Path() + "ladderly.px8");
        TGraphicArea::SetGlobalImageLibrary(library.get());
        TTileBG::SetGlobalImageLibrary(library.get());
        area = new TGraphicArea(&window);
        area->setGeometry(0, 0, 466, 342);
        area->SetColor(QColor(128, 0, 0));
        area->SetBorderWidth(4);
        area->SetInnerBevelWidth(2);
        area->SetOuterBevelWidth(2);
        area->SetBevelInner(TBevelCut::Lowered);
        area->SetBevelOuter(TBevelCut::Raised);
        window.resize(466, 342);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(ProcessEventsUntil([this] { return window.isActiveWindow(); }));
    }
    void TearDown() override {
        TGraphicArea::SetGlobalImageLibrary(nullptr);
        TTileBG::SetGlobalImageLibrary(nullptr);
    }

    QRgb Colour(uint8_t index) { return ShownColour(*library, index); }

    QApplication& application = TestApplication(); // before any widget
    TempFolder install;
    std::unique_ptr<TPX8Library> library = std::make_unique<TPX8Library>();
    QWidget window;
    TGraphicArea* area = nullptr;
};

TEST_F(GraphicAreaTest, MousePointsArriveInSurfaceCoordinatesAndNoneFromTheBorder) {
    std::vector<MouseSeen> seen;
    area->SetMouseHandlers(
        [&seen](uint8_t shift, int32_t x, int32_t y) {
            seen.push_back({'m', 0, shift, x, y});
        },
        [&seen](uint8_t button, uint8_t shift, int32_t x, int32_t y) {
            seen.push_back({'d', button, shift, x, y});
        },
        [&seen](uint8_t button, uint8_t shift, int32_t x, int32_t y) {
            seen.push_back({'u', button, shift, x, y});
        });
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(7, 100));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(458, 100));
    EXPECT_TRUE(seen.empty()) << "clicks on the border";

    QTest::mouseMove(area, QPoint(100, 50));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    QTest::mouseClick(area, Qt::RightButton, Qt::ShiftModifier, QPoint(457, 333));
    QTest::mousePress(area, Qt::MiddleButton, Qt::ControlModifier, QPoint(9, 10));
    const std::vector<MouseSeen> expected{
        {'m', 0, 0, 92, 42},
        {'d', MouseButton::Left, 0, 0, 0},
        {'u', MouseButton::Left, 0, 0, 0},
        {'d', MouseButton::Right, ShiftState::Shift, 449, 325},
        {'u', MouseButton::Right, ShiftState::Shift, 449, 325},
        {'d', MouseButton::Middle, ShiftState::Ctrl, 1, 2},
    };
    EXPECT_EQ(seen, expected);

    // The cursors the game draws, and the system's, by their ids.
    InstallGameCursors();
    area->SetCursor(CursorId::Link);
    EXPECT_EQ(area->cursor().shape(), Qt::BitmapCursor);
    area->SetCursor(CursorId::HourGlass);
    EXPECT_EQ(area->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(ScreenCursor(static_cast<CursorId>(77)).shape(), Qt::ArrowCursor);
}

TEST_F(GraphicAreaTest, TicksShowTheDamageUnlessTheDisplayIsFrozen) {
    TPX8ImageData* surface = area->GetImage();
    ASSERT_NE(surface, nullptr);
    surface->FillRect(surface->GetBounds(), 10);
    area->Tick();
    EXPECT_EQ(area->grab().toImage().pixel(8, 8), Colour(10));

    // Another window holding the focus stops nothing; a minimised window shows nothing.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.isActiveWindow(); }));
    for (const bool minimised : {false, true}) {
        window.setWindowState(minimised ? Qt::WindowMinimized : Qt::WindowNoState);
        surface->FillRect({0, 0, 26, 21}, 10);
        area->Tick();
        EXPECT_EQ(surface->HasDamage(), minimised);
    }
    window.setWindowState(Qt::WindowNoState);

    area->SetFreezeDisplay(true);
    surface->FillRect({0, 0, 26, 21}, 20);
    area->Tick();
    QImage shot = area->grab().toImage();
    EXPECT_EQ(shot.pixel(8, 8), Colour(10)) << "a repaint while frozen shows the old picture";
    area->SetFreezeDisplay(false);
    shot = area->grab().toImage();
    EXPECT_EQ(shot.pixel(8, 8), Colour(20));
    EXPECT_EQ(shot.pixel(8 + 25, 8 + 20), Colour(20));
    EXPECT_EQ(shot.pixel(8 + 26, 8 + 20), Colour(10));
    EXPECT_EQ(shot.pixel(0, 0), area->palette().color(QPalette::Light).rgb());
    EXPECT_EQ(shot.pixel(6, 6), area->palette().color(QPalette::Dark).rgb());

    // A control too small for its border has no surface and paints its border only.
    area->resize(10, 10);
    EXPECT_EQ(area->GetImage(), nullptr);
    EXPECT_EQ(area->grab().toImage().pixel(2, 2), qRgb(128, 0, 0));

    // The background hatches where it has no picture.
    TTileBG hatched(&window);
    hatched.resize(20, 20);
    hatched.SetImageName("absent");
    const QImage hatch = hatched.grab().toImage();
    int black = 0;
    for (int x = 0; x < 20; ++x) {
        black += hatch.pixel(x, 10) == qRgb(0, 0, 0) ? 1 : 0;
    }
    EXPECT_GT(black, 0);
    EXPECT_LT(black, 20);
}

} // namespace
