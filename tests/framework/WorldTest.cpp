#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "framework/ErrorLog.h"
#include "framework/GameWorld.h"
#include "framework/IGameWindow.h"
#include "framework/RecordingRoom.h"
#include "framework/StdWorld.h"
#include "framework/TarnStd.h"
#include "framework/TimerScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

class FakeWindow : public IGameWindow {
  public:
    void SetCaption(const std::string& text) override { caption = text; }
    void Close() override { ++closes; }

    std::string caption;
    int closes = 0;
};

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearScripts();
        world.SetWindow(&window);
    }
    void TearDown() override { ClearScripts(); }

    RecordingRoom* AddRoom(const std::string& name) {
        return static_cast<RecordingRoom*>(
            world.AddRoom(std::make_unique<RecordingRoom>(name, &journal)));
    }

    std::vector<std::string> StackNames() const {
        std::vector<std::string> names;
        for (TTarnNode* node = world.GetRoomStack().Head(); node != nullptr; node = node->Next()) {
            names.push_back(static_cast<TRoomStackNode&>(*node).Room->GetID());
        }
        return names;
    }

    FakeUserInterface ui;
    FakeGraphicArea area;
    FakeWindow window;
    std::vector<std::string> journal;
    TStdWorld world{&area};
};

} // namespace

TEST_F(WorldTest, GoRoomCallsInOrder) {
    RecordingRoom* a = AddRoom("a");
    RecordingRoom* b = AddRoom("b");
    world.GoRoom("A");
    world.GoRoom("b");
    const std::vector<std::string> expected = {"Enter A from ''", "Layout A", "Leave A for B",
                                               "Enter B from 'A'", "Layout B"};
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(world.GetCurrentRoom(), b);
    EXPECT_TRUE(b->TestFlag(RoomFlag::Current));
    EXPECT_TRUE(b->TestFlag(RoomFlag::Entered));
    EXPECT_FALSE(a->TestFlag(RoomFlag::Current));
    EXPECT_EQ(window.caption, "Room B");
    EXPECT_FALSE(world.IsBusy());
    EXPECT_FALSE(area.frozen);
    EXPECT_EQ(area.freezeChanges, 4) << "frozen while each room was being built";
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(WorldTest, RoomStack) {
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
    EXPECT_EQ(StackNames(), std::vector<std::string>(names.begin() + 1, names.end() - 1))
        << "eleven changes keep the ten most recent rooms";

    world.GoRoom(names.back());
    EXPECT_EQ(StackNames().back(), names.back()) << "the current room, left and entered again";
}

TEST_F(WorldTest, GoBackLeavesNoTrace) {
    AddRoom("A");
    AddRoom("B");
    AddRoom("C");
    world.GoRoom("A");
    world.GoRoom("B");
    world.GoRoom("C");
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom()->GetID(), "B");
    EXPECT_EQ(StackNames(), std::vector<std::string>{"A"});
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom()->GetID(), "A");
    EXPECT_TRUE(StackNames().empty());
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom()->GetID(), "A");
}

TEST_F(WorldTest, GoBackThatFailsPutsTheRoomBack) {
    AddRoom("A");
    AddRoom("B");
    RecordingRoom* c = AddRoom("C");
    world.GoRoom("A");
    world.GoRoom("B");
    world.GoRoom("C");
    ASSERT_EQ(StackNames(), (std::vector<std::string>{"A", "B"}));
    c->failLeave = true;
    ui.Answer(MessageBoxResult::No);
    world.GoBack();
    EXPECT_EQ(world.GetCurrentRoom(), c);
    EXPECT_EQ(StackNames(), (std::vector<std::string>{"A", "B"}));
    c->failLeave = false;
}

TEST_F(WorldTest, UnknownRoomAsksAndLeavesTheWorldUsable) {
    RecordingRoom* a = AddRoom("A");
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
    auto* box = static_cast<TControlBox*>(
        a->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10})));
    journal.clear();
    area.Press(5, 5);
    EXPECT_EQ(journal, std::vector<std::string>{"ControlEvent PAD 0"});
    EXPECT_EQ(world.GetCaptured(), box);
}

