#include "platform/GameTimer.h"

#include <algorithm>
#include <utility>

void TGameTimerClients::Add(const void* component, std::function<void()> callback) {
    Clients.push_back({{component, std::move(callback)}, NextSerial++});
}

void TGameTimerClients::Remove(const void* component) {
    std::erase_if(Clients, [component](const Entry& e) { return e.Client.Component == component; });
}

void TGameTimerClients::Fire() {
    std::vector<std::size_t> serials;
    serials.reserve(Clients.size());
    for (const Entry& e : Clients) {
        serials.push_back(e.Serial);
    }
    for (const std::size_t serial : serials) {
        const auto it = std::find_if(Clients.begin(), Clients.end(),
                                     [serial](const Entry& e) { return e.Serial == serial; });
        if (it == Clients.end() || !it->Client.Callback) {
            continue;
        }
        // Copied so that the callback may remove its own entry while it runs.
        const std::function<void()> callback = it->Client.Callback;
        callback();
    }
}
