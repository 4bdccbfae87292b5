#include "platform/QtUserInterface.h"
#include "platform/QtTestApplication.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Waits for the modal box, notes what it shows and presses the given button.
void AnswerBox(QMessageBox::StandardButton press, Seen& seen) {
    QTimer::singleShot(0, [press, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            AnswerBox(press, seen);
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->defaultButton() != nullptr
                                 ? box->standardButton(box->defaultButton())
                                 : QMessageBox::NoButton;
        box->button(press)->click();
    });
}

TEST(QtUserInterface, BoxShowsStyleAndReturnsThePressedButton) {
    TestApplication();
    using namespace MessageBoxStyle;
    using QB = QMessageBox;
    struct Case {
        uint32_t style;
        QB::StandardButtons buttons;
        QB::Icon icon;
        QB::StandardButton defaultButton;
        QB::StandardButton press;
        int result;
    };
    const Case cases[] = {
        {Ok | IconStop, QB::Ok, QB::Critical, QB::Ok, QB::Ok, MessageBoxResult::Ok},
        {YesNo | IconQuestion, QB::Yes | QB::No, QB::Question, QB::Yes, QB::No,
         MessageBoxResult::No},
        {YesNo | DefaultButton2, QB::Yes | QB::No, QB::NoIcon, QB::No, QB::Yes,
         MessageBoxResult::Yes},
        {YesNoCancel | IconExclamation | DefaultButton3, QB::Yes | QB::No | QB::Cancel, QB::Warning,
         QB::Cancel, QB::Cancel, MessageBoxResult::Cancel},
        {OkCancel | IconInformation, QB::Ok | QB::Cancel, QB::Information, QB::Ok, QB::Cancel,
         MessageBoxResult::Cancel},
        {AbortRetryIgnore | DefaultButton2, QB::Abort | QB::Retry | QB::Ignore, QB::NoIcon,
         QB::Retry, QB::Ignore, MessageBoxResult::Ignore},
        {RetryCancel, QB::Retry | QB::Cancel, QB::NoIcon, QB::Retry, QB::Retry,
         MessageBoxResult::Retry},
    };
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Seen seen;
        AnswerBox(c.press, seen);
        EXPECT_EQ(ui.ShowMessageBox("Ladderly", "Save the changes?", c.style), c.result);
        EXPECT_EQ(seen.title, "Ladderly");
        EXPECT_EQ(seen.text, "Save the changes?");
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
}

TEST(QtUserInterface, OffscreenBoxesGoToTheLogAndTakeTheDefault) {
    TestApplication();
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    std::ostringstream log;
    QtUserInterface ui(QtUserInterface::Mode::Automatic, log);
    EXPECT_EQ(ui.ShowMessageBox("Installation Error", "Sorry!",
                                MessageBoxStyle::Ok | MessageBoxStyle::IconStop),
              MessageBoxResult::Ok);
    EXPECT_EQ(ui.ShowMessageBox("Display Error", "Continue anyway?",
                                MessageBoxStyle::YesNo | MessageBoxStyle::DefaultButton2),
              MessageBoxResult::No);
    EXPECT_EQ(log.str(), "Installation Error: Sorry!\nDisplay Error: Continue anyway?\n");
    ui.ProcessPendingMessages();
}

} // namespace
