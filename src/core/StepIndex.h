#pragma once
// An index of a word list for ladder searches. Every word of 1 to 7 letters a-z gets a number
// (its place in alphabetical order), and the steps each action allows from it are found once,
// through buckets keyed by letter pattern and by sorted letters, and kept as lists of numbers.
// Searches then follow these lists instead of testing every pair of words.
//
// Owns: the words in lower case and, per action, the lists of next and previous words.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TStepIndex {
  public:
    using WordId = int32_t;

    // words in any case and order; entries that are not 1 to 7 letters a-z (after lowering the
    // case) are left out, repeats are merged.
    explicit TStepIndex(const std::vector<std::string>& words);

    size_t Size() const { return words_.size(); }
    const std::string& Word(WordId id) const { return words_[static_cast<size_t>(id)]; }
    // The number of the word (any case), or -1 when it is not indexed.
    WordId Find(std::string_view word) const;

    // The words that follow from id by the action code (IsValidStep(code, id, next)), and the
    // words from which id follows by it; both in alphabetical order. Empty for unknown codes.
    std::span<const WordId> Next(WordId id, char code) const { return Lists(next_, id, code); }
    std::span<const WordId> Previous(WordId id, char code) const {
        return Lists(previous_, id, code);
    }

  private:
    // Adjacency lists of every word for one action, in compressed rows.
    struct TAdjacency {
        std::vector<uint32_t> Offsets;
        std::vector<WordId> Targets;
    };
    using TActionLists = std::array<TAdjacency, 6>;

    static std::span<const WordId> Lists(const TActionLists& lists, WordId id, char code);
    void Build();

    std::vector<std::string> words_;
    std::unordered_map<std::string, WordId> ids_;
    TActionLists next_;
    TActionLists previous_;
};
