// A world on a fake graphic area, published while the test runs, whose rooms record every call
// into one journal; faults are logged in a folder of the test's own.

#include "base/ErrorLog.h"
#include "base/TarnStd.h"
#include "fakes/FakeGameWindow.h"
#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"
#include "framework/StdRoom.h"
#include "framework/StdWorld.h"
#include "framework/TimerScript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class RecordingRoom : public TRoom {
  public:
    RecordingRoom(const std::string& name, Calls* journal) : TRoom(name), calls(journal) {
        Caption = "Room " + GetID();
    }

    CursorId GetCursor(const std::string& boxName, int32_t x, int32_t y) override {
        Note("GetCursor " + boxName + " " + std::to_string(x) + "," + std::to_string(y));
        return static_cast<CursorId>(7);
    }
    void RunScript(const std::string& script, const std::string& param) override {
        Note("RunScript " + script + (param.empty() ? "" : " " + param));
        (onScript ? onScript : [](const std::string&) {})(script);
    }
    bool ControlEvent(TControlBox& box, ControlEventCode kind) override {
        Note("ControlEvent " + box.GetID() + " " + std::to_string(static_cast<int>(kind)));
        return true;
    }
    void Enter(const std::string& previous) override {
        Note("Enter " + GetID() + " from '" + previous + "'");
        TRoom::Enter(previous);
    }
    void Leave(const std::string& nextRoom) override {
        Note("Leave " + GetID() + " for " + nextRoom);
        if (failLeave) {
            throw TarnException("stuck in " + GetID());
        }
        TRoom::Leave(nextRoom);
    }
    void Layout(TPX8ImageData* surface) override {
        Note("Layout " + GetID());
        TRoom::Layout(surface);
    }

    // Records the call; a call that starts with failOn raises a std::runtime_error instead.
    void Note(const std::string& call) {
        calls->push_back(call);
        if (!failOn.empty() && call.rfind(failOn, 0) == 0) {
            throw std::runtime_error("broken " + call);
        }
    }

    Calls* calls;
    std::function<void(const std::string&)> onScript;
    std::string failOn;
    bool failLeave = false;
};

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearScripts();
        SetErrorLogFolder(logs.Path());
        world.SetWindow(&window);
        SetWorld(&world);
    }
    void TearDown() override {
        SetWorld(nullptr);
        ClearScripts();
        SetErrorLogFolder("");
    }

    // With `pad`, a full-size control box that asks the room for its cursor.
    RecordingRoom* AddRoom(const std::string& name, bool pad = false) {
        auto* room = static_cast<RecordingRoom*>(
            world.AddRoom(std::make_unique<RecordingRoom>(name, &journal)));
        if (pad) {
            room->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10}))
                ->SetCursor(CursorId::AskRoom);
        }
        return room;
    }

    Calls StackNames() const {
        Calls names;
        for (TTarnNode* node = world.GetRoomStack().Head(); node != nullptr; node = node->Next()) {
            names.push_back(static_cast<TRoomStackNode&>(*node).Room->GetID());
        }
        return names;
    }

    TempFolder logs;
    FakeUserInterface ui;
    FakeGraphicArea area;
    FakeGameWindow window;
    Calls journal;
    TStdWorld world{&area};
};

} // namespace

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

// A room that fails in Layout, or refuses to Leave, is current and hears the mouse; the refused
// Leave leaves no way back. Once the player chose to quit, a second fault closes the window
// without asking.
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
    EXPECT_EQ(StackNames(), Calls{"A"});

    // A room that does not exist: the player is asked whether to quit.
    ui.Answer(MessageBoxResult::No);
    world.GoRoom("Nowhere");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].caption + ": " + ui.boxes[1].text,
              "Problem!: Quit game?\n\nRoom Nowhere does not exist");
    EXPECT_EQ(ui.boxes[1].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_TRUE(!world.IsQuitRequested() && world.GetCurrentRoom() == b);
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
    world.Tick(10);
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
    area.Move(5, 5);
    EXPECT_TRUE(journal.empty()) << "presses while busy are ignored";

    area.pointer = {15, 5};
    world.SetBusy(false);
    // The cursor of the box under the pointer comes back.
    EXPECT_TRUE(!area.frozen && area.Cursor() == CursorId::LetterCell);
    area.Press(15, 5);
    EXPECT_EQ(journal, Calls{"RunScript START GO"});
    go->SetEnabled(false);
    area.Press(15, 5);
    EXPECT_FALSE(world.ClickBox("go")) << "nor pressed, when disabled";
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

// A second world on the same area, destroyed while the fixture's lives on.
TEST_F(WorldTest, DestructionLeavesAndLetsGo) {
    {
        TStdWorld other(&area);
        SetWorld(&other);
        other.AddRoom(std::make_unique<RecordingRoom>("A", &journal));
        other.GoRoom("A");
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

// Scheduling due at 3 and then at 5: how many are kept, and when the first is due.
TEST_F(WorldTest, TimerScriptModes) {
    const std::tuple<ScheduleMode, int16_t, int32_t> cases[] = {
        {ScheduleMode::Always, 2, 3},
        {ScheduleMode::KeepExisting, 1, 3},
        {ScheduleMode::Replace, 1, 5},
    };
    for (const auto& [mode, count, due] : cases) {
        ClearScripts();
        ScheduleScript(ScriptKind::Animate, 3, mode);
        ScheduleScript(ScriptKind::Animate, 5, mode);
        EXPECT_EQ(std::pair(TimerScripts().Count(), FindScript(ScriptKind::Animate)->Due),
                  std::pair(count, due))
            << static_cast<int>(mode);
    }
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
