#pragma once
// Text helpers shared by the puzzle core: the control-character trim, the word wrap of its
// messages and the case-insensitive order the vocabulary is kept in.

#include <string>
#include <string_view>

// Drops leading and trailing characters with codes 0 to 32.
std::string_view TrimControls(std::string_view text);

// Breaks the text into lines of at most width characters by turning blanks into CR LF. Blanks
// between double quotes never break, and a word longer than a line stays whole.
std::string WrapText(std::string_view text, size_t width);

// Compares byte by byte with A-Z folded to a-z; negative, zero or positive like strcmp.
int CompareNoCase(std::string_view a, std::string_view b);

inline bool LessNoCase(std::string_view a, std::string_view b) {
    return CompareNoCase(a, b) < 0;
}
inline bool EqualNoCase(std::string_view a, std::string_view b) {
    return CompareNoCase(a, b) == 0;
}
