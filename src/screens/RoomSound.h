#pragma once
// How the game room asks for a sound effect: by its sound kind (2 is the solved puzzle). The
// application installs the player that reaches the sound table; until one is installed the
// room is silent.

#include <cstdint>
#include <functional>

using TSoundPlayer = std::function<void(uint8_t kind)>;

// Installs the player (an empty function removes it).
void SetSoundPlayer(TSoundPlayer player);

// Plays the kind through the installed player; nothing without one.
void PlayRoomSound(uint8_t kind);

namespace SoundKind {
inline constexpr uint8_t Solved = 2;
}
