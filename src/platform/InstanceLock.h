#pragma once
// Makes sure only one copy of the game runs: the first copy holds a lock named for the game
// and listens; a later copy finds the lock taken, signals the first copy and ends.

#include <functional>

class IInstanceLock {
  public:
    virtual ~IInstanceLock() = default;

    // Takes the lock for this process. False when another running copy holds it or the lock
    // cannot be made. A holder that left a lock behind by crashing does not count.
    virtual bool Acquire() = 0;

    // Tells the copy holding the lock that another copy was started.
    virtual void SignalOther() = 0;

    // Called (on the user-interface thread) whenever another copy signals this one.
    virtual void SetSignalHandler(std::function<void()> handler) = 0;
};
