#pragma once
// Showing the main window in the window tests.

#include "app/FormGame.h"
#include "platform/QtTestApplication.h"

#include <QTest>

// Shows the window and waits until it has entered its first room.
inline bool ShowAndStart(TFormGame& form) {
    bool started = false;
    form.OnShown = [&started] { started = true; };
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowExposed(&form) &&
           ProcessEventsUntil([&started] { return started; });
}
