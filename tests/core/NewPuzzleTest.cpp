#include "core/PuzzleCore.h"

#include "fakes/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
using Words = std::optional<std::pair<std::string, std::string>>;

// Whatever the designer types: trimmed of codes 0-32, lower case, split at the first blank,
// letters a-z only; the nine codes follow the difference in length.
TEST(NewPuzzle, InputAndInitialCodes) {
    const std::tuple<std::string, Words, const char*> cases[] = {
        {"  Cat   Dogs  ", Words({"cat", "dogs"}), "ACCCCCCCC"},
        {"cat", std::nullopt, ""},
        {" \t\r\ncat\x01\x1f ", std::nullopt, ""},
        {"cat 123", Words({"cat", ""}), "RRRCCCCCC"},
        {"c-a t!", Words({"ca", "t"}), "RCCCCCCCC"},
        {"ABCDEFG A", Words({"abcdefg", "a"}), "RRRRRRCCC"},
        {"a abcdefg", Words({"a", "abcdefg"}), "AAAAAACCC"},
        {"caf\xc3\xa9 au lait", Words({"caf", "aulait"}), "AAACCCCCC"},
        {std::string("bee\0 ant", 8), Words({"bee", "ant"}), "CCCCCCCCC"},
        {std::string(100'000, 'q') + " z", Words({std::string(100'000, 'q'), "z"}), "RRRRRRRRR"},
    };
    for (const auto& [input, words, codes] : cases) {
        const Words parsed = TPuzzleCore::ParseNewPuzzleWords(input);
        EXPECT_EQ(parsed, words) << input.substr(0, 20);
        if (parsed) {
            EXPECT_EQ(TPuzzleCore::InitialActionCodes(parsed->first, parsed->second), codes);
        }
    }
}

// The checks of a new pair against a collection where cat starts two puzzles, dog ends one and
// owl ends one: the answer given, the box shown (none when empty) and the outcome.
TEST(NewPuzzle, CheckedWords) {
    const char* const criteria =
        "The words used as the start and end of a Ladderly\r\npuzzle must be:\r\n\r\n"
        "    a) 1-7 letters in length; and\r\n    b) different from each other.\r\n\r\n"
        "The words you entered (\"mat\" and \"mat\") do not\r\nmeet both these criteria.";
    const std::tuple<const char*, const char*, MessageBoxResult, std::string, bool> cases[] = {
        {"mat", "mat", MessageBoxResult::Ok, criteria, false},
        {"Cat", "", MessageBoxResult::Ok, "The words used", false},
        {"abcdefgh", "dog", MessageBoxResult::Ok, "The words used", false},
        {"yak", "gnu", MessageBoxResult::Ok, "", true},
        {"cat", "dog", MessageBoxResult::Yes,
         "Warning: \"cat\" has already been used in 2 puzzles\r\nand \"dog\" has already been used "
         "in 1 puzzle. Do\r\nyou want to create the new puzzle anyway?",
         true},
        {"cat", "yak", MessageBoxResult::No,
         "Warning: \"cat\" has already been used in 2 puzzles.\r\nDo you want to create the new "
         "puzzle anyway?",
         false},
        {"yak", "OWL", MessageBoxResult::Yes,
         "Warning: \"owl\" has already been used in 1 puzzle.\r\nDo you want to create the new "
         "puzzle anyway?",
         true},
        {"cow", "cat", MessageBoxResult::No,
         "There is already a puzzle using the words \"cow\"\r\nand \"cat\". Do you want to create "
         "a "
         "new puzzle with\r\nthese words anyway?",
         false},
        {"cow", "cat", MessageBoxResult::Yes, "There is already", true},
    };
    for (const auto& [start, end, answer, box, outcome] : cases) {
        FakeUserInterface ui;
        ui.Answer(answer);
        TPuzzleCore core;
        for (const char* pair : {"cat/cow", "cat/bee", "ant/dog", "emu/owl"}) {
            const std::string text = pair;
            core.PuzzleLines.insert(core.PuzzleLines.end(),
                                    {{text.substr(0, 3), 0}, {text.substr(4), 0}, {"c", 0}, {}});
        }
        core.PuzzleCount = 4;
        EXPECT_EQ(core.CheckNewPuzzleWords(start, end), outcome) << start << " " << end;
        ASSERT_EQ(ui.boxes.size(), box.empty() ? 0u : 1u) << start << " " << end;
        if (!box.empty()) {
            EXPECT_EQ(ui.boxes[0].text.substr(0, box.size()), box);
            EXPECT_EQ(ui.boxes[0].caption, "Ladderly");
            EXPECT_EQ(ui.boxes[0].style & MessageBoxStyle::ButtonMask,
                      answer == MessageBoxResult::Ok ? MessageBoxStyle::Ok
                                                     : MessageBoxStyle::YesNo);
        }
    }
}

} // namespace
