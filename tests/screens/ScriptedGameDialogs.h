#pragma once
// The game room's dialogs for tests: each answers from a script and records what it was shown.

#include "screens/GameDialogs.h"

#include <functional>
#include <string>
#include <vector>

struct ScriptedGameDialogs : IGameDialogs {
    // The selector's answer: may change the entries (negate values to delete) and the position.
    using SelectorScript = std::function<SelectorResult(std::vector<TSelectorEntry>&, int32_t&)>;

    SelectorResult ExecuteSelector(std::vector<TSelectorEntry>& entries,
                                   int32_t& position) override {
        selectorShown.push_back(entries);
        return selector ? selector(entries, position) : SelectorResult::Close;
    }
    bool ExecuteVocabEditor(std::vector<std::string>& vocabulary) override {
        if (vocabularyEdit) {
            vocabularyEdit(vocabulary);
        }
        return static_cast<bool>(vocabularyEdit);
    }
    void ShowAbout() override { ++aboutShown; }

    SelectorScript selector;
    std::function<void(std::vector<std::string>&)> vocabularyEdit;
    std::vector<std::vector<TSelectorEntry>> selectorShown;
    int aboutShown = 0;
};
