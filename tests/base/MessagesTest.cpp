#include "base/Messages.h"
#include "fakes/FakeUserInterface.h"

#include <gtest/gtest.h>

TEST(Messages, ConfirmAsksAndLetsMessagesThrough) {
    EXPECT_THROW(Inform("Ladderly", "text"), std::logic_error) << "no interface installed";
    FakeUserInterface ui;
    ui.Answer(MessageBoxResult::No);
    EXPECT_FALSE(Confirm("Ladderly", "Save?"));
    EXPECT_TRUE(Confirm("Ladderly", "Save?")) << "the default button once the answers run out";
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Save?");
    EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_EQ(ui.pendingMessagePasses, 2) << "messages are let through before each box";
}