TEST_F(WorldTest, QuitQuestionAndSecondFault) {
    AddRoom("A");
    world.GoRoom("A");
    ui.Answer(MessageBoxResult::Yes);
    world.GoRoom("X");
    EXPECT_TRUE(world.IsQuitRequested());
    EXPECT_EQ(window.closes, 0) << "the window closes after the next tick, not here";

    world.GoRoom("Y");
    EXPECT_EQ(ui.boxes.size(), 1u) << "no second question";
    EXPECT_EQ(window.closes, 1);
}

TEST_F(WorldTest, TickWithoutARoomAdvancesTime) {
    world.Tick(3);
    world.Tick(0);
    world.Tick(2);
    EXPECT_EQ(world.GetTime(), 5);
    world.Tick(INT32_MAX);
    EXPECT_EQ(world.GetTime(), INT32_MIN + 4) << "the clock wraps";
}

TEST_F(WorldTest, TickHoldsTheCaptureBeforeTheScripts) {
    SetWorld(&world);
    RecordingRoom* a = AddRoom("A");
    auto* pad = static_cast<TControlBox*>(
        a->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 50, 50})));
    world.GoRoom("A");
    world.Tick(10);
    area.Press(20, 30);
    ASSERT_EQ(world.GetCaptured(), pad);
    world.Tick(1);
    world.Tick(1);
    EXPECT_EQ(pad->HeldTicks, 1) << "ticks since the capture began";

    world.SetIdle();
    ScheduleScript(ScriptKind::Timer, 0, 0);
    journal.clear();
    world.Tick(1);
    EXPECT_EQ(journal, (std::vector<std::string>{"ControlEvent PAD 3", "RunScript TIMER"}));
    EXPECT_FALSE(world.IsIdle());
    EXPECT_EQ(world.GetTime(), 13);
    EXPECT_EQ(pad->HeldTicks, 2);
    SetWorld(nullptr);
}

TEST_F(WorldTest, MouseWhileBlocked) {
    area.Move(5, 5);
    area.Press(5, 5);
    EXPECT_TRUE(area.cursors.empty()) << "no room: input is blocked";
    EXPECT_EQ(world.ViewMouseMove(0, 5, 5), 1);

    RecordingRoom* a = AddRoom("A");
    a->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10}));
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
    EXPECT_EQ(world.ViewMouseMove(0, 5, 5), 1);
    EXPECT_TRUE(journal.empty()) << "presses while busy are ignored";
    EXPECT_EQ(world.GetCaptured(), nullptr);

    area.pointer = {15, 5};
    world.SetBusy(false);
    EXPECT_FALSE(area.frozen);
    EXPECT_EQ(area.Cursor(), 1) << "the cursor of the box under the pointer comes back";
    area.Press(15, 5);
    EXPECT_EQ(journal, std::vector<std::string>{"RunScript START GO"});
}

TEST_F(WorldTest, CursorsAndCapture) {
    RecordingRoom* a = AddRoom("A");
    auto* pad = static_cast<TControlBox*>(
        a->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10})));
    pad->SetCursor(CursorAskRoom);
    a->AddHitBox(std::make_unique<TScriptBox>("go", TRect{10, 0, 20, 10}));
    THitBox* help = world.GetBoxes().Add(std::make_unique<THitBox>("help", TRect{15, 0, 30, 10}));
    help->SetCursor(CursorAskRoom);
    world.GoRoom("A");
    journal.clear();

    struct Case {
        TPoint pointer;
        int16_t cursor;
    };
    const Case cases[] = {
        {{2, 3}, 7},      // room box asks the room
        {{12, 3}, 1},     // room box with its own cursor
        {{16, 3}, 32767}, // world boxes come first and show their stored value
        {{50, 50}, 0},    // no box
    };
    for (const Case& c : cases) {
        area.pointer = c.pointer;
        world.UpdateCursor();
        EXPECT_EQ(area.Cursor(), c.cursor) << c.pointer.X << ',' << c.pointer.Y;
    }

    area.Move(12, 3);
    EXPECT_EQ(world.GetHotBox(), a->FindHitBox("go"));
    EXPECT_EQ(area.Cursor(), 1);
    area.Move(40, 40);
    EXPECT_EQ(world.GetHotBox(), nullptr);
    EXPECT_EQ(area.Cursor(), 0);
    EXPECT_EQ(area.screenCursorResets, 2);

    journal.clear();
    area.Press(2, 3);
    ASSERT_EQ(world.GetCaptured(), pad);
    area.Move(40, 40); // dragging outside the box still goes to it
    a->capture = false;
    area.Move(41, 40);
    EXPECT_EQ(world.GetCaptured(), nullptr) << "the room let go";
    area.Release(41, 40);
    const std::vector<std::string> expected = {"ControlEvent PAD 0", "GetCursor PAD 2,3",
                                               "ControlEvent PAD 1", "GetCursor PAD 40,40",
                                               "ControlEvent PAD 1", "GetCursor PAD 41,40"};
    EXPECT_EQ(journal, expected) << "a release without capture does nothing";

    a->capture = true;
    area.Press(2, 3);
    journal.clear();
    area.Release(3, 3);
    EXPECT_EQ(world.GetCaptured(), pad) << "the room kept the capture";
    a->capture = false;
    area.Release(3, 3);
    EXPECT_EQ(world.GetCaptured(), nullptr);
}

