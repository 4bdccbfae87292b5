#pragma once
// A room for tests that records every call the world makes on it into a journal.

#include "base/TarnStd.h"
#include "framework/StdRoom.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class RecordingRoom : public TRoom {
  public:
    RecordingRoom(const std::string& name, std::vector<std::string>* journal)
        : TRoom(name), calls(journal) {
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

    std::vector<std::string>* calls;
    std::function<void(const std::string&)> onScript;
    std::string failOn;
    bool failLeave = false;
};
