#include "base/Util.h"
#include "base/Geometry.h"
#include "base/IDList.h"
#include "base/TarnList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <tuple>
#include <typeinfo>
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

TEST(Geometry, MergeRectsCoversTheUnionWithoutOverlap) {
    // Every pair of a small grid of rectangles, empty ones too: the pieces must not overlap one
    // another and must cover exactly the pixels of the union; pairs apart stay two rectangles
    // unless they touch along a whole edge. IntersectRect's own edges are checked on the way.
    std::vector<TRect> rects;
    for (int32_t i = 0; i < 4 * 4 * 4 * 3; ++i) { // left, top, width, height
        rects.push_back({i % 4, i / 4 % 4, i % 4 + i / 16 % 4, i / 4 % 4 + 1 + i / 64});
    }
    for (const TRect& a : rects) {
        for (const TRect& b : rects) {
            TRect common{1, 1, 1, 1};
            std::array<TRect, 5> output{};
            const std::vector<TRect> pieces(output.begin(),
                                            output.begin() + MergeRects(a, b, output));
            if (!IntersectRect(common, a, b)) {
                EXPECT_EQ(common, TRect{});
                // (Rectangles with the same columns only ever join top to bottom.)
                const bool sameColumns = a.Left == b.Left && a.Right == b.Right;
                const bool column = sameColumns && (a.Top == b.Bottom || a.Bottom == b.Top);
                const bool row = !sameColumns && a.Top == b.Top && a.Bottom == b.Bottom &&
                                 (a.Left == b.Right || a.Right == b.Left);
                ASSERT_EQ(pieces.size(), column || row ? 1u : 2u);
            }
            for (int32_t at = 0; at < 64; ++at) {
                const int32_t x = at % 8;
                const int32_t y = at / 8;
                const auto covering = std::ranges::count_if(
                    pieces, [&](const TRect& p) { return PtInRect(p, x, y); });
                ASSERT_EQ(covering, PtInRect(a, x, y) || PtInRect(b, x, y) ? 1 : 0);
            }
        }
    }
}

// Near the ends of the 32-bit range the helpers saturate instead of wrapping. (The point
// operators are the same one-line sums.)
TEST(Geometry, SaturatesNearTheLimits) {
    constexpr int32_t Hi = INT32_MAX;
    constexpr int32_t Lo = INT32_MIN;
    EXPECT_EQ(RectWidth({Lo, 0, Hi, 0}), Hi);
    EXPECT_EQ(RectHeight({0, Hi, 0, Lo}), Lo);
    EXPECT_EQ(RectAt({Hi - 5, Lo + 5}, {0, 0, 10, -10}), (TRect{Hi - 5, Lo + 5, Hi, Lo}));
    EXPECT_EQ((TRect{0, 0, 10, 10} + TPoint{Hi, Lo}), (TRect{Hi, Lo, Hi, Lo + 10}));
    EXPECT_EQ((TRect{-10, 0, 0, 10} - TPoint{Hi, Lo}), (TRect{Lo, Hi, -Hi, Hi}));
}

using Node = std::unique_ptr<TTarnNode>;

// Random insertions and removals agree with a vector of the same nodes: both walks, positions,
// and every removed node handed back unlinked. Null nodes and strangers change nothing.
TEST(TarnList, RandomEditsMatchAVector) {
    std::mt19937 random(3);
    TTarnList list;
    std::vector<TTarnNode*> model;
    TTarnList theirs; // a stranger: linked, but into another list
    theirs.Add(std::make_unique<TTarnNode>());
    TTarnNode* stranger = theirs.Add(std::make_unique<TTarnNode>());
    for (int step = 0; step < 2000; ++step) {
        const auto at = model.empty() ? 0 : random() % model.size();
        TTarnNode* pick = model.empty() ? nullptr : model[at];
        std::unique_ptr<TTarnNode> taken;
        switch (random() % 7) {
        case 0:
            model.push_back(list.Add(std::make_unique<TTarnNode>()));
            break;
        case 1:
            model.insert(model.begin(), list.AddFirst(std::make_unique<TTarnNode>()));
            break;
        case 2: // after a node, or at the head when none is given
            model.insert(model.begin() + (pick == nullptr ? 0 : static_cast<long>(at) + 1),
                         list.InsertAfter(pick, std::make_unique<TTarnNode>()));
            break;
        case 3:
            taken = list.Remove(pick);
            std::erase(model, pick);
            break;
        case 4:
            taken = list.RemoveFirst();
            model.erase(model.begin(), model.begin() + (model.empty() ? 0 : 1));
            break;
        case 5:
            taken = list.RemoveLast();
            model.resize(model.empty() ? 0 : model.size() - 1);
            break;
        default:
            EXPECT_TRUE(!list.Add(Node()) && !list.AddFirst(Node()) &&
                        !list.InsertAfter(pick, Node()) && !list.Remove(stranger));
        }
        ASSERT_TRUE(taken == nullptr || (taken->Next() == nullptr && taken->Prev() == nullptr &&
                                         !list.Contains(taken.get())));
        for (size_t i = 0; i <= model.size(); ++i) { // both ways, the ends included
            TTarnNode* before = i == 0 ? nullptr : model[i - 1];
            TTarnNode* after = i == model.size() ? nullptr : model[i];
            ASSERT_TRUE(list.Next(before) == after && list.Prev(after) == before) << step;
        }
        ASSERT_EQ(list.Count(), static_cast<int16_t>(model.size()));
        if (!model.empty()) {
            const auto k = static_cast<int16_t>(random() % model.size() + 1);
            ASSERT_EQ(list.IndexOf(list.Item(k)), k);
            ASSERT_EQ(list.Item(k), model[static_cast<size_t>(k - 1)]);
        }
    }
    EXPECT_TRUE(!list.Item(-1) && !list.Item(0) &&
                !list.Item(static_cast<int16_t>(model.size() + 1)));
    EXPECT_TRUE(list.IndexOf(stranger) == 0 && !list.Contains(stranger));
    EXPECT_TRUE(theirs.Count() == 2 && theirs.Next(theirs.Next(nullptr)) == stranger &&
                theirs.Prev(nullptr) == stranger);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

// Identifiers are upper-cased (ASCII letters only, at most 255 characters) and found without
// regard to case, the first of equals winning; a foreign node is a fault. (The surface model
// sees the priority lists keep their order.)
TEST(TarnList, IdentifierLists) {
    TIDList ids;
    TIDNode* game = ids.Add(std::make_unique<TIDNode>("game"));
    ids.Add(std::make_unique<TIDNode>("GAME"));
    TIDNode* mixed = ids.Add(std::make_unique<TIDNode>("Room-2 \xe9t\xe9"));
    EXPECT_TRUE(ids.FindByID("Game") == game && ids.FindByID("ROOM-2 \xe9T\xe9") == mixed);
    EXPECT_TRUE(!ids.FindByID("gam") && !ids.FindByID("") && !ids.FindByID("ROOM-2 \xc9T\xc9"));
    EXPECT_EQ(TIDNode(std::string(300, 'x')).GetID(), std::string(255, 'X'));
    ids.AddFirst(std::make_unique<TTarnNode>());
    EXPECT_THROW(ids.FindByID("a"), std::bad_cast);
}
