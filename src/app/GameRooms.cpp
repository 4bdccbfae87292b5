#include "app/GameRooms.h"

#include "framework/GameWorld.h"
#include "screens/GameRoom.h"
#include "screens/RoomSound.h"
#include "sound/AppSound.h"

#include <memory>

void RegisterGameRoom(const std::string& dataFolder, const std::string& userFolder,
                      IGameDialogs* dialogs, const std::string& journalFile, bool resume) {
    TWorld::SetGameRoomFactory(
        [dataFolder, userFolder, dialogs, journalFile, resume](const std::string& id) {
            auto room = std::make_unique<TGameRoom>(id, dataFolder, dialogs, userFolder);
            room->Progress.Open(journalFile, resume);
            return room;
        });
    SetSoundPlayer([](uint8_t kind) { PlaySound(kind); });
}
