// The game as a player and a screen reader meet it: the real window over the shipped puzzles,
// vocabulary and pictures, driven by QTest keys, mouse clicks and accessible actions, and read
// through QAccessible::queryAccessibleInterface with the events it sends seen by an update
// handler.

#include "app/FormGame.h"

#include "app/GameAccessibility.h"
#include "app/GameRooms.h"
#include "app/GraphicArea.h"
#include "app/ShowWindow.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"
#include "framework/GameWorld.h"
#include "screens/GameRoom.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> seen;

// Keeps the name-, description-, focus- and state-events of the game screen's parts.
void Record(QAccessibleEvent* event) {
    static const std::map<QAccessible::Event, std::string> kinds = {
        {QAccessible::NameChanged, "name "},
        {QAccessible::DescriptionChanged, "description "},
        {QAccessible::Focus, "focus "},
        {QAccessible::StateChanged, "state "}};
    QAccessibleInterface* iface = event->accessibleInterface();
    if (iface != nullptr && iface->object() == nullptr && kinds.contains(event->type())) {
        seen.push_back(kinds.at(event->type()) + iface->text(QAccessible::Name).toStdString());
    }
}

// The children from..to-1 (all by default) as "Name (Description)", "-" marking a disabled one,
// joined by "; ".
std::string Lines(QAccessibleInterface* parent, int from = 0, int to = -1) {
    std::string lines;
    for (int i = from; i < (to < 0 ? parent->childCount() : to); ++i) {
        QAccessibleInterface* child = parent->child(i);
        EXPECT_EQ(std::tuple(child->parent(), parent->indexOfChild(child)), std::tuple(parent, i));
        const QString description = child->text(QAccessible::Description);
        lines += (i == from ? "" : "; ") + std::string(child->state().disabled ? "-" : "") +
                 child->text(QAccessible::Name).toStdString() +
                 (description.isEmpty() ? "" : " (" + description.toStdString() + ")");
    }
    return lines;
}

// The built pictures and the shipped vocabulary and puzzles in a folder of their own, with the
// game room registered. Qt hands events to an update handler only while a screen reader is
// active; offscreen none ever is, so the test says one is.
class GameSessionTest : public ::testing::Test {
  protected:
    GameSessionTest() {
        TestApplication();
        fs::copy_file(LADDERLY_BUILD_DIR "/ladderly.px8", install / "ladderly.px8");
        settings.ProgramFolder = settings.InstallFolder = install.Path();
        settings.DataFolder = install.MakeFolder("dat") + "/";
        for (const char* name : {"vocab.txt", "puzzle.txt"}) {
            fs::copy_file(fs::path(std::getenv("LADDERLY_SOURCE_DIR")) / "data" / name,
                          install / "dat" / name);
        }
        RegisterGameRoom(settings.DataFolder, settings.DataFolder, nullptr);
        previous = QAccessible::installUpdateHandler(Record);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    ~GameSessionTest() override {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(previous);
        seen.clear();
        TWorld::SetGameRoomFactory(nullptr);
    }

    TempFolder install;
    GameSettings settings;
    ApplicationInfo application{"Ladderly", "ladd.hlp"};
    FakeUserInterface ui;
    QAccessible::UpdateHandler previous = nullptr;
};

// The first shipped puzzle read row by row, a letter typed and announced, marks after "Check"
// pressed through its action, the ladder solved and said so, the win animation moving on the
// screen, a click that goes on to another puzzle, then edit mode.
TEST_F(GameSessionTest, PlayTheFirstShippedPuzzleToTheWinAsAScreenReaderFollows) {
    auto form = std::make_unique<TFormGame>(settings, application);
    TGameAccessibility::Install(*form);
    ASSERT_TRUE(ShowAndStart(*form));
    auto& room = dynamic_cast<TGameRoom&>(*form->GetWorld()->GetCurrentRoom());
    ASSERT_EQ(std::tuple(room.CurrentPuzzle, room.RowCount), std::tuple(1, 3));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    QAccessibleInterface* screen = QAccessible::queryAccessibleInterface(form->gfxaGame);
    EXPECT_EQ(std::tuple(window->role(), window->child(0)), std::tuple(QAccessible::Window, screen))
        << "not the plain widget's, made at its start";
    // A new board (another puzzle, solved) comes with new interfaces: ask each time.
    const auto board = [screen] { return screen->child(1); };
    EXPECT_EQ(Lines(screen), "About Ladderly; Board (HAT to CAP); Check; -Hint; -Start Over; New "
                             "Puzzle; Select Puzzle");
    EXPECT_TRUE(board()->child(1)->state().focused && screen->focusChild() == board()->child(1));
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return form->accessibleDescription() == "Playing puzzle 1"; }));

    seen.clear();
    QTest::keyClicks(form.get(), "c");
    EXPECT_EQ(seen, (std::vector<std::string>{"state Start Over", "name C, blank, blank",
                                              "description C, blank, blank"}));
    screen->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(ProcessEventsUntil([&] { return room.ShowMarks; }));
    EXPECT_EQ(board()->child(1)->text(QAccessible::Description),
              "Letter 2 of 3, Change 1 Letter, Incomplete");

    seen.clear();
    QTest::keyClicks(form.get(), "at");
    ASSERT_TRUE(room.Solved);
    EXPECT_EQ(seen.back(), "focus CAT") << "a new board, read afresh from the cursor's row";
    EXPECT_EQ(Lines(board(), 1, 2), "CAT (Solved, Letter 3 of 3, Change 1 Letter)");
    EXPECT_EQ(Lines(screen), "About Ladderly; Board (Solved); -Check; -Hint; Start Over; New "
                             "Puzzle; Select Puzzle");

    // The sprite falls in from above the screen on the game's own ticks. A real event loop
    // waits between them, which is when the game counts as idle and the sprite is redrawn.
    QElapsedTimer clock;
    clock.start();
    while (room.WinY < 0 && clock.elapsed() < 20000) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_GE(room.WinY, 0);

    QTest::mouseClick(form->gfxaGame, Qt::LeftButton, {},
                      QPoint(room.BoardLeft + 13, room.BoardTop + 13));
    ASSERT_TRUE(!room.Solved && room.CurrentPuzzle != 1) << "on to another puzzle";

    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(ProcessEventsUntil([&] {
        return form->accessibleDescription() ==
               "Editing puzzle " + QString::number(room.CurrentPuzzle);
    }));
    std::string swap = Lines(screen, 7, 8);
    std::erase(swap, '-'); // disabled when it is the step of the cursor's row
    EXPECT_EQ(swap, "X (Swap 2 Letters)") << "a step's button, named by its code letter";
    form.reset();
    EXPECT_TRUE(ui.boxes.empty()) << "nothing changed, nothing asked at the end";
}

} // namespace
