#include "platform/QtGameTimer.h"
#include "platform/QtTestApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TEST(GameTimer, ClientsFirstThenItsOwnEventAndRunsOnlyWhenNeeded) {
    TestApplication();
    TGameTimer timer;
    EXPECT_FALSE(timer.IsRunning()) << "nothing to call";
    timer.SetInterval(5);

    std::vector<std::string> calls;
    auto first = std::make_unique<QObject>();
    auto second = std::make_unique<QObject>();
    timer.AddClient(first.get(), [&] { calls.push_back("first"); });
    timer.AddClient(second.get(), [&] { calls.push_back("second"); });
    timer.SetOnTimer([&] { calls.push_back("tick"); });
    ASSERT_TRUE(ProcessEventsUntil([&] { return calls.size() >= 3; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "tick"}));

    first.reset();
    EXPECT_EQ(timer.ClientCount(), 1u) << "a destroyed component's entry goes with it";
    calls.clear();
    ASSERT_TRUE(ProcessEventsUntil([&] { return calls.size() >= 2; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"second", "tick"}));

    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.IsRunning()) << "the remaining client still needs it";
    second.reset();
    EXPECT_FALSE(timer.IsRunning()) << "no client and no event of its own";

    const int plain = 0;
    timer.AddClient(&plain, [] {});
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    timer.SetEnabled(true);
    timer.RemoveClient(&plain);
    EXPECT_FALSE(timer.IsRunning());
}
