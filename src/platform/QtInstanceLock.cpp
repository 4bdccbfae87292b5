#include "platform/QtInstanceLock.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>

namespace {

// How long a copy waits for the holder to answer or take its message.
constexpr int AnswerMilliseconds = 1000;

// A holder that has just taken the lock may not be listening yet: ask a few times before
// deciding that the lock was left behind.
constexpr int ConnectAttempts = 3;
constexpr unsigned long AttemptPauseMilliseconds = 100;

} // namespace

QtInstanceLock::QtInstanceLock(const std::string& lockName, const std::string& message_)
    : message(QByteArray::fromStdString(message_)) {
    const QString name = QString::fromStdString(lockName) + QLatin1Char('-') +
                         QString::number(static_cast<qulonglong>(getuid()));
    lockPath = QDir::tempPath() + QLatin1Char('/') + name + QLatin1String(".lock");
    serverName = name + QLatin1String(".socket");
}

QtInstanceLock::~QtInstanceLock() {
    if (server) {
        server->close();
    }
}

bool QtInstanceLock::Acquire() {
    lock = std::make_unique<QLockFile>(lockPath);
    // A lock never goes stale by age; one whose holder has died is found below.
    lock->setStaleLockTime(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            Listen();
            return true;
        }
        if (lock->error() != QLockFile::LockFailedError || HolderAnswers()) {
            return false;
        }
        lock->removeStaleLockFile();
    }
    return false;
}

bool QtInstanceLock::HolderAnswers() const {
    for (int attempt = 0; attempt < ConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName);
        if (socket.waitForConnected(AnswerMilliseconds)) {
            return true;
        }
        QThread::msleep(AttemptPauseMilliseconds);
    }
    return false;
}

void QtInstanceLock::Listen() {
    QLocalServer::removeServer(serverName);
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName)) {
        return;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            const auto readLines = [this, socket] {
                while (socket->canReadLine()) {
                    if (socket->readLine().trimmed() == message && signalHandler) {
                        signalHandler();
                    }
                }
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, readLines);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, readLines);
            QObject::connect(socket, &QLocalSocket::disconnected, socket,
                             &QLocalSocket::deleteLater);
            readLines();
        }
    });
}

void QtInstanceLock::SignalOther() {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(AnswerMilliseconds)) {
        return;
    }
    socket.write(message + '\n');
    socket.waitForBytesWritten(AnswerMilliseconds);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(AnswerMilliseconds);
    }
}

void QtInstanceLock::SetSignalHandler(std::function<void()> handler) {
    signalHandler = std::move(handler);
}
