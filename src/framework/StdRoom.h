#pragma once
// Rooms: the screens of the game. A room owns its background image (borrowed from the image
// library while held), its caption, its frame sets and its hit boxes. While it is the world's
// current room it draws itself onto the display surface and receives the world's script events,
// control-box events, cursor queries and keys.

#include "base/IDList.h"
#include "framework/FrameSet.h"
#include "framework/StdHitBox.h"
#include "platform/InputCodes.h"

#include <cstdint>
#include <memory>
#include <string>

class TImageNode;
class TPX8ImageData;

// Room flags by their bit number.
enum class RoomFlag {
    FlipBackground = 3,   // the background is drawn upside down
    MirrorBackground = 4, // the background is drawn mirrored left to right
    Current = 5,          // the room is the world's current room
    OnDisplay = 6,        // Layout has drawn the background; Leave clears it
    Entered = 7,          // the room has been entered
};

// Names RunScript accepts without effect: end-of-playback notifications.
inline constexpr const char* ReservedScriptNames[] = {"ENDOFMUSIC", "ENDOFSOUND", "ENDSPEECH"};

// The next-room name Leave receives when the world is destroyed.
inline constexpr const char* TerminateRoomName = "TERMINATE";

class TStdRoom : public TIDNode {
  public:
    explicit TStdRoom(const std::string& name);
    // Releases the graphics (the base part of FreeGraphics with final = true), then the lists.
    // A derived room releases its own data in FreeGraphics(true), which the world calls for
    // every room before it frees them.
    ~TStdRoom() override;

    // Cursor for a box whose cursor is left to the room; x, y relative to the box.
    virtual CursorId GetCursor(const std::string& boxName, int32_t x, int32_t y);
    // Runs a script sent by a script box (param = the box identifier) or a timer script. The
    // base accepts the reserved names and raises TarnException for every other one; a derived
    // room handles its own names and hands the rest to the base.
    virtual void RunScript(const std::string& script, const std::string& param);
    // Events of a control box; true makes the box take or keep the mouse capture.
    virtual bool ControlEvent(TControlBox& box, ControlEventCode kind);
    // Key presses (down) and releases: Windows virtual-key codes and ShiftState bits.
    virtual void KeyEvent(uint16_t key, uint8_t shift, bool down);
    // The background surface, taken from the library on first request; nullptr without one.
    virtual TPX8ImageData* GetBackgroundData();
    // The background image entry, taken from the library on first request; nullptr without a
    // library or an image name.
    virtual TImageNode* GetBackground();
    virtual std::string GetCaption() const { return Caption; }
    virtual std::string GetImageName() const { return ImageName; }

    // Sets Entered.
    virtual void Enter(const std::string& previousRoom);
    // Clears OnDisplay, removes every pending timer script and releases the graphics.
    virtual void Leave(const std::string& nextRoom);
    // Draws the whole room: the background (when there is one) and then the contents.
    virtual void Layout(TPX8ImageData* surface);
    // Draws every frame set's current frame, in list order.
    virtual void DrawContents(TPX8ImageData* surface);
    // Releases the frame set images and the background; final is true when the room goes.
    virtual void FreeGraphics(bool final);

    TFrameSet* AddFrameSet(std::unique_ptr<TFrameSet> frameSet);
    THitBox* AddHitBox(std::unique_ptr<THitBox> box);
    TFrameSet* FindFrameSet(const std::string& name) const;
    THitBox* FindHitBox(const std::string& name) const;
    TFrameSetList& GetFrameSets() { return FrameSets; }
    THitBoxList& GetHitBoxes() { return HitBoxes; }
    const THitBoxList& GetHitBoxes() const { return HitBoxes; }

    // Flags are numbered 0 to 31; other numbers are ignored and test false.
    void SetFlag(RoomFlag flag, bool on);
    bool TestFlag(RoomFlag flag) const;
    void SetCurrent(bool on) { SetFlag(RoomFlag::Current, on); }

  protected:
    std::string ImageName;
    std::string Caption;

  private:
    void ReleaseBackgroundData();
    void ReleaseBackground();

    TImageNode* BackgroundEntry = nullptr;
    TPX8ImageData* BackgroundData = nullptr;
    TFrameSetList FrameSets;
    THitBoxList HitBoxes;
    uint32_t Flags = 0;
};

// The class this game's rooms derive from.
class TRoom : public TStdRoom {
  public:
    using TStdRoom::TStdRoom;
};
