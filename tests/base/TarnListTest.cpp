#include "base/TarnList.h"
#include "base/IDList.h"
#include "base/PriList.h"

#include <gtest/gtest.h>

#include <random>
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
            EXPECT_EQ(list.Add(std::unique_ptr<TTarnNode>()), nullptr);
            EXPECT_EQ(list.AddFirst(std::unique_ptr<TTarnNode>()), nullptr);
            EXPECT_EQ(list.InsertAfter(pick, std::unique_ptr<TTarnNode>()), nullptr);
            EXPECT_EQ(list.Remove(stranger), nullptr);
        }
        ASSERT_TRUE(taken == nullptr || (taken->Next() == nullptr && taken->Prev() == nullptr &&
                                         !list.Contains(taken.get())));
        ASSERT_EQ(Walk(list), model) << step;
        ASSERT_EQ(list.Count(), static_cast<int16_t>(model.size()));
        if (!model.empty()) {
            const auto k = static_cast<int16_t>(random() % model.size());
            ASSERT_EQ(list.Item(static_cast<int16_t>(k + 1)), model[static_cast<size_t>(k)]);
            ASSERT_EQ(list.IndexOf(model[static_cast<size_t>(k)]), k + 1);
        }
    }
    const auto size = static_cast<int16_t>(model.size());
    for (const int16_t position : {int16_t{-1}, int16_t{0}, static_cast<int16_t>(size + 1)}) {
        EXPECT_EQ(list.Item(position), nullptr) << position;
    }
    EXPECT_EQ(list.IndexOf(stranger), 0);
    EXPECT_FALSE(list.Contains(stranger));
    EXPECT_EQ(Walk(theirs).size(), 2u);
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
