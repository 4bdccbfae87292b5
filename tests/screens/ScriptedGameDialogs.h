#pragma once
// The game room's dialogs for tests: each answers from a script and records what it was shown.

#include "screens/GameDialogs.h"

#include <functional>
#include <string>
#include <vector>

struct ScriptedGameDialogs : IGameDialogs {
    SelectorResult ExecuteSelector(std::vector<TSelectorEntry>& entries,
                                   int32_t& position) override {
        selectorShown.push_back(entries);
        return selector ? selector(entries, position) : SelectorResult::Close;
    }
    // The vocabulary editor adds the words and is accepted, or is cancelled when there are none.
    bool ExecuteVocabEditor(std::vector<std::string>& vocabulary) override {
        vocabulary.insert(vocabulary.end(), wordsAdded.begin(), wordsAdded.end());
        return !wordsAdded.empty();
    }
    void ShowAbout() override { ++aboutShown; }

    // The selector's answer: may change the entries (negate values to delete) and the position.
    std::function<SelectorResult(std::vector<TSelectorEntry>&, int32_t&)> selector;
    std::vector<std::string> wordsAdded;
    std::vector<std::vector<TSelectorEntry>> selectorShown;
    int aboutShown = 0;
};
