#include "platform/QtSystemInfo.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

int QtSystemInfo::ColourBits() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->depth() : 0;
}

std::string QtSystemInfo::ExecutableFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}