TEST_F(WorldTest, FreedCapturedBoxIsForgotten) {
    RecordingRoom* a = AddRoom("A");
    a->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10}));
    world.GoRoom("A");
    area.Press(5, 5);
    ASSERT_NE(world.GetCaptured(), nullptr);
    a->GetHitBoxes().Clear();
    journal.clear();
    world.Tick(1);
    area.Move(6, 6);
    area.Release(6, 6);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(world.GetCaptured(), nullptr);
}

TEST(World, DestructionLeavesAndLetsGo) {
    FakeUserInterface ui;
    FakeGraphicArea area;
    std::vector<std::string> journal;
    {
        TStdWorld world(&area);
        SetWorld(&world);
        EXPECT_TRUE(area.HasHandlers());
        EXPECT_TRUE(ControlHook && ScriptHook && CursorHook);
        world.AddRoom(std::make_unique<RecordingRoom>("A", &journal));
        world.GoRoom("A");
        journal.clear();
    }
    EXPECT_EQ(journal, std::vector<std::string>{"Leave A for TERMINATE"});
    EXPECT_FALSE(area.HasHandlers());
    EXPECT_FALSE(ControlHook || ScriptHook || CursorHook);
    EXPECT_EQ(GetWorld(), nullptr);
}

TEST(World, GameWorldCreatesTheGameRoom) {
    FakeUserInterface ui;
    FakeGraphicArea area;
    TWorld world(&area);
    TWorld::SetGameRoomFactory(nullptr);
    EXPECT_THROW(world.CreateRooms(), std::logic_error);

    TWorld::SetGameRoomFactory(
        [](const std::string& id) { return std::make_unique<RecordingRoom>(id); });
    world.CreateRooms();
    world.Start();
    ASSERT_NE(world.GetCurrentRoom(), nullptr);
    EXPECT_EQ(world.GetCurrentRoom()->GetID(), "GAME");
    EXPECT_EQ(world.StartRoom, "GAME");
    TWorld::SetGameRoomFactory(nullptr);
}

TEST_F(WorldTest, UnexpectedFaultsAreLoggedAndPlayGoesOn) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("ladderly-world-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(folder);
    SetErrorLogFolder(folder.string() + "/");

    SetWorld(&world);
    RecordingRoom* a = AddRoom("A");
    RecordingRoom* b = AddRoom("B");
    a->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10}))
        ->SetCursor(CursorAskRoom);
    world.GoRoom("A");

    struct Case {
        std::string failOn;
        std::function<void()> action;
        std::string operation;
    };
    const std::vector<Case> cases = {
        {"Layout B", [&] { world.GoRoom("B"); }, "GoRoom"},
        {"RunScript DELAY",
         [&] {
             ScheduleScript(ScriptKind::Delay, 0, 0);
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

        std::ifstream log(ErrorLogPath());
        std::stringstream text;
        text << log.rdbuf();
        EXPECT_NE(text.str().find("runtime_error in " + c.operation + " (broken " + c.failOn),
                  std::string::npos)
            << c.operation << ":\n"
            << text.str();
        EXPECT_FALSE(world.IsBusy()) << c.operation;
        std::filesystem::remove(ErrorLogPath());
    }
    EXPECT_TRUE(ui.boxes.empty()) << "nobody is asked about unexpected faults";
    EXPECT_EQ(world.GetTime(), 1) << "the clock went on despite the failed script";
    SetWorld(nullptr);
    SetErrorLogFolder("");
    std::filesystem::remove_all(folder);
}
