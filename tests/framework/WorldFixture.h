#pragma once
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

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

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
    void KeyEvent(uint16_t key, uint8_t shift, bool down) override {
        Note("KeyEvent " + std::to_string(key) + " " + std::to_string(shift) +
             (down ? " down" : " up"));
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

class WorldFixture : public ::testing::Test {
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

    static std::vector<int32_t> Dues() {
        std::vector<int32_t> dues;
        for (TTarnNode* node = TimerScripts().Head(); node != nullptr; node = node->Next()) {
            dues.push_back(static_cast<TTimerScriptInfo&>(*node).Due);
        }
        return dues;
    }

    TempFolder logs;
    FakeUserInterface ui;
    FakeGraphicArea area;
    FakeGameWindow window;
    Calls journal;
    TStdWorld world{&area};
};
