#pragma once
// The game room's dialogs as Qt dialogs. The About box is made once, with this object, and
// kept. Where nobody can answer a dialog (the offscreen and minimal platforms, as in CI and
// screenshot runs) none is shown: each call says so on the log and returns as if closed.
// Given the game's window, every dialog belongs to it (see SetDialogOwner).
//
// Owns the About box until it belongs to the window, which then deletes it if it goes first;
// the splash-screen setting belongs to the caller.

#include "screens/GameDialogs.h"

#include <QPointer>

#include <iosfwd>
#include <string>

class QWidget;
class TDlgAbout;

class QtGameDialogs : public IGameDialogs {
  public:
    enum class Mode {
        Automatic,   // headless on the offscreen and minimal platforms, interactive elsewhere
        Interactive, // always shown
        Headless,    // never shown, as in a screenshot run, which nobody attends
    };

    // Needs a QApplication. splashSetting is the setting the About box's check box writes; it
    // and the log must outlive this object.
    QtGameDialogs(bool& splashSetting, const std::string& applicationTitle,
                  Mode mode = Mode::Automatic);
    QtGameDialogs(bool& splashSetting, const std::string& applicationTitle, Mode mode,
                  std::ostream& logStream);
    ~QtGameDialogs() override;
    QtGameDialogs(const QtGameDialogs&) = delete;
    QtGameDialogs& operator=(const QtGameDialogs&) = delete;

    SelectorResult ExecuteSelector(std::vector<TSelectorEntry>& entries,
                                   int32_t& position) override;
    bool ExecuteVocabEditor(std::vector<std::string>& vocabulary) override;
    void ShowAbout() override;

    // The game's window, which every dialog belongs to from now on.
    void SetWindow(QWidget* gameWindow);

    TDlgAbout& About();

  private:
    bool Shown(const char* dialog);

    bool& splashScreen;
    bool headless;
    std::ostream& log;
    QPointer<QWidget> window;
    QPointer<TDlgAbout> about;
};
