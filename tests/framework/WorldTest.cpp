#include "base/ErrorLog.h"
#include "fakes/TempFolder.h"
#include "framework/ISceneObserver.h"
#include "framework/TimerScript.h"
#include "framework/WorldFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using WorldTest = WorldFixture;

TEST_F(WorldTest, GoRoomKeepsTenRoomsAndGoBackReturns) {
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) {
        names.push_back("R" + std::to_string(i));
        AddRoom(names.back());
    }
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom(), nullptr) << "GoBack with an empty stack does nothing";
    for (const std::string& name : names) {
        world.GoRoom(name);
    }
    const std::vector<std::string> first = {"Enter R0 from ''", "Layout R0", "Leave R0 for R1",
                                            "Enter R1 from 'R0'", "Layout R1"};
    EXPECT_EQ(std::vector<std::string>(journal.begin(), journal.begin() + 5), first);
    EXPECT_EQ(StackNames(), std::vector<std::string>(names.begin() + 1, names.end() - 1))
        << "eleven changes keep the ten most recent rooms";
    auto* last = static_cast<RecordingRoom*>(world.GetCurrentRoom());
    EXPECT_TRUE(last->TestFlag(RoomFlag::Current));
    EXPECT_FALSE(world.FindRoom("R10")->TestFlag(RoomFlag::Current));
    EXPECT_EQ(window.caption, "Room R11");
    EXPECT_FALSE(world.IsBusy());
    EXPECT_FALSE(area.frozen);
    EXPECT_EQ(area.freezeChanges, 24) << "frozen while each room was being built";

    last->failLeave = true;
    ui.Answer(MessageBoxResult::No);
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom(), last) << "a failed GoBack puts the room back";
    EXPECT_EQ(StackNames().size(), 10u);
    last->failLeave = false;
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom()->GetID(), "R10");
    EXPECT_EQ(StackNames().back(), "R9") << "GoBack leaves no trace of R11";
    world.GoRoom("R10");
    EXPECT_EQ(StackNames().back(), "R10") << "the current room, left and entered again";
}

TEST_F(WorldTest, FailedGoRoomAsksAndSecondFaultClosesWithoutAsking) {
    RecordingRoom* a = AddPadRoom("A");
    world.GoRoom("A");
    ui.Answer(MessageBoxResult::No);
    world.GoRoom("Nowhere");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Problem!");
    EXPECT_EQ(ui.boxes[0].text, "Quit game?\n\nRoom Nowhere does not exist");
    EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_FALSE(world.IsQuitRequested());
    EXPECT_EQ(world.GetCurrentRoom(), a);

    // The failed move must not leave the world busy and the display frozen.
    EXPECT_FALSE(world.IsBusy());
    EXPECT_FALSE(area.frozen);
    journal.clear();
    area.Press(5, 5);
    EXPECT_EQ(journal, (std::vector<std::string>{"ControlEvent PAD 0", "GetCursor PAD 5,5"}));

    ui.Answer(MessageBoxResult::Yes);
    world.GoRoom("X");
    EXPECT_TRUE(world.IsQuitRequested());
    EXPECT_EQ(window.closes, 0) << "the window closes after the next tick, not here";
    world.GoRoom("Y");
    EXPECT_EQ(ui.boxes.size(), 2u) << "no second question";
    EXPECT_EQ(window.closes, 1);
}

// A room that fails in Layout, or refuses to Leave, is current and hears the mouse; re-entering
// the current room and going back twice comes back to where play began, leaving no trace.
TEST_F(WorldTest, FailedRoomChangesKeepTheMouseAndGoBackComesBack) {
    TempFolder folder;
    SetErrorLogFolder(folder.Path());
    RecordingRoom* a = AddRoom("A");
    RecordingRoom* b = AddRoom("B");
    for (RecordingRoom* room : {a, b}) {
        static_cast<TScriptBox*>(
            room->AddHitBox(std::make_unique<TScriptBox>("go", TRect{0, 0, 10, 10})))
            ->ScriptName = "START";
    }
    const auto pressReaches = [&](const char* when) {
        journal.clear();
        area.Press(5, 5);
        EXPECT_EQ(journal, std::vector<std::string>{"RunScript START GO"}) << when;
        EXPECT_EQ(world.GetCurrentRoom(), b);
        EXPECT_TRUE(b->TestFlag(RoomFlag::Current));
    };
    world.GoRoom("A");
    b->failOn = "Layout B";
    EXPECT_FALSE(world.GoRoom("B"));
    b->failOn.clear();
    pressReaches("after a failing Layout");
    ui.Answer(MessageBoxResult::No);
    b->failLeave = true;
    EXPECT_FALSE(world.GoRoom("A"));
    b->failLeave = false;
    pressReaches("after a failing Leave");

    EXPECT_TRUE(world.GoRoom("B"));
    world.GoBack();
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom(), a);
    EXPECT_TRUE(StackNames().empty());
    SetErrorLogFolder("");
}

