#include "screens/dialogs/About.h"
#include "dialogs/DialogDriver.h"
#include "fakes/FakeUserInterface.h"
#include "screens/dialogs/PuzzleSelector.h"
#include "screens/dialogs/QtGameDialogs.h"
#include "screens/dialogs/VocabEditor.h"

#include <QCheckBox>
#include <QLabel>

#include <set>
#include <sstream>
#include <tuple>

namespace {

QColor TextColour(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

} // namespace

// The About box's flashing lines, link, help keys and check box; given the game's window, each
// dialog stays above it, centred on it, and blocks it alone, leaving help usable. Where nobody
// can answer, none is shown.
TEST(QtGameDialogs, TheAboutBoxAndEveryDialogBelongToTheGameWindow) {
    TestApplication();
    FakeUserInterface ui;
    bool splash = true;
    QtGameDialogs dialogs(splash, "Ladderly", QtGameDialogs::Mode::Interactive);
    TDlgAbout& about = dialogs.About();
    QLabel& line = *about.findChild<QLabel*>("lblHomeOf");

    // The creation's flash and 30 more, at a quicker pace: the five lines in turn, each in a
    // colour other than the one before.
    std::vector<std::pair<QString, QColor>> flashes = {{line.text(), TextColour(line)}};
    auto* timer = about.findChild<QTimer*>("tmrFlash");
    QObject::connect(timer, &QTimer::timeout, &about,
                     [&] { flashes.emplace_back(line.text(), TextColour(line)); });
    timer->setInterval(1);
    ASSERT_TRUE(ProcessEventsUntil([&] { return flashes.size() > 30; }));
    timer->setInterval(4000);
    std::set<QString> lines;
    for (size_t i = 0; i < flashes.size(); ++i) {
        lines.insert(flashes[i].first);
        EXPECT_NE(flashes[i].second, i == 0 ? QColor(Qt::black) : flashes[i - 1].second) << i;
        EXPECT_EQ(flashes[i].first, flashes[i % TDlgAbout::PromotionCount].first) << i;
    }
    EXPECT_EQ(lines.size(), TDlgAbout::PromotionCount);

    QWidget window;
    window.setGeometry(40, 30, 466, 342);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    dialogs.SetWindow(&window);
    const auto check = [&window](QDialog& dialog) {
        EXPECT_EQ(std::tuple(dialog.parentWidget(), dialog.windowModality()),
                  std::tuple(&window, Qt::WindowModal));
        EXPECT_LE((dialog.geometry().center() - window.geometry().center()).manhattanLength(), 1);
    };
    const auto checkAndClose = [&check](QDialog& dialog) {
        check(dialog);
        dialog.reject();
    };
    const DialogDriver<TDlgAbout> aboutDriver([&](TDlgAbout& d) {
        check(d);
        // Over the link it lights: underlined and blue; off it, plain black again.
        QLabel& link = *d.findChild<QLabel*>("lblURL");
        for (const bool over : {true, false}) {
            QTest::mouseMove(d.windowHandle(),
                             over ? link.mapTo(&d, link.rect().center()) : QPoint(200, 200));
            EXPECT_EQ(std::tuple(d.LinkHighlighted(), link.font().underline(), TextColour(link)),
                      std::tuple(over, over, over ? QColor(0, 0, 255) : QColor(Qt::black)));
        }
        QTest::mouseClick(&link, Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_F1);
        QTest::keyClick(&Button(d, "OK"), Qt::Key_F2);
        EXPECT_EQ(ui.helpShown, (std::vector<HelpContext>{HelpContext::Contents, HelpContext::About,
                                                          HelpContext::Contents}));
        // The check box holds the setting the next start-up reads.
        QCheckBox& box = *d.findChild<QCheckBox*>();
        EXPECT_TRUE(box.isChecked());
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
        QTest::keyClick(&d, Qt::Key_Return);
    });
    dialogs.ShowAbout();
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(splash);
    std::vector<TSelectorEntry> entries = {{"3 ANT BEE", 1}};
    int32_t position = 1;
    const DialogDriver<TDlgSelect> selector(checkAndClose);
    dialogs.ExecuteSelector(entries, position);
    std::vector<std::string> words = {"ant"};
    const DialogDriver<TDlgVocab> editor(checkAndClose);
    dialogs.ExecuteVocabEditor(words);

    // Where nobody can answer, no dialog waits: each says so and returns as if closed.
    std::ostringstream log;
    QtGameDialogs headless(splash, "Ladderly", QtGameDialogs::Mode::Headless, log);
    EXPECT_EQ(headless.ExecuteSelector(entries, position), SelectorResult::Close);
    EXPECT_FALSE(headless.ExecuteVocabEditor(words));
    headless.ShowAbout();
    EXPECT_EQ(log.str(),
              "Ladderly: the puzzle selector is not shown: nobody can answer it here.\n"
              "Ladderly: the vocabulary editor is not shown: nobody can answer it here.\n"
              "Ladderly: the About box is not shown: nobody can answer it here.\n");
}
