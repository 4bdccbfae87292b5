// Reads arbitrary bytes as a word list and, in groups of four lines, as puzzles: builds the
// step index from every line, then solves each puzzle and searches a free ladder between its
// words, as ladderly-tool does with the files it is given.

#include "base/TextFile.h"
#include "core/LadderSearch.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> lines =
        SplitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    const TStepIndex index(lines);
    for (size_t i = 0; i + 3 < lines.size(); i += 4) {
        const TLadderPuzzle puzzle =
            TLadderPuzzle::FromLines(lines[i], lines[i + 1], lines[i + 2], lines[i + 3]);
        SolvePuzzle(index, puzzle, 100, 3);
        ShortestLadder(index, index.Find(puzzle.Start), index.Find(puzzle.End));
    }
    return 0;
}
