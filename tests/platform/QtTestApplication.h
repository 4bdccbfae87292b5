#pragma once
// The one QApplication the Qt tests of a process share, made on first use.

#include <QApplication>

#include <functional>

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

// Lets events through until the condition holds or about five seconds have passed.
inline bool ProcessEventsUntil(const std::function<bool()>& condition) {
    for (int round = 0; round < 500 && !condition(); ++round) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
}
