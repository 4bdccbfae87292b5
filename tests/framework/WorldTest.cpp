#include "framework/WorldFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

using WorldTest = WorldFixture;

TEST_F(WorldTest, GoRoomKeepsTenRoomsAndGoBackReturns) {
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom(), nullptr) << "GoBack with an empty stack does nothing";
    Calls names;
    for (int i = 0; i < 12; ++i) {
        names.push_back("R" + std::to_string(i));
        AddRoom(names.back());
        world.GoRoom(names.back());
    }
    const Calls first = {"Enter R0 from ''", "Layout R0", "Leave R0 for R1", "Enter R1 from 'R0'",
                         "Layout R1"};
    EXPECT_EQ(Calls(journal.begin(), journal.begin() + 5), first);
    EXPECT_EQ(StackNames(), Calls(names.begin() + 1, names.end() - 1))
        << "eleven changes keep the ten most recent rooms";
    auto* last = static_cast<RecordingRoom*>(world.GetCurrentRoom());
    EXPECT_TRUE(last->TestFlag(RoomFlag::Current) &&
                !world.FindRoom("R10")->TestFlag(RoomFlag::Current));
    // Frozen while each room was being built, and no more.
    EXPECT_EQ(std::tuple(window.caption, area.freezeChanges, world.IsBusy() || area.frozen),
              std::tuple("Room R11", 24, false));

    last->failLeave = true;
    ui.Answer(MessageBoxResult::No);
    world.GoBack();
    // A failed GoBack puts the room back.
    EXPECT_TRUE(world.GetCurrentRoom() == last && StackNames().size() == 10);
    last->failLeave = false;
    world.GoBack();
    // GoBack leaves no trace of R11.
    EXPECT_EQ(world.GetCurrentRoom()->GetID() + " " + StackNames().back(), "R10 R9");
    world.GoRoom("R10");
    EXPECT_EQ(StackNames().back(), "R10") << "the current room, left and entered again";
}

// A room that fails in Layout, or refuses to Leave, is current and hears the mouse; re-entering
// the current room and going back twice comes back to where play began, leaving no trace. Once
// the player chose to quit, a second fault closes the window without asking.
TEST_F(WorldTest, FailedRoomChangesAskKeepTheMouseAndASecondFaultCloses) {
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
        EXPECT_EQ(journal, Calls{"RunScript START GO"}) << when;
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
    EXPECT_TRUE(world.GetCurrentRoom() == a && StackNames().empty());

    // A room that does not exist: the player is asked whether to quit.
    ui.Answer(MessageBoxResult::No);
    world.GoRoom("Nowhere");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].caption + ": " + ui.boxes[1].text,
              "Problem!: Quit game?\n\nRoom Nowhere does not exist");
    EXPECT_EQ(ui.boxes[1].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_TRUE(!world.IsQuitRequested() && world.GetCurrentRoom() == a);
    EXPECT_FALSE(world.IsBusy() || area.frozen) << "the failed move left nothing frozen";
    ui.Answer(MessageBoxResult::Yes);
    world.GoRoom("X");
    EXPECT_TRUE(world.IsQuitRequested());
    EXPECT_EQ(window.closes, 0) << "the window closes after the next tick, not here";
    world.GoRoom("Y");
    EXPECT_TRUE(ui.boxes.size() == 3 && window.closes == 1) << "no second question";
}

// Without a room time passes and input is blocked; while busy input is ignored; a control box
// pressed holds the capture, ticked before the scripts, until it is freed.
TEST_F(WorldTest, InputWithoutARoomWhileBusyAndCaptured) {
    world.Tick(3);
    world.Tick(7);
    area.Press(5, 5);
    area.Move(5, 5);
    EXPECT_TRUE(world.GetTime() == 10 && area.cursors.empty()) << "no room: only time passes";

    RecordingRoom* a = AddRoom("A", true);
    auto* go = static_cast<TScriptBox*>(
        a->AddHitBox(std::make_unique<TScriptBox>("go", TRect{10, 0, 20, 10})));
    go->ScriptName = "START";
    world.GoRoom("A");
    journal.clear();

    world.SetBusy(true);
    EXPECT_TRUE(area.Cursor() == CursorId::HourGlass && area.frozen);
    area.Press(5, 5);
    area.Press(15, 5);
    EXPECT_FALSE(world.ClickBox("go")) << "a box is clicked by its name only where pressed";
    EXPECT_EQ(world.ViewMouseMove(0, 5, 5), 1);
    EXPECT_TRUE(journal.empty()) << "presses while busy are ignored";

    area.pointer = {15, 5};
    world.SetBusy(false);
    // The cursor of the box under the pointer comes back.
    EXPECT_TRUE(!area.frozen && area.Cursor() == CursorId::LetterCell);
    area.Press(15, 5);
    EXPECT_EQ(journal, Calls{"RunScript START GO"});
    go->SetEnabled(false);
    EXPECT_FALSE(world.ClickBox("go"));
    go->SetEnabled(true);
    EXPECT_FALSE(world.ClickBox("pad")) << "a control box reacts to where it is pressed";
    EXPECT_TRUE(world.ClickBox("GO"));
    EXPECT_EQ(journal, (Calls{"RunScript START GO", "RunScript START GO"}));

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
    EXPECT_EQ(journal, (Calls{"ControlEvent PAD 3", "RunScript TIMER"}));
    // Not idle, one more held tick, and the clock wraps.
    EXPECT_EQ(std::tuple(world.IsIdle(), pad->HeldTicks, world.GetTime()),
              std::tuple(false, 2, INT32_MIN + 11));

    journal.clear();
    area.Move(30, -4);
    EXPECT_EQ(journal, (Calls{"ControlEvent PAD 1", "GetCursor PAD 30,-4"}))
        << "dragged off the box, which keeps the cursor";

    a->GetHitBoxes().Clear();
    journal.clear();
    world.Tick(1);
    area.Move(6, 6);
    area.Release(6, 6);
    EXPECT_TRUE(journal.empty()) << "a freed captured box is forgotten";
    EXPECT_EQ(world.GetCaptured(), nullptr);
}

