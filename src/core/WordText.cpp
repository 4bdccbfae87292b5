#include "core/WordText.h"

#include <algorithm>

namespace {
unsigned char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
} // namespace

std::string_view TrimControls(std::string_view text) {
    while (!text.empty() && IsControlOrBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsControlOrBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const unsigned char x = FoldCase(a[i]);
        const unsigned char y = FoldCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}
