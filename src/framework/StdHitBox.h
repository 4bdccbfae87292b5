#pragma once
// Hit boxes: named rectangles of a room that react to the mouse. A box does not know its room;
// it reports through three process-wide hooks, which the world binds to itself and forwards to
// the current room.

#include "base/Geometry.h"
#include "base/IDList.h"
#include "framework/CursorId.h"

#include <cstdint>
#include <functional>
#include <string>

class TControlBox;

// Events a control box passes to ControlHook.
enum class ControlEventCode : uint8_t {
    Pressed = 0,  // button pressed on the box
    Moved = 1,    // pointer moved while the box holds the capture
    Released = 2, // button released while the box holds the capture
    Held = 3,     // a tick passed while the box holds the capture
    Over = 4,     // pointer over the box without capture
};

// Box, event code; true when the box takes or keeps the mouse capture.
using TControlHook = std::function<bool(TControlBox& box, ControlEventCode event)>;
// Script name, identifier of the box that sends it.
using TScriptHook = std::function<void(const std::string& script, const std::string& boxID)>;
// Box identifier, point relative to the box's top-left corner; the cursor id to show.
using TCursorHook = std::function<CursorId(const std::string& boxID, int32_t x, int32_t y)>;

// Empty until a world binds them.
extern TControlHook ControlHook;
extern TScriptHook ScriptHook;
extern TCursorHook CursorHook;

class THitBox : public TIDNode {
  public:
    // The name is kept upper-cased; bounds are in graphic-area co-ordinates.
    THitBox(const std::string& name, const TRect& bounds);

    // Cursor for a point in graphic-area co-ordinates: Default when disabled, the hook's answer
    // when Cursor is AskRoom and CursorHook is bound, otherwise Cursor itself.
    virtual CursorId GetCursor(int32_t x, int32_t y) const;
    virtual void SetEnabled(bool on);
    // An enabled box is hit where left <= x < right and top <= y < bottom.
    virtual bool HitTest(int32_t x, int32_t y) const;
    virtual void Click();
    // The result of MouseDown, DragMove and MouseUp: whether the box takes or keeps the capture.
    virtual bool MouseDown(uint8_t button, uint8_t shift, int32_t x, int32_t y);
    virtual bool DragMove(int32_t x, int32_t y);
    virtual bool MouseOver(int32_t x, int32_t y);
    virtual bool MouseUp(int32_t x, int32_t y);
    // Called on every tick while the box holds the capture.
    virtual void Hold(int32_t ticks);

    void SetCursor(CursorId cursor) { Cursor = cursor; }

    CursorId Cursor = CursorId::Default;
    bool Enabled = true;
    TRect Bounds;
    bool CapturesMouse = false; // a press goes to MouseDown instead of Click
};

// A box whose click sends ScriptName, with the box's identifier, to ScriptHook.
class TScriptBox : public THitBox {
  public:
    TScriptBox(const std::string& name, const TRect& bounds);

    void Click() override;

    std::string ScriptName;
};

// A box that takes the mouse capture and reports every press, drag, release and held tick to
// ControlHook, keeping the last point relative to its top-left corner.
class TControlBox : public TScriptBox {
  public:
    TControlBox(const std::string& name, const TRect& bounds);

    bool MouseDown(uint8_t button, uint8_t shift, int32_t x, int32_t y) override;
    bool DragMove(int32_t x, int32_t y) override;
    bool MouseOver(int32_t x, int32_t y) override;
    bool MouseUp(int32_t x, int32_t y) override;
    void Hold(int32_t ticks) override;

    TPoint LastPoint;
    uint8_t LastButton = 0;
    uint8_t LastShift = 0;
    int32_t HeldTicks = 0;

  private:
    bool Report(ControlEventCode event, int32_t x, int32_t y);
};

// Every node must be a THitBox; any other class raises std::bad_cast when it is met.
class THitBoxList : public TIDList {
  public:
    // First box in list order hit at the point, so earlier boxes win where boxes overlap.
    THitBox* FindBox(int32_t x, int32_t y) const;
    // The box with this identifier, compared without regard to case.
    THitBox* FindBox(const std::string& name) const;
};
