// empty_window --screenshot FILE: an empty Qt widget window of the game's client size, started
// and ended as `ladderly --screenshot FILE` is: it writes its first frame and quits.

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3 || arguments[1] != QLatin1String("--screenshot")) {
        return 2;
    }
    QWidget window;
    window.setFixedSize(466, 342);
    window.show();
    bool saved = false;
    QTimer::singleShot(0, &window, [&window, &saved, &arguments] {
        saved = window.grab().toImage().save(arguments[2], "PNG");
        window.close();
    });
    QApplication::exec();
    return saved ? 0 : 1;
}
