// The game screen as a screen reader finds it: the real window offscreen, read through
// QAccessible::queryAccessibleInterface, with the events it sends seen by an update handler.

#include "app/GameAccessibility.h"

#include "app/GraphicArea.h"
#include "app/ShowWindow.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> seen;

// Qt hands events to an update handler only while a screen reader is active; offscreen none
// ever is, so the test says one is.
void SetScreenReaderActive(bool on) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on);
}

// Keeps the name-, description-, focus- and state-events of the game screen's parts.
void Record(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    if (iface == nullptr || iface->object() != nullptr) {
        return;
    }
    const char* kind = event->type() == QAccessible::NameChanged          ? "name "
                       : event->type() == QAccessible::DescriptionChanged ? "description "
                       : event->type() == QAccessible::Focus              ? "focus "
                       : event->type() == QAccessible::StateChanged       ? "state "
                                                                          : nullptr;
    if (kind != nullptr) {
        seen.push_back(kind + iface->text(QAccessible::Name).toStdString());
    }
}

// "Name (Description)" of a child, "-" marking a disabled one.
std::string Line(QAccessibleInterface* parent, int i) {
    QAccessibleInterface* child = parent->child(i);
    EXPECT_EQ(child->parent(), parent);
    EXPECT_EQ(parent->indexOfChild(child), i);
    const QString description = child->text(QAccessible::Description);
    return (child->state().disabled ? "-" : "") + child->text(QAccessible::Name).toStdString() +
           (description.isEmpty() ? "" : " (" + description.toStdString() + ")");
}

// The lines of every child, joined by "; ".
std::string Lines(QAccessibleInterface* parent) {
    std::string lines;
    for (int i = 0; i < parent->childCount(); ++i) {
        lines += (i == 0 ? "" : "; ") + Line(parent, i);
    }
    return lines;
}

class GameAccessibilityTest : public RealGameTest {
  protected:
    GameAccessibilityTest() {
        install.Write("dat/vocab.txt", "cat\ncot\ndot\ndog\n");
        install.Write("dat/puzzle.txt", "cat\ndog\nccc\n2=cot\ndog\ncat\nccc\n3=cot\n");
        previous = QAccessible::installUpdateHandler(Record);
        SetScreenReaderActive(true);
    }
    ~GameAccessibilityTest() override {
        SetScreenReaderActive(false);
        QAccessible::installUpdateHandler(previous);
        seen.clear();
    }

    QAccessible::UpdateHandler previous = nullptr;
};

// Puzzle 1 read row by row, a letter typed and announced, marks after "Check", the ladder
// solved and said so, "New Puzzle" pressed through its action, then edit mode.
TEST_F(GameAccessibilityTest, TheScreenReadsAsItShowsAndTellsEachChange) {
    TFormGame form(settings, application);
    TGameAccessibility::Install(form);
    TGameRoom& room = Start(form);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QAccessibleInterface* screen = QAccessible::queryAccessibleInterface(form.gfxaGame);
    EXPECT_EQ(std::tuple(window->role(), window->child(0)), std::tuple(QAccessible::Window, screen))
        << "not the plain widget's, made at its start";
    // A new board (another puzzle, solved) comes with new interfaces: ask each time.
    const auto board = [screen] { return screen->child(1); };
    EXPECT_EQ(std::tuple(screen->child(0)->role(), board()->role(), board()->child(1)->role()),
              std::tuple(QAccessible::Button, QAccessible::List, QAccessible::ListItem));
    EXPECT_EQ(Lines(screen), "About Ladderly; Board (CAT to DOG); Check; Hint; -Start Over; New "
                             "Puzzle; Select Puzzle");
    EXPECT_EQ(Lines(board()), "CAT (Start word); blank, blank, blank (Letter 1 of 3, Change 1 "
                              "Letter); blank, blank, blank (Change 1 Letter); DOG (End word, "
                              "Change 1 Letter)");
    EXPECT_TRUE(board()->child(1)->state().focused && screen->focusChild() == board()->child(1));
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return form.accessibleDescription() == "Playing puzzle 1"; }));

    seen.clear();
    QTest::keyClicks(&form, "c");
    EXPECT_EQ(seen, (std::vector<std::string>{"state Start Over", "name C, blank, blank",
                                              "description C, blank, blank"}));
    EXPECT_EQ(board()->child(1)->text(QAccessible::Description), "Letter 2 of 3, Change 1 Letter");
    screen->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(ProcessEventsUntil([&] { return room.ShowMarks; }));
    EXPECT_EQ(board()->child(1)->text(QAccessible::Description),
              "Letter 2 of 3, Change 1 Letter, Incomplete");

    seen.clear();
    QTest::keyClicks(&form, "ot");
    EXPECT_EQ(seen.back(), "focus blank, blank, blank") << "the cursor went on to row 3";
    seen.clear();
    QTest::keyClicks(&form, "dot");
    EXPECT_EQ(seen.back(), "focus DOT") << "a new board, read afresh from the cursor's row";
    EXPECT_EQ(Line(board(), 2), "DOT (Solved, Letter 3 of 3, Change 1 Letter)");
    EXPECT_EQ(Lines(screen), "About Ladderly; Board (Solved); -Check; -Hint; Start Over; New "
                             "Puzzle; Select Puzzle");

    seen.clear();
    screen->child(5)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(ProcessEventsUntil([&] { return room.CurrentPuzzle == 2; }));
    EXPECT_EQ(Line(board(), 0), "DOG (Start word)");
    EXPECT_EQ(seen.back(), "focus blank, blank, blank");

    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return form.accessibleDescription() == "Editing puzzle 2"; }));
    EXPECT_EQ(Lines(screen),
              "About Ladderly; Board (DOG to CAT); Vocabulary; Suggest; M (Move 1 Letter); -C "
              "(Change 1 Letter); S (Scramble Letters); X (Swap 2 Letters); R (Remove 1 Letter); "
              "A (Add 1 Letter); Add Row; -Delete Row; -Set Hint; -Clear Hint; -Accept; Cancel; "
              "Check; Hint; -Start Over; -New Puzzle; -Select Puzzle");
    EXPECT_EQ(Line(board(), 2), "blank, blank, blank (Change 1 Letter, hint COT)");
}

} // namespace
