// The staged game's "--screenshot FILE", run as a newcomer would run it: the picture must show
// the first puzzle on the board inside the graphic area's border, pixel for pixel as the game
// room draws it from the staged pictures, also on a high-density screen, where every pixel
// becomes a whole block.

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
#include <filesystem>
#include <memory>

namespace {

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        const std::string command =
            "cmake --install '" LADDERLY_BUILD_DIR "' --prefix '" + stage() + "' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        library.LoadFromFile(stage() + "/ladderly.px8");
    }

    std::string stage() const { return folder.Path() + "stage"; }

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
        game.start(QString::fromStdString(stage() + "/ladderly"), {"--screenshot", file});
        if (!game.waitForFinished(60000)) {
            game.kill();
            return -1;
        }
        return game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1;
    }

    TempFolder folder;
    TPX8Library library;
};

// The first screen as the game room draws it without a window: the same room over the staged
// pictures and puzzles, on a surface of the staged library.
class HeadlessFirstScreen {
  public:
    HeadlessFirstScreen(TPX8Library& shared, const std::string& dataFolder) : library(shared) {
        THotImage::SetGlobalImageLibrary(&library);
        TFrameSet::SetGlobalImageLibrary(&library);
        display = library.CreateImage("headless", 450, 326);
        area.surface = library.GetImageData(display);
        TWorld::SetGameRoomFactory([dataFolder](const std::string& id) {
            return std::make_unique<TGameRoom>(id, dataFolder, nullptr);
        });
        world = std::make_unique<TWorld>(&area);
        SetWorld(world.get());
        world->CreateRooms();
        world->Start();
        room = dynamic_cast<TGameRoom*>(world->GetCurrentRoom());
    }
    ~HeadlessFirstScreen() {
        world.reset();
        library.ReleaseImageData(display);
        TWorld::SetGameRoomFactory(nullptr);
        TFrameSet::SetGlobalImageLibrary(nullptr);
        THotImage::SetGlobalImageLibrary(nullptr);
    }
    HeadlessFirstScreen(const HeadlessFirstScreen&) = delete;
    HeadlessFirstScreen& operator=(const HeadlessFirstScreen&) = delete;

    TPX8Library& library;
    FakeUserInterface ui;
    FakeGraphicArea area;
    TImageNode* display;
    std::unique_ptr<TWorld> world;
    TGameRoom* room = nullptr;
};

