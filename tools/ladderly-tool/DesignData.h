#pragma once
// A data folder as the designer's commands read it: the vocabulary of vocab.txt with its step
// index, and the puzzles of puzzle.txt numbered as the game numbers them.

#include "core/LadderSearch.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct TDesignData {
    std::vector<std::string> Vocabulary; // the lines of vocab.txt
    std::unique_ptr<TStepIndex> Index;
    std::vector<TLadderPuzzle> Puzzles; // in the game's order: fewer steps, shorter words first
};

// Reads folder/vocab.txt and, when withPuzzles is set, folder/puzzle.txt. Throws
// std::runtime_error naming the file when one cannot be read.
TDesignData LoadDesignData(const std::filesystem::path& folder, bool withPuzzles);

// "puzzle 3 (CAT => DOG)", as the game names a puzzle in its messages.
std::string PuzzleName(size_t number, const TLadderPuzzle& puzzle);

// Takes "-d DIR" out of args, if present; the folder is "data" otherwise.
std::filesystem::path TakeDataFolder(std::vector<std::string>& args);
