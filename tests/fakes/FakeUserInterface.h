#pragma once
// A user interface for tests: answers message boxes from a script and records every box.

#include "base/Messages.h"
#include "platform/UserInterface.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class FakeUserInterface : public IUserInterface {
  public:
    struct Box {
        std::string caption;
        std::string text;
        MessageBoxStyle style;
    };

    // Installs itself for the message functions while it lives.
    FakeUserInterface() { SetUserInterface(this); }
    ~FakeUserInterface() override { SetUserInterface(nullptr); }
    FakeUserInterface(const FakeUserInterface&) = delete;
    FakeUserInterface& operator=(const FakeUserInterface&) = delete;

    MessageBoxResult ShowMessageBox(const std::string& caption, const std::string& text,
                                    MessageBoxStyle style) override {
        boxes.push_back({caption, text, style});
        if (replies.empty()) {
            return DefaultMessageBoxResult(style);
        }
        const MessageBoxResult result = replies.front();
        replies.pop_front();
        return result;
    }
    void ProcessPendingMessages() override { ++pendingMessagePasses; }
    std::optional<std::string> InputBox(const std::string& caption, const std::string&,
                                        const std::string&) override {
        inputs.push_back(caption);
        if (inputReplies.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> text = std::move(inputReplies.front());
        inputReplies.pop_front();
        return text;
    }
    uint8_t KeyShiftState() override { return shiftState; }
    void ShowHelp(HelpContext context) override { helpShown.push_back(context); }
    bool OpenUrl(const std::string&) override { return true; }
    // Long texts arrive as OK boxes; the busy cursor's changes are recorded.
    void ShowBusyCursor(bool on) override { busyCursor.push_back(on); }

    // Answers for the next boxes, in order; once used up a box takes its default button.
    void Answer(MessageBoxResult result) { replies.push_back(result); }

    // Text for the next input boxes, in order; nullopt cancels. Once used up a box is cancelled.
    void AnswerInput(std::optional<std::string> text) { inputReplies.push_back(std::move(text)); }

    std::vector<Box> boxes;
    std::deque<MessageBoxResult> replies;
    int pendingMessagePasses = 0;
    std::vector<std::string> inputs; // the input boxes' captions
    std::deque<std::optional<std::string>> inputReplies;
    uint8_t shiftState = 0;
    std::vector<HelpContext> helpShown;
    std::vector<bool> busyCursor;
};
