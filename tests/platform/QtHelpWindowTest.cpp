// The help window over the game's own help pages, as a player uses it: pages by context
// number, the contents page and the search field.

#include "platform/QtHelpWindow.h"

#include "platform/QtTestApplication.h"
#include "platform/QtUserInterface.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QString HelpFolder() {
    return QString::fromLocal8Bit(std::getenv("LADDERLY_SOURCE_DIR")) + "/help";
}

// The targets of the links on the page the browser shows.
QStringList Links(const QTextBrowser& browser) {
    QStringList links;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QString href = fragment.fragment().charFormat().anchorHref();
            if (!href.isEmpty()) {
                links << href;
            }
        }
    }
    return links;
}

TEST(QtHelpWindow, ContextsContentsAndSearch) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    ui.SetHelpFolder(HelpFolder().toStdString());
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
    const QStringList found = Links(*window->Browser());
    EXPECT_EQ(window->windowTitle(), "Search - Ladderly Help");
    EXPECT_EQ(found.join(' ').replace(QRegularExpression("[^ ]*/"), "").toStdString(),
              "actions.html index.html keys.html");
    window->Browser()->setSource(QUrl(found.first()));
    EXPECT_EQ(window->windowTitle(), "The six steps - Ladderly Help");
    window->Search("xylophone");
    EXPECT_TRUE(Links(*window->Browser()).isEmpty());
    EXPECT_TRUE(window->Browser()->toPlainText().contains("No page mentions \"xylophone\""));
}

} // namespace
