#pragma once
// What the world needs of the graphic area it runs on: the surface the rooms draw into, its
// mouse events in surface co-ordinates, its cursor, freezing the transfer to the screen while a
// room is being built, and where the pointer is.

#include "base/Geometry.h"
#include "framework/CursorId.h"
#include "platform/InputCodes.h"

#include <cstdint>
#include <functional>

class TPX8ImageData;

using TMouseMoveHandler = std::function<void(uint8_t shift, int32_t x, int32_t y)>;
using TMouseButtonHandler =
    std::function<void(uint8_t button, uint8_t shift, int32_t x, int32_t y)>;

class IGraphicArea {
  public:
    virtual ~IGraphicArea() = default;

    // The surface scenes draw into, or nullptr when it cannot be made.
    virtual TPX8ImageData* GetImage() = 0;

    // Handlers for mouse moves, presses and releases inside the surface, with points in surface
    // co-ordinates; empty handlers remove them.
    virtual void SetMouseHandlers(TMouseMoveHandler move, TMouseButtonHandler down,
                                  TMouseButtonHandler up) = 0;

    // The cursor shown over the graphic area.
    virtual void SetCursor(CursorId cursor) = 0;

    // Puts the screen-wide cursor back to the default.
    virtual void ResetScreenCursor() = 0;

    // While frozen nothing reaches the screen; unfreezing shows everything drawn meanwhile.
    virtual void SetFreezeDisplay(bool frozen) = 0;

    // The pointer position in surface co-ordinates.
    virtual TPoint GetPointerPos() const = 0;
};