TEST_F(WorldTest, TickHoldsTheCaptureBeforeTheScripts) {
    world.Tick(3);
    world.Tick(0);
    world.Tick(7);
    EXPECT_EQ(world.GetTime(), 10) << "time passes without a room";

    RecordingRoom* a = AddPadRoom("A");
    world.GoRoom("A");
    area.Press(5, 5);
    auto* pad = static_cast<TControlBox*>(a->FindHitBox("pad"));
    ASSERT_EQ(world.GetCaptured(), pad);
    world.Tick(1);
    world.Tick(1);
    EXPECT_EQ(pad->HeldTicks, 1) << "ticks since the capture began";

    world.SetIdle();
    ScheduleScript(ScriptKind::Timer, 0, ScheduleMode::Always);
    journal.clear();
    world.Tick(INT32_MAX);
    EXPECT_EQ(journal, (std::vector<std::string>{"ControlEvent PAD 3", "RunScript TIMER"}));
    EXPECT_FALSE(world.IsIdle());
    EXPECT_EQ(pad->HeldTicks, 2);
    EXPECT_EQ(world.GetTime(), INT32_MIN + 11) << "the clock wraps";

    a->GetHitBoxes().Clear();
    journal.clear();
    world.Tick(1);
    area.Move(6, 6);
    area.Release(6, 6);
    EXPECT_TRUE(journal.empty()) << "a freed captured box is forgotten";
    EXPECT_EQ(world.GetCaptured(), nullptr);
}

TEST_F(WorldTest, InputIsIgnoredWithoutARoomOrWhileBusy) {
    area.Press(5, 5);
    area.Move(5, 5);
    EXPECT_TRUE(area.cursors.empty()) << "no room: input is blocked";

    RecordingRoom* a = AddPadRoom("A");
    auto* go = static_cast<TScriptBox*>(
        a->AddHitBox(std::make_unique<TScriptBox>("go", TRect{10, 0, 20, 10})));
    go->ScriptName = "START";
    world.GoRoom("A");
    journal.clear();

    world.SetBusy(true);
    EXPECT_EQ(area.Cursor(), CursorId::HourGlass);
    EXPECT_TRUE(area.frozen);
    area.Press(5, 5);
    area.Press(15, 5);
    EXPECT_FALSE(world.ClickBox("go")) << "a box is clicked by its name only where pressed";
    EXPECT_EQ(world.ViewMouseMove(0, 5, 5), 1);
    EXPECT_TRUE(journal.empty()) << "presses while busy are ignored";
    EXPECT_EQ(world.GetCaptured(), nullptr);

    area.pointer = {15, 5};
    world.SetBusy(false);
    EXPECT_FALSE(area.frozen);
    EXPECT_EQ(area.Cursor(), CursorId::LetterCell)
        << "the cursor of the box under the pointer comes back";
    area.Press(15, 5);
    EXPECT_EQ(journal, std::vector<std::string>{"RunScript START GO"});
    go->SetEnabled(false);
    EXPECT_FALSE(world.ClickBox("go"));
    go->SetEnabled(true);
    EXPECT_FALSE(world.ClickBox("pad")) << "a control box reacts to where it is pressed";
    EXPECT_TRUE(world.ClickBox("GO"));
    EXPECT_EQ(journal, (std::vector<std::string>{"RunScript START GO", "RunScript START GO"}));
}

// The observer hears after every input and tick, and after a change of room.
TEST_F(WorldTest, TheObserverHearsAfterEachInput) {
    struct Observer : ISceneObserver {
        int told = 0;
        void SceneChanged() override { ++told; }
    } observer;
    world.SetObserver(&observer);
    AddPadRoom("A");
    world.GoRoom("A");
    world.KeyDown('A', 0);
    world.KeyUp('A', 0);
    world.Tick(1);
    area.Press(5, 5);
    area.Release(5, 5);
    EXPECT_EQ(observer.told, 6);
    world.SetObserver(nullptr);
}

