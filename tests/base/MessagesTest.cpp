#include "base/Messages.h"
#include "fakes/FakeUserInterface.h"

#include <gtest/gtest.h>

TEST(Messages, ConfirmAndDefaultButtons) {
    EXPECT_THROW(Inform("Ladderly", "text"), std::logic_error) << "no interface installed";
    FakeUserInterface ui;
    ui.Answer(MessageBoxResult::No);
    EXPECT_FALSE(Confirm("Ladderly", "Save?"));
    EXPECT_TRUE(Confirm("Ladderly", "Save?")) << "the default button once the answers run out";
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Save?");
    EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_EQ(ui.pendingMessagePasses, 2) << "messages are let through before each box";

    using namespace MessageBoxStyle;
    const std::pair<uint32_t, int> cases[] = {
        {Ok | IconStop, MessageBoxResult::Ok},
        {YesNo | DefaultButton2, MessageBoxResult::No},
        {YesNoCancel | DefaultButton3, MessageBoxResult::Cancel},
        {RetryCancel | DefaultButton2, MessageBoxResult::Cancel},
    };
    for (const auto& [style, result] : cases) {
        EXPECT_EQ(DefaultMessageBoxResult(style), result) << style;
    }
}
