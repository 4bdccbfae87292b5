#include "app/GameAccessibility.h"

#include "app/AccessibleGameScreen.h"
#include "app/FormGame.h"
#include "app/GraphicArea.h"
#include "framework/StdWorld.h"
#include "screens/GameRoom.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

QAccessibleInterface* GameScreenFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("TGraphicArea")) {
        return nullptr;
    }
    auto* area = qobject_cast<TGraphicArea*>(object);
    auto* view = area == nullptr
                     ? nullptr
                     : area->findChild<TGameAccessibility*>(QString(), Qt::FindDirectChildrenOnly);
    return view == nullptr ? nullptr : new TGameScreenAccessible(area, view);
}

void Send(QAccessibleInterface* iface, QAccessible::Event type) {
    if (iface != nullptr) {
        QAccessibleEvent event(iface, type);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace

TGameAccessibility* TGameAccessibility::Install(TFormGame& form) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(GameScreenFactory);
        return true;
    }();
    (void)factoryInstalled;
    auto* view = new TGameAccessibility(form);
    if (QAccessible::isActive()) {
        // A screen reader that looked at the window before this view existed holds the plain
        // widget's interface: it makes way for the game screen's.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(form.gfxaGame);
        if (iface != nullptr && dynamic_cast<TGameScreenAccessible*>(iface) == nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
            QAccessible::queryAccessibleInterface(form.gfxaGame);
        }
    }
    return view;
}

TGameAccessibility::TGameAccessibility(TFormGame& form) : QObject(form.gfxaGame), Form(form) {
    if (TStdWorld* world = Form.GetWorld()) {
        world->SetObserver(this);
    }
    Form.installEventFilter(this);
}

TGameAccessibility::~TGameAccessibility() {
    if (TStdWorld* world = Form.GetWorld()) {
        world->SetObserver(nullptr);
    }
    Form.removeEventFilter(this);
}

TGraphicArea& TGameAccessibility::Area() const {
    return *Form.gfxaGame;
}

const TGameRoom* TGameAccessibility::Room() const {
    const TStdWorld* world = Form.GetWorld();
    return world == nullptr ? nullptr : dynamic_cast<const TGameRoom*>(world->GetCurrentRoom());
}

TRoomReading TGameAccessibility::Read() const {
    return ReadRoom(Room());
}

void TGameAccessibility::Press(const std::string& box) {
    QTimer::singleShot(0, this, [this, box] {
        const QWidget* modal = QApplication::activeModalWidget();
        TStdWorld* world = Form.GetWorld();
        if (world != nullptr && (modal == nullptr || modal == &Form)) {
            world->ClickBox(box);
        }
    });
}

void TGameAccessibility::Attach(TGameScreenAccessible* screen) {
    Screen = screen;
    Last = Read();
    // Not while Qt is still making the screen's interface: the description's event asks for
    // interfaces itself.
    QTimer::singleShot(
        0, this, [this] { Form.setAccessibleDescription(QString::fromStdString(Last.Mode)); });
}

void TGameAccessibility::Detach(const TGameScreenAccessible* screen) {
    if (Screen == screen) {
        Screen = nullptr;
    }
}

void TGameAccessibility::SceneChanged() {
    if (Screen == nullptr) {
        return;
    }
    TRoomReading now = Read();
    const TReadingChanges changes = CompareReadings(Last, now);
    Last = std::move(now);
    Announce(Last, changes);
}

void TGameAccessibility::Announce(const TRoomReading& now, const TReadingChanges& changes) {
    if (changes.Mode) {
        // The window's own description: Qt tells the screen reader that it changed.
        Form.setAccessibleDescription(QString::fromStdString(now.Mode));
    }
    for (const size_t i : changes.ButtonsShown) {
        const TButtonReading& button = now.Buttons[i];
        Send(Screen->Button(button.Box),
             button.Shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    }
    if (changes.Buttons || !changes.ButtonsShown.empty()) {
        Send(Screen, QAccessible::ObjectReorder);
    }
    for (const size_t i : changes.ButtonsEnabled) {
        QAccessible::State enabled;
        enabled.disabled = true;
        QAccessibleStateChangeEvent event(Screen->Button(now.Buttons[i].Box), enabled);
        QAccessible::updateAccessibility(&event);
    }
    if (changes.Board) {
        Send(Screen->Board(), QAccessible::DescriptionChanged);
    }
    if (changes.Rows) {
        Send(Screen->Board(), QAccessible::ObjectReorder);
    }
    for (const size_t i : changes.RowNames) {
        Send(Screen->Row(i), QAccessible::NameChanged);
    }
    for (const size_t i : changes.RowDescriptions) {
        Send(Screen->Row(i), QAccessible::DescriptionChanged);
    }
    if (changes.Focus) {
        FocusCursorRow();
    }
}

void TGameAccessibility::FocusCursorRow() {
    if (Screen != nullptr && Last.CursorRow > 0) {
        Send(Screen->Row(static_cast<size_t>(Last.CursorRow - 1)), QAccessible::Focus);
    }
}

bool TGameAccessibility::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Form && event->type() == QEvent::FocusIn && Screen != nullptr) {
        // After Qt has told of the window's own focus.
        QTimer::singleShot(0, this, [this] { FocusCursorRow(); });
    }
    return QObject::eventFilter(watched, event);
}
