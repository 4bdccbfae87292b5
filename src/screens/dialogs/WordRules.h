#pragma once
// The vocabulary editor's word rules: the words a designer may never add, and the list item
// nearest to the text being typed.

#include <string>
#include <string_view>
#include <vector>

// False for a blocked word: one equal to a blocked word, or one containing a blocked stem.
bool IsWordAllowed(std::string_view word);

// Binary search by exact character codes: the position of the item equal to the text, else of
// the first item greater than it, else the last item; -1 when there are no items.
int FindNearestItem(const std::vector<std::string>& items, std::string_view text);
