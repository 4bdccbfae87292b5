#pragma once
// A graphic area for tests: delivers mouse events to the handlers the world installed and
// records what the world sets on it.

#include "framework/IGraphicArea.h"

#include <utility>
#include <vector>

class FakeGraphicArea : public IGraphicArea {
  public:
    TPX8ImageData* GetImage() override { return surface; }
    void SetMouseHandlers(TMouseMoveHandler move, TMouseButtonHandler down,
                          TMouseButtonHandler up) override {
        onMove = std::move(move);
        onDown = std::move(down);
        onUp = std::move(up);
    }
    void SetCursor(CursorId value) override { cursors.push_back(value); }
    void ResetScreenCursor() override {}
    void SetFreezeDisplay(bool on) override {
        frozen = on;
        ++freezeChanges;
    }
    TPoint GetPointerPos() const override { return pointer; }

    // The pointer moves to the point and the button goes down / up there.
    void Press(int32_t x, int32_t y, uint8_t button = MouseButton::Left, uint8_t shift = 0) {
        pointer = {x, y};
        if (onDown) {
            onDown(button, shift, x, y);
        }
    }
    void Move(int32_t x, int32_t y, uint8_t shift = 0) {
        pointer = {x, y};
        if (onMove) {
            onMove(shift, x, y);
        }
    }
    void Release(int32_t x, int32_t y, uint8_t button = MouseButton::Left, uint8_t shift = 0) {
        pointer = {x, y};
        if (onUp) {
            onUp(button, shift, x, y);
        }
    }

    bool HasHandlers() const { return onMove && onDown && onUp; }
    CursorId Cursor() const { return cursors.empty() ? CursorId::None : cursors.back(); }

    TPX8ImageData* surface = nullptr;
    TPoint pointer;
    std::vector<CursorId> cursors;
    bool frozen = false;
    int freezeChanges = 0;

  private:
    TMouseMoveHandler onMove;
    TMouseButtonHandler onDown;
    TMouseButtonHandler onUp;
};
