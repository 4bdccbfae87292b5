#pragma once
// An instance lock for tests: says whether another copy holds it and counts the signals sent.

#include "platform/InstanceLock.h"

#include <functional>

class FakeInstanceLock : public IInstanceLock {
  public:
    bool Acquire() override {
        ++acquireCalls;
        return !heldElsewhere;
    }
    void SignalOther() override { ++signalsSent; }
    void SetSignalHandler(std::function<void()>) override {}

    bool heldElsewhere = false;
    int acquireCalls = 0;
    int signalsSent = 0;
};
