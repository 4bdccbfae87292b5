#include "framework/StdWorld.h"

#include "base/ErrorLog.h"
#include "base/Messages.h"
#include "base/TarnStd.h"
#include "framework/IGameWindow.h"
#include "framework/IGraphicArea.h"
#include "framework/ISceneObserver.h"
#include "framework/StdRoom.h"
#include "framework/TimerScript.h"

#include <stdexcept>

namespace {

TStdWorld* published = nullptr;

void ProcessPendingMessages() {
    GetUserInterface().ProcessPendingMessages();
}

} // namespace

TStdWorld* GetWorld() {
    return published;
}

void SetWorld(TStdWorld* world) {
    published = world;
}

void TRoomStack::Push(TStdRoom* room) {
    Add(std::make_unique<TRoomStackNode>(room));
    if (Count() > Capacity) {
        RemoveFirst();
    }
}

TStdRoom* TRoomStack::Pop() {
    const std::unique_ptr<TTarnNode> node = RemoveLast();
    return node == nullptr ? nullptr : static_cast<TRoomStackNode&>(*node).Room;
}

TStdWorld::TStdWorld(IGraphicArea* graphicArea) : GraphicArea(graphicArea) {
    if (GraphicArea != nullptr) {
        GraphicArea->SetMouseHandlers(
            [this](uint8_t shift, int32_t x, int32_t y) { ViewMouseMove(shift, x, y); },
            [this](uint8_t button, uint8_t shift, int32_t x, int32_t y) {
                GameMouseDown(button, shift, x, y);
            },
            [this](uint8_t button, uint8_t shift, int32_t x, int32_t y) {
                ViewMouseUp(button, shift, x, y);
            });
    }
    ControlHook = [this](TControlBox& box, ControlEventCode event) {
        return DispatchControl(box, event);
    };
    ScriptHook = [this](const std::string& script, const std::string& boxID) {
        DispatchScript(script, boxID);
    };
    CursorHook = [this](const std::string& boxID, int32_t x, int32_t y) {
        return DispatchCursor(boxID, x, y);
    };
}

TStdWorld::~TStdWorld() {
    // The game is closing: faults are only logged, nobody is asked any more.
    const auto logFault = [] {
        try {
            throw;
        } catch (const std::exception& fault) {
            LogError(fault, "Destroy");
        } catch (...) {
            LogError(std::runtime_error("Unknown fault"), "Destroy");
        }
    };
    if (CurrentRoom != nullptr) {
        try {
            CurrentRoom->Leave(TerminateRoomName);
        } catch (...) {
            logFault();
        }
    }
    // Each room lets go of its graphics and its data through its own FreeGraphics while it is
    // still whole; its destructor can only reach the base part.
    for (TTarnNode* node = Rooms.Head(); node != nullptr; node = node->Next()) {
        try {
            static_cast<TStdRoom&>(*node).FreeGraphics(true);
        } catch (...) {
            logFault();
        }
    }
    CurrentRoom = nullptr;
    Captured = nullptr;
    HotBox = nullptr;
    RoomStack.Clear();
    Rooms.Clear();
    Boxes.Clear();
    if (GraphicArea != nullptr) {
        GraphicArea->SetMouseHandlers(nullptr, nullptr, nullptr);
    }
    ControlHook = nullptr;
    ScriptHook = nullptr;
    CursorHook = nullptr;
    if (published == this) {
        published = nullptr;
    }
}

bool TStdWorld::DispatchControl(TControlBox& box, ControlEventCode event) {
    return ControlHandler ? ControlHandler(box, event) : false;
}

void TStdWorld::DispatchScript(const std::string& script, const std::string& boxID) {
    if (ScriptHandler) {
        ScriptHandler(script, boxID);
    }
}

CursorId TStdWorld::DispatchCursor(const std::string& boxID, int32_t x, int32_t y) {
    return CursorHandler ? CursorHandler(boxID, x, y) : CursorId::Default;
}

void TStdWorld::HandleFault(const std::string& operation) {
    try {
        throw;
    } catch (const TarnException& fault) {
        ReportProblem(fault.what());
    } catch (const std::exception& fault) {
        LogError(fault, operation);
    } catch (...) {
        LogError(std::runtime_error("Unknown fault"), operation);
    }
}

void TStdWorld::ReportProblem(const std::string& message) {
    if (IsQuitRequested()) {
        if (Window != nullptr) {
            Window->Close();
        }
        return;
    }
    if (Confirm("Problem!", "Quit game?\n\n" + message)) {
        Flags |= WorldFlag::QuitRequested;
    }
}

