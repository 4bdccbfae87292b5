#include "framework/TarnList.h"
#include "framework/IDList.h"
#include "framework/PriList.h"
#include "framework/TarnStd.h"

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

std::vector<uint16_t> Priorities(const TTarnList& list) {
    std::vector<uint16_t> result;
    for (TTarnNode* n : Walk(list)) {
        result.push_back(static_cast<TPriNode*>(n)->Priority);
    }
    return result;
}

} // namespace

TEST(TarnList, PositionsCountFromOne) {
    TTarnList list;
    TTarnNode* a = list.Add(std::make_unique<TTarnNode>());
    TTarnNode* b = list.Add(std::make_unique<TTarnNode>());
    TTarnNode* c = list.Add(std::make_unique<TTarnNode>());
    TTarnNode stranger;
    struct Case {
        int16_t position;
        TTarnNode* node;
    };
    const Case cases[] = {{-1, nullptr}, {0, nullptr}, {1, a},          {2, b},
                          {3, c},        {4, nullptr}, {32767, nullptr}};
    for (const Case& k : cases) {
        EXPECT_EQ(list.Item(k.position), k.node) << k.position;
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(a), 1);
    EXPECT_EQ(list.IndexOf(c), 3);
    EXPECT_EQ(list.IndexOf(&stranger), 0);
    EXPECT_EQ(list.IndexOf(nullptr), 0);
    EXPECT_TRUE(list.Contains(b));
    EXPECT_FALSE(list.Contains(&stranger));
}

TEST(TarnList, InsertionsKeepBothDirectionsLinked) {
    TTarnList list;
    TTarnNode* b = list.Add(std::make_unique<TTarnNode>());
    TTarnNode* a = list.AddFirst(std::make_unique<TTarnNode>());
    TTarnNode* d = list.InsertAfter(b, std::make_unique<TTarnNode>());       // after the tail: Add
    TTarnNode* c = list.InsertAfter(b, std::make_unique<TTarnNode>());       // in the middle
    TTarnNode* z = list.InsertAfter(nullptr, std::make_unique<TTarnNode>()); // at the head
    EXPECT_EQ(Walk(list), (std::vector<TTarnNode*>{z, a, b, c, d}));
    EXPECT_EQ(list.Head(), z);
    EXPECT_EQ(list.Tail(), d);
    EXPECT_EQ(z->Prev(), nullptr);
    EXPECT_EQ(d->Next(), nullptr);
}

TEST(TarnList, EmptyPointersAreIgnored) {
    TTarnList list;
    TTarnNode* a = list.Add(std::make_unique<TTarnNode>());
    EXPECT_EQ(list.Add(std::unique_ptr<TTarnNode>()), nullptr);
    EXPECT_EQ(list.AddFirst(std::unique_ptr<TTarnNode>()), nullptr);
    EXPECT_EQ(list.InsertAfter(a, std::unique_ptr<TTarnNode>()), nullptr);
    EXPECT_EQ(list.Remove(nullptr), nullptr);
    EXPECT_EQ(Walk(list), std::vector<TTarnNode*>{a});
}

TEST(TarnList, RemovalsHandTheNodeToTheCaller) {
    struct Case {
        const char* what;
        int removeAt; // 1-based position to Remove; 0 = RemoveFirst, -1 = RemoveLast
        std::vector<int> left;
    };
    const Case cases[] = {
        {"head", 1, {2, 3}},        {"middle", 2, {1, 3}},      {"tail", 3, {1, 2}},
        {"RemoveFirst", 0, {2, 3}}, {"RemoveLast", -1, {1, 2}},
    };
    for (const Case& k : cases) {
        TTarnList list;
        std::vector<TTarnNode*> nodes;
        for (int i = 0; i < 3; ++i) {
            nodes.push_back(list.Add(std::make_unique<TTarnNode>()));
        }
        std::unique_ptr<TTarnNode> taken;
        if (k.removeAt > 0) {
            taken = list.Remove(nodes[k.removeAt - 1]);
        } else if (k.removeAt == 0) {
            taken = list.RemoveFirst();
        } else {
            taken = list.RemoveLast();
        }
        ASSERT_NE(taken, nullptr) << k.what;
        EXPECT_EQ(taken->Next(), nullptr) << k.what;
        EXPECT_EQ(taken->Prev(), nullptr) << k.what;
        std::vector<TTarnNode*> expected;
        for (int i : k.left) {
            expected.push_back(nodes[i - 1]);
        }
        EXPECT_EQ(Walk(list), expected) << k.what;
        // A removed node can join another list.
        TTarnList other;
        other.Add(std::move(taken));
        EXPECT_EQ(other.Count(), 1) << k.what;
    }
}

TEST(TarnList, RemovingTheOnlyNodeEmptiesTheList) {
    TTarnList list;
    TTarnNode* only = list.Add(std::make_unique<TTarnNode>());
    EXPECT_NE(list.Remove(only), nullptr);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(list.RemoveFirst(), nullptr);
    EXPECT_EQ(list.RemoveLast(), nullptr);
    EXPECT_EQ(list.Count(), 0);
}

TEST(TarnList, RemoveOfAForeignNodeChangesNothing) {
    TTarnList mine;
    TTarnList theirs;
    TTarnNode* a = mine.Add(std::make_unique<TTarnNode>());
    TTarnNode* b = theirs.Add(std::make_unique<TTarnNode>());
    TTarnNode* c = theirs.Add(std::make_unique<TTarnNode>());
    EXPECT_EQ(mine.Remove(b), nullptr);
    EXPECT_EQ(Walk(mine), std::vector<TTarnNode*>{a});
    EXPECT_EQ(Walk(theirs), (std::vector<TTarnNode*>{b, c}));
}

