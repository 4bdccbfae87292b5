// The Qt implementations of the platform, offscreen: the palette device, the settings store,
// the single-instance lock, the user interface and the game timer.

#include "app/InitGame.h"
#include "fakes/TempFolder.h"
#include "platform/InputCodes.h"
#include "platform/QtGameTimer.h"
#include "platform/QtHelpWindow.h"
#include "platform/QtInstanceLock.h"
#include "platform/QtPaletteDevice.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTestApplication.h"
#include "platform/QtUserInterface.h"

#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

// A block of 4 x 3 indices, bottom row first: the value is 10 x (row from the bottom) + column.
const std::vector<uint8_t> Block = {0, 1, 2, 3, 0,  0,  0,  0,  10, 11, 12, 13,
                                    0, 0, 0, 0, 20, 21, 22, 23, 0,  0,  0,  0};

TEST(QtPaletteDevice, TransfersBottomUpRowsThroughThePalette) {
    const TIndexedRows rows{Block.data(), 4, 3, 8};
    // The whole block; the middle row, shifted; clipped on the left and the top; rows above the
    // block left out.
    struct Case {
        int32_t sourceX, sourceY, width, height, destX, destY;
        int32_t rows;
        const char* screen; // 4 rows of 6 red values, two digits each, ".." untouched
    };
    const Case cases[] = {
        {0, 0, 4, 3, 1, 0, 3, "..20212223....10111213....00010203.............."},
        {1, 1, 2, 1, 0, 3, 1, "....................................1112........"},
        {0, 0, 4, 3, -2, -1, 3, "1213........0203................................"},
        {0, 2, 4, 2, 0, 0, 1, "............20212223............................"},
    };
    for (const Case& c : cases) {
        QImage screen(6, 4, QImage::Format_RGB32);
        screen.fill(qRgb(255, 255, 255));
        QtPaletteDevice device(screen);
        TPaletteEntries grey{}; // index i: red and green i, blue 7
        for (int i = 0; i < 256; ++i) {
            grey[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i), 7, 0};
        }
        device.SetPalette(grey);
        EXPECT_EQ(
            device.TransferRows(rows, c.sourceX, c.sourceY, c.width, c.height, c.destX, c.destY),
            c.rows)
            << c.screen;
        for (int i = 0; i < 24; ++i) {
            const std::string cell(c.screen + 2 * i, 2);
            const int red = cell == ".." ? -1 : std::stoi(cell);
            EXPECT_EQ(screen.pixel(i % 6, i / 6), red < 0 ? qRgb(255, 255, 255) : qRgb(red, red, 7))
                << c.screen << " at " << i % 6 << "," << i / 6;
        }
    }
}

// Every test keeps the user's settings and the installation's defaults in folders of its own.
class QtSettingsStoreTest : public testing::Test {
  protected:
    QtSettingsStoreTest() {
        TestApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(user.Path()));
    }

    QtSettingsStore Store() { return QtSettingsStore(defaults.Path()); }

    // A value read as an integer and as a string: "ok", "missing" or "wrong", and the value.
    static std::string Read(QtSettingsStore store, const char* key, const char* name) {
        const auto status = [](SettingStatus s) {
            return std::array{"ok ", "missing ", "wrong "}[static_cast<size_t>(s)];
        };
        const SettingRead<int32_t> number = store.ReadInteger(key, name);
        const SettingRead<std::string> text = store.ReadString(key, name);
        return status(number.status) + std::to_string(number.value) + ", " + status(text.status) +
               text.value;
    }

    TempFolder user;
    TempFolder defaults;
};

// The user's values over the installation's defaults, each key in files of its own (the
// organisation's values are not the game's); values of the wrong type, missing, or under keys
// outside the game's folders.
TEST_F(QtSettingsStoreTest, TheUsersValuesOverTheInstallationsDefaults) {
    QtSettingsStore store = Store();
    EXPECT_FALSE(store.OpenKey(CompanyKey, false)); // nothing stored yet
    EXPECT_TRUE(store.OpenKey(GameKey, true));
    user.Write("Tarn Software.conf", "[General]\nDevHome=/home/dev\nDirectory=/wrong\n");
    defaults.Write("Tarn Software.conf", "[General]\nEnable%20sound=0\n");
    EXPECT_TRUE(Store().OpenKey(CompanyKey, false));
    EXPECT_FALSE(Store().OpenKey(GameKey, false));
    EXPECT_EQ(Read(Store(), GameKey, SoundValue) + Read(Store(), GameKey, DirectoryValue),
              "missing 0, missing missing 0, missing ");

    // Laid out as the staged installation writes it.
    defaults.Write("Tarn Software/Ladderly.conf",
                   "[General]\nDirectory=\"/opt/a, \\\"b\\\"\"\nEnable%20sound=1\n"
                   "SplashScreen=1\nEmpty=5\n");
    EXPECT_TRUE(Store().OpenKey(GameKey, false));
    EXPECT_TRUE(store.WriteInteger(GameKey, SoundValue, 0) &&
                store.WriteInteger(GameKey, SplashValue, 1));
    EXPECT_EQ(Read(Store(), GameKey, SoundValue), "ok 0, ok 0");

    user.Write("Tarn Software/Ladderly.conf", "[General]\nSplashScreen=4294967296\n"
                                              "List=/a, /b\nNumber= -12 \nEmpty=\n");
    const char* const badKeys[] = {"Tarn Software\\Ladderly",
                                   "Software\\Tarn Software\\Ladderly\\More", ""};
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {GameKey, SoundValue, "ok 1, ok 1"},
        {GameKey, DirectoryValue, "wrong 0, ok /opt/a, \"b\""},
        {GameKey, SplashValue, "wrong 0, ok 4294967296"},
        {GameKey, "List", "wrong 0, wrong "},
        {GameKey, "Number", "ok -12, ok -12"},
        {GameKey, "Empty", "wrong 0, ok "},
        {GameKey, "Absent", "missing 0, missing "},
        {CompanyKey, DevHomeValue, "wrong 0, ok /home/dev"},
    };
    for (const auto& [key, name, read] : cases) {
        EXPECT_EQ(Read(Store(), key, name), read) << key << " " << name;
    }
    for (const char* key : badKeys) {
        EXPECT_FALSE(store.OpenKey(key, true) || store.WriteInteger(key, SoundValue, 1)) << key;
    }
}

