#pragma once
// Message boxes shown with QMessageBox and the input box with QInputDialog. Where nobody can
// answer them (the offscreen or minimal platform, as in CI or a screenshot run) each box is
// written to standard error instead and takes its default button (an input box is cancelled),
// so nothing blocks. Help pages are shown in the game's own help window (written to the log
// where nobody can read them).
//
// A box belongs to the dialog running at the moment, else to the game's window while it is
// shown, and blocks only that window: the help window stays usable meanwhile.

#include "platform/UserInterface.h"

#include <QPointer>

#include <iosfwd>
#include <memory>
#include <string>

class QDialog;
class QWidget;
class QtHelpWindow;

class QtUserInterface : public IUserInterface {
  public:
    enum class Mode {
        Automatic,   // headless on the offscreen and minimal platforms, interactive elsewhere
        Interactive, // always a real box
        Headless,    // always written to the log
    };

    // Needs a QApplication. The log receives the headless boxes and must outlive this object.
    explicit QtUserInterface(Mode mode = Mode::Automatic);
    QtUserInterface(Mode mode, std::ostream& log);
    ~QtUserInterface() override;

    MessageBoxResult ShowMessageBox(const std::string& caption, const std::string& text,
                                    MessageBoxStyle style) override;
    void ProcessPendingMessages() override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    uint8_t KeyShiftState() override;
    void ShowHelp(HelpContext context) override;
    bool OpenUrl(const std::string& url) override;
    void ShowLongText(const std::string& caption, const std::string& text) override;
    void ShowBusyCursor(bool on) override;

    // The folder of the help pages ("index.html" and "<context>.html").
    void SetHelpFolder(const std::string& folder) { helpFolder = folder; }
    // The game's window, which the boxes belong to while it is shown.
    void SetMainWindow(QWidget* window);
    // The help window, made at the first ShowHelp that shows one; nullptr before.
    QtHelpWindow* GetHelpWindow() const { return helpWindow.get(); }

  private:
    // Runs the box modally over the window it belongs to; returns its result.
    int Run(QDialog& box) const;

    bool headless;
    std::ostream& boxLog;
    std::string helpFolder;
    QPointer<QWidget> mainWindow;
    std::unique_ptr<QtHelpWindow> helpWindow;
};
