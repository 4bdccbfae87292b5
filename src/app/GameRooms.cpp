#include "app/GameRooms.h"

#include "framework/GameWorld.h"

#include <memory>

TScreenRoom::TScreenRoom(const std::string& id) : TRoom(id) {
    ImageName = "screen";
    Caption = "Ladderly!";
}

void RegisterGameRoom() {
    TWorld::SetGameRoomFactory(
        [](const std::string& id) { return std::make_unique<TScreenRoom>(id); });
}
