#include "platform/QtKeys.h"

#include "platform/InputCodes.h"

namespace {

struct KeyPair {
    int qtKey;
    uint16_t virtualKey;
};

constexpr KeyPair namedKeys[] = {
    {Qt::Key_Backspace, VirtualKey::Back},  {Qt::Key_Tab, VirtualKey::Tab},
    {Qt::Key_Backtab, VirtualKey::Tab},     {Qt::Key_Return, VirtualKey::Return},
    {Qt::Key_Enter, VirtualKey::Return},    {Qt::Key_Shift, VirtualKey::Shift},
    {Qt::Key_Control, VirtualKey::Control}, {Qt::Key_Alt, VirtualKey::Menu},
    {Qt::Key_Pause, VirtualKey::Pause},     {Qt::Key_CapsLock, VirtualKey::Capital},
    {Qt::Key_Escape, VirtualKey::Escape},   {Qt::Key_Space, VirtualKey::Space},
    {Qt::Key_PageUp, VirtualKey::Prior},    {Qt::Key_PageDown, VirtualKey::Next},
    {Qt::Key_End, VirtualKey::End},         {Qt::Key_Home, VirtualKey::Home},
    {Qt::Key_Left, VirtualKey::Left},       {Qt::Key_Up, VirtualKey::Up},
    {Qt::Key_Right, VirtualKey::Right},     {Qt::Key_Down, VirtualKey::Down},
    {Qt::Key_Insert, VirtualKey::Insert},   {Qt::Key_Delete, VirtualKey::Delete},
    {Qt::Key_Equal, VirtualKey::OemPlus},   {Qt::Key_Plus, VirtualKey::Add},
    {Qt::Key_Minus, VirtualKey::OemMinus},  {Qt::Key_Underscore, VirtualKey::OemMinus},
};

} // namespace

uint16_t VirtualKeyOf(int qtKey) {
    // Qt's codes for letters and digits are their upper-case ASCII codes, as Windows' are.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<uint16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<uint16_t>(VirtualKey::F1 + (qtKey - Qt::Key_F1));
    }
    for (const KeyPair& pair : namedKeys) {
        if (pair.qtKey == qtKey) {
            return pair.virtualKey;
        }
    }
    return 0;
}

uint8_t ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    uint8_t shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= ShiftState::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= ShiftState::Ctrl;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= ShiftState::Alt;
    }
    return shift;
}
