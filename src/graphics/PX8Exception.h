#pragma once
// PX8Exception: the exception of the whole image engine; it carries only its message.

#include "base/TarnStd.h"

#include <string>

class PX8Exception : public TarnException {
  public:
    explicit PX8Exception(const std::string& message) : TarnException(message) {}
};
