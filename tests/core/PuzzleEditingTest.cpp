#include "core/PuzzleCore.h"
#include "core/StepActions.h"

#include "core/BoardKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <tuple>

namespace {
using Words = std::optional<std::pair<std::string, std::string>>;

const char* const Vocabulary = "bat\nbit\ncat\ncog\ncot\ncut\ndog\ndot\n";
// Loaded, bat-bit comes first (fewer steps) and cat-dog second.
const char* const Puzzles = "cat\ndog\nccc\n2=cot,3=dot\nbat\nbit\nc\n\n";

// The lines as the file holds them.
std::string Text(const std::vector<TPuzzleLine>& lines) {
    std::string text;
    for (const TPuzzleLine& line : lines) {
        text += line.Text + "\r\n";
    }
    return text;
}

// Board, cursor row and keys pressed; the codes after each key ("-" when the key chose nothing)
// and the rows at the end.
TEST(PuzzleEditing, ActionKeys) {
    const std::tuple<const char*, const char*, int, const char*, const char*> cases[] = {
        {"CART/CAT/COT/CAT", "RCC", 2, "+++", "CRC ARR -: CART/CAT  /COT /CAT"},
        {"CAT/CART/CAR/CAT", "ARC", 2, "---", "CCC RAC -: CAT/CA/CAR/CAT"},
        {"CAT/ACT/TAC/CAT", "MCC", 2, "=====", "CCC SCC XCC MCC CCC: CAT/ACT/TAC/CAT"},
        {"CAT/CART/CAT", "AR", 2, "=+", "- -: CAT/CART/CAT"},
        {"CAT/   /DOG", "CC", 3, "+-", "- -: CAT/   /DOG"},
        {"CAT/   /DOG", "CC", 2, "+", "AR: CAT/    /DOG"},
        {"A/ /AB", "CA", 2, "-", "-: A/ /AB"},
        {"ABCDEFG/       /ABCDEF", "CR", 2, "+", "-: ABCDEFG/       /ABCDEF"},
        {"CAT/DOG", "C", 1, "+-=", "- - -: CAT/DOG"},
    };
    for (const auto& [rows, codes, r, keys, expected] : cases) {
        TPuzzleCore core;
        SetOnePuzzle(core, "", "", "", "");
        SetBoard(core, rows, codes);
        core.EditMode = true;
        std::string seen;
        for (const char* key = keys; *key != '\0'; ++key) {
            const char code = core.ActionKeyCode(r, *key);
            if (code != 0) {
                core.ChooseAction(r, code);
            }
            seen += (seen.empty() ? "" : " ") + (code == 0 ? "-" : core.Actions.substr(1));
        }
        EXPECT_EQ(seen + ": " + BoardRows(core), expected) << rows << " " << keys;
    }
}

// Board, codes, hints and the cursor's row before "delrw"; after it. The cursor's empty row goes,
// else the first empty one from the third-last row up, else the one above the end word; the rows
// below move up with their codes and hints, the deleted row's hint goes, and a row left more than
// a letter off its neighbour is fitted (losing its hint).
TEST(PuzzleEditing, DeleteRow) {
    const std::tuple<const char*, const char*, const char*, int, const char*> cases[] = {
        {"CAT/   /COT/DOT/DOG", "CXSC", "3=cot,4=dot", 2, "CAT/COT/DOT/DOG XSC 2=cot,3=dot"},
        {"CAT/   /COT/   /DOG", "CXSC", "2=cut,3=cot", 3, "CAT/COT/   /DOG XSC 2=cot"},
        {"CAT/COT/DOT/DIG/DOG", "CXSC", "2=cot,4=dig", 2, "CAT/COT/DOT/DOG CXC 2=cot"},
        {"CAT/    /CARTS/CARTS/CART/DOG", "AACRR", "3=carts,5=cart", 2,
         "CAT/CART/CARTS/CART/DOG AARR 4=cart"},
    };
    for (const auto& [rows, codes, hints, r, expected] : cases) {
        TPuzzleCore core;
        SetOnePuzzle(core, "cat", "dog", codes, hints);
        SetBoard(core, rows, codes);
        core.EditMode = core.KeepRows = true;
        core.DeleteRow(r);
        EXPECT_EQ(BoardRows(core) + " " + core.Actions.substr(1) + " " + core.PuzzleLines[3].Text,
                  expected)
            << rows << " " << r;
        EXPECT_EQ(core.PuzzleField(1, 2), core.Actions.substr(1));
    }
}

// A puzzle being edited keeps its unsaved rows and hints when the file is reread, wherever the
// new order puts it, and is appended when the file lost it; cancelling a new puzzle goes back to
// the one shown before, renumbered. In play mode the board's puzzle is followed to its new
// number, and when it is gone no number past the collection remains.
TEST(PuzzleEditing, EditsAcrossRereads) {
    LoadedCore d(Vocabulary, Puzzles);
    TPuzzleCore& core = d.core;
    core.LoadPuzzle(2);
    d.ui.AnswerInput("dot zzz");
    core.CreateNewPuzzle();
    core.Rows[2] = "ZOT";
    EXPECT_FALSE(core.AcceptEdit());
    EXPECT_EQ(d.ui.boxes.at(0).text,
              "Problems found. Make changes and try again:\r\n\r\nThe final word (ZZZ) of the "
              "puzzle is not in the game vocabulary.");
    EXPECT_EQ(AllPuzzles(core), "3/3 bat/bit/c/ cat/dog/ccc/2=cot,3=dot dot/zzz/CCCCCCCCC/");
    // Another copy of the game saved the same new puzzle meanwhile.
    core.KeepRows = false;
    ASSERT_TRUE(d.Reread(
        "dot\nzzz\nccccccccc\n\ncot\ndot\nc\n\nbat\nbit\nc\n\ncat\ndog\nccc\n2=cot,3=dot\n"));
    EXPECT_EQ(
        AllPuzzles(core),
        "5/5 cot/dot/c/ bat/bit/c/ cat/dog/ccc/2=cot,3=dot dot/zzz/ccccccccc/ dot/zzz/CCCCCCCCC/");
    core.CancelEdit();
    EXPECT_EQ(AllPuzzles(core),
              "3/4 cot/dot/c/ bat/bit/c/ cat/dog/ccc/2=cot,3=dot dot/zzz/ccccccccc/");
    EXPECT_FALSE(core.PuzzlesModified || core.EditMode);

    core.EditCurrentPuzzle();
    core.AddRow();
    core.SetHint(4, "DOT");
    ASSERT_TRUE(d.Reread(Puzzles));
    EXPECT_EQ(AllPuzzles(core), "2/2 bat/bit/c/ cat/dog/cccc/2=cot,3=dot,4=dot");
    core.CancelEdit();
    EXPECT_EQ(AllPuzzles(core), "2/2 bat/bit/c/ cat/dog/ccc/2=cot,3=dot");

    core.EditCurrentPuzzle();
    core.SetHint(2, "");
    ASSERT_TRUE(d.Reread("bat\nbit\nc\n\n"));
    EXPECT_EQ(AllPuzzles(core), "2/2 bat/bit/c/ cat/dog/ccc/3=dot");
    EXPECT_TRUE(core.AcceptEdit());

    ASSERT_TRUE(d.Reread("cat\ndog\nccc\n3=dot\nbat\nbit\nc\n\nbat\ncat\nc\n\n"));
    EXPECT_EQ(AllPuzzles(core), "3/3 bat/bit/c/ bat/cat/c/ cat/dog/ccc/3=dot") << "followed";
    ASSERT_TRUE(d.Reread("bat\nbit\nc\n\n"));
    EXPECT_EQ(AllPuzzles(core), "1/1 bat/bit/c/");
    core.CurrentPuzzle = 2;
    core.EditCurrentPuzzle();
    EXPECT_FALSE(core.EditMode) << "no puzzle to edit";

    // A new puzzle cancelled after a reread lost the puzzle shown before it: the first one shows.
    ASSERT_TRUE(d.Reread(Puzzles));
    core.LoadPuzzle(2);
    d.ui.AnswerInput("dot cot");
    core.CreateNewPuzzle();
    ASSERT_TRUE(d.Reread("bat\nbit\nc\n\n"));
    core.CancelEdit();
    EXPECT_EQ(AllPuzzles(core), "1/1 bat/bit/c/");
}

// Random designer sessions using only enabled commands, a few edits each, and the window closed
// at the end, often in the middle of an edit: other puzzles never change, cancel restores the
// collection exactly (asking first after a change), accept stores a valid puzzle or changes
// nothing, and closing writes only accepted puzzles. (The board's rules are the tables'.)
TEST(PuzzleEditing, RandomSessions) {
    std::mt19937 random(2026);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    int acceptedEdits = 0;
    for (int session = 0; session < 300; ++session) {
        SCOPED_TRACE(session);
        LoadedCore d(Vocabulary, Puzzles);
        TPuzzleCore& core = d.core;
        core.PuzzlesModified = pick(0, 1) == 1; // as after a deletion earlier on
        std::vector<TPuzzleLine> accepted = core.PuzzleLines;
        for (int edit = 0; edit < 3 && !core.EditMode; ++edit) {
            core.LoadPuzzle(pick(1, core.PuzzleCount));
            const int shown = core.CurrentPuzzle;
            const bool fresh = pick(0, 1) == 1;
            if (fresh) {
                d.ui.AnswerInput(std::array{"cat dog", "bit cots", "a abcdefg",
                                            "abcdefg cat"}[static_cast<size_t>(pick(0, 3))]);
                core.CreateNewPuzzle();
            } else {
                core.EditCurrentPuzzle();
            }
            ASSERT_TRUE(core.EditMode);
            const int current = core.CurrentPuzzle;
            const std::vector<TPuzzleLine> before = core.PuzzleLines;
            for (int step = 0; step < 40; ++step) {
                const int r = pick(2, core.RowCount);
                std::string& row = core.Rows[static_cast<size_t>(r)];
                const int what = pick(0, 7);
                const char code = what < 2 ? core.ActionKeyCode(r, "=+-"[pick(0, 2)]) : '\0';
                if (code != '\0') {
                    core.ChooseAction(r, code);
                } else if (what == 2 && core.CanAddRow()) {
                    core.AddRow();
                } else if (what == 3 && core.CanDeleteRow()) {
                    core.DeleteRow(r);
                } else if ((what == 4 || what == 5) && r < core.RowCount) {
                    for (char& c : row) {
                        c = "  ABCOT"[pick(0, 6)];
                    }
                    core.FollowRowWithHint(r);
                    core.InferStepActions();
                } else if (what == 6 && core.CanSetHint(r)) {
                    core.SetHint(r, row);
                } else if (what == 7 && core.CanClearHint(r)) {
                    core.SetHint(r, "");
                }
                ASSERT_EQ(core.Actions.size(), static_cast<size_t>(core.RowCount)) << step;
                for (size_t i = 0; i < before.size(); ++i) {
                    ASSERT_TRUE(static_cast<int>(i / 4) + 1 == current ||
                                core.PuzzleLines[i].Text == before[i].Text);
                }
            }
            const int ending = pick(0, 2);
            if (ending == 1) {
                const std::string actions = core.Actions;
                const size_t boxes = d.ui.boxes.size();
                std::string errors;
                if (core.AcceptEdit()) {
                    // Accepted: a valid puzzle, and the collection changed.
                    EXPECT_TRUE(core.ValidatePuzzle(current, errors) && core.PuzzlesModified &&
                                !core.EditMode);
                    accepted = core.PuzzleLines;
                    ++acceptedEdits;
                    continue;
                }
                EXPECT_EQ(std::pair(d.ui.boxes.size(), core.Actions),
                          std::pair(boxes + 1, actions));
            }
            if (ending != 2) {
                const size_t boxes = d.ui.boxes.size() + (core.PuzzleEdited() ? 1 : 0);
                d.ui.Answer(MessageBoxResult::Yes);
                EXPECT_TRUE(core.AskToCancelEdit());
                d.ui.replies.clear();
                EXPECT_EQ(std::tuple(d.ui.boxes.size(), Text(core.PuzzleLines), core.CurrentPuzzle),
                          std::tuple(boxes, Text(accepted), fresh ? shown : current));
            }
        }
        // The window closes, often in the middle of an edit: the question notes one that could
        // still be accepted.
        const bool modified = core.PuzzlesModified;
        const bool save = pick(0, 1) == 1;
        const std::string question =
            std::string(core.CanAcceptEdit() ? TPuzzleCore::UnacceptedEditNote : "") +
            std::string(TPuzzleCore::SaveQuestion);
        const size_t boxes = d.ui.boxes.size() + (modified ? 1 : 0);
        d.ui.Answer(save ? MessageBoxResult::Yes : MessageBoxResult::No);
        core.SavePuzzles();
        ASSERT_EQ(d.ui.boxes.size(), boxes);
        EXPECT_TRUE(!modified || d.ui.boxes.back().text == question);
        EXPECT_EQ(d.folder.Read("puzzle.txt"), modified && save ? Text(accepted) : Puzzles);
        TPuzzleCore(d.folder.Path()).LoadGameData();
        EXPECT_EQ(d.ui.boxes.size(), boxes) << "the file loads without errors";
    }
    EXPECT_GT(acceptedEdits, 30);
}

// The wizard takes a complete row as it is and asks for a word for an incomplete one (cancelled:
// nothing; "Xy lo-phone!" is XYLOPHONE), and lists under the busy cursor, in the vocabulary's
// order and in upper case, the words one step away by each action that has any; a word never
// lists itself, and an anagram that is also a swap or a move appears under each. SEAT to TEAS is
// no move: the rightward test decides and fails.
TEST(PuzzleEditing, SuggestionWizard) {
    FakeUserInterface ui;
    TPuzzleCore core;
    core.Vocabulary = {"ate", "east", "eat", "eats", "Eta", "sat", "seat", "stew", "tea", "teas"};
    SetBoard(core, "EAT/E T/SEAT", "CA");
    core.Suggest(2);
    ui.AnswerInput("Xy lo-phone!");
    for (const int r : {2, 1, 3}) {
        core.Suggest(r);
    }
    ASSERT_EQ(ui.inputs.size(), 2u);
    std::string shown = ui.boxes.at(0).caption + ":";
    for (const auto& box : ui.boxes) {
        shown += "\n" + box.text;
    }
    EXPECT_EQ(shown,
              "Ladderly Suggestion Wizard:\nSorry - no transitions available for \"XYLOPHONE\"."
              "\nTransitions available for \"EAT\":\r\n\r\nAdd 1 Letter\r\n  EAST  EATS  SEAT"
              "\r\nChange 1 Letter\r\n  SAT\r\nMove 1 Letter\r\n  ATE  ETA  TEA\r\nScramble "
              "Letters\r\n  ATE  ETA  TEA\r\nSwap 2 Letters\r\n  ETA\nTransitions available for "
              "\"SEAT\":\r\n\r\nMove 1 Letter\r\n  EAST  EATS\r\nRemove 1 Letter\r\n  EAT  SAT"
              "\r\nScramble Letters\r\n  EAST  EATS  TEAS\r\nSwap 2 Letters\r\n  TEAS");
    EXPECT_EQ(ui.busyCursor, (std::vector<bool>{true, false, true, false, true, false}));
}

// Whatever the designer types: trimmed of codes 0-32, lower case, split at the first blank,
// letters a-z only; the nine codes follow the difference in length.
TEST(NewPuzzle, InputAndInitialCodes) {
    const std::tuple<std::string, Words, const char*> cases[] = {
        {"  Cat   Dogs  ", Words({"cat", "dogs"}), "ACCCCCCCC"},
        {"cat", std::nullopt, ""},
        {"cat 123", Words({"cat", ""}), "RRRCCCCCC"},
        {"ABCDEFG A", Words({"abcdefg", "a"}), "RRRRRRCCC"},
        {"a abcdefg", Words({"a", "abcdefg"}), "AAAAAACCC"},
        {std::string("bee\0 ant", 8), Words({"bee", "ant"}), "CCCCCCCCC"},
        {std::string(100'000, 'q') + " z", Words({std::string(100'000, 'q'), "z"}), "RRRRRRRRR"},
    };
    for (const auto& [input, words, codes] : cases) {
        const Words parsed = TPuzzleCore::ParseNewPuzzleWords(input);
        EXPECT_EQ(parsed, words) << input.substr(0, 20);
        EXPECT_EQ(parsed ? TPuzzleCore::InitialActionCodes(parsed->first, parsed->second) : "",
                  codes);
    }
}

