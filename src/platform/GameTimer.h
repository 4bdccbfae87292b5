#pragma once
// The game timer as the rest of the game sees it: a periodic timer that calls every registered
// client on each firing, in the order the clients were registered.

#include <cstddef>
#include <functional>
#include <vector>

struct TGameTimerClient {
    const void* Component = nullptr; // the registered component, not owned
    std::function<void()> Callback;
};

class IGameTimer {
  public:
    virtual ~IGameTimer() = default;

    // Calls callback on every firing until the component is removed.
    virtual void AddClient(const void* component, std::function<void()> callback) = 0;

    // Forgets every client entry of a component that is going away.
    virtual void RemoveClient(const void* component) = 0;

    // Milliseconds between firings.
    virtual int GetInterval() const = 0;
};

// The clients of a game timer. A callback may add or remove clients (its own among them), or run
// a nested message loop in which the timer fires again, while the clients are being called:
// removed clients are not called any more, added ones are called from the next firing on.
class TGameTimerClients {
  public:
    void Add(const void* component, std::function<void()> callback);
    void Remove(const void* component);
    bool IsEmpty() const { return Clients.empty(); }
    std::size_t Count() const { return Clients.size(); }

    // Calls every client in registration order.
    void Fire();

  private:
    struct Entry {
        TGameTimerClient Client;
        std::size_t Serial; // identifies the entry while a firing walks a snapshot of the list
    };
    std::vector<Entry> Clients;
    std::size_t NextSerial = 0;
};
