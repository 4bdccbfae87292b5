#include "screens/dialogs/PuzzleSelector.h"
#include "dialogs/DialogDriver.h"
#include "fakes/FakeUserInterface.h"
#include "screens/PuzzleSelection.h"
#include "screens/dialogs/PuzzleListModel.h"
#include "screens/dialogs/QtGameDialogs.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

namespace {

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

std::string Summary(TDlgSelect& dialog) {
    const QString text = dialog.findChild<QLabel*>("lblSummary")->text();
    return QString(text).replace(QChar(0x00a0), ' ').toStdString();
}

struct SelectorFixture {
    FakeUserInterface ui;
    bool splash = false;
    QtGameDialogs dialogs{splash, "Ladderly", QtGameDialogs::Mode::Interactive};
    TPuzzleCore core;

    // Runs the room's side around the selector: builds the entries with the first puzzles'
    // marks, shows the selector with the step, applies the outcome; returns the result to
    // dispatch on.
    SelectorResult Select(std::function<void(TDlgSelect&)> step,
                          const std::vector<PuzzleMark>& marks = {}) {
        int32_t position = 0;
        std::vector<TSelectorEntry> entries = BuildSelectorEntries(core, position);
        for (size_t i = 0; i < marks.size(); ++i) {
            entries[i].Mark = marks[i];
        }
        const DialogDriver<TDlgSelect> driver(std::move(step));
        const SelectorResult result = dialogs.ExecuteSelector(entries, position);
        return ApplySelectorOutcome(core, entries, result, position);
    }
};

} // namespace

TEST(PuzzleSelector, SortsDeletesEveryWayOutAndTheOutcomeBackToTheCollection) {
    TestApplication();
    SelectorFixture f;
    LoadCollection(f.core, SixPuzzles);
    f.core.CurrentPuzzle = 3;
    const SelectorResult result = f.Select(
        [&f](TDlgSelect& dialog) {
            EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Puzzles available: 6");
            EXPECT_EQ(Summary(dialog), "Solved 2 of 6 \u00b7 2 rows 0/1 \u00b7 3 rows 1/1 \u00b7 4 "
                                       "rows 1/2 \u00b7 5 rows 0/2");
            EXPECT_EQ(Rows(dialog),
                      "4 CAT DOG, 3 ANT BEE, 5 COLD WARM, 5 ANT ZOO, 2 BAT CAT, 4 ANT APE");
            // Steps is the sort column at first, so its first click sorts descending; equal rows
            // come out in reverse. Start word sorts ascending, then descending. The header's arrow
            // shows the order, on no column before the first sort.
            // The end words, then the arrow's column and "^" up or "v" down.
            QHeaderView& header = *List(dialog).header();
            const auto sorted = [&](int column) {
                QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                                  QPoint(header.sectionViewportPosition(column) + 10, 5));
                return Rows(dialog, 2) + " " + std::to_string(header.sortIndicatorSection()) +
                       (header.sortIndicatorOrder() == Qt::AscendingOrder ? "^" : "v");
            };
            EXPECT_EQ(header.sortIndicatorSection(), -1);
            const std::pair<int, const char*> sorts[] = {{0, "ZOO, WARM, APE, DOG, BEE, CAT 0v"},
                                                         {1, "ZOO, APE, BEE, CAT, DOG, WARM 1^"},
                                                         {1, "WARM, DOG, CAT, BEE, APE, ZOO 1v"}};
            for (const auto& [column, rows] : sorts) {
                EXPECT_EQ(sorted(column), rows);
                EXPECT_EQ(dialog.SelectedPosition(), 3) << "the selection follows its puzzle";
            }
            // "No" keeps the puzzle; "Yes" deletes it and selects the one now in its place.
            f.ui.Answer(MessageBoxResult::No);
            Button(dialog, "Delete").click();
            EXPECT_EQ(dialog.SelectedPosition(), 3);
            f.ui.Answer(MessageBoxResult::Yes);
            Button(dialog, "Delete").click();
            ASSERT_EQ(f.ui.boxes.size(), 2u);
            EXPECT_EQ(
                f.ui.boxes[1].caption + ": " + f.ui.boxes[1].text,
                "Ladderly Selector: Are you sure you wish to delete the selected puzzle (COLD "
                "to WARM)?");
            EXPECT_EQ(dialog.SelectedPosition(), 1);
            // The summary follows the deletion; the Solved column sorts the unsolved first, a
            // puzzle whose solution was shown after those never solved.
            EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Puzzles available: 5");
            EXPECT_EQ(Summary(dialog), "Solved 2 of 5 \u00b7 2 rows 0/1 \u00b7 3 rows 1/1 \u00b7 4 "
                                       "rows 1/2 \u00b7 5 rows 0/1");
            const std::string solved = " " + std::to_string(SolvedColumn);
            EXPECT_EQ(sorted(SolvedColumn), "CAT, APE, ZOO, BEE, DOG" + solved + "^");
            EXPECT_EQ(sorted(SolvedColumn), "DOG, BEE, ZOO, APE, CAT" + solved + "v");
            dialog.close();
        },
        {PuzzleMark::Solved, PuzzleMark::Helped, PuzzleMark::None, PuzzleMark::Shown});
    // The close box counts as Close, which becomes Play because the current puzzle went: the
    // previous puzzle takes its place.
    EXPECT_EQ(result, SelectorResult::Play);
    EXPECT_EQ(f.core.PuzzleCount, 5);
    EXPECT_EQ(f.core.CurrentPuzzle, 2);
    EXPECT_TRUE(f.core.PuzzlesModified);

    // Every way out, on every size of list.
    const std::vector<std::array<const char*, 3>> three = {
        {"ONE", "TWO", "CC"}, {"TWO", "SIX", "CC"}, {"SIX", "TEN", "CC"}};
    struct Case {
        const char* what;
        int puzzles;
        int current;
        std::function<void(TDlgSelect&)> step;
        SelectorResult result;
        int currentAfter;
    };
    const Case cases[] = {
        {"edit the selected", 3, 2, [](TDlgSelect& d) { Button(d, "Edit").click(); },
         SelectorResult::Edit, 2},
        {"create", 3, 1, [](TDlgSelect& d) { Button(d, "Create New Puzzle").click(); },
         SelectorResult::Create, 1},
        {"a double-click below the rows plays the selected one", 3, 1,
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
        {"delete them all, then close", 3, 3,
         [&f](TDlgSelect& d) {
             for (int i = 0; i < 3; ++i) {
                 f.ui.Answer(MessageBoxResult::Yes);
                 Button(d, "Delete").click();
             }
             EXPECT_EQ(d.findChild<QGroupBox*>()->title(), "Puzzles available: 0");
             EXPECT_FALSE(Button(d, "Play").isEnabled() || Button(d, "Edit").isEnabled() ||
                          Button(d, "Delete").isEnabled());
             QTest::mouseDClick(List(d).viewport(), Qt::LeftButton, {}, QPoint(20, 5));
             EXPECT_TRUE(d.isVisible()) << "nothing to play";
             Button(d, "Close").click();
         },
         SelectorResult::Play, 0},
        {"no puzzles at all", 0, 0, [](TDlgSelect& d) { QTest::keyClick(&d, Qt::Key_Escape); },
         SelectorResult::Close, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f.ui.boxes.clear();
        LoadCollection(f.core, {three.begin(), three.begin() + c.puzzles});
        f.core.CurrentPuzzle = c.current;
        EXPECT_EQ(f.Select(c.step), c.result);
        EXPECT_EQ(f.core.CurrentPuzzle, c.currentAfter);
    }
}
