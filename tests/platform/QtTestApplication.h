#pragma once
// The one QApplication the Qt tests of a process share, made on first use. It is never
// destroyed: the input devices QTest makes go at exit, and Qt's clean-up crashed when the
// application went before them.

#include <QApplication>
#include <QElapsedTimer>

#include <functional>

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "ladderly_qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// Lets events through, waiting for them, until the condition holds or five seconds have passed.
inline bool ProcessEventsUntil(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return condition();
}
