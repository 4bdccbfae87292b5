#pragma once
// This game's world: its one room is the game room "GAME", made by the factory the game room's
// module registers.

#include "framework/StdWorld.h"

#include <functional>
#include <memory>
#include <string>

class TWorld : public TStdWorld {
  public:
    using TRoomFactory = std::function<std::unique_ptr<TStdRoom>(const std::string& id)>;

    using TStdWorld::TStdWorld;

    // Makes the game room "GAME" with the registered factory and makes it the start room.
    // Without a factory this is a std::logic_error.
    void CreateRooms() override;

    static void SetGameRoomFactory(TRoomFactory factory);
};

inline constexpr const char* GameRoomName = "GAME";
