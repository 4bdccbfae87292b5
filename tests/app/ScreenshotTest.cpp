// The staged game's "--screenshot FILE", run as a newcomer would run it: the picture must show
// the staged library's "screen" inside the graphic area's border, pixel for pixel, also on a
// high-density screen, where every pixel becomes a whole block.

#include "app/WindowKit.h"
#include "graphics/PX8ImageData.h"
#include "platform/QtTestApplication.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        const std::string command = "cmake --install '" LADDERLY_BUILD_DIR "' --prefix '" +
                                    stage() + "' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        // The game's own pictures when they are staged; a library of the test's otherwise.
        if (!std::filesystem::exists(stage() + "/ladderly.px8")) {
            WriteTestLibrary(folder, "stage/");
        }
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

TEST_F(ScreenshotTest, TheFirstScreenShowsTheStagedPictureInsideTheBorder) {
    TImageNode* entry = library.GetImage("screen");
    TPX8ImageData& screen = *library.GetImageData(entry);
    ASSERT_EQ(screen.Width(), 450);
    ASSERT_EQ(screen.Height(), 326);

    const QString plain = QString::fromStdString(folder.Path() + "plain.png");
    ASSERT_EQ(Run(plain, "1"), 0);
    const QImage shot(plain);
    ASSERT_EQ(shot.size(), QSize(466, 342));
    for (int y = 0; y < 326; ++y) {
        for (int x = 0; x < 450; ++x) {
            ASSERT_EQ(shot.pixel(8 + x, 8 + y), ShownColour(library, screen.GetPixel({x, y})))
                << x << "," << y;
        }
    }
    EXPECT_EQ(shot.pixel(2, 2), qRgb(128, 0, 0)) << "the border band";
    EXPECT_EQ(shot.pixel(463, 200), qRgb(128, 0, 0));

    // Scaled by 2: each pixel of the picture is a 2 x 2 block of the same colour.
    const QString doubled = QString::fromStdString(folder.Path() + "doubled.png");
    ASSERT_EQ(Run(doubled, "2"), 0);
    const QImage big(doubled);
    ASSERT_EQ(big.size(), QSize(932, 684));
    for (int y = 0; y < 342; ++y) {
        for (int x = 0; x < 466; ++x) {
            const QRgb colour = shot.pixel(x, y);
            ASSERT_TRUE(big.pixel(2 * x, 2 * y) == colour && big.pixel(2 * x + 1, 2 * y) == colour &&
                        big.pixel(2 * x, 2 * y + 1) == colour &&
                        big.pixel(2 * x + 1, 2 * y + 1) == colour)
                << x << "," << y;
        }
    }
    library.ReleaseImageData(entry);
    library.ReleaseImage(entry);

    EXPECT_NE(Run(QString::fromStdString(folder.Path() + "missing/folder/shot.png"), "1"), 0)
        << "a screenshot that cannot be written";
}

} // namespace
