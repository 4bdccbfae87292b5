#include "fakes/FakeUserInterface.h"

#include "base/Messages.h"

FakeUserInterface::FakeUserInterface() {
    SetUserInterface(this);
}

FakeUserInterface::~FakeUserInterface() {
    SetUserInterface(nullptr);
}

MessageBoxResult FakeUserInterface::ShowMessageBox(const std::string& caption,
                                                   const std::string& text, MessageBoxStyle style) {
    boxes.push_back({caption, text, style});
    if (replies.empty()) {
        return DefaultMessageBoxResult(style);
    }
    const MessageBoxResult result = replies.front();
    replies.pop_front();
    return result;
}

std::optional<std::string> FakeUserInterface::InputBox(const std::string& caption,
                                                       const std::string& prompt,
                                                       const std::string& initial) {
    inputs.push_back({caption, prompt, initial});
    if (inputReplies.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> text = std::move(inputReplies.front());
    inputReplies.pop_front();
    return text;
}
