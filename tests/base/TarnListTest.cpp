#include "base/TarnList.h"
#include "base/IDList.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <typeinfo>
#include <vector>

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
