#pragma once
// The user-interface effects that plain C++ code needs: modal message boxes, the one-line input
// box, a box for long texts, the busy cursor, the keyboard state, help pages, opening a web
// address and letting pending window messages through. The Qt layer implements it for the game;
// tests install a fake that answers from a script and records every box.

#include <cstdint>
#include <optional>
#include <string>

// Message box style flags and results, with the values of the Windows message box API the
// game was designed around.
namespace MessageBoxStyle {
inline constexpr uint32_t Ok = 0x0;
inline constexpr uint32_t OkCancel = 0x1;
inline constexpr uint32_t AbortRetryIgnore = 0x2;
inline constexpr uint32_t YesNoCancel = 0x3;
inline constexpr uint32_t YesNo = 0x4;
inline constexpr uint32_t RetryCancel = 0x5;
inline constexpr uint32_t ButtonMask = 0xF;
inline constexpr uint32_t IconStop = 0x10;
inline constexpr uint32_t IconQuestion = 0x20;
inline constexpr uint32_t IconExclamation = 0x30;
inline constexpr uint32_t IconInformation = 0x40;
inline constexpr uint32_t IconMask = 0xF0;
inline constexpr uint32_t DefaultButton2 = 0x100;
inline constexpr uint32_t DefaultButton3 = 0x200;
inline constexpr uint32_t DefaultButtonMask = 0xF00;
} // namespace MessageBoxStyle

namespace MessageBoxResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MessageBoxResult

class IUserInterface {
  public:
    virtual ~IUserInterface() = default;

    // Shows a modal box and returns the button pressed (a MessageBoxResult value).
    virtual int ShowMessageBox(const std::string& caption, const std::string& text,
                               uint32_t style) = 0;

    // Lets the window system deliver the messages that are waiting (repaints, timer ticks).
    virtual void ProcessPendingMessages() = 0;

    // The rest do nothing by default, for interfaces that only show boxes (tools, benchmarks).

    // Shows a modal one-line input box; the text entered, or nothing when it was cancelled.
    virtual std::optional<std::string>
    InputBox(const std::string& caption, const std::string& prompt, const std::string& initial);

    // The ShiftState bits (Shift, Ctrl, Alt) of the keys held down right now.
    virtual uint8_t KeyShiftState();

    // Shows the help page of a context number; HelpContents shows the contents page.
    virtual void ShowHelp(int context);

    // Opens a web address with the desktop's default handler; false when that failed.
    virtual bool OpenUrl(const std::string& url);

    // Shows a text with an OK button; one taller than the screen in a box that wraps and
    // scrolls, so the button stays reachable. By default a message box.
    virtual void ShowLongText(const std::string& caption, const std::string& text);

    // Shows the busy cursor over the whole application while on, the usual cursors after.
    virtual void ShowBusyCursor(bool on);
};

// The context number of the help contents page.
inline constexpr int HelpContents = 0;

// The button a box takes when nobody can answer it: the one its style makes the default.
int DefaultMessageBoxResult(uint32_t style);
