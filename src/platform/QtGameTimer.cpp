#include "platform/QtGameTimer.h"

#include <utility>

TGameTimer::TGameTimer(QObject* owner) : QObject(owner) {
    Timer.setInterval(DefaultInterval);
    connect(&Timer, &QTimer::timeout, this, &TGameTimer::Fire);
}

void TGameTimer::AddClient(const void* component, std::function<void()> callback) {
    Clients.Add(component, std::move(callback));
    UpdateRunning();
}

void TGameTimer::AddClient(QObject* component, std::function<void()> callback) {
    AddClient(static_cast<const void*>(component), std::move(callback));
    connect(component, &QObject::destroyed, this, [this, component] { RemoveClient(component); });
}

void TGameTimer::RemoveClient(const void* component) {
    Clients.Remove(component);
    UpdateRunning();
}

void TGameTimer::SetInterval(int milliseconds) {
    Timer.setInterval(milliseconds);
}

void TGameTimer::SetEnabled(bool on) {
    Enabled = on;
    UpdateRunning();
}

void TGameTimer::SetOnTimer(std::function<void()> handler) {
    OnTimer = std::move(handler);
    UpdateRunning();
}

void TGameTimer::UpdateRunning() {
    const bool wanted = Enabled && (OnTimer || !Clients.IsEmpty());
    if (wanted && !Timer.isActive()) {
        Timer.start();
    } else if (!wanted && Timer.isActive()) {
        Timer.stop();
    }
}

void TGameTimer::Fire() {
    Clients.Fire();
    if (OnTimer) {
        // Copied so that the handler may replace itself while it runs.
        const std::function<void()> handler = OnTimer;
        handler();
    }
}
