#include "framework/StdHitBox.h"

TControlHook ControlHook;
TScriptHook ScriptHook;
TCursorHook CursorHook;

THitBox::THitBox(const std::string& name, const TRect& bounds) : TIDNode(name), Bounds(bounds) {}

CursorId THitBox::GetCursor(int32_t x, int32_t y) const {
    if (!Enabled) {
        return CursorId::Default;
    }
    if (Cursor == CursorId::AskRoom && CursorHook) {
        return CursorHook(GetID(), x - Bounds.Left, y - Bounds.Top);
    }
    return Cursor;
}

void THitBox::SetEnabled(bool on) {
    Enabled = on;
}

bool THitBox::HitTest(int32_t x, int32_t y) const {
    return Enabled && PtInRect(Bounds, x, y);
}

void THitBox::Click() {}

bool THitBox::MouseDown(uint8_t, uint8_t, int32_t, int32_t) {
    Click();
    return false;
}

bool THitBox::DragMove(int32_t, int32_t) {
    return false;
}

bool THitBox::MouseOver(int32_t, int32_t) {
    return false;
}

bool THitBox::MouseUp(int32_t, int32_t) {
    return false;
}

void THitBox::Hold(int32_t) {}

TScriptBox::TScriptBox(const std::string& name, const TRect& bounds) : THitBox(name, bounds) {
    Cursor = CursorId::LetterCell; // the game's first cursor slot
}

void TScriptBox::Click() {
    if (ScriptHook) {
        ScriptHook(ScriptName, GetID());
    }
}

TControlBox::TControlBox(const std::string& name, const TRect& bounds) : TScriptBox(name, bounds) {
    CapturesMouse = true;
}

bool TControlBox::Report(ControlEventCode event, int32_t x, int32_t y) {
    LastPoint = {x - Bounds.Left, y - Bounds.Top};
    return ControlHook ? ControlHook(*this, event) : false;
}

bool TControlBox::MouseDown(uint8_t button, uint8_t shift, int32_t x, int32_t y) {
    LastButton = button;
    LastShift = shift;
    return Report(ControlEventCode::Pressed, x, y);
}

bool TControlBox::DragMove(int32_t x, int32_t y) {
    return Report(ControlEventCode::Moved, x, y);
}

bool TControlBox::MouseOver(int32_t x, int32_t y) {
    return Report(ControlEventCode::Over, x, y);
}

bool TControlBox::MouseUp(int32_t x, int32_t y) {
    return Report(ControlEventCode::Released, x, y);
}

void TControlBox::Hold(int32_t ticks) {
    HeldTicks = ticks;
    if (ControlHook) {
        ControlHook(*this, ControlEventCode::Held);
    }
}

THitBox* THitBoxList::FindBox(int32_t x, int32_t y) const {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto& box = dynamic_cast<THitBox&>(*node);
        if (box.HitTest(x, y)) {
            return &box;
        }
    }
    return nullptr;
}

THitBox* THitBoxList::FindBox(const std::string& name) const {
    TIDNode* node = FindByID(name);
    return node == nullptr ? nullptr : &dynamic_cast<THitBox&>(*node);
}
