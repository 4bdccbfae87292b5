#pragma once
// TarnException: the exception for every fault the framework and the game detect themselves.
// It carries only its message text.

#include <stdexcept>
#include <string>

class TarnException : public std::runtime_error {
  public:
    explicit TarnException(const std::string& message) : std::runtime_error(message) {}
};
