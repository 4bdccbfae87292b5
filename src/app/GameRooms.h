#pragma once
// The rooms start-up gives the world. Until the game room is built, "GAME" is a plain room that
// shows the "screen" background under the window's caption.

#include "framework/StdRoom.h"

#include <string>

class TScreenRoom : public TRoom {
  public:
    explicit TScreenRoom(const std::string& id);
};

// Registers the factory the world makes its game room with.
void RegisterGameRoom();
