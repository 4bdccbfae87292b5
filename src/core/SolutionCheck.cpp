// Solution checking of TPuzzleCore: every row is judged for completeness, for the vocabulary
// and for the step from the row above.

#include "base/Messages.h"
#include "core/PuzzleCore.h"

bool TPuzzleCore::CheckSolution(bool quiet) {
    bool solved = !EditMode;
    bool ok = true;
    int unknown = 0;
    std::string list;
    // A row above judged unknown or badly stepped still serves as the step's source.
    const auto stepStatus = [this](int r) {
        const bool bad =
            r > 1 && RowStatus[static_cast<size_t>(r - 1)] != RowJudgement::Incomplete &&
            !IsValidStep(static_cast<size_t>(r - 1) < Actions.size()
                             ? Actions[static_cast<size_t>(r - 1)]
                             : ' ',
                         Rows[static_cast<size_t>(r - 1)], Rows[static_cast<size_t>(r)]);
        return bad ? RowJudgement::BadStep : RowJudgement::OK;
    };
    for (int r = 1; r <= RowCount && r <= MaxRows; ++r) {
        const std::string& row = Rows[static_cast<size_t>(r)];
        RowJudgement& status = RowStatus[static_cast<size_t>(r)];
        status = RowJudgement::OK;
        if (row.find(' ') != std::string::npos) {
            status = RowJudgement::Incomplete;
        } else if (!IsInVocabulary(row)) {
            status = RowJudgement::NotInVocabulary;
            ++unknown;
            list += ' ' + row;
        } else {
            status = stepStatus(r);
        }
        if (status != RowJudgement::OK) {
            solved = false;
            ok = false;
        }
    }

    if (EditMode && !quiet && unknown >= 1) {
        const bool one = unknown == 1;
        const std::string text =
            std::string("Your solution uses ") + (one ? "a word that is" : "words that are") +
            " not in the Ladderly vocabulary:\r\n\r\n" + list.substr(1) + "\r\n\r\n" +
            "Would you like " + (one ? "this word" : "these words") + " to be added?";
        if (Confirm(std::string(MessageCaption), text)) {
            for (int r = 1; r <= RowCount && r <= MaxRows; ++r) {
                if (RowStatus[static_cast<size_t>(r)] == RowJudgement::NotInVocabulary) {
                    AddVocabularyWord(Rows[static_cast<size_t>(r)]);
                    // Now known, the word is judged by its step.
                    RowStatus[static_cast<size_t>(r)] = stepStatus(r);
                }
            }
            SaveVocabulary();
        }
    }

    ShowMarks = !(quiet || solved);
    const bool newlySolved = solved && !Solved;
    ShowCheckResult(newlySolved, quiet);
    if (newlySolved) {
        Solved = true;
    }
    return ok;
}

// Without a screen there is nothing to show.
void TPuzzleCore::ShowCheckResult(bool, bool) {}
