#include "base/Util.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

using Lines = std::vector<std::string>;
using Exchanges = std::vector<std::pair<std::size_t, std::size_t>>;

static Exchanges SortRecording(std::vector<std::string>& list, bool byLength) {
    Exchanges exchanges;
    SortStringList(
        list.size(),
        [&](std::size_t a, std::size_t b) {
            return byLength ? list[a].size() < list[b].size() : list[a] < list[b];
        },
        [&](std::size_t a, std::size_t b) {
            exchanges.emplace_back(a, b);
            std::swap(list[a], list[b]);
        });
    return exchanges;
}

// The solver's vocabulary order depends on the exact exchanges, ties and self-exchanges
// included; these sequences were worked out from the partition rule independently. (The
// test applies the exchanges itself, so they alone decide the order it ends in.)
TEST(SortStringList, ExchangeSequence) {
    const Lines byLength{"fig", "date", "plum", "lime", "pear", "kiwi", "apple", "banana"};
    const std::tuple<Lines, bool, Exchanges> cases[] = {
        {{"pear", "fig", "apple", "kiwi", "date", "plum", "lime", "banana"},
         true,
         {{0, 6}, {2, 5}, {3, 4}, {0, 1}, {1, 3}, {2, 2}, {5, 6}, {4, 5}, {6, 6}}},
        {byLength, false, {{2, 7}, {3, 6}, {4, 5}, {0, 3}, {1, 2}, {0, 0}, {3, 3}, {5, 6}, {6, 6}}},
    };
    for (const auto& [given, sortByLength, exchanges] : cases) {
        std::vector<std::string> list = given;
        EXPECT_EQ(SortRecording(list, sortByLength), exchanges) << given.size();
    }
}

// A comparison that is not strict must neither run off the list nor hang.
TEST(SortStringList, SurvivesABadComparison) {
    std::vector<std::string> same(9, "x");
    SortStringList(same, [](std::size_t, std::size_t) { return true; });
    EXPECT_EQ(same, std::vector<std::string>(9, "x"));
}

TEST(Util, FormatText) {
    EXPECT_EQ(FormatText("a %s b %s c", {"1", "2"}), "a 1 b 2 c");
    EXPECT_EQ(FormatText("%s%%%s", {"x"}), "x%") << "too few arguments";
    EXPECT_EQ(FormatText("100%", {}), "100%");
}
