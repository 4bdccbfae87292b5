#include "app/FormGame.h"

#include "app/GraphicArea.h"
#include "app/ShowWindow.h"
#include "app/TileBG.h"
#include "app/WindowKit.h"
#include "base/LadderlyVersion.h"
#include "fakes/FakeUserInterface.h"
#include "framework/GameWorld.h"
#include "framework/StdRoom.h"
#include "framework/TimerScript.h"
#include "platform/QtGameTimer.h"
#include "platform/QtTestApplication.h"
#include "screens/ScriptedGameDialogs.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct KeySeen {
    uint16_t key;
    uint8_t shift;
    bool down;
    friend bool operator==(const KeySeen&, const KeySeen&) = default;
};

// A room showing "screen", recording the keys it is given and the "TICK" scripts it runs.
class RecordingRoom : public TRoom {
  public:
    explicit RecordingRoom(const std::string& id) : TRoom(id) {
        ImageName = "screen";
        Caption = "Ladderly!";
    }
    // Shift, Ctrl and Alt come as keys of their own too; only the others are kept.
    void KeyEvent(uint16_t key, uint8_t shift, bool down) override {
        if (key != VirtualKey::Shift && key != VirtualKey::Control && key != VirtualKey::Menu) {
            keys.push_back({key, shift, down});
        }
    }
    void RunScript(const std::string& script, const std::string& param) override {
        if (script != "TICK") {
            TRoom::RunScript(script, param);
            return;
        }
        ScheduleScript(ScriptKind::Tick, 0, ScheduleMode::Always);
        ++ticks;
        if (onTick) {
            onTick();
        }
    }

    std::vector<KeySeen> keys;
    int ticks = 0;
    std::function<void()> onTick;
};

class FormGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        WriteTestLibrary(install);
        settings.ProgramFolder = install.Path();
        settings.InstallFolder = install.Path();
        TWorld::SetGameRoomFactory([this](const std::string& id) {
            auto made = std::make_unique<RecordingRoom>(id);
            room = made.get();
            return made;
        });
    }
    void TearDown() override { TWorld::SetGameRoomFactory(nullptr); }

    TempFolder install;
    GameSettings settings;
    ApplicationInfo application{"Ladderly", "ladd.hlp"};
    FakeUserInterface ui;
    RecordingRoom* room = nullptr;
};

TEST_F(FormGameTest, ShowsTheScreenRoomInItsBorderOverTheTiledBackground) {
    ScriptedGameDialogs dialogs;
    TFormGame form(settings, application);
    form.SetGameDialogs(&dialogs);
    ASSERT_FALSE(settings.StartupFailed);
    EXPECT_EQ(application.HelpFile, install.Path() + "ladd.hlp");

    const QObjectList children = form.children();
    const std::vector<QObject*> expected{form.BG, form.bvlBorder, form.lblVersion, form.gfxaGame,
                                         form.tmrTick};
    EXPECT_EQ(std::vector<QObject*>(children.begin(), children.end()), expected);
    EXPECT_EQ(form.size(), QSize(466, 342));
    EXPECT_EQ(form.gfxaGame->geometry(), QRect(0, 0, 466, 342));
    EXPECT_EQ(form.lblVersion->text(), "V" LADDERLY_VERSION);
    EXPECT_TRUE(form.lblVersion->isHidden());
    EXPECT_EQ(form.gfxaGame->GetCursorId(), CursorId::None);

    ASSERT_TRUE(ShowAndStart(form));
    EXPECT_EQ(dialogs.aboutShown, 1);
    EXPECT_EQ(form.windowTitle(), "Ladderly!");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(form.GetWorld()->GetCurrentRoom(), room);
    EXPECT_EQ(form.gfxaGame->GetCursorId(), CursorId::Default);
    const TPX8ImageData* surface = form.gfxaGame->GetCore().GetSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Width(), 450);
    EXPECT_EQ(surface->Height(), 326);
    EXPECT_EQ(form.gfxaGame->GetCore().GetSurfaceName().substr(0, 4), "gfxa");

    TPX8Library& library = *form.GetLibrary();
    const QImage shot = form.grab().toImage();
    for (int y = 0; y < 326; y += 5) {
        for (int x = 0; x < 450; x += 3) {
            ASSERT_EQ(shot.pixel(8 + x, 8 + y), ShownColour(library, ScreenIndex(x, y)))
                << x << "," << y;
        }
    }
    EXPECT_EQ(shot.pixel(2, 100), qRgb(128, 0, 0)) << "the border band";

    // A larger client area centres the graphic area; the tiles show around it, on their grid.
    form.setFixedSize(530, 406);
    EXPECT_EQ(form.gfxaGame->geometry(), QRect(32, 32, 466, 342));
    EXPECT_EQ(form.lblVersion->pos(), QPoint(37, 375));
    EXPECT_EQ(form.bvlBorder->geometry(), QRect(0, 0, 530, 342 + form.lblVersion->height() + 64));
    const QImage around = form.grab().toImage();
    for (const QPoint p : {QPoint(5, 5), QPoint(31, 200), QPoint(500, 17), QPoint(300, 390)}) {
        EXPECT_EQ(around.pixel(p),
                  ShownColour(library, TileIndex(p.x() % TestTileWidth, p.y() % TestTileHeight)))
            << p.x() << "," << p.y();
    }
    EXPECT_EQ(around.pixel(32 + 8, 32 + 8), ShownColour(library, ScreenIndex(0, 0)));
}

