#pragma once
// The suggestion wizard's listing: every vocabulary word one step away from a word, grouped by
// action. The game room shows it in a message box; ladderly-tool prints it.

#include <string>
#include <string_view>
#include <vector>

// Caption of the box that shows the listing.
inline constexpr std::string_view SuggestionCaption = "Ladderly Suggestion Wizard";

// The listing for word (any case, letters only) over the vocabulary, in the vocabulary's order.
// It reads 'Transitions available for "WORD":' and, for each action in the order A, C, M, R, S,
// X that has results, a line with the action's name and a line with its words in upper case,
// each preceded by two blanks; lines are joined by CR LF and the title is followed by an empty
// line. Without results it reads 'Sorry - no transitions available for "WORD".'. Six passes
// over the vocabulary, one IsValidStep call per entry and action.
std::string SuggestionListing(const std::vector<std::string>& vocabulary, std::string_view word);
