#include "core/Suggestions.h"

#include <gtest/gtest.h>

namespace {
TEST(Suggestions, Listing) {
    const std::vector<std::string> vocabulary = {"ate", "east", "eat",  "eats", "Eta",
                                                 "sat", "seat", "stew", "tea",  "teas"};
    const struct {
        const char* word;
        const char* listing;
    } cases[] = {
        // Actions without results are left out; a word never lists itself; an anagram that is
        // also a swap or a move appears under each; entries keep the vocabulary's order, in
        // upper case.
        {"eat", "Transitions available for \"EAT\":\r\n"
                "\r\nAdd 1 Letter\r\n  EAST  EATS  SEAT"
                "\r\nChange 1 Letter\r\n  SAT"
                "\r\nMove 1 Letter\r\n  ATE  ETA  TEA"
                "\r\nScramble Letters\r\n  ATE  ETA  TEA"
                "\r\nSwap 2 Letters\r\n  ETA"},
        // SEAT to TEAS is no move: the rightward test decides and fails.
        {"SEAT", "Transitions available for \"SEAT\":\r\n"
                 "\r\nMove 1 Letter\r\n  EAST  EATS"
                 "\r\nRemove 1 Letter\r\n  EAT  SAT"
                 "\r\nScramble Letters\r\n  EAST  EATS  TEAS"
                 "\r\nSwap 2 Letters\r\n  TEAS"},
        {"xylophone", "Sorry - no transitions available for \"XYLOPHONE\"."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SuggestionListing(vocabulary, c.word), c.listing) << c.word;
    }
}
} // namespace
