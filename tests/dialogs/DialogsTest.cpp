// The game's dialogs, driven offscreen through their controls as a player would.

#include "fakes/FakeUserInterface.h"
#include "platform/QtTestApplication.h"
#include "screens/PuzzleSelection.h"
#include "screens/dialogs/About.h"
#include "screens/dialogs/PuzzleListModel.h"
#include "screens/dialogs/PuzzleSelector.h"
#include "screens/dialogs/QtGameDialogs.h"
#include "screens/dialogs/VocabEditor.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace {

// Drives a modal dialog from inside its own event loop: while the driver lives, once a dialog
// of the type is up and exposed, the step runs on it, once; a driver whose dialog never showed
// fails. A step that leaves the dialog open closes it, so a failed check never leaves a test
// waiting.

template <class Dialog> class DialogDriver {
  public:
    explicit DialogDriver(std::function<void(Dialog&)> step) {
        QObject::connect(&poll, &QTimer::timeout, [this, step = std::move(step)] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->windowHandle() == nullptr ||
                !dialog->windowHandle()->isExposed()) {
                return;
            }
            poll.stop();
            ran = true;
            step(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the step left the dialog open";
                dialog->done(QDialog::Rejected);
            }
        });
        poll.start(0);
    }

    ~DialogDriver() { EXPECT_TRUE(ran) << "the dialog never showed"; }

  private:
    QTimer poll;
    bool ran = false;
};

// The dialog's push button with the caption.
QPushButton& Button(QWidget& dialog, const char* caption) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(caption)) {
            return *button;
        }
    }
    throw std::runtime_error(std::string("no button ") + caption);
}

class DialogsTest : public testing::Test {
  protected:
    QApplication& application = TestApplication(); // before any widget
    FakeUserInterface ui;
    bool splash = true;
    QtGameDialogs dialogs{splash, "Ladderly", QtGameDialogs::Mode::Interactive};
};

// A collection of puzzles given as start word, end word and action line.
void LoadCollection(TPuzzleCore& core, const std::vector<std::array<const char*, 3>>& puzzles) {
    core.PuzzleLines.clear();
    for (const auto& puzzle : puzzles) {
        for (const char* line : {puzzle[0], puzzle[1], puzzle[2], ""}) {
            core.PuzzleLines.push_back({line, 0});
        }
    }
    core.PuzzleCount = static_cast<int32_t>(puzzles.size());
}

// Six puzzles of two to five rows.
const std::vector<std::array<const char*, 3>> SixPuzzles = {
    {"CAT", "DOG", "CCC"},  {"ANT", "BEE", "CC"}, {"COLD", "WARM", "CCCC"},
    {"ANT", "ZOO", "CCCC"}, {"BAT", "CAT", "C"},  {"ANT", "APE", "CCC"}};

QTreeView& List(TDlgSelect& dialog) {
    return *dialog.findChild<QTreeView*>("lvPuzzles");
}

// The rows shown, top to bottom, each as "steps start end", or only the given column.
std::string Rows(TDlgSelect& dialog, int column = -1) {
    const QAbstractItemModel& model = *List(dialog).model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < 3; ++c) {
            cells << (column < 0 || c == column ? model.index(row, c).data().toString() : "");
        }
        rows << cells.join(' ').trimmed();
    }
    return rows.join(", ").toStdString();
}

QLineEdit& Edit(TDlgVocab& dialog) {
    return *dialog.findChild<QLineEdit*>("txtWord");
}

QListView& List(TDlgVocab& dialog) {
    return *dialog.findChild<QListView*>("lbxVocab");
}

// "caption|text|highlighted row" and the buttons enabled: "+" Add, "-" Delete.
std::string State(TDlgVocab& dialog) {
    const QModelIndexList selected = List(dialog).selectionModel()->selectedIndexes();
    return (dialog.findChild<QGroupBox*>()->title() + "|" + Edit(dialog).text() + "|" +
            QString::number(selected.isEmpty() ? -1 : selected.first().row()) +
            (Button(dialog, "Add").isEnabled() ? "+" : "") +
            (Button(dialog, "Delete").isEnabled() ? "-" : ""))
        .toStdString();
}

} // namespace

