// ladderly-icons FOLDER NAME SIZE...: writes the game's icon as FOLDER/SIZExSIZE/apps/NAME.png
// for each size, the layout of an icon theme. Runs on any Qt platform, offscreen too.

#include "screens/dialogs/LadderlyIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <iostream>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 4) {
        std::cerr << "usage: ladderly-icons FOLDER NAME SIZE...\n";
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file = folder + "/" + QString::fromLocal8Bit(argv[2]) + ".png";
        if (size < 16 || !QDir().mkpath(folder) || !DrawLadderlyIcon(size).save(file)) {
            std::cerr << "ladderly-icons: cannot write " << file.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
