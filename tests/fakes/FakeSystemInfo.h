#pragma once
// System information for tests: a chosen colour depth and executable folder.

#include "platform/SystemInfo.h"

#include <string>

class FakeSystemInfo : public ISystemInfo {
  public:
    int ColourBits() override { return colourBits; }
    std::string ExecutableFolder() override { return executableFolder; }

    int colourBits = 32;
    std::string executableFolder = "/opt/ladderly";
};
