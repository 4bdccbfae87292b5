#pragma once
// The game room's modal dialogs as the room sees them: the puzzle selector, the vocabulary
// editor and the About box. The Qt dialogs implement it; room tests use a scripted fake.

#include "core/ProgressJournal.h"

#include <cstdint>
#include <string>
#include <vector>

// One line of the puzzle selector: "<rows> <START> <END>" and the puzzle number it stands for,
// negated by the dialog when the player deletes the entry, and the player's mark on it.
struct TSelectorEntry {
    std::string Text;
    int32_t Value = 0;
    PuzzleMark Mark = PuzzleMark::None;
};

// The button that closed the puzzle selector; Close also when it was closed otherwise.
enum class SelectorResult {
    Close = 0,
    Play = 1,
    Edit = 2,
    Create = 3,
};

class IGameDialogs {
  public:
    virtual ~IGameDialogs() = default;

    // Shows the selector over the entries. position: in, the 1-based entry of the current
    // puzzle or 0; out, the entry selected when it closed or 0.
    virtual SelectorResult ExecuteSelector(std::vector<TSelectorEntry>& entries,
                                           int32_t& position) = 0;

    // Edits a copy of the vocabulary; true when the player closed with OK/Save and the list
    // was replaced.
    virtual bool ExecuteVocabEditor(std::vector<std::string>& vocabulary) = 0;

    // Shows the About box modally.
    virtual void ShowAbout() = 0;
};