// The checks of a new pair against a collection where cat starts two puzzles, dog ends one and
// owl ends one: the answer given, the box shown (none when empty) and the outcome.
TEST(NewPuzzle, CheckedWords) {
    const std::tuple<const char*, const char*, MessageBoxResult, std::string, bool> cases[] = {
        {"mat", "mat", MessageBoxResult::Ok,
         "The words used as the start and end of a Ladderly\r\npuzzle must be:\r\n\r\n    a) 1-7 "
         "letters in length; and\r\n    b) different from each other.\r\n\r\nThe words you "
         "entered (\"mat\" and \"mat\") do not\r\nmeet both these criteria.",
         false},
        {"Cat", "", MessageBoxResult::Ok, "The words used", false},
        {"abcdefgh", "dog", MessageBoxResult::Ok, "The words used", false},
        {"yak", "gnu", MessageBoxResult::Ok, "", true},
        {"cat", "dog", MessageBoxResult::Yes,
         "Warning: \"cat\" has already been used in 2 puzzles\r\nand \"dog\" has already been used "
         "in 1 puzzle. Do\r\n",
         true},
        {"cat", "yak", MessageBoxResult::No,
         "Warning: \"cat\" has already been used in 2 puzzles.\r\nDo you want to create the new "
         "puzzle anyway?",
         false},
        {"yak", "OWL", MessageBoxResult::Yes,
         "Warning: \"owl\" has already been used in 1 puzzle.\r\n", true},
        {"cow", "cat", MessageBoxResult::No,
         "There is already a puzzle using the words \"cow\"\r\nand \"cat\". Do you want to "
         "create a new puzzle with\r\nthese words anyway?",
         false},
    };
    for (const auto& [start, end, answer, box, outcome] : cases) {
        FakeUserInterface ui;
        ui.Answer(answer);
        TPuzzleCore core;
        SetPuzzles(core, "cat/cow/c/ cat/bee/c/ ant/dog/c/ emu/owl/c/");
        EXPECT_EQ(core.CheckNewPuzzleWords(start, end), outcome) << start << " " << end;
        ASSERT_EQ(ui.boxes.size(), box.empty() ? 0u : 1u) << start << " " << end;
        const MessageBoxStyle buttons =
            answer == MessageBoxResult::Ok ? MessageBoxStyle::Ok : MessageBoxStyle::YesNo;
        EXPECT_TRUE(box.empty() || (ui.boxes[0].text.starts_with(box) &&
                                    (ui.boxes[0].style & MessageBoxStyle::ButtonMask) == buttons));
    }
}

} // namespace
