#pragma once
// TGameTimer: the game timer on a Qt timer. Every firing calls the clients in registration
// order, then the timer's own event. The timer runs while it is enabled and has either its own
// event or at least one client.

#include "platform/GameTimer.h"

#include <QObject>
#include <QTimer>

#include <functional>

class TGameTimer : public QObject, public IGameTimer {
    Q_OBJECT

  public:
    static constexpr int DefaultInterval = 55;

    explicit TGameTimer(QObject* owner = nullptr);

    void AddClient(const void* component, std::function<void()> callback) override;
    // A Qt component's entry goes by itself when the component is destroyed.
    void AddClient(QObject* component, std::function<void()> callback);
    void RemoveClient(const void* component) override;
    int GetInterval() const override { return Timer.interval(); }

    void SetInterval(int milliseconds);
    void SetEnabled(bool on);
    bool IsEnabled() const { return Enabled; }
    // The timer's own event, called after the clients; an empty one removes it.
    void SetOnTimer(std::function<void()> handler);
    bool IsRunning() const { return Timer.isActive(); }
    std::size_t ClientCount() const { return Clients.Count(); }

  private:
    void Fire();
    void UpdateRunning();

    QTimer Timer;
    TGameTimerClients Clients;
    std::function<void()> OnTimer;
    bool Enabled = true;
};
