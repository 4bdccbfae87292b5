#pragma once
// A game window for tests: records the caption and counts the requests to close.

#include "framework/IGameWindow.h"

#include <string>

class FakeGameWindow : public IGameWindow {
  public:
    void SetCaption(const std::string& text) override { caption = text; }
    void Close() override { ++closes; }

    std::string caption;
    int closes = 0;
};
