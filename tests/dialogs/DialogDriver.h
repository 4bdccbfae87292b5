#pragma once
// Drives a modal dialog from inside its own event loop: while the driver lives, once a dialog
// of the type is up and exposed, the step runs on it, once; a driver whose dialog never showed
// fails. A step that leaves the dialog open closes it, so a failed check never leaves a test
// waiting.

#include "platform/QtTestApplication.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

template <class Dialog> class DialogDriver {
  public:
    explicit DialogDriver(std::function<void(Dialog&)> onShown) : step(std::move(onShown)) {
        QObject::connect(&poll, &QTimer::timeout, [this] { Poll(); });
        poll.start(0);
    }

    ~DialogDriver() { EXPECT_TRUE(ran) << "the dialog never showed"; }

  private:
    void Poll() {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->windowHandle() == nullptr ||
            !dialog->windowHandle()->isExposed()) {
            return;
        }
        poll.stop();
        ran = true;
        step(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the step left the dialog open";
            dialog->done(QDialog::Rejected);
        }
    }

    std::function<void(Dialog&)> step;
    QTimer poll;
    bool ran = false;
};

// The dialog's push button with the caption.
inline QPushButton& Button(QWidget& dialog, const char* caption) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(caption)) {
            return *button;
        }
    }
    throw std::runtime_error(std::string("no button ") + caption);
}
