#pragma once
// The game room's puzzle data and the operations on it: the vocabulary store, the puzzle
// collection with its file, validation, the board rules of the step actions, and the puzzle
// editor's rules. The game room derives from it and extends LoadPuzzle and SetEditMode with its
// screen; the fields are public because the room's dialogs work on them directly.
//
// Owns: Vocabulary, PuzzleLines, the board (Rows, Actions, RowCount) and the editor's state.

#include "core/StepActions.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The judgement of one board row by a solution check.
enum class RowJudgement : uint8_t {
    Unchecked = 0,
    NotInVocabulary = 1, // complete, but not a word of the vocabulary
    BadStep = 2,         // a known word the row's action cannot reach
    Incomplete = 3,      // the row still holds a blank
    OK = 4,
};

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
    // Put before the save question when the window closes in the middle of an edit.
    static constexpr std::string_view UnacceptedEditNote =
        "You are still editing a puzzle. Changes to it that have not been accepted will be "
        "lost.\r\n\r\n";
    static constexpr std::string_view CancelEditQuestion =
        "Really discard the changes you have made to this puzzle?";
    static constexpr std::string_view LoadErrorsTitle =
        "Errors were found while loading. Not all puzzles are available for play.\r\n";
    static constexpr std::string_view VocabularyFileName = "vocab.txt";
    static constexpr std::string_view PuzzleFileName = "puzzle.txt";
    // Start word, end word, action line and hint line.
    static constexpr int LinesPerPuzzle = 4;

    // dataFolder holds vocab.txt and puzzle.txt as installed. userFolder, when given, holds
    // this user's own copies: a file is read from there when it exists and from dataFolder
    // otherwise, and saved only there. Without one, dataFolder's files are read and saved.
    explicit TPuzzleCore(std::filesystem::path dataFolder = {},
                         std::filesystem::path userFolder = {});
    virtual ~TPuzzleCore() = default;
    TPuzzleCore(const TPuzzleCore&) = delete;
    TPuzzleCore& operator=(const TPuzzleCore&) = delete;

    const std::filesystem::path& DataFolder() const { return DataFolder_; }
    void SetDataFolder(std::filesystem::path folder) { DataFolder_ = std::move(folder); }
    // The file of that name a load reads: the user's copy when there is one.
    std::filesystem::path ReadPath(std::string_view name) const;
    // The file of that name a save writes, making the user's folder when it is missing.
    std::filesystem::path SavePath(std::string_view name) const;

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
    // Asks, writes and clears the data. An edit still open is cancelled first, so only
    // accepted puzzles are written.
    void SavePuzzles();
    void ClearGameData();

    // Validation.
    bool ValidatePuzzle(int n, std::string& errors) const;
    void ValidateAllPuzzles();

    // Board rules of the step actions.
    int RowLength(int r) const;
    bool InferStepActions();
    bool NormalizeRowLengths();

    // Solution checking: judges every row into RowStatus; true when all rows are OK. A
    // loud check in edit mode offers to add the unknown words to the vocabulary.
    bool CheckSolution(bool quiet);

    // The ladder solver: a depth-first search that fills rows 2 .. RowCount - 1 from the
    // vocabulary, honouring the action codes and hints. The vocabulary is in length order
    // while it runs and back in its own order when SolveLadder returns, also by a fault.
    void SolveLadder();
    bool SolveFromRow(int r);

    // The puzzle on the board. Puts puzzle n's words and codes on the board (in play mode the
    // first puzzle from n on without errors; none for 0 or a number past the collection) and
    // blanks the rows between them, unless the editor keeps them.
    virtual void LoadPuzzle(int n);

    // New puzzles and opening a puzzle in the editor.
    virtual void SetEditMode(bool flag);
    void CreateNewPuzzle();
    void EditCurrentPuzzle();
    bool CheckNewPuzzleWords(std::string start, std::string end) const;
    // The two words of the designer's "start end" input, lower case, letters a-z only; nothing
    // when the input holds no blank between words.
    static std::optional<std::pair<std::string, std::string>>
    ParseNewPuzzleWords(std::string_view text);
    // The nine codes of a new puzzle: R or A for each letter the lengths differ by, then C.
    static std::string InitialActionCodes(std::string_view start, std::string_view end);

    // Edit mode. r is the row under the cursor; the Can... rules say when a command is enabled.
    bool PuzzleEdited() const;
    bool CanChooseAction(int r, char code) const;
    bool CanAddRow() const;
    bool CanDeleteRow() const;
    bool CanSetHint(int r) const;
    bool CanClearHint(int r) const;
    bool CanAcceptEdit() const;
    // The code an action key ('=', '+' or '-') chooses for row r when that choice is enabled;
    // 0 for none.
    char ActionKeyCode(int r, char key) const;
    // Gives row r the code and fits the rows to it; true when more than row r changed.
    bool ChooseAction(int r, char code);
    void AddRow();
    void DeleteRow(int r);
    // After typing into row r: a hinted row holding a different complete word makes it the
    // hint. True when the hint changed.
    bool FollowRowWithHint(int r);
    // Asks before clearing row r's hint; true when it was cleared.
    bool AskToClearHint(int r);
    // Validates the board's puzzle; stores it and leaves edit mode, or shows the problems.
    bool AcceptEdit();
    // Leaves edit mode, removing a new puzzle (the board goes back to the puzzle it showed
    // before) or restoring an edited one.
    void CancelEdit();
    // Asks before cancelling an edit that changed the puzzle; true when it was cancelled.
    bool AskToCancelEdit();
    // The suggestion wizard for row r: the row's word when it is complete, otherwise the word
    // the designer types; every vocabulary word one step from it, grouped by action.
    void Suggest(int r) const;
    void ShowSuggestions(std::string_view word) const;

    std::vector<std::string> Vocabulary;
    // Modification times of the files at their last load (FileDate's Time); none before the
    // first load and after clearing. A load also reads when the file to read is another one
    // than last time (a user's copy appeared or went).
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

    // The editor: KeepRows keeps the typed rows when the puzzle is reloaded; NewPuzzle tells a
    // puzzle created for this edit; the start values are its action and hint lines (upper case)
    // as they were when editing began; EditStartPuzzle is the puzzle the board showed before a
    // new one was created.
    bool KeepRows = false;
    bool NewPuzzle = false;
    std::string EditStartActions;
    std::string EditStartHints;
    int32_t EditStartPuzzle = 0;

    // Solution checking: RowStatus[1..RowCount] as judged by the last check; ShowMarks asks
    // the board to draw them; Solved is set when a playing player's ladder is complete and
    // correct.
    std::array<RowJudgement, MaxRows + 1> RowStatus{};
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
    bool HasPuzzle(int n) const;
    TPuzzleLine* FieldLine(int n, int f);
    int FirstPlayablePuzzle(int n) const;
    void AppendNewPuzzle(const std::string& start, const std::string& end);
    void RememberEditStart(bool newPuzzle);
    void StoreBoardActions();
    void KeepPuzzleOnBoard(std::vector<TPuzzleLine> onBoard);
    // The start word, end word and action line of puzzle n, which tell it on the board; empty
    // when there is no puzzle n.
    std::vector<std::string> PuzzleWordsAndCodes(int n) const;
    // The first puzzle whose leading fields equal the given ones (case and trailing controls
    // aside); 0 when there is none.
    int FindPuzzle(const std::vector<std::string>& fields) const;
    // Puts the collection back as it was before the edit; returns the puzzle the board shows
    // next.
    int DiscardEdit();
    // Appends a message for each hint of puzzle p that is not a vocabulary word of its row's
    // length reached by valid steps from and to the neighbouring rows the puzzle fixes.
    bool ValidateHints(int p, const std::string& codes, const std::string& name,
                       std::string& errors) const;
    std::string AskSuggestionWord(int r) const;

    std::filesystem::path DataFolder_;
    std::filesystem::path UserFolder_;
    // The files the last loads read.
    std::filesystem::path VocabFileRead;
    std::filesystem::path PuzzleFileRead;
};