TStdRoom* TStdWorld::AddRoom(std::unique_ptr<TStdRoom> room) {
    return Rooms.Add(std::move(room));
}

TStdRoom* TStdWorld::FindRoom(const std::string& id) const {
    TIDNode* node = Rooms.FindByID(id);
    return node == nullptr ? nullptr : &dynamic_cast<TStdRoom&>(*node);
}

void TStdWorld::CreateRooms() {}

void TStdWorld::Start() {
    GoRoom(StartRoom);
}

TPX8ImageData* TStdWorld::GetImage() const {
    return GraphicArea == nullptr ? nullptr : GraphicArea->GetImage();
}

void TStdWorld::SetGraphicAreaCursor(CursorId cursor) {
    if (GraphicArea != nullptr) {
        GraphicArea->SetCursor(cursor);
    }
}

void TStdWorld::SetBusy(bool on) {
    ProcessPendingMessages();
    if (on != IsBusy()) {
        if (on) {
            Flags |= WorldFlag::Busy;
            if (GraphicArea != nullptr) {
                GraphicArea->SetCursor(CursorId::HourGlass);
                GraphicArea->SetFreezeDisplay(true);
            }
        } else {
            Flags &= ~WorldFlag::Busy;
            if (GraphicArea != nullptr) {
                GraphicArea->SetFreezeDisplay(false);
            }
            UpdateCursor();
        }
    }
    ProcessPendingMessages();
}

THitBox* TStdWorld::FindBoxAt(int32_t x, int32_t y, bool& worldBox) const {
    worldBox = true;
    if (THitBox* box = Boxes.FindBox(x, y)) {
        return box;
    }
    worldBox = false;
    return CurrentRoom == nullptr ? nullptr : CurrentRoom->GetHitBoxes().FindBox(x, y);
}

THitBox* TStdWorld::CapturedBox() {
    if (Captured != nullptr && !Boxes.Contains(Captured) &&
        (CurrentRoom == nullptr || !CurrentRoom->GetHitBoxes().Contains(Captured))) {
        Captured = nullptr;
    }
    return Captured;
}

void TStdWorld::UpdateCursor() {
    if (IsInputBlocked() || GraphicArea == nullptr) {
        return;
    }
    const TPoint p = GraphicArea->GetPointerPos();
    bool worldBox = false;
    const THitBox* box = FindBoxAt(p.X, p.Y, worldBox);
    CursorId cursor = CursorId::Default;
    if (box != nullptr) {
        cursor = worldBox ? box->Cursor : box->GetCursor(p.X, p.Y);
    }
    GraphicArea->SetCursor(cursor);
}

void TStdWorld::BindHandlers(TStdRoom* room) {
    ControlHandler = [room](TControlBox& box, ControlEventCode kind) {
        return room->ControlEvent(box, kind);
    };
    ScriptHandler = [room](const std::string& script, const std::string& param) {
        room->RunScript(script, param);
    };
    CursorHandler = [room](const std::string& boxID, int32_t x, int32_t y) {
        return room->GetCursor(boxID, x, y);
    };
}

void TStdWorld::EnterRoom(const std::string& id) {
    TStdRoom* target = FindRoom(id);
    if (target == nullptr) {
        throw TarnException("Room " + id + " does not exist");
    }
    std::string from;
    if (CurrentRoom != nullptr) {
        ControlHandler = nullptr;
        ScriptHandler = nullptr;
        CursorHandler = nullptr;
        Captured = nullptr;
        TStdRoom* old = CurrentRoom;
        old->SetCurrent(false);
        try {
            old->Leave(target->GetID());
        } catch (...) {
            // The old room stays current, and so it must keep hearing the mouse.
            old->SetCurrent(true);
            BindHandlers(old);
            throw;
        }
        RoomStack.Push(old);
        from = old->GetID();
    }
    // Bound before Enter and Layout, so a room that fails in them still gets its presses.
    CurrentRoom = target;
    target->SetCurrent(true);
    BindHandlers(target);
    target->Enter(from);
    target->Layout(GetImage());
    if (Window != nullptr) {
        Window->SetCaption(target->GetCaption());
    }
}

bool TStdWorld::GoRoom(const std::string& id) {
    try {
        SetBusy(true);
        try {
            EnterRoom(id);
        } catch (...) {
            // Busy would otherwise stay set and every later mouse press would be ignored.
            SetBusy(false);
            throw;
        }
        SetBusy(false);
        UpdateCursor();
        TellObserver();
        return true;
    } catch (...) {
        HandleFault("GoRoom");
        return false;
    }
}

