// make-data SCOWL_FOLDER OUTPUT_FOLDER: writes the vocab.txt and puzzle.txt the game ships,
// checked with the game's own validation and step test. The same input gives the same files.

#include "PuzzleMaker.h"
#include "WordLists.h"

#include "core/PuzzleCore.h"
#include "core/TextFile.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {
// Size levels: everything up to VocabularyLevel is accepted, puzzles use only words up to
// CommonLevel so that a player knows them.
constexpr int VocabularyLevel = 60;
constexpr int CommonLevel = 35;
constexpr int PuzzleCount = 360;
constexpr uint32_t Seed = 20240917;

// Throws when a made puzzle is not one the game accepts and can be solved with its words.
void Check(const TPuzzleCore& core, int n, const TMadePuzzle& puzzle) {
    std::string errors;
    if (!core.ValidatePuzzle(n, errors)) {
        throw std::runtime_error("made an invalid puzzle:" + errors);
    }
    for (size_t row = 1; row < puzzle.Ladder.size(); ++row) {
        if (!core.IsInVocabulary(puzzle.Ladder[row]) ||
            !IsValidStep(puzzle.Codes[row - 1], puzzle.Ladder[row - 1], puzzle.Ladder[row])) {
            throw std::runtime_error("made an unsolvable puzzle from " + puzzle.Start);
        }
    }
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    WriteLinesWithBackup(path, lines);
    std::filesystem::path backup = path;
    std::filesystem::remove(backup.replace_extension(".bak"));
}

int Run(const std::filesystem::path& scowl, const std::filesystem::path& output) {
    const std::vector<std::string> vocabulary = ReadScowlWords(scowl, VocabularyLevel);
    std::vector<std::string> common = ReadScowlWords(scowl, CommonLevel);
    std::erase_if(common, IsUnsuitableForPuzzles);

    TPuzzleMaker maker(common, Seed);
    std::vector<TMadePuzzle> puzzles = maker.Make(PuzzleCount);
    // The order the game sorts them into: fewer steps first, then shorter words.
    std::stable_sort(puzzles.begin(), puzzles.end(), [](const auto& a, const auto& b) {
        const auto key = [](const TMadePuzzle& p) {
            return 15 * p.Codes.size() + p.Start.size() + p.End.size();
        };
        return key(a) < key(b);
    });

    TPuzzleCore core;
    core.Vocabulary = vocabulary;
    std::vector<std::string> lines;
    for (const TMadePuzzle& puzzle : puzzles) {
        std::string codes = puzzle.Codes;
        std::transform(codes.begin(), codes.end(), codes.begin(),
                       [](char c) { return static_cast<char>(c - 'A' + 'a'); });
        for (const std::string& line : {puzzle.Start, puzzle.End, codes, puzzle.Hints}) {
            lines.push_back(line);
            core.PuzzleLines.push_back({line, 0});
        }
        ++core.PuzzleCount;
        Check(core, core.PuzzleCount, puzzle);
    }

    std::filesystem::create_directories(output);
    WriteFile(output / TPuzzleCore::VocabularyFileName, vocabulary);
    WriteFile(output / TPuzzleCore::PuzzleFileName, lines);
    std::cout << "make-data: " << vocabulary.size() << " words, " << puzzles.size()
              << " puzzles in " << output.string() << '\n';
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-data SCOWL_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        return Run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "make-data: " << e.what() << '\n';
        return 1;
    }
}
