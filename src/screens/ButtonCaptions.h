#pragma once
// The captions on the game room's buttons, by button name: the picture tool draws them and the
// screen reader reads them, so both say the same. An action button carries its action's code
// letter ("actcbtn" shows "C").

#include <array>
#include <string_view>

struct TButtonCaption {
    std::string_view Name;
    std::string_view Caption;
};

inline constexpr std::array<TButtonCaption, 13> ButtonCaptions = {{
    {"checkbtn", "Check"},
    {"hintbtn", "Hint"},
    {"startbtn", "Start Over"},
    {"newbtn", "New Puzzle"},
    {"selbtn", "Select Puzzle"},
    {"edvocbtn", "Vocabulary"},
    {"sugstbtn", "Suggest"},
    {"addrwbtn", "Add Row"},
    {"delrwbtn", "Delete Row"},
    {"sethnbtn", "Set Hint"},
    {"clrhnbtn", "Clear Hint"},
    {"accptbtn", "Accept"},
    {"canclbtn", "Cancel"},
}};

// The caption of the button with this (lower-case) name; empty for a name not listed.
inline constexpr std::string_view ButtonCaption(std::string_view name) {
    for (const TButtonCaption& button : ButtonCaptions) {
        if (button.Name == name) {
            return button.Caption;
        }
    }
    return {};
}
