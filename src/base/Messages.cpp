#include "base/Messages.h"

#include <stdexcept>

namespace {
IUserInterface* installed = nullptr;
}

void SetUserInterface(IUserInterface* ui) {
    installed = ui;
}

IUserInterface& GetUserInterface() {
    if (installed == nullptr) {
        throw std::logic_error("No user interface is installed for message boxes");
    }
    return *installed;
}

MessageBoxResult ShowMessageBox(const std::string& caption, const std::string& text,
                                MessageBoxStyle style) {
    IUserInterface& ui = GetUserInterface();
    const MessageBoxResult result = ui.ShowMessageBox(caption, text, style);
    ui.ProcessPendingMessages();
    return result;
}

bool Confirm(const std::string& caption, const std::string& text) {
    return ShowMessageBox(caption, text, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion) ==
           MessageBoxResult::Yes;
}

void Inform(const std::string& caption, const std::string& text) {
    ShowMessageBox(caption, text, MessageBoxStyle::Ok);
}
