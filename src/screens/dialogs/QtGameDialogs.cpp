#include "screens/dialogs/QtGameDialogs.h"

#include "screens/dialogs/About.h"
#include "screens/dialogs/DialogKit.h"
#include "screens/dialogs/PuzzleSelector.h"
#include "screens/dialogs/VocabEditor.h"

#include <QGuiApplication>

#include <iostream>

namespace {

bool IsHeadlessPlatform() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

QtGameDialogs::QtGameDialogs(bool& splashSetting, const std::string& applicationTitle, Mode mode)
    : QtGameDialogs(splashSetting, applicationTitle, mode, std::cerr) {}

QtGameDialogs::QtGameDialogs(bool& splashSetting, const std::string& applicationTitle, Mode mode,
                             std::ostream& logStream)
    : splashScreen(splashSetting),
      headless(mode == Mode::Headless || (mode == Mode::Automatic && IsHeadlessPlatform())),
      log(logStream), about(new TDlgAbout(splashSetting, applicationTitle)) {}

QtGameDialogs::~QtGameDialogs() {
    delete about;
}

void QtGameDialogs::SetWindow(QWidget* gameWindow) {
    window = gameWindow;
    SetDialogOwner(*about, gameWindow);
}

TDlgAbout& QtGameDialogs::About() {
    return *about;
}

bool QtGameDialogs::Shown(const char* dialog) {
    if (headless) {
        log << "Ladderly: the " << dialog << " is not shown: nobody can answer it here."
            << std::endl;
    }
    return !headless;
}

SelectorResult QtGameDialogs::ExecuteSelector(std::vector<TSelectorEntry>& entries,
                                              int32_t& position) {
    if (!Shown("puzzle selector")) {
        return SelectorResult::Close;
    }
    return ::ExecuteSelector(entries, position, window);
}

bool QtGameDialogs::ExecuteVocabEditor(std::vector<std::string>& vocabulary) {
    return Shown("vocabulary editor") && ::ExecuteVocabEditor(vocabulary, window);
}

void QtGameDialogs::ShowAbout() {
    if (Shown("About box")) {
        about->exec();
    }
}
