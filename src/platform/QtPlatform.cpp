#include "platform/QtPlatform.h"

#include "platform/QtInstanceLock.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtSystemInfo.h"
#include "platform/QtUserInterface.h"

#include <QApplication>
#include <QStringList>

namespace {

// A high-density screen scales the window by a whole factor (1.5 becomes 2), so the game's
// pictures, drawn nearest-neighbour, stay crisp and every mouse point maps back to one pixel.
std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

QtPlatform::QtPlatform(int& argc, char** argv)
    : application(CreateApplication(argc, argv)),
      userInterface(std::make_unique<QtUserInterface>()),
      systemInfo(std::make_unique<QtSystemInfo>()) {}

QtPlatform::~QtPlatform() = default;

IUserInterface& QtPlatform::UserInterface() {
    return *userInterface;
}

void QtPlatform::SetHelpFolder(const std::string& folder) {
    userInterface->SetHelpFolder(folder);
}

void QtPlatform::SetMainWindow(QWidget* window) {
    userInterface->SetMainWindow(window);
}

ISystemInfo& QtPlatform::SystemInfo() {
    return *systemInfo;
}

std::vector<std::string> QtPlatform::Arguments() const {
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<std::string> result;
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        result.push_back(arguments[at].toStdString());
    }
    return result;
}

std::unique_ptr<ISettingsStore> QtPlatform::CreateSettingsStore(const std::string& defaultsFolder) {
    return std::make_unique<QtSettingsStore>(defaultsFolder);
}

std::unique_ptr<IInstanceLock> QtPlatform::CreateInstanceLock(const std::string& lockName,
                                                              const std::string& message) {
    return std::make_unique<QtInstanceLock>(lockName, message);
}
