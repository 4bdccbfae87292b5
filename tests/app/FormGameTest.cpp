// The main window with a room of the test's own: start-up, layout, ticks, keys, mouse and sound.

#include "app/FormGame.h"

#include "app/GraphicArea.h"
#include "app/ShowWindow.h"
#include "app/WindowKit.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/FakeWaveOutput.h"
#include "framework/GameWorld.h"
#include "framework/StdRoom.h"
#include "graphics/PX8ImageData.h"
#include "screens/ScriptedGameDialogs.h"
#include "sound/AppSound.h"
#include "sound/WaveBytes.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A room showing "screen", recording the keys it is given as "key+shift" (down), "key-shift" (up).
class RecordingRoom : public TRoom {
  public:
    explicit RecordingRoom(const std::string& id) : TRoom(id) { ImageName = "screen"; }
    // Shift, Ctrl and Alt come as keys of their own too; only the others are kept.
    void KeyEvent(uint16_t key, uint8_t shift, bool down) override {
        if (key != VirtualKey::Shift && key != VirtualKey::Control && key != VirtualKey::Menu) {
            keys += std::to_string(key) + (down ? "+" : "-") + std::to_string(shift) + " ";
        }
    }

    std::string keys;
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

// The window starts the sound with the setting, relays the output's completions to it, and
// decides at its end whether sound is stored as on.
TEST_F(FormGameTest, StartsTheSoundRelaysCompletionsAndDecidesTheSetting) {
    install.Write("dat/sounds.txt", "click\nchime\nsolved\n");
    install.Write("wav/solved.wav", PcmWave(300));
    settings.DataFolder = install.Path() + "dat/";
    settings.WaveFolder = install.Path() + "wav/";
    for (const auto& [devices, enabled] : {std::pair{1, true}, {0, true}, {1, false}}) {
        SCOPED_TRACE(devices);
        const bool stored = devices != 0 && enabled;
        settings.SoundEnabled = enabled;
        auto made = std::make_unique<FakeWaveOutput>();
        FakeWaveOutput& output = *made;
        output.DeviceTotal = devices;
        {
            TFormGame form(settings, application, {}, std::move(made));
            EXPECT_EQ(SoundActive(), devices != 0);
            PlaySound(2);
            ASSERT_EQ(output.Playing() != nullptr, stored);
            if (stored) {
                output.Finish();
                output.Deliver();
                EXPECT_EQ(output.Playing(), nullptr) << "the completion reached the sound";
                PlaySound(2); // still playing when the window goes
            }
        }
        EXPECT_EQ(settings.SoundEnabled, stored);
        EXPECT_FALSE(SoundActive()) << "the sound went with the window";
    }
}

// The ticks catch up with the clock and Caps Lock shows the version. The About box comes first,
// then the first room; a larger client area centres the graphic area, and
// the tiles show around it, on their grid. Qt's keys reach the room as the game's virtual keys;
// "+" (the keypad's too) and "=" go by the key, whatever Shift says, and the rooms decide what
// they do. The graphic area hands mouse points on in surface co-ordinates, none from its
// border, and keeps showing what is drawn while another window has the focus; minimised or
// frozen it shows nothing new. A quit the room asks for closes the window.
TEST_F(FormGameTest, TicksKeysMouseDrawingAndQuitting) {
    int64_t now = 1000;
    TFormGame form(settings, application, [&now] { return now; });
    ScriptedGameDialogs dialogs;
    form.SetGameDialogs(&dialogs);
    TStdWorld& world = *form.GetWorld();
    // The world's time and the last tick after each timer event: 140 ms give 3 ticks and the
    // last tick moves 165 ms; 20 ms none; 28 ms past the last tick round up to one.
    std::string ticks;
    for (const int64_t clock : {1140, 1185, 1193, 1193, 2265}) {
        now = clock;
        form.tmrTickTimer();
        ticks += std::to_string(world.GetTime()) + "@" + std::to_string(form.GetLastTick()) + " ";
    }
    EXPECT_EQ(ticks, "3@1165 3@1165 4@1220 4@1220 23@2265 ");

    // The version shows while Caps Lock is thought on ("V"): it goes on, then a letter typed tells
    // whether it is, a digit tells nothing, and Shift turns the case round.
    const std::tuple<int, Qt::KeyboardModifiers, const char*> keys[] = {
        {Qt::Key_CapsLock, Qt::NoModifier, ""}, {Qt::Key_A, Qt::NoModifier, "a"},
        {Qt::Key_B, Qt::NoModifier, "B"},       {Qt::Key_1, Qt::NoModifier, "1"},
        {Qt::Key_C, Qt::ShiftModifier, "C"},    {Qt::Key_D, Qt::ShiftModifier, "d"},
    };
    std::string shown;
    for (const auto& [key, modifiers, text] : keys) {
        QTest::sendKeyEvent(QTest::Press, &form, static_cast<Qt::Key>(key),
                            QString::fromLatin1(text), modifiers);
        form.tmrTickTimer();
        shown += form.lblVersion->isHidden() ? "-" : "V";
    }
    EXPECT_EQ(shown, "V-VV-V");

    ASSERT_TRUE(ShowAndStart(form));
    EXPECT_EQ(dialogs.aboutShown, 1);
    ASSERT_NE(room, nullptr);

    form.setFixedSize(530, 406);
    EXPECT_EQ(form.gfxaGame->geometry(), QRect(32, 32, 466, 342));
    TPX8Library& library = *form.GetLibrary();
    const QImage around = form.grab().toImage();
    for (const QPoint p : {QPoint(5, 5), QPoint(31, 200), QPoint(500, 17), QPoint(300, 390)}) {
        EXPECT_EQ(around.pixel(p),
                  ShownColour(library, TileIndex(p.x() % TestTileWidth, p.y() % TestTileHeight)))
            << p.x() << "," << p.y();
    }
    EXPECT_EQ(around.pixel(32 + 8, 32 + 8), ShownColour(library, ScreenIndex(0, 0)));
    EXPECT_EQ(around.pixel(32 + 2, 32 + 100), qRgb(128, 0, 0)) << "the border band";
    // The key and modifiers, the virtual key and shift bits the room is given.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, uint16_t, uint8_t> cases[] = {
        {Qt::Key_Z, Qt::ShiftModifier, 'Z', ShiftState::Shift},
        {Qt::Key_F12, Qt::NoModifier, VirtualKey::F1 + 11, 0},
        {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, VirtualKey::Left,
         ShiftState::Ctrl | ShiftState::Shift | ShiftState::Alt},
        {Qt::Key_Plus, Qt::KeypadModifier, VirtualKey::Add, 0},
        {Qt::Key_Equal, Qt::ShiftModifier, VirtualKey::OemPlus, ShiftState::Shift},
        {Qt::Key_MediaPlay, Qt::NoModifier, 0, 0}, // a key the game has no code for
    };
    for (const auto& [key, modifiers, virtualKey, shiftBits] : cases) {
        room->keys.clear();
        QTest::keyClick(&form, key, modifiers);
        const std::string code = std::to_string(virtualKey), shift = std::to_string(shiftBits);
        EXPECT_EQ(room->keys,
                  virtualKey == 0 ? "" : code + "+" + shift + " " + code + "-" + shift + " ")
            << key;
    }

