#include "base/TarnList.h"
#include "base/IDList.h"
#include "base/PriList.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

namespace {

// A node that reports its destruction, to see who frees what.
class CountedNode : public TTarnNode {
  public:
    explicit CountedNode(int& counter) : destroyed(counter) {}
    ~CountedNode() override { ++destroyed; }

  private:
    int& destroyed;
};

// The list's nodes, walked both ways; checks that the two walks agree.
std::vector<TTarnNode*> Walk(const TTarnList& list) {
    std::vector<TTarnNode*> forward;
    for (TTarnNode* n = list.Next(nullptr); n != nullptr; n = list.Next(n)) {
        forward.push_back(n);
    }
    std::vector<TTarnNode*> backward;
    for (TTarnNode* n = list.Prev(nullptr); n != nullptr; n = list.Prev(n)) {
        backward.insert(backward.begin(), n);
    }
    EXPECT_EQ(forward, backward);
    return forward;
}

} // namespace

TEST(TarnList, InsertionsAndPositions) {
    TTarnList list;
    TTarnNode* b = list.Add(std::make_unique<TTarnNode>());
    TTarnNode* a = list.AddFirst(std::make_unique<TTarnNode>());
    TTarnNode* d = list.InsertAfter(b, std::make_unique<TTarnNode>());       // after the tail
    TTarnNode* c = list.InsertAfter(b, std::make_unique<TTarnNode>());       // in the middle
    TTarnNode* z = list.InsertAfter(nullptr, std::make_unique<TTarnNode>()); // at the head
    EXPECT_EQ(list.Add(std::unique_ptr<TTarnNode>()), nullptr);
    EXPECT_EQ(list.AddFirst(std::unique_ptr<TTarnNode>()), nullptr);
    EXPECT_EQ(list.InsertAfter(a, std::unique_ptr<TTarnNode>()), nullptr);
    EXPECT_EQ(Walk(list), (std::vector<TTarnNode*>{z, a, b, c, d}));
    EXPECT_EQ(list.Count(), 5);

    TTarnNode stranger;
    const std::vector<std::pair<int16_t, TTarnNode*>> items = {
        {-1, nullptr}, {0, nullptr}, {1, z}, {5, d}, {6, nullptr}, {32767, nullptr}};
    for (const auto& [position, node] : items) {
        EXPECT_EQ(list.Item(position), node) << position;
        if (node != nullptr) {
            EXPECT_EQ(list.IndexOf(node), position);
        }
    }
    EXPECT_EQ(list.IndexOf(&stranger), 0);
    EXPECT_EQ(list.IndexOf(nullptr), 0);
    EXPECT_FALSE(list.Contains(&stranger));
}

TEST(TarnList, RemovalsHandTheNodeToTheCaller) {
    TTarnList list;
    std::vector<TTarnNode*> n;
    for (int i = 0; i < 6; ++i) {
        n.push_back(list.Add(std::make_unique<TTarnNode>()));
    }
    const auto check = [&list](std::unique_ptr<TTarnNode> taken,
                               const std::vector<TTarnNode*>& left) {
        ASSERT_NE(taken, nullptr);
        EXPECT_EQ(taken->Next(), nullptr);
        EXPECT_EQ(taken->Prev(), nullptr);
        EXPECT_EQ(Walk(list), left);
    };
    TTarnList theirs;
    TTarnNode* foreign = theirs.Add(std::make_unique<TTarnNode>());
    EXPECT_EQ(list.Remove(foreign), nullptr);
    EXPECT_EQ(Walk(theirs), std::vector<TTarnNode*>{foreign});
    check(list.Remove(n[2]), {n[0], n[1], n[3], n[4], n[5]});
    check(list.Remove(n[0]), {n[1], n[3], n[4], n[5]});
    check(list.Remove(n[5]), {n[1], n[3], n[4]});
    check(list.RemoveFirst(), {n[3], n[4]});
    check(list.RemoveLast(), {n[3]});
    check(list.RemoveLast(), {});
    n[0] = list.Add(std::make_unique<TTarnNode>());
    check(list.Remove(n[0]), {});
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(list.RemoveFirst(), nullptr);
    EXPECT_EQ(list.RemoveLast(), nullptr);
    EXPECT_EQ(list.Remove(nullptr), nullptr);
}

