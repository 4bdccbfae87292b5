#include "core/PuzzleCore.h"

#include "core/BoardKit.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <tuple>

namespace {
namespace fs = std::filesystem;

const char* const Vocabulary = "bat\nbit\ncat\ncog\ncot\ncut\ndog\ndot\n";
// Loaded, bat-bit comes first (fewer steps) and cat-dog second.
const char* const Puzzles = "cat\ndog\nccc\n2=cot,3=dot\nbat\nbit\nc\n\n";

struct Designer {
    Designer() {
        folder.Write("vocab.txt", Vocabulary);
        folder.Write("puzzle.txt", Puzzles);
        core.LoadGameData();
    }
    // Rewrites puzzle.txt with a newer time, as another copy of the game saving would.
    void RewritePuzzles(std::string_view text) {
        const fs::path file = folder.Write("puzzle.txt", text);
        fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(++saves));
    }
    std::string Lines(int n) const {
        std::string text;
        for (int f = 0; f < 4; ++f) {
            text +=
                (f == 0 ? "" : "/") + core.PuzzleLines[static_cast<size_t>((n - 1) * 4 + f)].Text;
        }
        return text;
    }
    TempFolder folder;
    FakeUserInterface ui;
    TPuzzleCore core{folder.Path()};
    int saves = 0;
};

// Board, cursor row and keys pressed; the codes after each key ("-" when the key chose nothing)
// and the rows at the end.
TEST(PuzzleEditing, ActionKeys) {
    const std::tuple<const char*, const char*, int, const char*, const char*, const char*> cases[] =
        {
            {"CART/CAT/COT/CAT", "RCC", 2, "+++", "CRC ARR -", "CART/CAT  /COT /CAT"},
            {"CAT/CART/CAR/CAT", "ARC", 2, "---", "CCC RAC -", "CAT/CA/CAR/CAT"},
            {"CAT/ACT/TAC/CAT", "MCC", 2, "=====", "CCC SCC XCC MCC CCC", "CAT/ACT/TAC/CAT"},
            {"CAT/CART/CAT", "AR", 2, "=+", "- -", "CAT/CART/CAT"},
            {"CAT/   /DOG", "CC", 3, "+-", "- -", "CAT/   /DOG"},
            {"CAT/   /DOG", "CC", 2, "+", "AR", "CAT/    /DOG"},
            {"A/ /AB", "CA", 2, "-", "-", "A/ /AB"},
            {"ABCDEFG/       /ABCDEF", "CR", 2, "+", "-", "ABCDEFG/       /ABCDEF"},
            {"CAT/DOG", "C", 1, "+-=", "- - -", "CAT/DOG"},
        };
    for (const auto& [rows, codes, r, keys, expectedCodes, expectedRows] : cases) {
        TPuzzleCore core;
        core.PuzzleLines = {{"", 0}, {"", 0}, {"", 0}, {"", 0}};
        core.PuzzleCount = core.CurrentPuzzle = 1;
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
        EXPECT_EQ(seen, expectedCodes) << rows << " " << keys;
        EXPECT_EQ(BoardRows(core), expectedRows) << rows << " " << keys;
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
        {"CAT/COT/   /   /DOG", "CXSC", "2=cot", 4, "CAT/COT/   /DOG CXC 2=cot"},
        {"CAT/COT/DOT/DIG/DOG", "CXSC", "2=cot,4=dig", 2, "CAT/COT/DOT/DOG CXC 2=cot"},
        {"CAT/    /CARTS/CARTS/CART/DOG", "AACRR", "3=carts,5=cart", 2,
         "CAT/CART/CARTS/CART/DOG AARR 4=cart"},
    };
    for (const auto& [rows, codes, hints, r, expected] : cases) {
        TPuzzleCore core;
        core.PuzzleLines = {{"cat", 0}, {"dog", 0}, {codes, 0}, {hints, 0}};
        core.PuzzleCount = core.CurrentPuzzle = 1;
        SetBoard(core, rows, codes);
        core.EditMode = core.KeepRows = true;
        core.DeleteRow(r);
        EXPECT_EQ(BoardRows(core) + " " + core.Actions.substr(1) + " " + core.PuzzleLines[3].Text,
                  expected)
            << rows << " " << r;
        EXPECT_EQ(core.PuzzleField(1, 2), core.Actions.substr(1));
    }
}

