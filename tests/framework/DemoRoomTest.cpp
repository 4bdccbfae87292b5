// A small room built the way the game's rooms are: buttons made of a frame set and a script
// box of the same name and rectangle, and a full-screen control box added last, so it only
// gets the points no button takes. The test drives it from the graphic area's mouse events.

#include "fakes/FakeGameWindow.h"
#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "framework/GameWorld.h"
#include "framework/SceneImages.h"
#include "framework/StdRoom.h"
#include "framework/TimerScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class DemoRoom : public TRoom {
  public:
    explicit DemoRoom(const std::string& id) : TRoom(id) {
        ImageName = "demoback";
        Caption = "Demo";
        for (const char* name : {"PLAY", "~QUIT"}) {
            const TPoint place = name[0] == '~' ? TPoint{10, 2} : TPoint{2, 2};
            TFrameSet* button =
                AddFrameSet(std::make_unique<TFrameSet>(name, place, 2, 3, "button"));
            auto box = std::make_unique<TScriptBox>(name, button->GetRect());
            box->ScriptName = name;
            AddHitBox(std::move(box));
        }
        AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 20, 12}))
            ->SetCursor(CursorId::AskRoom);
    }

    void RunScript(const std::string& script, const std::string& param) override {
        log.push_back("RunScript " + script + (param.empty() ? "" : " " + param));
        if (script == "PLAY") {
            FindFrameSet("PLAY")->SetFrame(1, GetWorld()->GetImage(), true);
            ScheduleScript(ScriptKind::Animate, 2, ScheduleMode::Replace);
        } else if (script == "ANIMATE") {
            FindFrameSet("PLAY")->SetFrame(0, GetWorld()->GetImage(), true);
        } else if (script != "~QUIT") {
            TRoom::RunScript(script, param);
        }
    }

    bool ControlEvent(TControlBox& box, ControlEventCode kind) override {
        log.push_back(
            "ControlEvent " + box.GetID() + " " + std::to_string(static_cast<int>(kind)) + " at " +
            std::to_string(box.LastPoint.X) + "," + std::to_string(box.LastPoint.Y) +
            (kind == ControlEventCode::Held ? " held " + std::to_string(box.HeldTicks) : ""));
        return kind != ControlEventCode::Released;
    }

    CursorId GetCursor(const std::string&, int32_t x, int32_t) override {
        return x < 10 ? CursorId::LetterCell : CursorId::Link;
    }

    std::vector<std::string> log;
};

} // namespace

TEST(DemoRoom, MousePressesReachScriptsAndControlEvents) {
    ClearScripts();
    FakeUserInterface ui;
    // The button is 4 x 6: two frames of 3 rows, pixel (x, y) = 1 + x + 16 * y.
    SceneLibrary scene(
        {CountingPicture("demoback", 20, 12, 0), CountingPicture("button", 4, 6, 1)});
    FakeGraphicArea area;
    area.surface = scene.Surface("screen", 20, 12);
    FakeGameWindow window;
    TWorld world(&area);
    world.SetWindow(&window);
    SetWorld(&world);
    EXPECT_THROW(world.CreateRooms(), std::logic_error) << "no factory for the game room";
    TWorld::SetGameRoomFactory(
        [](const std::string& id) { return std::make_unique<DemoRoom>(id); });

    world.CreateRooms();
    world.Start();
    auto* room = dynamic_cast<DemoRoom*>(world.GetCurrentRoom());
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->GetID(), "GAME");
    TPX8ImageData& screen = *area.surface;
    EXPECT_EQ(window.caption, "Demo");
    EXPECT_EQ(screen.GetPixel({0, 11}), 176) << "background";
    EXPECT_EQ(screen.GetPixel({2, 2}), 1) << "PLAY, frame 0";
    EXPECT_EQ(screen.GetPixel({10, 2}), 4) << "QUIT, mirrored";
    EXPECT_EQ(room->FindHitBox("PLAY")->Bounds, (TRect{2, 2, 6, 5}));

    area.Move(3, 3);
    EXPECT_EQ(area.Cursor(), CursorId::LetterCell) << "script boxes show cursor 1";
    area.Move(15, 10);
    EXPECT_EQ(area.Cursor(), CursorId::Link) << "the pad asks the room";

    area.Press(3, 3);
    EXPECT_EQ(screen.GetPixel({2, 2}), 49) << "PLAY, frame 1";
    world.Tick(1);
    world.Tick(1);
    EXPECT_EQ(screen.GetPixel({2, 2}), 49) << "ANIMATE is due two ticks later";
    world.Tick(1);
    EXPECT_EQ(screen.GetPixel({2, 2}), 1) << "ANIMATE put frame 0 back";
    area.Press(11, 3);

    room->FindHitBox("PLAY")->SetEnabled(false);
    area.Press(3, 3);
    area.Release(3, 3);
    area.Press(15, 10);
    world.Tick(1);
    world.Tick(1);
    area.Move(30, -4);
    area.Release(16, 10);
    area.Move(16, 11);

    const std::vector<std::string> expected = {
        "RunScript PLAY PLAY",
        "RunScript ANIMATE",
        "RunScript ~QUIT ~QUIT",
        "ControlEvent PAD 0 at 3,3", // the disabled button lets the pad have the point
        "ControlEvent PAD 2 at 3,3",
        "ControlEvent PAD 0 at 15,10",
        "ControlEvent PAD 3 at 15,10 held 0",
        "ControlEvent PAD 3 at 15,10 held 1",
        "ControlEvent PAD 1 at 30,-4",
        "ControlEvent PAD 2 at 16,10",
    };
    EXPECT_EQ(room->log, expected);
    EXPECT_EQ(world.GetCaptured(), nullptr);
    EXPECT_TRUE(ui.boxes.empty());

    SetWorld(nullptr);
    TWorld::SetGameRoomFactory(nullptr);
}