TEST(QtInstanceLock, SecondCopySignalsTheFirstAndACrashedCopysLockIsTakenOver) {
    TestApplication();
    // Names no other test process uses, so tests may run side by side.
    const std::string name = "ladderly-test-" + std::to_string(getpid());
    auto first = std::make_unique<QtInstanceLock>(name, "Check for LDG instance");
    int received = 0;
    first->SetSignalHandler([&received] { ++received; });
    ASSERT_TRUE(first->Acquire());

    QtInstanceLock second(name, "Check for LDG instance");
    EXPECT_FALSE(second.Acquire());
    second.SignalOther();
    EXPECT_TRUE(ProcessEventsUntil([&received] { return received == 1; }));

    // Another message on the same socket is not the signal.
    QtInstanceLock stranger(name, "Something else");
    stranger.SignalOther();
    second.SignalOther();
    EXPECT_TRUE(ProcessEventsUntil([&received] { return received == 2; }));

    first.reset();
    EXPECT_TRUE(QtInstanceLock(name, "m").Acquire()) << "freed when the holder goes";

    // A lock file left by a crash is taken over.
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", ""},
        {"dead holder", "999999999\nladderly\nnowhere\n"},
        {"garbage", QByteArray(300, '\xff')},
    };
    for (const auto& [what, content] : cases) {
        SCOPED_TRACE(what);
        const std::string stale = name + "-stale-" + std::to_string(content.size());
        QFile file(QDir::tempPath() + "/" + QString::fromStdString(stale) + "-" +
                   QString::number(getuid()) + ".lock");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_TRUE(QtInstanceLock(stale, "m").Acquire());
    }
}

// Once a modal dialog of the type is up, hands it to the step.
template <class Dialog> void WhenShown(const std::function<void(Dialog&)>& step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        dialog != nullptr ? step(*dialog) : WhenShown<Dialog>(step);
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
    EXPECT_EQ(ui.ShowMessageBox("Display Error", "Continue anyway?",
                                MessageBoxStyle::YesNo | MessageBoxStyle::DefaultButton2),
              MessageBoxResult::No);
    ui.SetHelpFolder("/opt/ladderly/help");
    ui.ShowHelp(HelpContext::Contents);
    EXPECT_FALSE(ui.OpenUrl("https://ladderly.example/"));
    EXPECT_EQ(ui.InputBox("New Puzzle", "Start word:", "cold"), std::nullopt);
    ui.ShowLongText("Wizard", "A\r\nB");
    EXPECT_EQ(log.str(), "Display Error: Continue anyway?\nHelp: /opt/ladderly/help/index.html\n"
                         "Open: https://ladderly.example/\nNew Puzzle: Start word: [cancelled]\n"
                         "Wizard: A\r\nB\n");
}

TEST(QtUserInterface, BoxesInputLongTextAndHelp) {
    TestApplication();
    QtUserInterface ui(QtUserInterface::Mode::Interactive);
    using enum MessageBoxStyle;
    using QB = QMessageBox;
    // The style, the box's buttons, icon and default button, the button pressed and the result.
    const std::tuple<MessageBoxStyle, QB::StandardButtons, QB::Icon, QB::StandardButton,
                     QB::StandardButton, MessageBoxResult>
        cases[] = {
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

    // A text taller than the screen comes in a box that wraps and scrolls and fits the screen.
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

    // The help window over the game's own help pages: pages by context number, the contents
    // page for an unknown one, and the search field.
    ui.SetHelpFolder(std::string(std::getenv("LADDERLY_SOURCE_DIR")) + "/help");
    ui.ShowHelp(static_cast<HelpContext>(104));
    QtHelpWindow* window = ui.GetHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Making puzzles - Ladderly Help");
    ui.ShowHelp(static_cast<HelpContext>(999));
    EXPECT_EQ(window->windowTitle(), "Ladderly Help: Contents");
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

TEST(GameTimer, ClientsFirstThenItsOwnEventAndRunsOnlyWhenNeeded) {
    TestApplication();
    TGameTimer timer;
    EXPECT_FALSE(timer.IsRunning()) << "nothing to call";
    timer.SetInterval(5);

    std::string calls;
    auto component = std::make_unique<QObject>();
    const int plain = 0;
    timer.AddClient(component.get(), [&] { calls += "component "; });
    timer.AddClient(&plain, [&] { calls += "plain "; });
    timer.SetOnTimer([&] { calls += "tick "; });
    ASSERT_TRUE(ProcessEventsUntil([&] { return calls.size() >= 21; }));
    // A loaded machine may let it fire more than once: the first firing is the one checked.
    EXPECT_EQ(calls.substr(0, 21), "component plain tick ");

    component.reset();
    EXPECT_EQ(std::pair(timer.ClientCount(), timer.IsRunning()), std::pair(size_t{1}, true))
        << "a destroyed component's entry goes with it; the others still need the timer";
    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.IsRunning()) << "the remaining client still needs it";
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.IsRunning());
    timer.RemoveClient(&plain);
    EXPECT_FALSE(timer.IsRunning()) << "no client and no event of its own";
}

} // namespace
