#pragma once
// The user-interface effects that plain C++ code needs: modal message boxes, the one-line input
// box, a box for long texts, the busy cursor, the keyboard state, help pages, opening a web
// address and letting pending window messages through. The Qt layer implements it for the game;
// tests install a fake that answers from a script and records every box.

#include <cstdint>
#include <optional>
#include <string>

// Message box style flags and results, with the values of the Windows message box API the
// game was designed around. A style is one button set, one icon and one default button,
// combined with |; & with a mask picks one of them out.
enum class MessageBoxStyle : uint32_t {
    Ok = 0x0,
    OkCancel = 0x1,
    AbortRetryIgnore = 0x2,
    YesNoCancel = 0x3,
    YesNo = 0x4,
    RetryCancel = 0x5,
    ButtonMask = 0xF,
    IconStop = 0x10,
    IconQuestion = 0x20,
    IconExclamation = 0x30,
    IconInformation = 0x40,
    IconMask = 0xF0,
    DefaultButton2 = 0x100,
    DefaultButton3 = 0x200,
    DefaultButtonMask = 0xF00,
};

constexpr MessageBoxStyle operator|(MessageBoxStyle a, MessageBoxStyle b) {
    return static_cast<MessageBoxStyle>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}

constexpr MessageBoxStyle operator&(MessageBoxStyle a, MessageBoxStyle b) {
    return static_cast<MessageBoxStyle>(static_cast<uint32_t>(a) & static_cast<uint32_t>(b));
}

enum class MessageBoxResult : int {
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
};

// The help pages by the context numbers that name them ("103.html"); Contents is the contents
// page ("index.html"), which also stands in for a number without a page.
enum class HelpContext : int {
    Contents = 0,
    Selector = 100,
    VocabularyEditor = 101,
    About = 102,
    Playing = 103,
    Editing = 104,
};

class IUserInterface {
  public:
    virtual ~IUserInterface() = default;

    // Shows a modal box and returns the button pressed.
    virtual MessageBoxResult ShowMessageBox(const std::string& caption, const std::string& text,
                                            MessageBoxStyle style) = 0;

    // Lets the window system deliver the messages that are waiting (repaints, timer ticks).
    virtual void ProcessPendingMessages() = 0;

    // The rest do nothing by default, for interfaces that only show boxes (tools, benchmarks).

    // Shows a modal one-line input box; the text entered, or nothing when it was cancelled.
    virtual std::optional<std::string>
    InputBox(const std::string& caption, const std::string& prompt, const std::string& initial);

    // The ShiftState bits (Shift, Ctrl, Alt) of the keys held down right now.
    virtual uint8_t KeyShiftState();

    // Shows the help page of a context.
    virtual void ShowHelp(HelpContext context);

    // Opens a web address with the desktop's default handler; false when that failed.
    virtual bool OpenUrl(const std::string& url);

    // Shows a text with an OK button; one taller than the screen in a box that wraps and
    // scrolls, so the button stays reachable. By default a message box.
    virtual void ShowLongText(const std::string& caption, const std::string& text);

    // Shows the busy cursor over the whole application while on, the usual cursors after.
    virtual void ShowBusyCursor(bool on);
};

// The button a box takes when nobody can answer it: the one its style makes the default.
MessageBoxResult DefaultMessageBoxResult(MessageBoxStyle style);
