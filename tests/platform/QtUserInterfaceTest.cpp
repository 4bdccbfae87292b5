#include "platform/QtUserInterface.h"
#include "platform/InputCodes.h"
#include "platform/QtTestApplication.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>

namespace {

// Waits for the modal box, lets the check look at it and presses the given button.
void AnswerBox(QMessageBox::StandardButton press, const std::function<void(QMessageBox&)>& check) {
    QTimer::singleShot(0, [press, check] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            AnswerBox(press, check);
            return;
        }
        check(*box);
        box->button(press)->click();
    });
}

TEST(QtUserInterface, BoxShowsStyleAndReturnsThePressedButton) {
    TestApplication();
    using enum MessageBoxStyle;
    using QB = QMessageBox;
    struct Case {
        MessageBoxStyle style;
        QB::StandardButtons buttons;
        QB::Icon icon;
        QB::StandardButton defaultButton;
        QB::StandardButton press;
        MessageBoxResult result;
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
        SCOPED_TRACE(static_cast<uint32_t>(c.style));
        AnswerBox(c.press, [&c](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Ladderly");
            EXPECT_EQ(box.text(), "Save the changes?");
            EXPECT_EQ(box.icon(), c.icon);
            EXPECT_EQ(box.standardButtons(), c.buttons);
            EXPECT_EQ(box.standardButton(box.defaultButton()), c.defaultButton);
        });
        EXPECT_EQ(ui.ShowMessageBox("Ladderly", "Save the changes?", c.style), c.result);
    }

    // With no dialog running, a box belongs to the game's window and blocks only that.
    QWidget window;
    ui.SetMainWindow(&window);
    window.show();
    AnswerBox(QB::Ok, [&window](QMessageBox& box) {
        EXPECT_EQ(box.parentWidget(), &window);
        EXPECT_EQ(box.windowModality(), Qt::WindowModal);
    });
    ui.ShowMessageBox("Ladderly", "Out of puzzles", Ok);
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

// Waits for the modal input dialog, checks it, and types the text and accepts it, or cancels
// it when there is no text.
void AnswerInput(const QString& caption, const QString& prompt, const QString& initial,
                 const std::optional<QString>& text) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            AnswerInput(caption, prompt, initial, text);
            return;
        }
        EXPECT_EQ(dialog->windowTitle(), caption);
        EXPECT_EQ(dialog->labelText(), prompt);
        EXPECT_EQ(dialog->textValue(), initial);
        if (!text) {
            dialog->reject();
            return;
        }
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, *text);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

TEST(QtUserInterface, InputBoxKeyStateHelpAndAddresses) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    AnswerInput("New Puzzle", "Start word:", "cold", QString("warm"));
    EXPECT_EQ(ui.InputBox("New Puzzle", "Start word:", "cold"), "warm");
    AnswerInput("New Puzzle", "End word:", "", std::nullopt);
    EXPECT_EQ(ui.InputBox("New Puzzle", "End word:", ""), std::nullopt);

    // The state of the keys held down, as the last input left it.
    QWidget target;
    QTest::keyPress(&target, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(ui.KeyShiftState(), ShiftState::Shift);
    QTest::keyPress(&target, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ui.KeyShiftState(), ShiftState::Shift | ShiftState::Ctrl);
    QTest::keyRelease(&target, Qt::Key_Control, Qt::ShiftModifier);
    QTest::keyRelease(&target, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(ui.KeyShiftState(), 0);

    // Offscreen, help pages and addresses are written to the log instead of the help window
    // and a browser, and an input box is cancelled.
    std::ostringstream log;
    QtUserInterface headless(QtUserInterface::Mode::Automatic, log);
    headless.SetHelpFolder("/opt/ladderly/help");
    headless.ShowHelp(HelpContext::Contents);
    headless.ShowHelp(static_cast<HelpContext>(12));
    EXPECT_FALSE(headless.OpenUrl("https://ladderly.example/"));
    EXPECT_EQ(headless.InputBox("New Puzzle", "Start word:", "cold"), std::nullopt);
    EXPECT_EQ(log.str(), "Help: /opt/ladderly/help/index.html\n"
                         "Help: /opt/ladderly/help/12.html\n"
                         "Open: https://ladderly.example/\n"
                         "New Puzzle: Start word: [cancelled]\n");
}

// A text taller than the screen comes in a box that wraps and scrolls and fits the screen; a
// short one in a message box; offscreen both go to the log. The busy cursor covers the whole
// application until it is switched off.
TEST(QtUserInterface, LongTextAndBusyCursor) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    std::string text = "Transitions available for \"CAT\":\r\n";
    for (int i = 0; i < 300; ++i) {
        text += "\r\nChange 1 Letter\r\n  BAT  COT  CUT  EAT  FAT  HAT  MAT  PAT  RAT  SAT";
    }
    bool shown = false;
    const std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(0, answer);
            return;
        }
        shown = true;
        EXPECT_EQ(dialog->windowTitle(), "Ladderly Suggestion Wizard");
        auto* view = dialog->findChild<QPlainTextEdit*>("longText");
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->toPlainText(), QString::fromStdString(text).replace("\r\n", "\n"));
        EXPECT_TRUE(view->isReadOnly());
        EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
        EXPECT_LE(dialog->height(), QGuiApplication::primaryScreen()->availableGeometry().height());
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    QTimer::singleShot(0, answer);
    ui.ShowLongText("Ladderly Suggestion Wizard", text);
    EXPECT_TRUE(shown);

    AnswerBox(QMessageBox::Ok, [](QMessageBox& box) {
        EXPECT_EQ(box.text(), "Sorry - no transitions available for \"XYZZY\".");
    });
    ui.ShowLongText("Ladderly Suggestion Wizard",
                    "Sorry - no transitions available for \"XYZZY\".");

    std::ostringstream log;
    QtUserInterface headless(QtUserInterface::Mode::Automatic, log);
    headless.ShowLongText("Ladderly Suggestion Wizard", text);
    EXPECT_EQ(log.str(), "Ladderly Suggestion Wizard: " + text + "\n");

    ui.ShowBusyCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.ShowBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
