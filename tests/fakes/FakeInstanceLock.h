#pragma once
// An instance lock for tests: says whether another copy holds it and records the signals sent.

#include "platform/InstanceLock.h"

#include <functional>
#include <utility>

class FakeInstanceLock : public IInstanceLock {
  public:
    bool Acquire() override {
        ++acquireCalls;
        return !heldElsewhere;
    }
    void SignalOther() override { ++signalsSent; }
    void SetSignalHandler(std::function<void()> handler) override {
        signalHandler = std::move(handler);
    }

    bool heldElsewhere = false;
    int acquireCalls = 0;
    int signalsSent = 0;
    std::function<void()> signalHandler;
};
