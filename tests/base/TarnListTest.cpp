#include "base/TarnList.h"
#include "base/IDList.h"

#include <gtest/gtest.h>

#include <random>
#include <typeinfo>
#include <vector>

namespace {

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
    for (const auto& [query, found] :
         std::vector<std::pair<const char*, TIDNode*>>{{"Game", game},
                                                       {"gam", nullptr},
                                                       {"ROOM-2 \xe9T\xe9", mixed},
                                                       {"", nullptr},
                                                       {"ROOM-2 \xc9T\xc9", nullptr}}) {
        EXPECT_EQ(ids.FindByID(query), found) << query;
    }
    EXPECT_EQ(TIDNode(std::string(300, 'x')).GetID(), std::string(255, 'X'));
    ids.AddFirst(std::make_unique<TTarnNode>());
    EXPECT_THROW(ids.FindByID("a"), std::bad_cast);
}
