#include "screens/dialogs/WordRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(WordRules, BlockedWordsAndStems) {
    const std::pair<const char*, bool> cases[] = {
        {"cat", true},     {"", true},      {"spic", false},  {"spice", true}, {"coon", false},
        {"raccoon", true}, {"kike", false}, {"kikes", false}, {"chin", true},
    };
    for (const auto& [word, allowed] : cases) {
        EXPECT_EQ(IsWordAllowed(word), allowed) << word;
    }
}

TEST(WordRules, NearestItemIsTheEqualOrNextGreaterOrLast) {
    // The equal item, else the next greater, else the last: against the standard library on
    // sorted lists, and ending on any list at all (the list box's order is case-insensitive,
    // so mixed-case lists are not sorted by character code).
    std::mt19937 random(6);
    const char letters[] = "aBcd";
    const auto word = [&] {
        std::string text(1 + random() % 2, ' ');
        for (char& c : text) {
            c = letters[random() % 4];
        }
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> list(random() % 9);
        std::generate(list.begin(), list.end(), word);
        const bool sorted = round % 2 == 0;
        if (sorted) {
            std::sort(list.begin(), list.end());
        }
        const std::string text = word();
        const int found = FindNearestItem(list, text);
        ASSERT_EQ(found < 0, list.empty());
        if (sorted && !list.empty()) {
            const auto next = std::lower_bound(list.begin(), list.end(), text);
            const int expected =
                static_cast<int>(std::min(next - list.begin(), std::ssize(list) - 1));
            EXPECT_TRUE(list[found] == text || found == expected) << text;
        }
    }
}
