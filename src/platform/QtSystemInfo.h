#pragma once
// The screen's depth and the executable's folder, from the running QApplication.

#include "platform/SystemInfo.h"

class QtSystemInfo : public ISystemInfo {
  public:
    int ColourBits() override;
    std::string ExecutableFolder() override;
};
