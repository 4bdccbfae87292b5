// The staged game's "--screenshot FILE", run as a newcomer would run it: the picture must show
// the first puzzle inside the graphic area's border, pixel for pixel as the game room draws it
// from the staged pictures, also on a high-density screen, where every pixel becomes a whole
// block.

#include "app/WindowKit.h"
#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "framework/FrameSet.h"
#include "framework/GameWorld.h"
#include "graphics/HotImage.h"
#include "graphics/PX8ImageData.h"
#include "platform/QtTestApplication.h"
#include "screens/GameRoom.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        const std::string command =
            "cmake --install '" LADDERLY_BUILD_DIR "' --prefix '" + stage() + "' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        library.LoadFromFile(game() + "/ladderly.px8");
    }

    std::string stage() const { return folder.Path() + "stage"; }
    std::string game() const { return stage() + "/" LADDERLY_GAME_DIR; }

    // Runs the staged game for a screenshot; returns its exit status.
    int Run(const QString& file, const QString& scale) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString scratch = QString::fromStdString(folder.Path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_SCALE_FACTOR", scale);
        environment.insert("XDG_CONFIG_HOME", scratch + "config");
        environment.insert("XDG_CONFIG_DIRS", scratch + "xdg");
        environment.insert("TMPDIR", QString::fromStdString(folder.MakeFolder("tmp")));
        QProcess game;
        game.setProcessEnvironment(environment);
        game.start(QString::fromStdString(stage() + "/bin/ladderly"), {"--screenshot", file});
        const bool finished = game.waitForFinished(60000); // else killed as `game` goes
        return finished && game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1;
    }

    void TearDown() override {
        if (display != nullptr) {
            library.ReleaseImageData(display);
        }
        TWorld::SetGameRoomFactory(nullptr);
        TFrameSet::SetGlobalImageLibrary(nullptr);
        THotImage::SetGlobalImageLibrary(nullptr);
    }

    TempFolder folder;
    TPX8Library library;
    TImageNode* display = nullptr;
};

// The staged game's first screen: the first puzzle on the board, drawn from the pictures, and
// the window showing exactly what the room drew.
TEST_F(ScreenshotTest, TheFirstScreenShowsTheBoardInsideTheBorder) {
    const QString plain = QString::fromStdString(folder.Path() + "plain.png");
    ASSERT_EQ(Run(plain, "1"), 0);
    const QImage shot(plain);
    ASSERT_EQ(shot.size(), QSize(466, 342));

    // The first screen as the game room draws it without a window: the same room over the
    // staged pictures and puzzles, on a surface of the staged library.
    FakeUserInterface ui;
    FakeGraphicArea area;
    THotImage::SetGlobalImageLibrary(&library);
    TFrameSet::SetGlobalImageLibrary(&library);
    display = library.CreateImage("headless", 450, 326);
    area.surface = library.GetImageData(display);
    TWorld::SetGameRoomFactory([data = game() + "/dat/"](const std::string& id) {
        return std::make_unique<TGameRoom>(id, data, nullptr);
    });
    TWorld world(&area);
    SetWorld(&world);
    world.CreateRooms();
    world.Start();
    auto* room = dynamic_cast<TGameRoom*>(world.GetCurrentRoom());
    ASSERT_NE(room, nullptr);
    TPX8ImageData& drawn = *area.surface;
    for (int y = 0; y < 326; ++y) {
        for (int x = 0; x < 450; ++x) {
            ASSERT_EQ(shot.pixel(8 + x, 8 + y), ShownColour(library, drawn.GetPixel({x, y})))
                << x << "," << y;
        }
    }
    ASSERT_GE(room->RowCount, 2) << "the first puzzle is on the board";

    // Scaled by 2: each pixel of the picture is a 2 x 2 block of the same colour.
    const QString doubled = QString::fromStdString(folder.Path() + "doubled.png");
    ASSERT_EQ(Run(doubled, "2"), 0);
    const QImage big(doubled);
    EXPECT_EQ(big.convertToFormat(QImage::Format_RGB32),
              shot.convertToFormat(QImage::Format_RGB32).scaled(932, 684));

    EXPECT_NE(Run(QString::fromStdString(folder.Path() + "missing/folder/shot.png"), "1"), 0)
        << "a screenshot that cannot be written";
}

} // namespace
