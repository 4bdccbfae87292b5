#include "framework/GameWorld.h"

#include "framework/StdRoom.h"

#include <stdexcept>
#include <utility>

namespace {
TWorld::TRoomFactory& GameRoomFactory() {
    static TWorld::TRoomFactory factory;
    return factory;
}
} // namespace

void TWorld::SetGameRoomFactory(TRoomFactory factory) {
    GameRoomFactory() = std::move(factory);
}

void TWorld::CreateRooms() {
    TStdWorld::CreateRooms();
    if (!GameRoomFactory()) {
        throw std::logic_error("No factory for the game room is registered");
    }
    AddRoom(GameRoomFactory()(GameRoomName));
    StartRoom = GameRoomName;
}
