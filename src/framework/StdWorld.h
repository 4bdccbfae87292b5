#pragma once
// The world: the scene manager between the main window and the rooms. It owns every room,
// knows the current one, remembers the rooms recently left, moves between rooms by name,
// advances the game clock on every tick and routes mouse and key input to hit boxes or to the
// current room. Its entry points never let a fault escape: a TarnException becomes the
// "Problem!" question, any other fault an error-log entry, and play continues.

#include "base/IDList.h"
#include "base/TarnList.h"
#include "framework/StdHitBox.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IGameWindow;
class IGraphicArea;
class ISceneObserver;
class TPX8ImageData;
class TStdRoom;

// Clock arithmetic that wraps around at the ends of the 32-bit range.
inline int32_t WrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t WrappingSubtract(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

class TRoomStackNode : public TTarnNode {
  public:
    explicit TRoomStackNode(TStdRoom* room) : Room(room) {}

    TStdRoom* Room; // not owned
};

// The rooms left most recently, newest at the tail, at most Capacity of them.
class TRoomStack : public TTarnList {
  public:
    static constexpr int16_t Capacity = 10;

    // Appends the room; drops the oldest when more than Capacity are held.
    void Push(TStdRoom* room);
    // Removes the newest room and returns it; nullptr when empty.
    TStdRoom* Pop();
};

namespace WorldFlag {
inline constexpr uint32_t QuitRequested = 1u << 0;
inline constexpr uint32_t Busy = 1u << 1;
inline constexpr uint32_t Idle = 1u << 4;
} // namespace WorldFlag

class TStdWorld {
  public:
    // Takes the graphic area's mouse handlers and binds the hit-box hooks to this world. The
    // graphic area (not owned) may be nullptr.
    explicit TStdWorld(IGraphicArea* graphicArea);
    // Tells the current room to leave with "TERMINATE", frees every room, and gives the mouse
    // handlers and the hit-box hooks back.
    virtual ~TStdWorld();
    TStdWorld(const TStdWorld&) = delete;
    TStdWorld& operator=(const TStdWorld&) = delete;

    // The hit-box hooks land here and go on to the current room's handlers.
    virtual bool DispatchControl(TControlBox& box, ControlEventCode event);
    virtual void DispatchScript(const std::string& script, const std::string& boxID);
    virtual CursorId DispatchCursor(const std::string& boxID, int32_t x, int32_t y);

    // Mouse input in surface co-ordinates. ViewMouseMove reports 1 when input is blocked (no
    // current room, or Busy), else 0.
    virtual int ViewMouseMove(uint8_t shift, int32_t x, int32_t y);
    virtual void GameMouseDown(uint8_t button, uint8_t shift, int32_t x, int32_t y);
    virtual void ViewMouseUp(uint8_t button, uint8_t shift, int32_t x, int32_t y);

    // Lets a captured box hold, runs the due timer scripts and clears Idle (with a current
    // room), then advances Time by the elapsed ticks.
    virtual void Tick(int32_t elapsed);

    virtual void CreateRooms();
    // Leaves the current room (remembering it on the room stack) and enters the named one.
    // Returns false when it failed (the fault has been reported).
    virtual bool GoRoom(const std::string& id);
    // Goes to the room left most recently, leaving no trace on the room stack.
    void GoBack();
    // Enters StartRoom.
    void Start();

    TStdRoom* AddRoom(std::unique_ptr<TStdRoom> room);
    TStdRoom* FindRoom(const std::string& id) const;

    void KeyDown(uint16_t key, uint8_t shift);
    void KeyUp(uint16_t key, uint8_t shift);

    // Clicks the current room's script box of that name as a mouse press on it does (for a
    // player who cannot point): nothing while input is blocked, for a disabled box or for one
    // that takes the mouse. True when clicked.
    bool ClickBox(const std::string& name);

    // The observer (not owned) told after every key, mouse press and release, tick, clicked box
    // and change of room; nullptr for none.
    void SetObserver(ISceneObserver* observer) { Observer = observer; }

    // Asks whether to quit; when a quit is already requested, closes the main window at once.
    void ReportProblem(const std::string& message);

    // Sets the cursor of the box under the pointer (0 over no box).
    void UpdateCursor();
    // While Busy the display is frozen, the cursor is the hourglass and mouse input is ignored.
    void SetBusy(bool on);
    bool IsBusy() const { return (Flags & WorldFlag::Busy) != 0; }

    bool IsQuitRequested() const { return (Flags & WorldFlag::QuitRequested) != 0; }
    // The game is ending (the main window is closing): long commands stop early.
    void RequestQuit() { Flags |= WorldFlag::QuitRequested; }
    void SetIdle() { Flags |= WorldFlag::Idle; }
    bool IsIdle() const { return (Flags & WorldFlag::Idle) != 0; }

    // The graphic area's surface, or nullptr; rooms draw on it.
    TPX8ImageData* GetImage() const;

    // The main window (not owned), for the caption and for closing; may be nullptr.
    void SetWindow(IGameWindow* window) { Window = window; }

    int32_t GetTime() const { return Time; }
    TStdRoom* GetCurrentRoom() const { return CurrentRoom; }
    THitBox* GetCaptured() const { return Captured; }
    THitBox* GetHotBox() const { return HotBox; }
    THitBoxList& GetBoxes() { return Boxes; }
    const TRoomStack& GetRoomStack() const { return RoomStack; }

    std::string StartRoom;

  protected:
    // Handles the fault being caught: TarnException asks the "Problem!" question, anything else
    // goes to the error log under the operation's name.
    void HandleFault(const std::string& operation);

  private:
    bool IsInputBlocked() const { return CurrentRoom == nullptr || IsBusy(); }
    // World boxes first, then the current room's; worldBox tells where the box came from.
    THitBox* FindBoxAt(int32_t x, int32_t y, bool& worldBox) const;
    // The captured box, or nullptr when it has been freed since it took the capture.
    THitBox* CapturedBox();
    void EnterRoom(const std::string& id);
    void BindHandlers(TStdRoom* room);
    void SetGraphicAreaCursor(CursorId cursor);
    void TellObserver();

    TIDList Rooms;
    TRoomStack RoomStack;
    THitBoxList Boxes;
    int32_t Time = 0;
    int32_t CaptureTime = 0;
    THitBox* Captured = nullptr;
    TStdRoom* CurrentRoom = nullptr;
    uint32_t Flags = 0;
    THitBox* HotBox = nullptr;
    IGraphicArea* GraphicArea;
    IGameWindow* Window = nullptr;
    ISceneObserver* Observer = nullptr;
    TControlHook ControlHandler;
    TScriptHook ScriptHandler;
    TCursorHook CursorHandler;
};

// The process-wide world the main window publishes; nullptr when there is none.
TStdWorld* GetWorld();
void SetWorld(TStdWorld* world);
