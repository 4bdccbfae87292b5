#pragma once
// The single-instance lock: a lock file in the temporary folder and a local socket on which
// the holder listens for the message of a later copy. Both names carry the user's id, so
// every user runs one copy of their own.

#include "platform/InstanceLock.h"

#include <QString>

#include <memory>
#include <string>

class QLocalServer;
class QLockFile;

class QtInstanceLock : public IInstanceLock {
  public:
    // Needs a QCoreApplication; signals arrive through its event loop.
    QtInstanceLock(const std::string& lockName, const std::string& message);
    ~QtInstanceLock() override;
    QtInstanceLock(const QtInstanceLock&) = delete;
    QtInstanceLock& operator=(const QtInstanceLock&) = delete;

    bool Acquire() override;
    void SignalOther() override;
    void SetSignalHandler(std::function<void()> handler) override;

  private:
    bool HolderAnswers() const;
    void Listen();

    QString lockPath;
    QString serverName;
    QByteArray message;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;
    std::function<void()> signalHandler;
};
