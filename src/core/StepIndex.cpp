#include "core/StepIndex.h"

#include "base/Util.h"
#include "core/StepActions.h"

#include <algorithm>

namespace {
bool IsIndexable(const std::string& word) {
    return !word.empty() && word.size() <= static_cast<size_t>(MaxWordLength) &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Collects per word the lists of one action, then packs them.
class TListBuilder {
  public:
    explicit TListBuilder(size_t count) : lists_(count) {}
    void Add(TStepIndex::WordId from, TStepIndex::WordId to) {
        lists_[static_cast<size_t>(from)].push_back(to);
    }
    template <typename Adjacency> void PackInto(Adjacency& packed) {
        packed.Offsets.assign(1, 0);
        for (std::vector<TStepIndex::WordId>& list : lists_) {
            std::sort(list.begin(), list.end());
            list.erase(std::unique(list.begin(), list.end()), list.end());
            packed.Targets.insert(packed.Targets.end(), list.begin(), list.end());
            packed.Offsets.push_back(static_cast<uint32_t>(packed.Targets.size()));
        }
    }

  private:
    std::vector<std::vector<TStepIndex::WordId>> lists_;
};
} // namespace

TStepIndex::TStepIndex(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        std::string lower = LowerCaseASCII(word);
        if (IsIndexable(lower)) {
            words_.push_back(std::move(lower));
        }
    }
    std::sort(words_.begin(), words_.end());
    words_.erase(std::unique(words_.begin(), words_.end()), words_.end());
    ids_.reserve(words_.size());
    for (size_t i = 0; i < words_.size(); ++i) {
        ids_.emplace(words_[i], static_cast<WordId>(i));
    }
    Build();
}

TStepIndex::WordId TStepIndex::Find(std::string_view word) const {
    const auto found = ids_.find(LowerCaseASCII(word));
    return found == ids_.end() ? -1 : found->second;
}

std::span<const TStepIndex::WordId> TStepIndex::Lists(const TActionLists& lists, WordId id,
                                                      char code) {
    const int action = ActionIndex(code);
    if (action < 0 || id < 0) {
        return {};
    }
    const TAdjacency& adjacency = lists[static_cast<size_t>(action)];
    const auto at = static_cast<size_t>(id);
    if (at + 1 >= adjacency.Offsets.size()) {
        return {};
    }
    return std::span<const WordId>(adjacency.Targets)
        .subspan(adjacency.Offsets[at], adjacency.Offsets[at + 1] - adjacency.Offsets[at]);
}

void TStepIndex::Build() {
    // Words of equal length differing in one position share the pattern with a '?' there;
    // anagrams share their sorted letters. Removing one letter is looked up directly.
    std::unordered_map<std::string, std::vector<WordId>> patterns;
    std::unordered_map<std::string, std::vector<WordId>> anagrams;
    for (size_t i = 0; i < words_.size(); ++i) {
        const auto id = static_cast<WordId>(i);
        std::string key = words_[i];
        for (char& letter : key) {
            const char kept = letter;
            letter = '?';
            patterns[key].push_back(id);
            letter = kept;
        }
        std::sort(key.begin(), key.end());
        anagrams[key].push_back(id);
    }

    std::array<TListBuilder, 6> next = {TListBuilder(Size()), TListBuilder(Size()),
                                        TListBuilder(Size()), TListBuilder(Size()),
                                        TListBuilder(Size()), TListBuilder(Size())};
    const auto builder = [&next](char code) -> TListBuilder& {
        return next[static_cast<size_t>(ActionIndex(code))];
    };
    for (const auto& [key, ids] : patterns) {
        for (const WordId from : ids) {
            for (const WordId to : ids) {
                if (from != to) {
                    builder('C').Add(from, to);
                }
            }
        }
    }
    for (const auto& [key, ids] : anagrams) {
        for (const WordId from : ids) {
            for (const WordId to : ids) {
                if (from == to) {
                    continue;
                }
                builder('S').Add(from, to);
                for (const char code : {'M', 'X'}) {
                    if (IsValidStep(code, Word(from), Word(to))) {
                        builder(code).Add(from, to);
                    }
                }
            }
        }
    }
    for (size_t i = 0; i < words_.size(); ++i) {
        const std::string& word = words_[i];
        for (size_t k = 0; k < word.size(); ++k) {
            const WordId shorter = Find(std::string(word).erase(k, 1));
            if (shorter >= 0) {
                builder('R').Add(static_cast<WordId>(i), shorter);
                builder('A').Add(shorter, static_cast<WordId>(i));
            }
        }
    }
    for (size_t action = 0; action < next.size(); ++action) {
        next[action].PackInto(next_[action]);
        TListBuilder previous(Size());
        const TAdjacency& forward = next_[action];
        for (size_t from = 0; from < Size(); ++from) {
            for (uint32_t k = forward.Offsets[from]; k < forward.Offsets[from + 1]; ++k) {
                previous.Add(forward.Targets[k], static_cast<WordId>(from));
            }
        }
        previous.PackInto(previous_[action]);
    }
}
