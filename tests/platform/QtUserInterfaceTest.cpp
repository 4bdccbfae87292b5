#include "platform/QtUserInterface.h"
#include "platform/InputCodes.h"
#include "platform/QtHelpWindow.h"
#include "platform/QtTestApplication.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <tuple>

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

// The targets of the links on the page the help window shows.
QStringList Links(QtHelpWindow& window) {
    QStringList links;
    auto matches = QRegularExpression("href=\"([^\"]*)\"").globalMatch(window.Browser()->toHtml());
    while (matches.hasNext()) {
        links << matches.next().captured(1);
    }
    return links;
}

// Offscreen, boxes, help pages, addresses and input boxes are written to the log and take their
// defaults.
TEST(QtUserInterface, OffscreenEverythingGoesToTheLog) {
    TestApplication();
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    std::ostringstream log;
    QtUserInterface ui(QtUserInterface::Mode::Automatic, log);
    using enum MessageBoxStyle;
    EXPECT_EQ(ui.ShowMessageBox("Installation Error", "Sorry!", Ok | IconStop),
              MessageBoxResult::Ok);
    EXPECT_EQ(ui.ShowMessageBox("Display Error", "Continue anyway?", YesNo | DefaultButton2),
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

TEST(QtUserInterface, BoxesInputKeyStateLongTextBusyCursorAndHelp) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    using enum MessageBoxStyle;
    using QB = QMessageBox;
    // The style, the box's buttons, icon and default button, the button pressed and the result.
    const std::tuple<MessageBoxStyle, QB::StandardButtons, QB::Icon, QB::StandardButton,
                     QB::StandardButton, MessageBoxResult>
        cases[] = {
            {Ok | IconStop, QB::Ok, QB::Critical, QB::Ok, QB::Ok, MessageBoxResult::Ok},
            {YesNo | IconQuestion | DefaultButton2, QB::Yes | QB::No, QB::Question, QB::No, QB::Yes,
             MessageBoxResult::Yes},
            {YesNoCancel | IconExclamation | DefaultButton3, QB::Yes | QB::No | QB::Cancel,
             QB::Warning, QB::Cancel, QB::No, MessageBoxResult::No},
        };
    // With no dialog running, a box belongs to the game's window and blocks only that.
    QWidget game;
    ui.SetMainWindow(&game);
    game.show();
    for (const auto& [style, buttons, icon, defaultButton, press, result] : cases) {
        SCOPED_TRACE(static_cast<uint32_t>(style));
        WhenShown<QMessageBox>([&](QMessageBox& box) {
            EXPECT_EQ(std::tuple(box.parentWidget(), box.windowModality(), box.windowTitle(),
                                 box.text(), box.icon(), box.standardButtons(),
                                 box.standardButton(box.defaultButton())),
                      std::tuple(&game, Qt::WindowModal, "Ladderly", "Save the changes?", icon,
                                 buttons, defaultButton));
            box.button(press)->click();
        });
        EXPECT_EQ(ui.ShowMessageBox("Ladderly", "Save the changes?", style), result);
    }

    WhenShown<QInputDialog>([](QInputDialog& dialog) {
        EXPECT_EQ(std::tuple(dialog.windowTitle(), dialog.labelText(), dialog.textValue()),
                  std::tuple("New Puzzle", "Start word:", "cold"));
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

    // A text taller than the screen comes in a box that wraps and scrolls and fits the screen;
    // a short one in a message box. The busy cursor covers the whole application until
    // switched off.
    std::string text = "Transitions available for \"CAT\":\r\n";
    for (int i = 0; i < 300; ++i) {
        text += "\r\nChange 1 Letter\r\n  BAT  COT  CUT  EAT  FAT  HAT  MAT  PAT  RAT  SAT";
    }
    QString shown;
    WhenShown<QDialog>([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Ladderly Suggestion Wizard");
        EXPECT_LE(dialog.height(), QGuiApplication::primaryScreen()->availableGeometry().height());
        auto* view = dialog.findChild<QPlainTextEdit*>("longText");
        shown = view != nullptr && view->isReadOnly() && view->verticalScrollBar()->maximum() > 0
                    ? view->toPlainText()
                    : "not a read-only scrolling view";
        dialog.accept();
    });
    ui.ShowLongText("Ladderly Suggestion Wizard", text);
    EXPECT_EQ(shown, QString::fromStdString(text).replace("\r\n", "\n"));

    WhenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), "No transitions.");
        box.button(QMessageBox::Ok)->click();
    });
    ui.ShowLongText("Ladderly Suggestion Wizard", "No transitions.");

    ui.ShowBusyCursor(true);
    const QCursor* busy = QApplication::overrideCursor();
    EXPECT_EQ(busy != nullptr ? busy->shape() : Qt::ArrowCursor, Qt::WaitCursor);
    ui.ShowBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The help window over the game's own help pages: pages by context number, the contents
    // page and the search field.
    ui.SetHelpFolder(std::string(std::getenv("LADDERLY_SOURCE_DIR")) + "/help");
    ui.ShowHelp(HelpContext::Playing);
    QtHelpWindow* window = ui.GetHelpWindow();
    ASSERT_NE(window, nullptr);

    const std::pair<int, const char*> pages[] = {
        {104, "Making puzzles - Ladderly Help"},
        {0, "Ladderly Help: Contents"},
        {999, "Ladderly Help: Contents"},
    };
    for (const auto& [context, title] : pages) {
        ui.ShowHelp(static_cast<HelpContext>(context));
        EXPECT_EQ(window->windowTitle(), title) << context;
    }
    EXPECT_EQ(ui.GetHelpWindow(), window) << "one window for every page";

    // The search field lists the pages that hold every word typed, as links that work.
    window->SearchField()->setFocus();
    QTest::keyClicks(window->SearchField(), "Swap  step");
    QTest::keyClick(window->SearchField(), Qt::Key_Return);
    const QStringList found = Links(*window);
    EXPECT_EQ(window->windowTitle(), "Search - Ladderly Help");
    EXPECT_EQ(found.join(' ').replace(QRegularExpression("[^ ]*/"), "").toStdString(),
              "actions.html index.html keys.html");
    window->Browser()->setSource(QUrl(found.first()));
    EXPECT_EQ(window->windowTitle(), "The six steps - Ladderly Help");
    window->Search("xylophone");
    EXPECT_TRUE(Links(*window).isEmpty());
    EXPECT_TRUE(window->Browser()->toPlainText().contains("No page mentions \"xylophone\""));
}

} // namespace