// A new puzzle whose end word is unknown cannot be accepted; cancelling removes it, also after
// "start" has reread a newer file that sorts differently.
TEST(PuzzleEditing, NewPuzzleAcrossAReread) {
    Designer d;
    TPuzzleCore& core = d.core;
    core.LoadPuzzle(2);
    d.ui.AnswerInput("dot zzz");
    core.CreateNewPuzzle();
    ASSERT_EQ(core.CurrentPuzzle, 3);
    core.Rows[2] = "ZOT";
    EXPECT_FALSE(core.AcceptEdit());
    ASSERT_EQ(d.ui.boxes.size(), 1u);
    EXPECT_EQ(d.ui.boxes[0].text, "Problems found. Make changes and try again:\r\n\r\nThe final "
                                  "word (ZZZ) of the puzzle is not in the game vocabulary.");
    EXPECT_EQ(d.ui.boxes[0].style, MessageBoxStyle::Ok);
    EXPECT_TRUE(core.EditMode);
    EXPECT_EQ(core.Rows[2], "ZOT");

    // Another copy of the game saved the same new puzzle meanwhile.
    d.RewritePuzzles(
        "dot\nzzz\nccccccccc\n\ncot\ndot\nc\n\nbat\nbit\nc\n\ncat\ndog\nccc\n2=cot,3=dot\n");
    core.KeepRows = false;
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_EQ(core.PuzzleCount, 5);
    EXPECT_EQ(core.CurrentPuzzle, 5);
    EXPECT_EQ(d.Lines(5), "dot/zzz/CCCCCCCCC/");
    core.CancelEdit();
    EXPECT_EQ(core.CurrentPuzzle, 3) << "back to the puzzle shown before, renumbered";
    EXPECT_EQ(core.PuzzleCount, 4);
    EXPECT_EQ(core.PuzzleLines.size(), 16u);
    EXPECT_EQ(d.Lines(1) + " " + d.Lines(2) + " " + d.Lines(3) + " " + d.Lines(4),
              "cot/dot/c/ bat/bit/c/ cat/dog/ccc/2=cot,3=dot dot/zzz/ccccccccc/");
    EXPECT_FALSE(core.PuzzlesModified);
}

// An edited puzzle keeps its unsaved rows and hints when the file is reread, wherever the new
// order puts it, and is appended when the file lost it; in play mode the board's puzzle is
// followed to its new number, and when it is gone no number past the collection remains.
TEST(PuzzleEditing, EditedPuzzleAcrossRereads) {
    Designer d;
    TPuzzleCore& core = d.core;
    core.LoadPuzzle(2);
    core.EditCurrentPuzzle();
    core.AddRow();
    core.SetHint(4, "DOT");
    d.RewritePuzzles("cat\ndog\nccc\n2=cot,3=dot\nbat\nbit\nc\n\ncot\ndot\nc\n\n");
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_EQ(core.CurrentPuzzle, 3);
    EXPECT_EQ(d.Lines(3), "cat/dog/cccc/2=cot,3=dot,4=dot");
    core.CancelEdit();
    EXPECT_EQ(d.Lines(3), "cat/dog/ccc/2=cot,3=dot");
    EXPECT_EQ(core.CurrentPuzzle, 3);

    core.EditCurrentPuzzle();
    core.SetHint(2, "");
    d.RewritePuzzles("bat\nbit\nc\n\n");
    ASSERT_TRUE(core.LoadPuzzles());
    ASSERT_EQ(core.PuzzleCount, 2);
    EXPECT_EQ(core.CurrentPuzzle, 2);
    EXPECT_EQ(d.Lines(2), "cat/dog/ccc/3=dot");
    EXPECT_TRUE(core.AcceptEdit());

    d.RewritePuzzles("cat\ndog\nccc\n3=dot\nbat\nbit\nc\n\nbat\ncat\nc\n\n");
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_EQ(core.CurrentPuzzle, 3) << "the board's puzzle in play mode";
    d.RewritePuzzles("bat\nbit\nc\n\n");
    ASSERT_TRUE(core.LoadPuzzles());
    EXPECT_EQ(core.CurrentPuzzle, 1) << "a puzzle gone from the file";
    core.CurrentPuzzle = 2;
    core.EditCurrentPuzzle();
    EXPECT_FALSE(core.EditMode) << "no puzzle to edit";
}

