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

std::string WrapText(std::string_view text, size_t width) {
    std::string wrapped(text);
    size_t lineStart = 0;
    size_t lastBreak = std::string::npos;
    bool quoted = false;
    for (size_t i = 0; i < wrapped.size(); ++i) {
        const char c = wrapped[i];
        if (c == '\r' || c == '\n') {
            lineStart = i + 1;
            lastBreak = std::string::npos;
            continue;
        }
        // A character past the width, or a blank after a full line, ends the line at the last
        // blank where it may break.
        const size_t length = c == ' ' ? i - lineStart : i - lineStart + 1;
        if (length > width && lastBreak != std::string::npos) {
            wrapped.replace(lastBreak, 1, "\r\n");
            ++i;
            lineStart = lastBreak + 2;
            lastBreak = std::string::npos;
        }
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            lastBreak = i;
        }
    }
    return wrapped;
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
