#include "fakes/FakeUserInterface.h"

#include "base/Messages.h"

FakeUserInterface::FakeUserInterface() {
    SetUserInterface(this);
}

FakeUserInterface::~FakeUserInterface() {
    SetUserInterface(nullptr);
}

int FakeUserInterface::ShowMessageBox(const std::string& caption, const std::string& text,
                                      uint32_t style) {
    boxes.push_back({caption, text, style});
    if (replies.empty()) {
        return DefaultMessageBoxResult(style);
    }
    const int result = replies.front();
    replies.pop_front();
    return result;
}
