#include "platform/GameTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(GameTimerClients, CalledInRegistrationOrderWhileTheListChanges) {
    TGameTimerClients clients;
    std::vector<std::string> calls;
    const int a = 0, b = 0, c = 0, d = 0;
    bool nested = false;
    clients.Add(&a, [&] {
        calls.push_back("a");
        clients.Remove(&b); // a later client removed before its turn is not called
        clients.Add(&d, [&] { calls.push_back("d"); });
    });
    clients.Add(&b, [&] { calls.push_back("b"); });
    clients.Add(&c, [&] {
        calls.push_back("c");
        clients.Remove(&c); // removing itself while running
        if (!nested) {
            nested = true;
            clients.Fire(); // a message loop inside a client lets the timer fire again
        }
    });

    clients.Fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "c", "a", "d"}))
        << "d joined during the first firing, so only the nested one calls it";
    calls.clear();
    clients.Fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "d", "d"})) << "a adds another d each time";
    clients.Remove(&d);
    clients.Remove(&a);
    EXPECT_TRUE(clients.IsEmpty());
}
