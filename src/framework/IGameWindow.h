#pragma once
// What the world needs of the main window: its caption and closing it.

#include <string>

class IGameWindow {
  public:
    virtual ~IGameWindow() = default;

    virtual void SetCaption(const std::string& caption) = 0;

    // Closes the window, which ends the game.
    virtual void Close() = 0;
};
