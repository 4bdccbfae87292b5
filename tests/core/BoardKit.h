#pragma once
// Boards for the core's tests, written as rows joined by "/" ("CAT/C T/DOG").

#include "core/PuzzleCore.h"

#include <string>
#include <string_view>

// Lays out the rows and the codes (after the leading blank).
inline void SetBoard(TPuzzleCore& core, std::string_view rows, const std::string& codes) {
    core.Rows = {};
    core.RowCount = 0;
    for (size_t start = 0, slash = 0; slash != std::string_view::npos; start = slash + 1) {
        slash = rows.find('/', start);
        core.Rows[static_cast<size_t>(++core.RowCount)] = rows.substr(start, slash - start);
    }
    core.Actions = " " + codes;
}

inline std::string BoardRows(const TPuzzleCore& core) {
    std::string rows = core.Rows[1];
    for (int r = 2; r <= core.RowCount; ++r) {
        rows += "/" + core.Rows[static_cast<size_t>(r)];
    }
    return rows;
}
