#pragma once
// System information for tests: a chosen colour depth.

#include "platform/SystemInfo.h"

#include <string>

class FakeSystemInfo : public ISystemInfo {
  public:
    int ColourBits() override { return colourBits; }
    std::string ExecutableFolder() override { return "/opt/ladderly"; }

    int colourBits = 32;
};
