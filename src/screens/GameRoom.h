#pragma once
// TGameRoom: the one screen of the game, "GAME". The puzzle core's data (vocabulary, puzzle
// collection, board) lives in its TPuzzleCore part; the room adds the board's drawing, the
// cursor, the buttons down the right-hand side, play mode with its keys and mouse presses, the
// win animation and the commands the buttons send.
//
// Owns the core's data, its frame sets and hit boxes, and the shared pictures it holds while
// entered (the letter tiles, the board graphics and, during a win, the "youwin" sprite).

#include "core/PuzzleCore.h"
#include "framework/StdRoom.h"
#include "graphics/HotImage.h"
#include "platform/InputCodes.h"
#include "screens/BoardCursor.h"
#include "screens/PuzzleProgress.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

class IGameDialogs;

// Function keys and the keys that type "=", "+" and "-" by their virtual-key codes.
namespace RoomKey {
inline constexpr uint16_t F1 = VirtualKey::F1;
inline constexpr uint16_t F2 = VirtualKey::F1 + 1;
inline constexpr uint16_t F3 = VirtualKey::F1 + 2;
inline constexpr uint16_t F5 = VirtualKey::F1 + 4;
inline constexpr uint16_t F6 = VirtualKey::F1 + 5;
inline constexpr uint16_t F11 = VirtualKey::F1 + 10;
inline constexpr uint16_t F12 = VirtualKey::F1 + 11;
inline constexpr uint16_t Equals = VirtualKey::OemPlus;
inline constexpr uint16_t Plus = VirtualKey::Add;
inline constexpr uint16_t Minus = VirtualKey::OemMinus;
} // namespace RoomKey

class TGameRoom : public TRoom, public TPuzzleCore {
  public:
    // Creates the room's controls and loads the vocabulary and the puzzles from dataFolder, or
    // this user's copies of them in userFolder (see TPuzzleCore). dialogs (not owned) may be
    // nullptr: the commands that need a dialog then say that it is not available.
    TGameRoom(const std::string& name, std::filesystem::path dataFolder, IGameDialogs* dialogs,
              std::filesystem::path userFolder = {});
    ~TGameRoom() override;

    CursorId GetCursor(const std::string& boxName, int32_t x, int32_t y) override;
    void RunScript(const std::string& script, const std::string& param) override;
    bool ControlEvent(TControlBox& box, ControlEventCode kind) override;
    void KeyEvent(uint16_t key, uint8_t shift, bool down) override;
    void Enter(const std::string& previousRoom) override;
    void DrawContents(TPX8ImageData* surface) override;
    // final: asks whether to save changed puzzles, then lets go of the data.
    void FreeGraphics(bool final) override;

    void UpdateButtons();
    void SetPaused(bool on);

    // Entering and leaving edit mode also updates the buttons.
    void SetEditMode(bool flag) override;

    // Play mode.
    void LoadPuzzle(int n) override;
    void StartOver();
    int PickNextPuzzle();
    void StartWinAnimation();
    void AnimateWin();
    void SelectPuzzle();

    // The board, drawn onto the given surface (nothing without a surface or pictures).
    void DrawRow(TPX8ImageData* surface, int r);
    void DrawCell(TPX8ImageData* surface, int r, int c);
    void DrawAllRows(TPX8ImageData* surface);
    void DrawCursor(TPX8ImageData* surface, bool on);
    void HideCheckMarks();

    // The board as the cursor rules see it.
    TBoardShape BoardShape() const;

    // True while the hidden solver searches; commands other than Esc wait for it.
    bool IsSolving() const { return Solving; }

    std::unique_ptr<THotImage> WinSprite;
    std::unique_ptr<THotImage> LetterTiles;
    std::unique_ptr<THotImage> BoardGraphics;
    int32_t WinX = 0;
    int32_t WinY = 0;
    int32_t WinSpeed = 0;
    int32_t WinDX = 0;
    int32_t WinDY = 0;
    int32_t BoardLeft = 0;
    int32_t BoardTop = 0;
    int32_t CursorColumn = 0;
    int32_t CursorRow = 0;
    int32_t BoardWidth = 0;
    int32_t WinTicks = 0;
    bool Paused = false;

    // Chooses random puzzles and the win sprite's bounces; tests seed it.
    std::mt19937 Random;

    // The player's marks on the puzzles; the game's start-up opens its journal.
    TPuzzleProgress Progress;

  protected:
    void ShowCheckResult(bool newlySolved, bool quiet) override;
    bool SolverStopped() const override;
    void ShowSolverRow(int r) override;

  private:
    void AddControls();
    void FreeWinSprite();
    void BoardKeys(uint16_t key);
    // Writes the character into the cursor's cell of a row being filled, judges the ladder and
    // redraws what changed.
    void TypeIntoCursorCell(char c);
    void MoveCursorTo(TBoardCell cell);
    void GiveHint();
    void StartSolver();
    void PressAfterWin();
    void ShowAbout(bool pause);
    void EditVocabulary();
    void NotAvailable(const std::string& what);
    // Edit mode: the commands of the edit buttons, and the "=", "+" and "-" keys choosing one.
    void RunEditScript(const std::string& script, const std::string& param);
    void ChooseActionButton(const std::string& button);
    void ActionKey(uint16_t key);
    void LayoutBoard();
    int RandomBetween(int low, int high);
    // The world's display surface, or nullptr.
    static TPX8ImageData* Display();

    IGameDialogs* Dialogs;
    bool Solving = false;
};
