#pragma once
// A world on a fake graphic area, published while the test runs, whose rooms record every call
// into one journal.

#include "fakes/FakeGameWindow.h"
#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "framework/RecordingRoom.h"
#include "framework/StdWorld.h"
#include "framework/TimerScript.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class WorldFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearScripts();
        world.SetWindow(&window);
        SetWorld(&world);
    }
    void TearDown() override {
        SetWorld(nullptr);
        ClearScripts();
    }

    RecordingRoom* AddRoom(const std::string& name) {
        return static_cast<RecordingRoom*>(
            world.AddRoom(std::make_unique<RecordingRoom>(name, &journal)));
    }

    // A room with a full-size control box "pad" that asks the room for its cursor.
    RecordingRoom* AddPadRoom(const std::string& name) {
        RecordingRoom* room = AddRoom(name);
        room->AddHitBox(std::make_unique<TControlBox>("pad", TRect{0, 0, 10, 10}))
            ->SetCursor(CursorId::AskRoom);
        return room;
    }

    // The scripts the rooms ran, without the "RunScript " in front.
    std::vector<std::string> Scripts() const {
        std::vector<std::string> scripts;
        for (const std::string& call : journal) {
            if (call.rfind("RunScript ", 0) == 0) {
                scripts.push_back(call.substr(10));
            }
        }
        return scripts;
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
    FakeGameWindow window;
    std::vector<std::string> journal;
    TStdWorld world{&area};
};
