#include "platform/QtInstanceLock.h"
#include "platform/QtTestApplication.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

#include <unistd.h>

namespace {

// Names no other test process uses, so tests may run side by side.
std::string UniqueName(const char* what) {
    static int count = 0;
    return std::string("ladderly-test-") + what + "-" + std::to_string(getpid()) + "-" +
           std::to_string(++count);
}

QString LockPath(const std::string& name) {
    return QDir::tempPath() + "/" + QString::fromStdString(name) + "-" + QString::number(getuid()) +
           ".lock";
}

TEST(QtInstanceLock, SecondCopySignalsTheFirst) {
    TestApplication();
    const std::string name = UniqueName("second");
    auto first = std::make_unique<QtInstanceLock>(name, "Check for LDG instance");
    int received = 0;
    first->SetSignalHandler([&received] { ++received; });
    ASSERT_TRUE(first->Acquire());

    QtInstanceLock second(name, "Check for LDG instance");
    EXPECT_FALSE(second.Acquire());
    second.SignalOther();
    EXPECT_TRUE(ProcessEventsUntil([&received] { return received == 1; }));

    // Another message on the same socket is not the signal.
    QtInstanceLock stranger(name, "Something else");
    stranger.SignalOther();
    second.SignalOther();
    EXPECT_TRUE(ProcessEventsUntil([&received] { return received == 2; }));
    EXPECT_EQ(received, 2);

    first.reset();
    EXPECT_TRUE(QtInstanceLock(name, "m").Acquire()) << "freed when the holder goes";
}

TEST(QtInstanceLock, LockLeftByACrashIsTakenOver) {
    TestApplication();
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", ""},
        {"dead holder", "999999999\nladderly\nnowhere\n"},
        {"garbage", QByteArray(300, '\xff')},
    };
    for (const auto& [what, content] : cases) {
        SCOPED_TRACE(what);
        const std::string name = UniqueName("stale");
        QFile file(LockPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_TRUE(QtInstanceLock(name, "m").Acquire());
    }
}

} // namespace
