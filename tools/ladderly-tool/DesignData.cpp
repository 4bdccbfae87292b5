#include "DesignData.h"

#include "base/TextFile.h"
#include "base/Util.h"
#include "core/PuzzleCore.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace {
std::vector<std::string> ReadDataFile(const std::filesystem::path& path) {
    if (FileDate(path).State != FileState::Readable) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return ReadTextLines(path);
}
} // namespace

TDesignData LoadDesignData(const std::filesystem::path& folder, bool withPuzzles) {
    TDesignData data;
    data.Vocabulary = ReadDataFile(folder / TPuzzleCore::VocabularyFileName);
    data.Index = std::make_unique<TStepIndex>(data.Vocabulary);
    if (!withPuzzles) {
        return data;
    }
    const std::vector<std::string> lines = ReadDataFile(folder / TPuzzleCore::PuzzleFileName);
    std::vector<int> order(lines.size() / 4);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&lines](int a, int b) {
        return TPuzzleCore::PuzzleSortKey(lines, a) < TPuzzleCore::PuzzleSortKey(lines, b);
    });
    for (const int n : order) {
        const size_t first = static_cast<size_t>(n - 1) * 4;
        data.Puzzles.push_back(TLadderPuzzle::FromLines(lines[first], lines[first + 1],
                                                        lines[first + 2], lines[first + 3]));
    }
    return data;
}

std::string PuzzleName(size_t number, const TLadderPuzzle& puzzle) {
    return "puzzle " + std::to_string(number) + " (" + UpperCaseASCII(puzzle.Start) + " => " +
           UpperCaseASCII(puzzle.End) + ")";
}

std::filesystem::path TakeDataFolder(std::vector<std::string>& args) {
    const auto option = std::find(args.begin(), args.end(), "-d");
    if (option == args.end() || option + 1 == args.end()) {
        return "data";
    }
    std::filesystem::path folder = *(option + 1);
    args.erase(option, option + 2);
    return folder;
}
