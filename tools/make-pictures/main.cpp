// make-pictures: draws every picture of the game with the game's one palette and saves each
// as an indexed PNG named after its picture, for ladderly-tool px8 pack. The same fonts give
// the same files byte for byte on every run.
//
// usage: make-pictures OUTDIR [--mock DIR]
// --mock also writes mock-play.png and mock-edit.png: the whole window put together from the
// pictures.

#include "GamePalette.h"
#include "Mock.h"
#include "PictureKit.h"

#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <map>

namespace {

// The indexed picture as the game will show it, for the mock.
QImage Shown(const IndexedPng& png) {
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height),
                 QImage::Format_Indexed8);
    QList<QRgb> table;
    for (std::size_t i = 0; i < png.palette.size(); ++i) {
        const auto& [r, g, b] = png.palette[i];
        const bool clear = i < png.alpha.size() && png.alpha[i] == 0;
        table.push_back(clear ? qRgba(0, 0, 0, 0) : qRgb(r, g, b));
    }
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        std::copy_n(png.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width(),
                    image.width(), image.scanLine(y));
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

int Run(const std::filesystem::path& folder, const std::filesystem::path& mockFolder) {
    const Fonts fonts = LoadFonts();
    std::vector<Picture> pictures = DrawScreenPictures(fonts);
    for (auto&& more : {DrawBoardPictures(fonts), DrawButtonPictures(fonts)}) {
        pictures.insert(pictures.end(), more.begin(), more.end());
    }
    std::filesystem::create_directories(folder);
    std::map<std::string, QImage> shown;
    for (const Picture& picture : pictures) {
        const IndexedPng png =
            GamePalette::ToIndexed(picture.Image, picture.Transparent, picture.Backdrop.rgb());
        WriteIndexedPng((folder / (picture.Name + ".png")).string(), png);
        shown[picture.Name] = Shown(png);
    }
    if (!mockFolder.empty()) {
        std::filesystem::create_directories(mockFolder);
        MockWindow(shown, false).save(QString::fromStdString((mockFolder / "mock-play.png")));
        MockWindow(shown, true).save(QString::fromStdString((mockFolder / "mock-edit.png")));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    std::filesystem::path mockFolder;
    if (args.size() == 4 && args[2] == "--mock") {
        mockFolder = args[3].toStdString();
    } else if (args.size() != 2) {
        std::cerr << "usage: make-pictures OUTDIR [--mock DIR]\n";
        return 2;
    }
    try {
        return Run(args[1].toStdString(), mockFolder);
    } catch (const std::exception& e) {
        std::cerr << "make-pictures: " << e.what() << '\n';
        return 1;
    }
}