TEST(World, DestructionLeavesAndLetsGo) {
    FakeUserInterface ui;
    FakeGraphicArea area;
    Calls journal;
    {
        TStdWorld world(&area);
        SetWorld(&world);
        world.AddRoom(std::make_unique<RecordingRoom>("A", &journal));
        world.GoRoom("A");
        journal.clear();
    }
    EXPECT_EQ(journal, Calls{"Leave A for TERMINATE"});
    EXPECT_FALSE(area.HasHandlers() || ControlHook || ScriptHook || CursorHook);
    EXPECT_EQ(GetWorld(), nullptr);
}

TEST_F(WorldTest, UnexpectedFaultsAreLoggedAndPlayGoesOn) {
    RecordingRoom* a = AddRoom("A", true);
    RecordingRoom* b = AddRoom("B");
    // The call that fails, what makes the world make it, and the operation logged.
    const std::vector<std::tuple<std::string, std::function<void()>, std::string>> cases = {
        {"Layout B", [&] { world.GoRoom("B"); }, "GoRoom"},
        {"RunScript DELAY",
         [&] {
             ScheduleScript(ScriptKind::Delay, 0, ScheduleMode::Always);
             world.Tick(1);
         },
         "Tick"},
        {"ControlEvent PAD 0", [&] { area.Press(5, 5); }, "GameMouseDown"},
        {"GetCursor PAD", [&] { area.Move(5, 6); }, "ViewMouseMove"},
        {"KeyEvent 65 0 down", [&] { world.KeyDown(0x41, 0); }, "KeyDown"},
    };
    for (const auto& [failOn, action, operation] : cases) {
        world.GoRoom("A");
        a->failOn = b->failOn = failOn;
        action();
        a->failOn = b->failOn = "";
        EXPECT_THAT(logs.Read("errorlog.txt"),
                    testing::HasSubstr("runtime_error in " + operation + " (broken " + failOn));
        EXPECT_FALSE(world.IsBusy()) << operation;
        std::filesystem::remove(ErrorLogPath());
    }
    EXPECT_TRUE(ui.boxes.empty()) << "nobody is asked about unexpected faults";
    EXPECT_EQ(world.GetTime(), 1) << "the clock went on despite the failed script";
}

TEST_F(WorldTest, TimerScriptModes) {
    const std::pair<ScheduleMode, std::vector<int32_t>> cases[] = {
        {ScheduleMode::Always, {3, 5}},
        {ScheduleMode::KeepExisting, {3}},
        {ScheduleMode::Replace, {5}},
        {static_cast<ScheduleMode>(9), {3, 5}}, // any other mode does not look
    };
    for (const auto& [mode, dues] : cases) {
        ClearScripts();
        ScheduleScript(ScriptKind::Animate, 3, mode);
        ScheduleScript(ScriptKind::Animate, 5, mode);
        EXPECT_EQ(Dues(), dues) << static_cast<int>(mode);
    }

    ClearScripts();
    ScheduleScript(ScriptKind::Tick, 1, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Flash, 2, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Tick, 3, ScheduleMode::Always);
    CancelScript(ScriptKind::Open);
    CancelScript(ScriptKind::Tick);
    EXPECT_EQ(Dues(), (std::vector<int32_t>{2, 3})) << "only the first of the kind goes";
    EXPECT_EQ(FindScript(ScriptKind::Tick)->Due, 3);
}

// Between passes: delay 0 runs at the next pass, delay d at the (d + 1)-th; due together, in
// scheduling order whatever the kind; scheduled from inside a pass at Time T with delay d, due at
// T + d and run d passes later. A script that cancels the next one stops its pass there; one that
// fails asks the player and is gone all the same.
TEST_F(WorldTest, TimerScriptPasses) {
    RecordingRoom* room = AddRoom("A");
    world.GoRoom("A");
    world.Tick(100);
    ScheduleScript(ScriptKind::Animate, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Delay, 2, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Open, 1, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Tick, 1, ScheduleMode::Always);
    room->onScript = [](const std::string& script) {
        if (script == "ANIMATE") {
            ScheduleScript(ScriptKind::Music, 2, ScheduleMode::Always);
        } else if (script == "FLASH") {
            CancelScript(ScriptKind::Timer);
        } else if (script == "CLOSE") {
            throw TarnException("the door is stuck");
        }
    };
    std::vector<Calls> passes;
    for (int pass = 0; pass < 4; ++pass) {
        journal.clear();
        world.Tick(1);
        passes.push_back(journal);
    }
    EXPECT_EQ(passes, (std::vector<Calls>{{"RunScript ANIMATE"},
                                          {"RunScript OPEN", "RunScript TICK"},
                                          {"RunScript DELAY", "RunScript MUSIC"},
                                          {}}));

    ScheduleScript(ScriptKind::Flash, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Timer, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Delay, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Close, 1, ScheduleMode::Always);
    journal.clear();
    world.Tick(1);
    EXPECT_EQ(journal, Calls{"RunScript FLASH"});
    ui.Answer(MessageBoxResult::No);
    world.Tick(1);
    EXPECT_EQ(journal, (Calls{"RunScript FLASH", "RunScript DELAY", "RunScript CLOSE"}));
    EXPECT_TRUE(ui.boxes.size() == 1 && TimerScripts().IsEmpty());
}
