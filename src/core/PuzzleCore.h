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

// The judgement of one board row by a solution check.
inline constexpr uint8_t rsNotInVocabulary = 1; // complete, but not a word of the vocabulary
inline constexpr uint8_t rsBadStep = 2;         // a known word the row's action cannot reach
inline constexpr uint8_t rsIncomplete = 3;      // the row still holds a blank
inline constexpr uint8_t rsOK = 4;

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

    // Solution checking: judges every row into RowStatus; true when all rows are rsOK. A
    // loud check in edit mode offers to add the unknown words to the vocabulary.
    bool CheckSolution(bool quiet);

    // The ladder solver: a depth-first search that fills rows 2 .. RowCount - 1 from the
    // vocabulary, honouring the action codes and hints. The vocabulary is in length order
    // while it runs and back in its own order when SolveLadder returns, also by a fault.
    void SolveLadder();
    bool SolveFromRow(int r);

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

    // Solution checking: RowStatus[1..RowCount] as judged by the last check; ShowMarks asks
    // the board to draw them; Solved is set when a playing player's ladder is complete and
    // correct.
    std::array<uint8_t, MaxRows + 1> RowStatus{};
    bool ShowMarks = false;
    bool Solved = false;

    // The solver: LengthIndex[L] is the position of the first word of at least L letters in
    // the length-ordered vocabulary.
    std::array<int32_t, 9> LengthIndex{};
    bool SolverUnlocked = false;
    bool SolverAbort = false;

  protected:
    // What a screen adds to a check: the win when solved is new (Solved is set afterwards),
    // otherwise the marks of a loud check. The core alone shows nothing.
    virtual void ShowCheckResult(bool newlySolved, bool quiet);
    // The solver asks whether to give up, and shows each row it changes.
    virtual bool SolverStopped() const { return SolverAbort; }
    virtual void ShowSolverRow(int r);

  private:
    std::filesystem::path FilePath(std::string_view name) const { return DataFolder_ / name; }
    bool HasPuzzle(int n) const;
    TPuzzleLine* FieldLine(int n, int f);

    std::filesystem::path DataFolder_;
};