// The About box's flashing lines, help link and keys, and check box; given the game's window, each
// dialog stays above it, centred on it, and blocks it alone, leaving help usable. Where nobody
// can answer, none is shown.
TEST_F(DialogsTest, TheAboutBoxAndEveryDialogBelongToTheGameWindow) {
    TDlgAbout& about = dialogs.About();
    QLabel& line = *about.findChild<QLabel*>("lblHomeOf");
    const auto flash = [&line] {
        return std::pair(line.text(), line.palette().color(QPalette::WindowText));
    };

    // The creation's flash and 30 more, at a quicker pace: the five lines in turn, each in a
    // colour other than the one before.
    std::vector<std::pair<QString, QColor>> flashes = {flash()};
    auto* timer = about.findChild<QTimer*>("tmrFlash");
    QObject::connect(timer, &QTimer::timeout, &about, [&] { flashes.push_back(flash()); });
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
        QTest::mouseClick(d.findChild<QLabel*>("lblURL"), Qt::LeftButton);
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

// The room's side around the selector: entries built with the first puzzles' marks, the
// selector shown with the step, the outcome applied; the result to dispatch on.
TEST_F(DialogsTest, SelectorSortsDeletesTheWaysOutAndTheOutcomeBackToTheCollection) {
    TPuzzleCore core;
    const auto select = [&](std::function<void(TDlgSelect&)> step,
                            const std::vector<PuzzleMark>& marks = {}) {
        int32_t position = 0;
        std::vector<TSelectorEntry> entries = BuildSelectorEntries(core, position);
        for (size_t i = 0; i < marks.size(); ++i) {
            entries[i].Mark = marks[i];
        }
        const DialogDriver<TDlgSelect> driver(std::move(step));
        const SelectorResult result = dialogs.ExecuteSelector(entries, position);
        return ApplySelectorOutcome(core, entries, result, position);
    };
    LoadCollection(core, SixPuzzles);
    core.CurrentPuzzle = 3;
    const SelectorResult result = select(
        [&](TDlgSelect& dialog) {
            EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Puzzles available: 6");
            EXPECT_EQ(dialog.findChild<QLabel*>("lblSummary")->text().replace(QChar(0xa0), ' '),
                      "Solved 2 of 6 \u00b7 2 rows 0/1 \u00b7 3 rows 1/1 \u00b7 4 "
                      "rows 1/2 \u00b7 5 rows 0/2");
            EXPECT_EQ(Rows(dialog),
                      "4 CAT DOG, 3 ANT BEE, 5 COLD WARM, 5 ANT ZOO, 2 BAT CAT, 4 ANT APE");
            // Steps is the sort column at first, so its first click sorts descending; equal rows
            // come out in reverse. Start word sorts ascending, then descending. The header's arrow
            // shows the order.
            // The end words, then the arrow's column and "^" up or "v" down.
            QHeaderView& header = *List(dialog).header();
            const auto sorted = [&](int column) {
                QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                                  QPoint(header.sectionViewportPosition(column) + 10, 5));
                return Rows(dialog, 2) + " " + std::to_string(header.sortIndicatorSection()) +
                       (header.sortIndicatorOrder() == Qt::AscendingOrder ? "^" : "v");
            };
            const std::pair<int, const char*> sorts[] = {{0, "ZOO, WARM, APE, DOG, BEE, CAT 0v"},
                                                         {1, "ZOO, APE, BEE, CAT, DOG, WARM 1^"},
                                                         {1, "WARM, DOG, CAT, BEE, APE, ZOO 1v"}};
            for (const auto& [column, rows] : sorts) {
                EXPECT_EQ(sorted(column), rows);
                EXPECT_EQ(dialog.SelectedPosition(), 3) << "the selection follows its puzzle";
            }
            // "No" keeps the puzzle; "Yes" deletes it and selects the one now in its place.
            ui.Answer(MessageBoxResult::No);
            Button(dialog, "Delete").click();
            EXPECT_EQ(dialog.SelectedPosition(), 3);
            ui.Answer(MessageBoxResult::Yes);
            Button(dialog, "Delete").click();
            ASSERT_EQ(ui.boxes.size(), 2u);
            EXPECT_EQ(
                ui.boxes[1].caption + ": " + ui.boxes[1].text,
                "Ladderly Selector: Are you sure you wish to delete the selected puzzle (COLD "
                "to WARM)?");
            EXPECT_EQ(dialog.SelectedPosition(), 1);
            // The count follows the deletion; the Solved column sorts the unsolved first, a
            // puzzle whose solution was shown after those never solved.
            EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Puzzles available: 5");
            EXPECT_EQ(sorted(SolvedColumn),
                      "CAT, APE, ZOO, BEE, DOG " + std::to_string(SolvedColumn) + "^");
            dialog.close();
        },
        {PuzzleMark::Solved, PuzzleMark::Helped, PuzzleMark::None, PuzzleMark::Shown});
    // The close box counts as Close, which becomes Play because the current puzzle went: the
    // previous puzzle takes its place.
    EXPECT_EQ(std::tuple(result, core.PuzzleCount, core.CurrentPuzzle, core.PuzzlesModified),
              std::tuple(SelectorResult::Play, 5, 2, true));

    // The ways out by a button and the list, and an emptied list.
    const std::vector<std::array<const char*, 3>> three = {
        {"ONE", "TWO", "CC"}, {"TWO", "SIX", "CC"}, {"SIX", "TEN", "CC"}};
    struct Case {
        const char* what;
        int current;
        std::function<void(TDlgSelect&)> step;
        SelectorResult result;
        int currentAfter;
    };
    const Case cases[] = {
        {"edit the selected", 2, [](TDlgSelect& d) { Button(d, "Edit").click(); },
         SelectorResult::Edit, 2},
        {"a double-click below the rows plays the selected one", 1,
         [](TDlgSelect& d) {
             // Through the window, as the window system delivers clicks.
             QTreeView& list = List(d);
             const QRect row = list.visualRect(list.model()->index(2, 1));
             const auto at = [&](QPoint p) { return list.viewport()->mapTo(&d, p); };
             QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, at(row.center()));
             const QPoint below(row.center().x(), list.viewport()->height() - 5);
             QTest::mouseDClick(d.windowHandle(), Qt::LeftButton, {}, at(below));
         },
         SelectorResult::Play, 3},
        {"delete them all, then close", 3,
         [&](TDlgSelect& d) {
             for (int i = 0; i < 3; ++i) {
                 ui.Answer(MessageBoxResult::Yes);
                 Button(d, "Delete").click();
             }
             EXPECT_FALSE(Button(d, "Play").isEnabled() || Button(d, "Edit").isEnabled() ||
                          Button(d, "Delete").isEnabled());
             QTest::mouseDClick(List(d).viewport(), Qt::LeftButton, {}, QPoint(20, 5));
             EXPECT_TRUE(d.isVisible()) << "nothing to play";
             Button(d, "Close").click();
         },
         SelectorResult::Play, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadCollection(core, three);
        core.CurrentPuzzle = c.current;
        EXPECT_EQ(select(c.step), c.result);
        EXPECT_EQ(core.CurrentPuzzle, c.currentAfter);
    }
}

