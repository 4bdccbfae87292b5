#pragma once
// Message boxes shown with QMessageBox. Where nobody can answer them (the offscreen or minimal
// platform, as in CI or a screenshot run) each box is written to standard error instead and
// takes its default button, so start-up never blocks.

#include "platform/UserInterface.h"

#include <iosfwd>

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

    int ShowMessageBox(const std::string& caption, const std::string& text,
                       uint32_t style) override;
    void ProcessPendingMessages() override;

  private:
    bool headless;
    std::ostream& boxLog;
};
