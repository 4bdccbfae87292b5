#include "platform/QtGameTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Lets the event loop run until the condition holds or two seconds pass.
template <class Condition> bool RunUntil(Condition condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return condition();
}

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "gametimer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

} // namespace

TEST(GameTimer, ClientsFirstThenItsOwnEventAndRunsOnlyWhenNeeded) {
    App();
    TGameTimer timer;
    EXPECT_EQ(timer.GetInterval(), 55);
    EXPECT_FALSE(timer.IsRunning()) << "nothing to call";
    timer.SetInterval(5);

    std::vector<std::string> calls;
    auto first = std::make_unique<QObject>();
    auto second = std::make_unique<QObject>();
    timer.AddClient(first.get(), [&] { calls.push_back("first"); });
    EXPECT_TRUE(timer.IsRunning()) << "a client keeps the timer going";
    timer.AddClient(second.get(), [&] { calls.push_back("second"); });
    timer.SetOnTimer([&] { calls.push_back("tick"); });

    ASSERT_TRUE(RunUntil([&] { return calls.size() >= 3; }));
    EXPECT_EQ(calls[0], "first");
    EXPECT_EQ(calls[1], "second");
    EXPECT_EQ(calls[2], "tick");

    first.reset();
    EXPECT_EQ(timer.ClientCount(), 1u) << "a destroyed component's entry goes with it";
    calls.clear();
    ASSERT_TRUE(RunUntil([&] { return calls.size() >= 2; }));
    EXPECT_EQ(calls[0], "second");
    EXPECT_EQ(calls[1], "tick");

    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.IsRunning()) << "the remaining client still needs it";
    second.reset();
    EXPECT_FALSE(timer.IsRunning()) << "no client and no event of its own";

    const int plain = 0;
    timer.AddClient(&plain, [] {});
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.IsRunning());
    timer.RemoveClient(&plain);
    EXPECT_FALSE(timer.IsRunning());
}
