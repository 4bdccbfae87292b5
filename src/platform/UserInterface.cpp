#include "platform/UserInterface.h"

#include <array>

MessageBoxResult DefaultMessageBoxResult(MessageBoxStyle style) {
    using enum MessageBoxResult;
    static constexpr std::array<std::array<MessageBoxResult, 3>, 6> buttons{{
        {Ok, Ok, Ok},
        {Ok, Cancel, Cancel},
        {Abort, Retry, Ignore},
        {Yes, No, Cancel},
        {Yes, No, No},
        {Retry, Cancel, Cancel},
    }};
    const auto set = static_cast<uint32_t>(style & MessageBoxStyle::ButtonMask);
    const auto index = static_cast<uint32_t>(style & MessageBoxStyle::DefaultButtonMask) >> 8;
    if (set >= buttons.size() || index > 2) {
        return Ok;
    }
    return buttons[set][index];
}

std::optional<std::string> IUserInterface::InputBox(const std::string&, const std::string&,
                                                    const std::string&) {
    return std::nullopt;
}

uint8_t IUserInterface::KeyShiftState() {
    return 0;
}

void IUserInterface::ShowHelp(HelpContext) {}

bool IUserInterface::OpenUrl(const std::string&) {
    return false;
}

void IUserInterface::ShowLongText(const std::string& caption, const std::string& text) {
    ShowMessageBox(caption, text, MessageBoxStyle::Ok);
}

void IUserInterface::ShowBusyCursor(bool) {}
