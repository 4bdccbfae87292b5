#include "platform/QtGameTimer.h"
#include "platform/QtTestApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

TEST(GameTimer, ClientsFirstThenItsOwnEventAndRunsOnlyWhenNeeded) {
    TestApplication();
    TGameTimer timer;
    EXPECT_FALSE(timer.IsRunning()) << "nothing to call";
    timer.SetInterval(5);

    std::string calls;
    auto component = std::make_unique<QObject>();
    const int plain = 0;
    timer.AddClient(component.get(), [&] { calls += "component "; });
    timer.AddClient(&plain, [&] { calls += "plain "; });
    timer.SetOnTimer([&] { calls += "tick "; });
    ASSERT_TRUE(ProcessEventsUntil([&] { return calls.size() >= 21; }));
    // A loaded machine may let it fire more than once: the first firing is the one checked.
    EXPECT_EQ(calls.substr(0, 21), "component plain tick ");

    component.reset();
    EXPECT_EQ(std::pair(timer.ClientCount(), timer.IsRunning()), std::pair(size_t{1}, true))
        << "a destroyed component's entry goes with it; the others still need the timer";
    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.IsRunning()) << "the remaining client still needs it";
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.IsRunning());
    timer.RemoveClient(&plain);
    EXPECT_FALSE(timer.IsRunning()) << "no client and no event of its own";
}
