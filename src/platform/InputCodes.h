#pragma once
// The codes mouse and key events carry through the world: mouse buttons and shift-state bits.
// Keys themselves are Windows virtual-key codes.

#include <cstdint>

// Mouse buttons as the graphic area reports them.
namespace MouseButton {
inline constexpr uint8_t Left = 0;
inline constexpr uint8_t Right = 1;
inline constexpr uint8_t Middle = 2;
} // namespace MouseButton

// Shift-state bits of key and mouse events.
namespace ShiftState {
inline constexpr uint8_t Shift = 1;
inline constexpr uint8_t Alt = 2;
inline constexpr uint8_t Ctrl = 4;
} // namespace ShiftState
