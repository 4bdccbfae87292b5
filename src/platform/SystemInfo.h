#pragma once
// What start-up asks of the machine it runs on: the screen's colour depth and where the
// program's executable lies.

#include <string>

class ISystemInfo {
  public:
    virtual ~ISystemInfo() = default;

    // Bits per pixel times colour planes of the screen; 0 when there is no screen to ask.
    virtual int ColourBits() = 0;

    // The folder holding the running executable, without a trailing separator.
    virtual std::string ExecutableFolder() = 0;
};
