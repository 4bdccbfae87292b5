#pragma once
// Boards for the core's tests, written as rows joined by "/" ("CAT/C T/DOG"), and a core that
// has loaded its data files from a folder of its own.

#include "core/PuzzleCore.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <chrono>
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

// Makes the puzzle of the four lines the only one, and the current one.
inline void SetOnePuzzle(TPuzzleCore& core, const char* start, const char* end, const char* codes,
                         const char* hints) {
    core.PuzzleLines = {{start, 0}, {end, 0}, {codes, 0}, {hints, 0}};
    core.PuzzleCount = core.CurrentPuzzle = 1;
}

// The puzzles written as "cat/dog/ccc/2=cot bat/bit/c/": four lines joined by "/" each.
inline void SetPuzzles(TPuzzleCore& core, std::string_view puzzles) {
    core.PuzzleLines.clear();
    for (size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = puzzles.find_first_of("/ ", start);
        core.PuzzleLines.push_back({std::string(puzzles.substr(start, end - start)), 0});
    }
    core.PuzzleCount = static_cast<int>(core.PuzzleLines.size() / 4);
}

// The current puzzle's number, the count, and every puzzle as SetPuzzles takes them.
inline std::string AllPuzzles(const TPuzzleCore& core) {
    std::string text = std::to_string(core.CurrentPuzzle) + "/" + std::to_string(core.PuzzleCount);
    for (size_t i = 0; i < core.PuzzleLines.size(); ++i) {
        text += (i % 4 == 0 ? " " : "/") + core.PuzzleLines[i].Text;
    }
    return text;
}

// A data folder holding the two files, and a core that has loaded them.
struct LoadedCore {
    LoadedCore(std::string_view vocabulary, std::string_view puzzles) {
        folder.Write("vocab.txt", vocabulary);
        folder.Write("puzzle.txt", puzzles);
        core.LoadGameData();
    }
    // Rewrites puzzle.txt with a newer time, as another copy of the game saving would, and
    // rereads it.
    bool Reread(std::string_view text) {
        const std::filesystem::path file = folder.Write("puzzle.txt", text);
        std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                                   std::chrono::seconds(++saves));
        return core.LoadPuzzles();
    }
    TempFolder folder;
    FakeUserInterface ui;
    TPuzzleCore core{folder.Path()};
    int saves = 0;
};