// The staged game's first screen: the first puzzle on the board, drawn from the pictures, and
// the window showing exactly what the room drew.
TEST_F(ScreenshotTest, TheFirstScreenShowsTheBoardInsideTheBorder) {
    const QString plain = QString::fromStdString(folder.Path() + "plain.png");
    ASSERT_EQ(Run(plain, "1"), 0);
    const QImage shot(plain);
    ASSERT_EQ(shot.size(), QSize(466, 342));

    HeadlessFirstScreen first(library, stage() + "/dat/");
    ASSERT_NE(first.room, nullptr);
    TPX8ImageData& drawn = *first.area.surface;
    for (int y = 0; y < 326; ++y) {
        for (int x = 0; x < 450; ++x) {
            ASSERT_EQ(shot.pixel(8 + x, 8 + y), ShownColour(library, drawn.GetPixel({x, y})))
                << x << "," << y;
        }
    }
    EXPECT_EQ(shot.pixel(2, 2), qRgb(128, 0, 0)) << "the border band";
    EXPECT_EQ(shot.pixel(463, 200), qRgb(128, 0, 0));

    // The board against the pictures: each row's label and letter tiles, the cursor's frame,
    // and the background everywhere left of the buttons outside the rows.
    const TGameRoom& room = *first.room;
    TPX8ImageData& screen = *library.GetImageData(library.GetImage("screen"));
    TPX8ImageData& letters = *library.GetImageData(library.GetImage("letters"));
    TPX8ImageData& graphics = *library.GetImageData(library.GetImage("laddgfx"));
    const auto same = [&](TPX8ImageData& picture, const TRect& source, const TPoint& at) {
        for (int32_t y = source.Top; y < source.Bottom; ++y) {
            for (int32_t x = source.Left; x < source.Right; ++x) {
                const uint8_t pixel = picture.GetPixel({x, y});
                if (pixel != picture.GetTransparentColor() &&
                    drawn.GetPixel({at.X + x - source.Left, at.Y + y - source.Top}) != pixel) {
                    return false;
                }
            }
        }
        return true;
    };
    ASSERT_GE(room.RowCount, 2);
    for (int r = 1; r <= room.RowCount; ++r) {
        const int32_t top = room.BoardTop + (r - 1) * 26;
        const std::string& word = room.Rows[static_cast<size_t>(r)];
        if (r > 1) {
            const int code = ActionIndex(room.Actions[static_cast<size_t>(r - 1)]);
            const TRect labels[] = {{0, 0, 100, 21},   {100, 0, 200, 21},  {200, 21, 300, 42},
                                    {200, 0, 300, 21}, {100, 21, 200, 42}, {0, 21, 100, 42}};
            EXPECT_TRUE(same(graphics, labels[code], {room.BoardLeft, top})) << "label " << r;
        }
        for (size_t c = 0; c < word.size(); ++c) {
            int k = word[c] == ' ' ? 0 : word[c] - 'A' + 1;
            if (k > 0 &&
                room.Rows[static_cast<size_t>(room.RowCount)].find(word[c]) != std::string::npos) {
                k += 27;
            }
            const TRect tile{25 * (k % 9), 20 * (k / 9), 25 * (k % 9) + 26, 20 * (k / 9) + 21};
            const int32_t left = room.BoardLeft + 112 + static_cast<int32_t>(c) * 30;
            const bool cursorCell =
                r == room.CursorRow && static_cast<int>(c) + 1 == room.CursorColumn;
            EXPECT_TRUE(cursorCell || same(letters, tile, {left, top})) << r << "," << c;
        }
    }
    const int32_t cursorLeft = room.BoardLeft + 112 - 2;
    const int32_t cursorTop = room.BoardTop + 26 - 2;
    for (const TPoint p :
         {TPoint{cursorLeft, cursorTop}, TPoint{cursorLeft + 29, cursorTop + 24}}) {
        EXPECT_EQ(drawn.GetPixel(p), BoardGeometry::CursorColour) << "the cursor frame";
    }
    const int32_t rowsBottom = room.BoardTop + (room.RowCount - 1) * 26 + 21;
    for (int32_t y = 60; y < 300; y += 3) {
        for (int32_t x = 0; x < 334; x += 3) {
            const bool inRows = y >= room.BoardTop - 2 && y < rowsBottom + 2;
            if (!inRows) {
                ASSERT_EQ(drawn.GetPixel({x, y}), screen.GetPixel({x, y})) << x << "," << y;
            }
        }
    }

    // Scaled by 2: each pixel of the picture is a 2 x 2 block of the same colour.
    const QString doubled = QString::fromStdString(folder.Path() + "doubled.png");
    ASSERT_EQ(Run(doubled, "2"), 0);
    const QImage big(doubled);
    ASSERT_EQ(big.size(), QSize(932, 684));
    for (int y = 0; y < 342; ++y) {
        for (int x = 0; x < 466; ++x) {
            const QRgb colour = shot.pixel(x, y);
            ASSERT_TRUE(
                big.pixel(2 * x, 2 * y) == colour && big.pixel(2 * x + 1, 2 * y) == colour &&
                big.pixel(2 * x, 2 * y + 1) == colour && big.pixel(2 * x + 1, 2 * y + 1) == colour)
                << x << "," << y;
        }
    }

    EXPECT_NE(Run(QString::fromStdString(folder.Path() + "missing/folder/shot.png"), "1"), 0)
        << "a screenshot that cannot be written";
}

} // namespace