    TGraphicArea* area = form.gfxaGame;
    // "move/down/up button shift x,y" (right button 1, middle 2; Shift 1, Ctrl 4).
    std::string seen;
    const auto say = [&seen](const char* what, int button, uint8_t shift, int32_t x, int32_t y) {
        seen += std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift) +
                " " + std::to_string(x) + "," + std::to_string(y) + "; ";
    };
    area->SetMouseHandlers(
        [&](uint8_t s, int32_t x, int32_t y) { say("move", 0, s, x, y); },
        [&](uint8_t b, uint8_t s, int32_t x, int32_t y) { say("down", b, s, x, y); },
        [&](uint8_t b, uint8_t s, int32_t x, int32_t y) { say("up", b, s, x, y); });
    for (const QPoint border : {QPoint(3, 3), QPoint(7, 100), QPoint(458, 100)}) {
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, border);
    }
    EXPECT_EQ(seen, "") << "clicks on the border";
    QTest::mouseMove(area, QPoint(100, 50));
    QTest::mouseClick(area, Qt::RightButton, Qt::ShiftModifier, QPoint(457, 333));
    QTest::mousePress(area, Qt::MiddleButton, Qt::ControlModifier, QPoint(9, 10));
    EXPECT_EQ(seen, "move 0 0 92,42; down 1 1 449,325; up 1 1 449,325; down 2 4 1,2; ");
    QTest::mouseRelease(area, Qt::MiddleButton, Qt::ControlModifier, QPoint(9, 10));

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !form.isActiveWindow(); }));
    TPX8ImageData* surface = area->GetImage();
    for (const bool minimised : {false, true}) {
        form.setWindowState(minimised ? Qt::WindowMinimized : Qt::WindowNoState);
        surface->FillRect({0, 0, 26, 21}, 10);
        area->Tick();
        EXPECT_EQ(surface->HasDamage(), minimised);
    }

    // Frozen, the display keeps its picture until the freeze ends.
    form.setWindowState(Qt::WindowNoState);
    area->Tick();
    area->SetFreezeDisplay(true);
    surface->FillRect({0, 0, 26, 21}, 20);
    area->Tick();
    EXPECT_EQ(area->grab().toImage().pixel(8, 8), ShownColour(*form.GetLibrary(), 10));
    area->SetFreezeDisplay(false);
    EXPECT_EQ(area->grab().toImage().pixel(8, 8), ShownColour(*form.GetLibrary(), 20));

    // A control too small for its border has no surface and paints its border only.
    area->resize(10, 10);
    EXPECT_EQ(area->GetImage(), nullptr);
    EXPECT_EQ(area->grab().toImage().pixel(2, 2), qRgb(128, 0, 0));

    world.RequestQuit();
    form.tmrTickTimer();
    EXPECT_FALSE(form.isVisible());
}

} // namespace
