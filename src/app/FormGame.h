#pragma once
// TFormGame: the game's only top-level window. It hosts the graphic area every room draws on,
// owns the image library and the world, turns the game timer's firings into world ticks
// (catching up late ones), passes keys to the world as virtual-key codes and shift bits, and
// closes when the world asks to quit. Closing it closes the game's other windows too, help
// among them, so that the program ends. It starts the sound effects and relays the wave output's
// completions to them.
//
// It owns, in creation order: the tiled background BG, the bevel bvlBorder, the version label
// lblVersion, the graphic area gfxaGame and the game timer tmrTick (as Qt children), the image
// library, the wave output and the sound component, and the world. The world goes first, then
// the sound, the library last.

#include "app/InitGame.h"
#include "app/StartupChecks.h"
#include "framework/IGameWindow.h"
#include "platform/CapsLockGuess.h"
#include "platform/WaveOutput.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IGameDialogs;
class QFrame;
class QLabel;
class TAppSound;
class TGameTimer;
class TGraphicArea;
class TPX8Library;
class TStdWorld;
class TTileBG;

class TFormGame : public QWidget, public IGameWindow, public IWaveDoneTarget {
    Q_OBJECT

  public:
    // The system's millisecond count.
    using TClock = std::function<int64_t()>;

    static constexpr int ClientWidth = 466;
    static constexpr int ClientHeight = 342;

    // FormCreate: loads the library from the program folder, hands it to the graphics classes,
    // draws the cursors, starts the sound effects and creates the world on the graphic area.
    // Any fault is reported in one box and sets StartupFailed. An empty clock is the system's;
    // no wave output means Qt Multimedia's.
    TFormGame(GameSettings& settings, ApplicationInfo& application, TClock clock = {},
              std::unique_ptr<IWaveOutput> waveOutput = nullptr);
    // FormDestroy: decides the sound setting to store (on only if the sound started enabled
    // and a device exists), stops the timer and frees the world, then the sound, the controls
    // and the library.
    ~TFormGame() override;

    // The dialogs, for the About box at start-up; without them it is not shown.
    void SetGameDialogs(IGameDialogs* dialogs) { Dialogs = dialogs; }
    // Called once the first show has entered the start room.
    std::function<void()> OnShown;

    // The timer event: hands the world the whole intervals elapsed since LastTick.
    void tmrTickTimer();
    // Brings the window to the front (another copy of the game was started).
    void BringToFront();

    // IWaveDoneTarget: the wave output's completion, passed to the sound manager.
    void WaveDone(const TWaveDoneMessage& message) override;

    // IGameWindow
    void SetCaption(const std::string& caption) override;
    void Close() override;

    TStdWorld* GetWorld() const { return World.get(); }
    TPX8Library* GetLibrary() const { return Library.get(); }
    int64_t GetLastTick() const { return LastTick; }

    TTileBG* BG = nullptr;
    QFrame* bvlBorder = nullptr;
    QLabel* lblVersion = nullptr;
    TGraphicArea* gfxaGame = nullptr;
    TGameTimer* tmrTick = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab and Backtab are keys of the game, not focus moves.
    bool focusNextPrevChild(bool next) override;

  private:
    void CreateControls();
    void FormCreate();
    void FormShow();
    void FormResize();
    void RealizeLibraryPalette();

    GameSettings& Settings;
    ApplicationInfo& Application;
    TClock Clock;
    int64_t LastTick;
    std::unique_ptr<TPX8Library> Library;
    std::unique_ptr<IWaveOutput> WaveOutput;
    std::unique_ptr<TAppSound> Sound;
    std::unique_ptr<TStdWorld> World;
    IGameDialogs* Dialogs = nullptr;
    TCapsLockGuess CapsLock;
    bool Shown = false;
};