// Esc with no changes asks nothing; deleting the only word, then the close box, asks first;
// either way the vocabulary stays. Added and deleted words come back as the new list.
TEST_F(DialogsTest, VocabEditsComeBackAsTheNewListAndCancellingKeepsTheOld) {
    // Runs the editor over the words with the step; returns the words it left.
    const auto run = [&](std::vector<std::string> words, std::function<void(TDlgVocab&)> step,
                         bool saved, size_t boxes) {
        ui.boxes.clear();
        const DialogDriver<TDlgVocab> driver(std::move(step));
        EXPECT_EQ(dialogs.ExecuteVocabEditor(words), saved);
        EXPECT_EQ(ui.boxes.size(), boxes);
        return words;
    };
    const auto escape = [](TDlgVocab& d) { QTest::keyClick(&Edit(d), Qt::Key_Escape); };
    const auto deleteAndClose = [this](TDlgVocab& d) {
        Button(d, "Delete").click();
        EXPECT_EQ(State(d), "Words: 0||-1");
        ui.Answer(MessageBoxResult::Yes);
        d.close();
    };
    const std::vector<std::string> solo = {"solo"};
    EXPECT_EQ(run(solo, escape, false, 0), solo);
    EXPECT_EQ(run(solo, deleteAndClose, false, 1), solo);

    const auto edits = [this](TDlgVocab& dialog) {
        EXPECT_EQ(State(dialog), "Words: 5|apple|0-") << "the first word is selected";

        // Typed text: lower case, letters only; the nearest word is highlighted as it grows.
        const std::pair<const char*, const char*> typing[] = {
            {"CAT 7", "cat|2-"},        {"ca", "ca|2+"},    {"APPLE", "apple|0-"},
            {"abcdefgh", "abcdefgh|0"}, {"coon", "coon|3"}, {"Ant", "ant|0+"},
        };
        for (const auto& [keys, state] : typing) {
            Edit(dialog).clear();
            QTest::keyClicks(&Edit(dialog), QString::fromUtf8(keys));
            EXPECT_EQ(State(dialog), std::string("Words: 5|") + state) << keys;
        }
        QTest::keyClick(&Edit(dialog), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter adds, it does not close";
        EXPECT_EQ(State(dialog), "Words: 6||0");

        // Pasted text loses its digits, blanks and accents.
        QGuiApplication::clipboard()->setText(QString::fromUtf8("ZE b\u00e9RA9"));
        QTest::keyClick(&Edit(dialog), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Edit(dialog).text(), "zebra");
        Button(dialog, "Add").click();

        // Deleting the last word selects the new last one.
        QListView& list = List(dialog);
        list.scrollToBottom();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualRect(list.model()->index(6, 0)).center());
        EXPECT_EQ(Edit(dialog).text(), "zoo");
        Button(dialog, "Delete").click();
        EXPECT_EQ(State(dialog), "Words: 6|zebra|5-");

        ui.Answer(MessageBoxResult::No);
        Button(dialog, "Cancel").click();
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].caption + ": " + ui.boxes[0].text,
                  "Ladderly Vocab Editor: Are you sure you wish to cancel your editing changes?");
        EXPECT_TRUE(dialog.isVisible());
        Button(dialog, "OK/Save").click(); // without asking
    };
    EXPECT_EQ(run({"apple", "bee", "cat", "dog", "zoo"}, edits, true, 1),
              (std::vector<std::string>{"ant", "apple", "bee", "cat", "dog", "zebra"}));
}