void TStdWorld::GoBack() {
    TStdRoom* room = RoomStack.Pop();
    if (room == nullptr) {
        return;
    }
    const int16_t depth = RoomStack.Count();
    const bool moved = GoRoom(room->GetID());
    // The entry GoRoom pushed for the room it left goes again (with one entry just taken off it
    // cannot have dropped the oldest), so going back leaves no trace; a move that failed before
    // leaving anything keeps its way back.
    if (RoomStack.Count() > depth) {
        RoomStack.Pop();
    } else if (!moved) {
        RoomStack.Push(room);
    }
}

void TStdWorld::Tick(int32_t elapsed) {
    try {
        if (CurrentRoom != nullptr) {
            if (THitBox* box = CapturedBox()) {
                box->Hold(WrappingSubtract(Time, CaptureTime));
            }
            RunDueScripts(Time);
            Flags &= ~WorldFlag::Idle;
        }
    } catch (...) {
        HandleFault("Tick");
    }
    // The clock keeps going even when a room's script failed.
    Time = WrappingAdd(Time, elapsed);
    TellObserver();
}

void TStdWorld::GameMouseDown(uint8_t button, uint8_t shift, int32_t x, int32_t y) {
    try {
        if (IsInputBlocked()) {
            return;
        }
        Captured = nullptr;
        bool worldBox = false;
        THitBox* box = FindBoxAt(x, y, worldBox);
        if (box == nullptr) {
            return;
        }
        if (box->CapturesMouse) {
            if (box->MouseDown(button, shift, x, y)) {
                Captured = box;
                CaptureTime = Time;
                SetGraphicAreaCursor(box->GetCursor(x, y));
            }
        } else {
            box->Click();
        }
    } catch (...) {
        HandleFault("GameMouseDown");
    }
    TellObserver();
}

int TStdWorld::ViewMouseMove(uint8_t, int32_t x, int32_t y) {
    try {
        if (IsInputBlocked()) {
            return 1;
        }
        if (THitBox* box = CapturedBox()) {
            if (!box->DragMove(x, y)) {
                Captured = nullptr;
            }
            SetGraphicAreaCursor(box->GetCursor(x, y));
            return 0;
        }
        bool worldBox = false;
        THitBox* box = FindBoxAt(x, y, worldBox);
        if (GraphicArea != nullptr) {
            GraphicArea->ResetScreenCursor();
            GraphicArea->SetCursor(box == nullptr ? CursorId::Default : box->GetCursor(x, y));
        }
        HotBox = box;
    } catch (...) {
        HandleFault("ViewMouseMove");
    }
    return 0;
}

void TStdWorld::ViewMouseUp(uint8_t, uint8_t, int32_t x, int32_t y) {
    try {
        THitBox* box = CapturedBox();
        if (box == nullptr) {
            return;
        }
        if (!box->MouseUp(x, y)) {
            Captured = nullptr;
        }
        SetGraphicAreaCursor(box->GetCursor(x, y));
    } catch (...) {
        HandleFault("ViewMouseUp");
    }
    TellObserver();
}

void TStdWorld::KeyDown(uint16_t key, uint8_t shift) {
    try {
        if (CurrentRoom != nullptr) {
            CurrentRoom->KeyEvent(key, shift, true);
        }
    } catch (...) {
        HandleFault("KeyDown");
    }
    TellObserver();
}

void TStdWorld::KeyUp(uint16_t key, uint8_t shift) {
    try {
        if (CurrentRoom != nullptr) {
            CurrentRoom->KeyEvent(key, shift, false);
        }
    } catch (...) {
        HandleFault("KeyUp");
    }
    TellObserver();
}

bool TStdWorld::ClickBox(const std::string& name) {
    bool clicked = false;
    try {
        THitBox* box = CurrentRoom == nullptr ? nullptr : CurrentRoom->FindHitBox(name);
        // A box that takes the mouse reacts to where it is pressed: only script boxes click.
        if (!IsInputBlocked() && box != nullptr && box->Enabled && !box->CapturesMouse) {
            Captured = nullptr;
            clicked = true;
            box->Click();
        }
    } catch (...) {
        HandleFault("ClickBox");
    }
    TellObserver();
    return clicked;
}

void TStdWorld::TellObserver() {
    if (Observer == nullptr) {
        return;
    }
    try {
        Observer->SceneChanged();
    } catch (...) {
        HandleFault("SceneChanged");
    }
}
