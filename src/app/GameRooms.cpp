#include "app/GameRooms.h"

#include "framework/GameWorld.h"
#include "screens/GameRoom.h"
#include "screens/RoomSound.h"
#include "sound/AppSound.h"

#include <memory>

void RegisterGameRoom(const std::string& dataFolder, const std::string& userFolder,
                      IGameDialogs* dialogs) {
    TWorld::SetGameRoomFactory([dataFolder, userFolder, dialogs](const std::string& id) {
        return std::make_unique<TGameRoom>(id, dataFolder, dialogs, userFolder);
    });
    SetSoundPlayer([](uint8_t kind) { PlaySound(kind); });
}
