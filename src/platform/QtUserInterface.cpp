#include "platform/QtUserInterface.h"

#include "platform/QtHelpWindow.h"
#include "platform/QtKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <iostream>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct ButtonPair {
    QMessageBox::StandardButton button;
    MessageBoxResult result;
};

constexpr ButtonPair buttonResults[] = {
    {QMessageBox::Ok, MessageBoxResult::Ok},
    {QMessageBox::Cancel, MessageBoxResult::Cancel},
    {QMessageBox::Abort, MessageBoxResult::Abort},
    {QMessageBox::Retry, MessageBoxResult::Retry},
    {QMessageBox::Ignore, MessageBoxResult::Ignore},
    {QMessageBox::Yes, MessageBoxResult::Yes},
    {QMessageBox::No, MessageBoxResult::No},
};

std::optional<MessageBoxResult> ResultOf(QMessageBox::StandardButton button) {
    for (const ButtonPair& pair : buttonResults) {
        if (pair.button == button) {
            return pair.result;
        }
    }
    return std::nullopt;
}

std::vector<QMessageBox::StandardButton> ButtonsOf(MessageBoxStyle style) {
    switch (style & MessageBoxStyle::ButtonMask) {
    case MessageBoxStyle::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case MessageBoxStyle::AbortRetryIgnore:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case MessageBoxStyle::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MessageBoxStyle::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case MessageBoxStyle::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

QMessageBox::Icon IconOf(MessageBoxStyle style) {
    switch (style & MessageBoxStyle::IconMask) {
    case MessageBoxStyle::IconStop:
        return QMessageBox::Critical;
    case MessageBoxStyle::IconQuestion:
        return QMessageBox::Question;
    case MessageBoxStyle::IconExclamation:
        return QMessageBox::Warning;
    case MessageBoxStyle::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

bool IsHeadlessPlatform() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

QtUserInterface::QtUserInterface(Mode mode) : QtUserInterface(mode, std::cerr) {}

QtUserInterface::QtUserInterface(Mode mode, std::ostream& log)
    : headless(mode == Mode::Headless || (mode == Mode::Automatic && IsHeadlessPlatform())),
      boxLog(log) {}

QtUserInterface::~QtUserInterface() = default;

MessageBoxResult QtUserInterface::ShowMessageBox(const std::string& caption,
                                                 const std::string& text, MessageBoxStyle style) {
    if (headless) {
        boxLog << caption << ": " << text << std::endl;
        return DefaultMessageBoxResult(style);
    }
    QMessageBox box(IconOf(style), QString::fromStdString(caption), QString::fromStdString(text));
    const std::vector<QMessageBox::StandardButton> buttons = ButtonsOf(style);
    for (const QMessageBox::StandardButton button : buttons) {
        box.addButton(button);
    }
    for (const QMessageBox::StandardButton button : buttons) {
        if (ResultOf(button) == DefaultMessageBoxResult(style)) {
            box.setDefaultButton(button);
        }
        if (button == QMessageBox::Cancel || buttons.size() == 1) {
            box.setEscapeButton(button);
        }
    }
    Run(box);
    QAbstractButton* clicked = box.clickedButton();
    const std::optional<MessageBoxResult> result =
        clicked != nullptr ? ResultOf(box.standardButton(clicked)) : std::nullopt;
    return result.value_or(DefaultMessageBoxResult(style));
}

void QtUserInterface::SetMainWindow(QWidget* window) {
    mainWindow = window;
}

int QtUserInterface::Run(QDialog& box) const {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr && mainWindow && mainWindow->isVisible()) {
        owner = mainWindow;
    }
    if (owner != nullptr) {
        box.setParent(owner, box.windowFlags());
        box.setWindowModality(Qt::WindowModal);
    }
    return box.exec();
}

void QtUserInterface::ProcessPendingMessages() {
    QCoreApplication::processEvents();
}

std::optional<std::string> QtUserInterface::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial) {
    if (headless) {
        boxLog << caption << ": " << prompt << " [cancelled]" << std::endl;
        return std::nullopt;
    }
    QInputDialog box;
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setLabelText(QString::fromStdString(prompt));
    box.setTextValue(QString::fromStdString(initial));
    if (Run(box) != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.textValue().toStdString();
}

uint8_t QtUserInterface::KeyShiftState() {
    return ShiftStateOf(QGuiApplication::queryKeyboardModifiers());
}

void QtUserInterface::ShowHelp(HelpContext context) {
    if (headless) {
        const std::string page = context == HelpContext::Contents
                                     ? "index.html"
                                     : std::to_string(static_cast<int>(context)) + ".html";
        boxLog << "Help: " << helpFolder << "/" << page << std::endl;
        return;
    }
    if (helpWindow == nullptr) {
        helpWindow = std::make_unique<QtHelpWindow>();
    }
    helpWindow->SetFolder(QString::fromStdString(helpFolder));
    helpWindow->SetOpener(QApplication::activeWindow());
    helpWindow->ShowContext(context);
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

bool QtUserInterface::OpenUrl(const std::string& url) {
    if (headless) {
        boxLog << "Open: " << url << std::endl;
        return false;
    }
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtUserInterface::ShowLongText(const std::string& caption, const std::string& text) {
    if (headless) {
        boxLog << caption << ": " << text << std::endl;
        return;
    }
    const QString shown = QString::fromStdString(text).replace("\r\n", "\n");
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    // A message box wraps at about half the screen's width; with its frame, icon and button it
    // needs some 150 pixels more than the text.
    const int wrapWidth = std::max(available.width() / 2, 200);
    const int textHeight = QFontMetrics(QApplication::font())
                               .boundingRect(QRect(0, 0, wrapWidth, 0), Qt::TextWordWrap, shown)
                               .height();
    if (textHeight + 150 <= available.height()) {
        ShowMessageBox(caption, text, MessageBoxStyle::Ok);
        return;
    }
    QDialog dialog;
    dialog.setWindowTitle(QString::fromStdString(caption));
    auto* view = new QPlainTextEdit(shown, &dialog);
    view->setObjectName("longText");
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(std::min(wrapWidth + 60, available.width()), available.height() * 3 / 4);
    Run(dialog);
}

void QtUserInterface::ShowBusyCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}