TEST_F(WorldTest, CursorsAndCapture) {
    RecordingRoom* a = AddPadRoom("A");
    a->AddHitBox(std::make_unique<TScriptBox>("go", TRect{10, 0, 20, 10}));
    world.GetBoxes()
        .Add(std::make_unique<THitBox>("help", TRect{15, 0, 30, 10}))
        ->SetCursor(CursorId::AskRoom);
    world.GoRoom("A");
    struct Case {
        TPoint pointer;
        CursorId cursor;
    };
    const Case cases[] = {
        {{2, 3}, static_cast<CursorId>(7)}, // room box asks the room
        {{12, 3}, CursorId::LetterCell},    // room box with its own cursor
        {{16, 3}, CursorId::AskRoom},       // world boxes come first and show their stored value
        {{50, 50}, CursorId::Default},      // no box
    };
    for (const Case& c : cases) {
        area.pointer = c.pointer;
        world.UpdateCursor();
        EXPECT_EQ(area.Cursor(), c.cursor) << c.pointer.X << ',' << c.pointer.Y;
    }
    area.Move(12, 3);
    EXPECT_EQ(world.GetHotBox(), a->FindHitBox("go"));
    area.Move(40, 40);
    EXPECT_EQ(world.GetHotBox(), nullptr);
    EXPECT_EQ(area.screenCursorResets, 2);

    area.Press(2, 3);
    a->capture = false;
    area.Move(41, 40);
    EXPECT_EQ(world.GetCaptured(), nullptr) << "the room let go while dragging";
    journal.clear();
    area.Release(41, 40);
    EXPECT_TRUE(journal.empty()) << "a release without capture does nothing";
}

TEST(World, DestructionLeavesAndLetsGo) {
    FakeUserInterface ui;
    FakeGraphicArea area;
    std::vector<std::string> journal;
    {
        TStdWorld world(&area);
        SetWorld(&world);
        world.AddRoom(std::make_unique<RecordingRoom>("A", &journal));
        world.GoRoom("A");
        journal.clear();
    }
    EXPECT_EQ(journal, std::vector<std::string>{"Leave A for TERMINATE"});
    EXPECT_FALSE(area.HasHandlers());
    EXPECT_FALSE(ControlHook || ScriptHook || CursorHook);
    EXPECT_EQ(GetWorld(), nullptr);
}

TEST_F(WorldTest, UnexpectedFaultsAreLoggedAndPlayGoesOn) {
    TempFolder folder;
    SetErrorLogFolder(folder.Path());
    RecordingRoom* a = AddPadRoom("A");
    RecordingRoom* b = AddRoom("B");
    struct Case {
        std::string failOn;
        std::function<void()> action;
        std::string operation;
    };
    const std::vector<Case> cases = {
        {"Layout B", [&] { world.GoRoom("B"); }, "GoRoom"},
        {"RunScript DELAY",
         [&] {
             ScheduleScript(ScriptKind::Delay, 0, ScheduleMode::Always);
             world.Tick(1);
         },
         "Tick"},
        {"ControlEvent PAD 0", [&] { area.Press(5, 5); }, "GameMouseDown"},
        {"GetCursor PAD", [&] { area.Move(5, 6); }, "ViewMouseMove"},
        {"ControlEvent PAD 2",
         [&] {
             area.Press(5, 5);
             area.Release(5, 5);
         },
         "ViewMouseUp"},
        {"KeyEvent 65 0 down", [&] { world.KeyDown(0x41, 0); }, "KeyDown"},
        {"KeyEvent 65 0 up", [&] { world.KeyUp(0x41, 0); }, "KeyUp"},
    };
    for (const Case& c : cases) {
        world.GoRoom("A");
        a->failOn = c.failOn;
        b->failOn = c.failOn;
        c.action();
        a->failOn.clear();
        b->failOn.clear();
        const std::string log = folder.Read("errorlog.txt");
        EXPECT_NE(log.find("runtime_error in " + c.operation + " (broken " + c.failOn),
                  std::string::npos)
            << c.operation << ":\n"
            << log;
        EXPECT_FALSE(world.IsBusy()) << c.operation;
        std::filesystem::remove(ErrorLogPath());
    }
    EXPECT_TRUE(ui.boxes.empty()) << "nobody is asked about unexpected faults";
    EXPECT_EQ(world.GetTime(), 1) << "the clock went on despite the failed script";
    SetErrorLogFolder("");
}
