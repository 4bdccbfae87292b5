#include "screens/dialogs/DialogKit.h"

#include "base/Messages.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

void SetUpDialogWindow(QWidget& dialog, const char* caption, QSize client, int minimumHeight) {
    dialog.setWindowTitle(QString::fromLatin1(caption));
    SetSystemMenuOnly(dialog);
    QFont font = dialog.font();
    font.setPixelSize(11);
    dialog.setFont(font);
    dialog.setFixedWidth(client.width());
    dialog.setMinimumHeight(minimumHeight);
    dialog.resize(client);
    SetDialogOwner(dialog, dialog.parentWidget());
}

void SetSystemMenuOnly(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

QPushButton* MakeDialogButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setAutoDefault(false);
    return button;
}

void InstallHelpKeys(QWidget& dialog, HelpContext context) {
    auto* topic = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    topic->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(topic, &QShortcut::activated,
                     [context] { GetUserInterface().ShowHelp(context); });
    auto* contents = new QShortcut(QKeySequence(Qt::Key_F2), &dialog);
    contents->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(contents, &QShortcut::activated,
                     [] { GetUserInterface().ShowHelp(HelpContext::Contents); });
}

void SetDialogOwner(QWidget& dialog, QWidget* window) {
    if (window == nullptr) {
        return;
    }
    dialog.setParent(window, dialog.windowFlags());
    dialog.setWindowModality(Qt::WindowModal);
}

void CentreOnOwner(QWidget& dialog) {
    const QWidget* owner =
        dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
    QRect area;
    if (owner != nullptr && owner->isVisible()) {
        area = owner->frameGeometry();
    } else if (const QScreen* screen = dialog.screen() != nullptr
                                           ? dialog.screen()
                                           : QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(area.center());
    dialog.move(frame.topLeft());
}

void TBottomAnchors::Grow(QWidget& control, const QRect& geometry) {
    anchors.push_back({&control, geometry, true});
    control.setGeometry(geometry);
}

void TBottomAnchors::Follow(QWidget& control, const QRect& geometry) {
    anchors.push_back({&control, geometry, false});
    control.setGeometry(geometry);
}

void TBottomAnchors::Apply(int height) const {
    const int change = height - designHeight;
    for (const Anchor& anchor : anchors) {
        anchor.control->setGeometry(anchor.grows ? anchor.geometry.adjusted(0, 0, 0, change)
                                                 : anchor.geometry.translated(0, change));
    }
}
