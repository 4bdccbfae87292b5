#pragma once
// The game room's puzzle data and the operations on it: the vocabulary store, the puzzle
// collection with its file, validation, and the board rules of the step actions. The game room
// derives from it; the fields are public because the room's dialogs work on them directly.
//
// Owns: Vocabulary, PuzzleLines and the board (Rows, Actions, RowCount).

#include "core/StepActions.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line of the puzzle collection with its attached value: the error flag on a puzzle's first
// line (0 = no errors, 1 = has errors), 0 on the other lines.
struct TPuzzleLine {
    std::string Text;
    int32_t Value = 0;
};

class TPuzzleCore {
  public:
    // Captions and the question asked before the puzzles are written back.
    static constexpr std::string_view MessageCaption = "Ladderly";
    static constexpr std::string_view SaveQuestion =
        "You have created, modified or deleted one or more puzzles.\r\n"
        "Do you want to save these changes?\r\n"
        "(Click \"No\" to discard the changes.)";
    static constexpr std::string_view LoadErrorsTitle =
        "Errors were found while loading. Not all puzzles are available for play.\r\n";
    static constexpr std::string_view VocabularyFileName = "vocab.txt";
    static constexpr std::string_view PuzzleFileName = "puzzle.txt";

    // dataFolder holds vocab.txt and puzzle.txt.
    explicit TPuzzleCore(std::filesystem::path dataFolder = {});
    virtual ~TPuzzleCore() = default;
    TPuzzleCore(const TPuzzleCore&) = delete;
    TPuzzleCore& operator=(const TPuzzleCore&) = delete;

    const std::filesystem::path& DataFolder() const { return DataFolder_; }
    void SetDataFolder(std::filesystem::path folder) { DataFolder_ = std::move(folder); }

    // Vocabulary store.
    bool LoadVocabulary();
    bool IsInVocabulary(std::string_view word) const;
    void AddVocabularyWord(std::string_view word);
    void SaveVocabulary();

    // Puzzle collection and puzzle file. n is a 1-based puzzle number, f a field 0-3, r a row.
    void LoadGameData();
    bool LoadPuzzles();
    std::string PuzzleField(int n, int f) const;
    static int PuzzleSortKey(const std::vector<std::string>& lines, int n);
    bool PuzzleHasErrors(int n) const;
    void SetPuzzleHasErrors(int n, bool flag);
    bool IsPuzzleDeleted(int n) const;
    void SetPuzzleDeleted(int n, bool flag);
    void RemoveDeletedPuzzles();
    std::string GetHint(int r) const;
    void SetHint(int r, std::string_view word);
    int NextHint(std::string& hint) const;
    void SavePuzzles();
    void ClearGameData();

    // Validation.
    bool ValidatePuzzle(int n, std::string& errors) const;
    void ValidateAllPuzzles();

    // Board rules of the step actions.
    int RowLength(int r) const;
    bool InferStepActions();
    bool NormalizeRowLengths();

    std::vector<std::string> Vocabulary;
    // Modification times of the files at their last load (FileDate's Time); none before the
    // first load and after clearing.
    std::optional<int64_t> VocabFileDate;
    std::vector<TPuzzleLine> PuzzleLines;
    int32_t PuzzleCount = 0;
    int32_t CurrentPuzzle = 0;
    bool PuzzlesModified = false;
    std::optional<int64_t> PuzzleFileDate;

    // The board: Rows[1..RowCount] hold the row words in upper case with a blank for each
    // unfilled letter (Rows[0] is unused so rows keep their numbers); Actions holds a blank and
    // then the code that produces each row 2..RowCount.
    bool EditMode = false;
    int32_t RowCount = 0;
    std::string Actions;
    std::array<std::string, MaxRows + 1> Rows;

  private:
    std::filesystem::path FilePath(std::string_view name) const { return DataFolder_ / name; }
    bool HasPuzzle(int n) const;
    TPuzzleLine* FieldLine(int n, int f);

    std::filesystem::path DataFolder_;
};
