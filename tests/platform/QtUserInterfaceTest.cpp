#include "platform/QtUserInterface.h"
#include "platform/InputCodes.h"
#include "platform/QtTestApplication.h"

#include <QAbstractButton>
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

// Once a modal dialog of the type is up, hands it to the step.
template <class Dialog> void WhenShown(const std::function<void(Dialog&)>& step) {
    QTimer::singleShot(0, [step] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            step(*dialog);
        } else {
            WhenShown<Dialog>(step);
        }
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
        {YesNo | IconQuestion | DefaultButton2, QB::Yes | QB::No, QB::Question, QB::No, QB::Yes,
         MessageBoxResult::Yes},
        {YesNoCancel | IconExclamation | DefaultButton3, QB::Yes | QB::No | QB::Cancel, QB::Warning,
         QB::Cancel, QB::No, MessageBoxResult::No},
    };
    // With no dialog running, a box belongs to the game's window and blocks only that.
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    QWidget window;
    ui.SetMainWindow(&window);
    window.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<uint32_t>(c.style));
        WhenShown<QMessageBox>([&c, &window](QMessageBox& box) {
            EXPECT_EQ(box.parentWidget(), &window);
            EXPECT_EQ(box.windowModality(), Qt::WindowModal);
            EXPECT_EQ(box.windowTitle(), "Ladderly");
            EXPECT_EQ(box.text(), "Save the changes?");
            EXPECT_EQ(box.icon(), c.icon);
            EXPECT_EQ(box.standardButtons(), c.buttons);
            EXPECT_EQ(box.standardButton(box.defaultButton()), c.defaultButton);
            box.button(c.press)->click();
        });
        EXPECT_EQ(ui.ShowMessageBox("Ladderly", "Save the changes?", c.style), c.result);
    }
}

// Offscreen, boxes, help pages, addresses and input boxes are written to the log and take their
// defaults.
TEST(QtUserInterface, OffscreenEverythingGoesToTheLog) {
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
    ui.SetHelpFolder("/opt/ladderly/help");
    ui.ShowHelp(HelpContext::Contents);
    ui.ShowHelp(static_cast<HelpContext>(12));
    EXPECT_FALSE(ui.OpenUrl("https://ladderly.example/"));
    EXPECT_EQ(ui.InputBox("New Puzzle", "Start word:", "cold"), std::nullopt);
    ui.ShowLongText("Wizard", "A\r\nB");
    EXPECT_EQ(log.str(), "Installation Error: Sorry!\nDisplay Error: Continue anyway?\n"
                         "Help: /opt/ladderly/help/index.html\n"
                         "Help: /opt/ladderly/help/12.html\n"
                         "Open: https://ladderly.example/\n"
                         "New Puzzle: Start word: [cancelled]\n"
                         "Wizard: A\r\nB\n");
}

TEST(QtUserInterface, InputBoxAndKeyState) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    WhenShown<QInputDialog>([](QInputDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Puzzle");
        EXPECT_EQ(dialog.labelText(), "Start word:");
        EXPECT_EQ(dialog.textValue(), "cold");
        auto* edit = dialog.findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, "warm");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(ui.InputBox("New Puzzle", "Start word:", "cold"), "warm");
    WhenShown<QInputDialog>([](QInputDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(ui.InputBox("New Puzzle", "End word:", ""), std::nullopt);

    // The state of the keys held down, as the last input left it.
    QWidget target;
    QTest::keyPress(&target, Qt::Key_Shift, Qt::ShiftModifier);
    QTest::keyPress(&target, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ui.KeyShiftState(), ShiftState::Shift | ShiftState::Ctrl);
    QTest::keyRelease(&target, Qt::Key_Control, Qt::ShiftModifier);
    QTest::keyRelease(&target, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(ui.KeyShiftState(), 0);
}

// A text taller than the screen comes in a box that wraps and scrolls and fits the screen; a
// short one in a message box. The busy cursor covers the whole application until switched off.
TEST(QtUserInterface, LongTextAndBusyCursor) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    std::string text = "Transitions available for \"CAT\":\r\n";
    for (int i = 0; i < 300; ++i) {
        text += "\r\nChange 1 Letter\r\n  BAT  COT  CUT  EAT  FAT  HAT  MAT  PAT  RAT  SAT";
    }
    QString shown;
    WhenShown<QDialog>([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Ladderly Suggestion Wizard");
        EXPECT_LE(dialog.height(), QGuiApplication::primaryScreen()->availableGeometry().height());
        if (auto* view = dialog.findChild<QPlainTextEdit*>("longText")) {
            shown = view->toPlainText();
            EXPECT_TRUE(view->isReadOnly());
            EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
        }
        dialog.accept();
    });
    ui.ShowLongText("Ladderly Suggestion Wizard", text);
    EXPECT_EQ(shown, QString::fromStdString(text).replace("\r\n", "\n"));

    WhenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), "Sorry - no transitions available for \"XYZZY\".");
        box.button(QMessageBox::Ok)->click();
    });
    ui.ShowLongText("Ladderly Suggestion Wizard",
                    "Sorry - no transitions available for \"XYZZY\".");

    ui.ShowBusyCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.ShowBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
