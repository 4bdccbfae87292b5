#include "framework/Messages.h"
#include "fakes/FakeUserInterface.h"

#include <gtest/gtest.h>

TEST(Messages, ConfirmAsksYesNoAndLetsMessagesThrough) {
    FakeUserInterface ui;
    ui.Answer(MessageBoxResult::No);
    EXPECT_FALSE(Confirm("Ladderly", "Save?"));
    EXPECT_TRUE(Confirm("Ladderly", "Save?"));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].caption, "Ladderly");
    EXPECT_EQ(ui.boxes[0].text, "Save?");
    EXPECT_EQ(ui.boxes[0].style, MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
    EXPECT_EQ(ui.pendingMessagePasses, 2);
}

TEST(Messages, DefaultButtons) {
    using namespace MessageBoxStyle;
    struct Case {
        uint32_t style;
        int result;
    };
    const Case cases[] = {
        {Ok | IconStop, MessageBoxResult::Ok},
        {YesNo, MessageBoxResult::Yes},
        {YesNo | DefaultButton2, MessageBoxResult::No},
        {YesNoCancel | DefaultButton3, MessageBoxResult::Cancel},
        {RetryCancel | DefaultButton2, MessageBoxResult::Cancel},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultMessageBoxResult(c.style), c.result) << c.style;
    }
}

TEST(Messages, NoInterfaceIsAClearError) {
    EXPECT_THROW(Inform("Ladderly", "text"), std::logic_error);
}