TEST(TarnList, ClearAndDestructionFreeLinkedNodesOnly) {
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
        list.Add(std::make_unique<CountedNode>(destroyed));
    }
    EXPECT_EQ(destroyed, 5);
    kept.reset();
    EXPECT_EQ(destroyed, 6);
}

TEST(TarnList, MovingTransfersTheNodes) {
    int destroyed = 0;
    TTarnList source;
    source.Add(std::make_unique<CountedNode>(destroyed));
    TTarnList target(std::move(source));
    EXPECT_EQ(target.Count(), 1);
    EXPECT_TRUE(source.IsEmpty());
    TTarnList third;
    third.Add(std::make_unique<CountedNode>(destroyed));
    third = std::move(target);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(third.Count(), 1);
}

TEST(DataList, FindDataReturnsTheFirstMatch) {
    TDataList list;
    int object = 0;
    TDataNode* first7 = list.Add(std::make_unique<TDataNode>(std::uintptr_t{7}));
    list.Add(std::make_unique<TDataNode>(std::uintptr_t{7}));
    TDataNode* byAddress = list.Add(std::make_unique<TDataNode>(&object));
    EXPECT_EQ(list.FindData(7), first7);
    EXPECT_EQ(list.FindData(8), nullptr);
    EXPECT_EQ(list.FindData(&object), byAddress);
    EXPECT_EQ(byAddress->DataAs<int>(), &object);
    list.Add(std::make_unique<TTarnNode>());
    EXPECT_THROW(list.FindData(9), std::bad_cast);
}

TEST(PriList, InsertionKeepsAscendingUnsignedOrderFirstInFirstOut) {
    struct Case {
        std::vector<uint16_t> inserted;
        std::vector<uint16_t> order;
    };
    const Case cases[] = {
        {{5, 3, 5, 1}, {1, 3, 5, 5}},
        {{40000, 30000}, {30000, 40000}},
        {{65535, 0, 32768, 32767}, {0, 32767, 32768, 65535}},
        {{2, 2, 2}, {2, 2, 2}},
        {{}, {}},
    };
    for (const Case& k : cases) {
        TPriList list;
        for (uint16_t p : k.inserted) {
            list.InsertByPriority(std::make_unique<TPriNode>(p));
        }
        EXPECT_EQ(Priorities(list), k.order);
    }
    // Among equal priorities the earlier node stays first.
    TPriList list;
    TPriNode* first = list.InsertByPriority(std::make_unique<TPriNode>(5));
    list.InsertByPriority(std::make_unique<TPriNode>(3));
    TPriNode* second = list.InsertByPriority(std::make_unique<TPriNode>(5));
    list.InsertByPriority(std::make_unique<TPriNode>(1));
    EXPECT_EQ(list.Item(3), first);
    EXPECT_EQ(list.Item(4), second);
    EXPECT_EQ(list.InsertByPriority(std::unique_ptr<TPriNode>()), nullptr);
    EXPECT_EQ(list.Count(), 4);
}

TEST(PriDataList, FindDataByValueAndPriority) {
    TPriDataList list;
    TPriDataNode* low =
        list.InsertByPriority(std::make_unique<TPriDataNode>(1, std::uintptr_t{42}));
    TPriDataNode* high =
        list.InsertByPriority(std::make_unique<TPriDataNode>(9, std::uintptr_t{42}));
    struct Case {
        std::uintptr_t value;
        int priority; // -1: any
        TPriDataNode* found;
    };
    const Case cases[] = {
        {42, -1, low}, {42, 1, low}, {42, 9, high}, {42, 5, nullptr}, {41, -1, nullptr},
    };
    for (const Case& k : cases) {
        TPriDataNode* found = k.priority < 0
                                  ? list.FindData(k.value)
                                  : list.FindData(k.value, static_cast<uint16_t>(k.priority));
        EXPECT_EQ(found, k.found) << k.value << " " << k.priority;
    }
}

TEST(IDList, IdentifiersAreUpperCasedAndFoundWithoutRegardToCase) {
    TIDList list;
    TIDNode* game = list.Add(std::make_unique<TIDNode>("game"));
    list.Add(std::make_unique<TIDNode>("GAME")); // a later duplicate is never found
    TIDNode* mixed = list.Add(std::make_unique<TIDNode>("Room-2 \xe9t\xe9"));
    struct Case {
        const char* query;
        TIDNode* found;
    };
    const Case cases[] = {
        {"Game", game},
        {"GAME", game},
        {"game", game},
        {"gam", nullptr},
        {"ROOM-2 \xe9T\xe9", mixed},
        {"ROOM-2 \xc9T\xc9", nullptr},
        {"", nullptr},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(list.FindByID(k.query), k.found) << k.query;
    }
    EXPECT_EQ(game->GetID(), "GAME");
    EXPECT_EQ(mixed->GetID(), "ROOM-2 \xe9T\xe9");
    EXPECT_EQ(TIDNode(std::string(300, 'x')).GetID(), std::string(255, 'X'));
}

TEST(IDList, ANodeOfAnotherClassIsACastError) {
    TIDList list;
    list.Add(std::make_unique<TTarnNode>());
    list.Add(std::make_unique<TIDNode>("a"));
    EXPECT_THROW(list.FindByID("a"), std::bad_cast);
}

TEST(TarnException, CarriesItsMessage) {
    try {
        throw TarnException("Problem in room");
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Problem in room");
    }
}