TEST(TarnList, ClearMoveAndDestructionFreeLinkedNodesOnly) {
    int destroyed = 0;
    std::unique_ptr<TTarnNode> kept;
    {
        TTarnList list;
        for (int i = 0; i < 4; ++i) {
            list.Add(std::make_unique<CountedNode>(destroyed));
        }
        kept = list.RemoveLast();
        list.Clear();
        EXPECT_EQ(destroyed, 3);
        EXPECT_TRUE(list.IsEmpty());
        list.Add(std::make_unique<CountedNode>(destroyed));
        TTarnList moved(std::move(list));
        EXPECT_TRUE(list.IsEmpty());
        TTarnList third;
        third.Add(std::make_unique<CountedNode>(destroyed));
        third = std::move(moved);
        EXPECT_EQ(destroyed, 4) << "assignment frees the nodes it replaces";
        EXPECT_EQ(third.Count(), 1);
    }
    EXPECT_EQ(destroyed, 5);
    kept.reset();
    EXPECT_EQ(destroyed, 6);
}

TEST(TarnList, DataAndPriorityLists) {
    TDataList data;
    int object = 0;
    TDataNode* first7 = data.Add(std::make_unique<TDataNode>(std::uintptr_t{7}));
    data.Add(std::make_unique<TDataNode>(std::uintptr_t{7}));
    data.Add(std::make_unique<TDataNode>(&object));
    EXPECT_EQ(data.FindData(7), first7);
    EXPECT_EQ(data.FindData(8), nullptr);
    EXPECT_EQ(data.FindData(&object)->DataAs<int>(), &object);
    data.Add(std::make_unique<TTarnNode>());
    EXPECT_THROW(data.FindData(9), std::bad_cast);

    // Ascending unsigned order; among equal priorities the earlier node stays first.
    TPriDataList list;
    for (uint16_t p : std::vector<uint16_t>{5, 65535, 3, 32768, 5, 0, 32767}) {
        list.InsertByPriority(
            std::make_unique<TPriDataNode>(p, static_cast<std::uintptr_t>(list.Count())));
    }
    EXPECT_EQ(list.InsertByPriority(std::unique_ptr<TPriNode>()), nullptr);
    std::vector<std::pair<uint16_t, std::uintptr_t>> order;
    for (TTarnNode* n : Walk(list)) {
        order.emplace_back(static_cast<TPriDataNode*>(n)->Priority,
                           static_cast<TPriDataNode*>(n)->Data);
    }
    const std::vector<std::pair<uint16_t, std::uintptr_t>> expected = {
        {0, 5}, {3, 2}, {5, 0}, {5, 4}, {32767, 6}, {32768, 3}, {65535, 1}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(list.FindData(4), list.Item(4));
    EXPECT_EQ(list.FindData(4, 5), list.Item(4));
    EXPECT_EQ(list.FindData(4, 3), nullptr);
    EXPECT_EQ(list.FindData(9), nullptr);
}

TEST(TarnList, IdentifiersAreUpperCasedAndFoundWithoutRegardToCase) {
    TIDList list;
    TIDNode* game = list.Add(std::make_unique<TIDNode>("game"));
    list.Add(std::make_unique<TIDNode>("GAME")); // a later duplicate is never found
    TIDNode* mixed = list.Add(std::make_unique<TIDNode>("Room-2 \xe9t\xe9"));
    const std::vector<std::pair<const char*, TIDNode*>> cases = {
        {"Game", game},
        {"gam", nullptr},
        {"ROOM-2 \xe9T\xe9", mixed},
        {"", nullptr},
        {"ROOM-2 \xc9T\xc9", nullptr}, // only ASCII letters change case
    };
    for (const auto& [query, found] : cases) {
        EXPECT_EQ(list.FindByID(query), found) << query;
    }
    EXPECT_EQ(game->GetID(), "GAME");
    EXPECT_EQ(TIDNode(std::string(300, 'x')).GetID(), std::string(255, 'X'));
    list.AddFirst(std::make_unique<TTarnNode>());
    EXPECT_THROW(list.FindByID("a"), std::bad_cast);
}
