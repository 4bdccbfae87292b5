#pragma once
// A user interface for tests: answers message boxes from a script and records every box.

#include "platform/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

class FakeUserInterface : public IUserInterface {
  public:
    struct Box {
        std::string caption;
        std::string text;
        uint32_t style;
    };

    // Installs itself for the message functions while it lives.
    FakeUserInterface();
    ~FakeUserInterface() override;
    FakeUserInterface(const FakeUserInterface&) = delete;
    FakeUserInterface& operator=(const FakeUserInterface&) = delete;

    int ShowMessageBox(const std::string& caption, const std::string& text,
                       uint32_t style) override;
    void ProcessPendingMessages() override { ++pendingMessagePasses; }

    // Answers for the next boxes, in order; once used up a box takes its default button.
    void Answer(int result) { replies.push_back(result); }

    std::vector<Box> boxes;
    std::deque<int> replies;
    int pendingMessagePasses = 0;
};