// Random designer sessions using only enabled commands, a few edits each, and the window closed
// at the end, often in the middle of an edit: the board stays laid out by its codes, other
// puzzles never change, cancel restores the collection exactly (asking first after a change),
// accept stores a valid puzzle or changes nothing, and closing writes only accepted puzzles.
TEST(PuzzleEditing, RandomSessions) {
    std::mt19937 random(2026);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    const auto text = [](const std::vector<TPuzzleLine>& lines) {
        std::string joined;
        for (const TPuzzleLine& line : lines) {
            joined += line.Text + "\r\n";
        }
        return joined;
    };
    int acceptedEdits = 0;
    int savedMidEdit = 0;
    for (int session = 0; session < 300; ++session) {
        Designer d;
        TPuzzleCore& core = d.core;
        // As after a deletion earlier on.
        core.PuzzlesModified = pick(0, 1) == 1;
        std::vector<TPuzzleLine> accepted = core.PuzzleLines;
        for (int edit = 0; edit < 3 && !core.EditMode; ++edit) {
            core.LoadPuzzle(pick(1, core.PuzzleCount));
            const int shown = core.CurrentPuzzle;
            const bool fresh = pick(0, 1) == 1;
            if (fresh) {
                const char* const pairs[] = {"cat dog", "bit cots", "a abcdefg", "abcdefg cat"};
                d.ui.AnswerInput(pairs[pick(0, 3)]);
                core.CreateNewPuzzle();
            } else {
                core.EditCurrentPuzzle();
            }
            ASSERT_TRUE(core.EditMode);
            const int current = core.CurrentPuzzle;
            const std::vector<TPuzzleLine> before = core.PuzzleLines;
            const std::string start = core.Rows[1];
            const std::string end = core.Rows[static_cast<size_t>(core.RowCount)];
            for (int step = 0; step < 40; ++step) {
                const int r = pick(2, core.RowCount);
                switch (pick(0, 7)) {
                case 0:
                    if (const char code = "ACMRSX"[pick(0, 5)]; core.CanChooseAction(r, code)) {
                        core.ChooseAction(r, code);
                    }
                    break;
                case 1:
                    if (const char code = core.ActionKeyCode(r, "=+-"[pick(0, 2)])) {
                        core.ChooseAction(r, code);
                    }
                    break;
                case 2:
                    if (core.CanAddRow()) {
                        core.AddRow();
                    }
                    break;
                case 3:
                    if (core.CanDeleteRow()) {
                        core.DeleteRow(r);
                    }
                    break;
                case 4:
                case 5:
                    if (r < core.RowCount) {
                        for (char& c : core.Rows[static_cast<size_t>(r)]) {
                            c = "  ABCOT"[pick(0, 6)];
                        }
                        core.FollowRowWithHint(r);
                        core.InferStepActions();
                    }
                    break;
                case 6:
                    if (core.CanSetHint(r)) {
                        core.SetHint(r, core.Rows[static_cast<size_t>(r)]);
                    }
                    break;
                default:
                    d.ui.Answer(pick(0, 1) == 1 ? MessageBoxResult::Yes : MessageBoxResult::No);
                    if (core.CanClearHint(r)) {
                        core.AskToClearHint(r);
                    }
                    d.ui.replies.clear();
                    break;
                }
                ASSERT_EQ(core.CurrentPuzzle, current);
                ASSERT_EQ(static_cast<int>(core.Actions.size()), core.RowCount);
                ASSERT_EQ(core.PuzzleField(current, 2).size(), core.Actions.size() - 1);
                ASSERT_EQ(core.Rows[1], start);
                ASSERT_EQ(core.Rows[static_cast<size_t>(core.RowCount)], end);
                for (int k = 2; k < core.RowCount; ++k) {
                    const std::string& row = core.Rows[static_cast<size_t>(k)];
                    ASSERT_EQ(static_cast<int>(row.size()), core.RowLength(k))
                        << "session " << session << " step " << step;
                    const std::string hint = core.GetHint(k);
                    ASSERT_TRUE(hint.empty() ||
                                (hint.size() == row.size() && hint.find(' ') == std::string::npos))
                        << "session " << session << " step " << step;
                }
                for (size_t i = 0; i < before.size(); ++i) {
                    if (static_cast<int>(i / 4) + 1 != current) {
                        ASSERT_EQ(core.PuzzleLines[i].Text, before[i].Text);
                    }
                }
            }
            const int ending = pick(0, 2);
            if (ending == 1) {
                const std::string actions = core.Actions;
                const size_t boxes = d.ui.boxes.size();
                core.SetPuzzleHasErrors(current, true);
                const bool passed = core.AcceptEdit();
                EXPECT_EQ(core.PuzzleHasErrors(current), !passed);
                std::string errors;
                EXPECT_EQ(passed, core.ValidatePuzzle(current, errors) && !core.EditMode);
                EXPECT_EQ(d.ui.boxes.size(), boxes + (passed ? 0 : 1));
                if (passed) {
                    EXPECT_TRUE(core.PuzzlesModified);
                    accepted = core.PuzzleLines;
                    ++acceptedEdits;
                    continue;
                }
                EXPECT_EQ(core.Actions, actions);
                core.SetPuzzleHasErrors(current, false);
            }
            if (ending != 2) {
                const size_t boxes = d.ui.boxes.size();
                const bool edited = core.PuzzleEdited();
                d.ui.Answer(MessageBoxResult::Yes);
                EXPECT_TRUE(core.AskToCancelEdit());
                d.ui.replies.clear();
                EXPECT_EQ(d.ui.boxes.size(), boxes + (edited ? 1 : 0));
                EXPECT_EQ(text(core.PuzzleLines), text(accepted)) << session;
                EXPECT_EQ(core.CurrentPuzzle, fresh ? shown : current);
            }
        }
        // The window closes.
        const bool midEdit = core.EditMode;
        const bool unaccepted = core.CanAcceptEdit();
        const bool modified = core.PuzzlesModified;
        const bool save = pick(0, 1) == 1;
        const size_t boxes = d.ui.boxes.size();
        d.ui.Answer(save ? MessageBoxResult::Yes : MessageBoxResult::No);
        core.SavePuzzles();
        ASSERT_EQ(d.ui.boxes.size(), boxes + (modified ? 1 : 0));
        if (modified) {
            EXPECT_EQ(d.ui.boxes.back().text,
                      std::string(unaccepted ? TPuzzleCore::UnacceptedEditNote : "") +
                          std::string(TPuzzleCore::SaveQuestion));
        }
        const bool written = modified && save;
        savedMidEdit += written && midEdit ? 1 : 0;
        EXPECT_EQ(d.folder.Read("puzzle.txt"), written ? text(accepted) : Puzzles) << session;
        TPuzzleCore reloaded(d.folder.Path());
        reloaded.LoadGameData();
        for (int n = 1; n <= reloaded.PuzzleCount; ++n) {
            EXPECT_FALSE(reloaded.PuzzleHasErrors(n)) << session << " " << n;
        }
    }
    EXPECT_GT(acceptedEdits, 30);
    EXPECT_GT(savedMidEdit, 30);
}

// The wizard takes a complete row as it is and asks for a word for an incomplete one (cancelled:
// nothing; "c-a t!" is CAT) and searches under the busy cursor.
TEST(PuzzleEditing, SuggestionWizard) {
    FakeUserInterface ui;
    TPuzzleCore core;
    core.Vocabulary = {"act", "at", "bat", "cart", "cat", "cot", "tac"};
    SetBoard(core, "CAT/C T/COT/DOG", "CCC");
    core.Suggest(3);
    core.Suggest(2);
    ui.AnswerInput("c-a t!");
    core.Suggest(2);
    ASSERT_EQ(ui.inputs.size(), 2u);
    EXPECT_EQ(ui.inputs[0].caption + ": " + ui.inputs[0].prompt,
              "Ladderly Suggestion Wizard: What word do you want suggestions for?");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].caption, "Ladderly Suggestion Wizard");
    EXPECT_EQ(ui.boxes[0].text,
              "Transitions available for \"COT\":\r\n\r\nChange 1 Letter\r\n  CAT");
    EXPECT_EQ(ui.boxes[1].text.substr(0, 32), "Transitions available for \"CAT\":");
    EXPECT_EQ(ui.busyCursor, (std::vector<bool>{true, false, true, false}));
}

} // namespace
