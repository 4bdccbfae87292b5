#include "screens/RoomSound.h"

#include <utility>

namespace {
TSoundPlayer& Player() {
    static TSoundPlayer player;
    return player;
}
} // namespace

void SetSoundPlayer(TSoundPlayer player) {
    Player() = std::move(player);
}

void PlayRoomSound(uint8_t kind) {
    if (Player()) {
        Player()(kind);
    }
}