TEST_F(FormGameTest, TicksCatchUpCapsLockShowsTheVersionAndAQuitCloses) {
    int64_t now = 1000;
    TFormGame form(settings, application, [&now] { return now; });
    TStdWorld& world = *form.GetWorld();
    struct Step {
        int64_t clock;
        int32_t time;
        int64_t lastTick;
    };
    const Step steps[] = {
        {1140, 3, 1165}, // 140 ms: 3 ticks, LastTick + 165
        {1185, 3, 1165}, // 20 ms: none
        {1193, 4, 1220}, // 28 ms past LastTick rounds up to one
        {1193, 4, 1220}, {2265, 23, 2265},
    };
    for (const Step& step : steps) {
        now = step.clock;
        form.tmrTickTimer();
        EXPECT_EQ(world.GetTime(), step.time) << step.clock;
        EXPECT_EQ(form.GetLastTick(), step.lastTick) << step.clock;
    }

    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        bool shown;
    };
    const Key keys[] = {
        {Qt::Key_CapsLock, Qt::NoModifier, "", true},  {Qt::Key_A, Qt::NoModifier, "a", false},
        {Qt::Key_B, Qt::NoModifier, "B", true},        {Qt::Key_1, Qt::NoModifier, "1", true},
        {Qt::Key_C, Qt::ShiftModifier, "C", false},    {Qt::Key_D, Qt::ShiftModifier, "d", true},
        {Qt::Key_CapsLock, Qt::NoModifier, "", false},
    };
    for (const Key& k : keys) {
        QTest::sendKeyEvent(QTest::Press, &form, static_cast<Qt::Key>(k.key),
                            QString::fromLatin1(k.text), k.modifiers);
        form.tmrTickTimer();
        EXPECT_EQ(!form.lblVersion->isHidden(), k.shown) << k.text;
    }

    ASSERT_TRUE(ShowAndStart(form));
    ui.Answer(MessageBoxResult::Yes);
    world.ReportProblem("Out of puzzles");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Problem!");
    EXPECT_TRUE(form.isVisible());
    form.tmrTickTimer();
    EXPECT_FALSE(form.isVisible());

    // A second copy's signal brings a minimised window back.
    form.showMinimized();
    form.BringToFront();
    EXPECT_FALSE(form.isMinimized());
}

// The keys the real-window sessions do not press (letters, "+", "-" and "=" are pressed there).
TEST_F(FormGameTest, KeysReachTheRoomAsVirtualKeysWithShiftBits) {
    TFormGame form(settings, application);
    ASSERT_TRUE(ShowAndStart(form));
    ASSERT_NE(room, nullptr);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        uint16_t virtualKey;
        uint8_t shift;
    };
    const Case cases[] = {
        {Qt::Key_Z, Qt::ShiftModifier, 'Z', ShiftState::Shift},
        {Qt::Key_7, Qt::NoModifier, '7', 0},
        {Qt::Key_F1, Qt::ShiftModifier, VirtualKey::F1, ShiftState::Shift},
        {Qt::Key_F12, Qt::NoModifier, VirtualKey::F1 + 11, 0},
        {Qt::Key_Tab, Qt::NoModifier, VirtualKey::Tab, 0},
        {Qt::Key_Escape, Qt::NoModifier, VirtualKey::Escape, 0},
        {Qt::Key_Backspace, Qt::NoModifier, VirtualKey::Back, 0},
        {Qt::Key_Delete, Qt::ControlModifier, VirtualKey::Delete, ShiftState::Ctrl},
        {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, VirtualKey::Left,
         ShiftState::Ctrl | ShiftState::Shift},
        {Qt::Key_Down, Qt::AltModifier, VirtualKey::Down, ShiftState::Alt},
        {Qt::Key_Return, Qt::NoModifier, VirtualKey::Return, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, VirtualKey::Return, 0},
        {Qt::Key_PageDown, Qt::NoModifier, VirtualKey::Next, 0},
        {Qt::Key_Space, Qt::NoModifier, VirtualKey::Space, 0},
    };
    for (const Case& c : cases) {
        room->keys.clear();
        QTest::keyClick(&form, c.key, c.modifiers);
        EXPECT_EQ(room->keys, (std::vector<KeySeen>{{c.virtualKey, c.shift, true},
                                                    {c.virtualKey, c.shift, false}}))
            << c.key;
    }
    room->keys.clear();
    QTest::keyClick(&form, Qt::Key_MediaPlay);
    EXPECT_TRUE(room->keys.empty()) << "a key the game has no code for";
}

// A dialog opened inside a tick runs a nested event loop; the game timer must not fire again
// inside it, or the room would run its scripts while it waits for the dialog's answer.
TEST_F(FormGameTest, ADialogOpenedInATickHoldsFurtherTicks) {
    TFormGame form(settings, application);
    ASSERT_TRUE(ShowAndStart(form));
    ASSERT_NE(room, nullptr);
    int ticksDuringDialog = -1;
    int32_t timeBefore = 0;
    room->onTick = [&] {
        if (room->ticks != 3) {
            return;
        }
        const int before = room->ticks;
        timeBefore = form.GetWorld()->GetTime();
        QMessageBox box(QMessageBox::Information, "Ladderly", "Well done!", QMessageBox::Ok, &form);
        QTimer::singleShot(400, &box, [&] {
            ticksDuringDialog = room->ticks - before;
            box.accept();
        });
        box.exec();
    };
    ScheduleScript(ScriptKind::Tick, 0, ScheduleMode::Always);
    ASSERT_TRUE(ProcessEventsUntil([&] { return room->ticks >= 5; }));
    EXPECT_EQ(ticksDuringDialog, 0);
    // The ticks missed meanwhile are caught up at once.
    EXPECT_GE(form.GetWorld()->GetTime() - timeBefore, 7);
}

} // namespace
