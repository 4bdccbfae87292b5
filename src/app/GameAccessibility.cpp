#include "app/GameAccessibility.h"

#include "app/AccessibleGameScreen.h"
#include "app/FormGame.h"
#include "app/GraphicArea.h"
#include "framework/StdWorld.h"
#include "screens/GameRoom.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

#include <vector>

namespace {

TGameAccessibility* ViewOf(const TGraphicArea* area) {
    return area == nullptr
               ? nullptr
               : area->findChild<TGameAccessibility*>(QString(), Qt::FindDirectChildrenOnly);
}

// The game's window: a window (not a plain widget) holding the game screen and the version
// label; the tiled background and the bevel are decoration and left out.
class TGameWindowAccessible : public QAccessibleWidget {
  public:
    explicit TGameWindowAccessible(TFormGame& form)
        : QAccessibleWidget(&form, QAccessible::Window), Form(form) {}

    int childCount() const override { return static_cast<int>(Parts().size()); }
    QAccessibleInterface* child(int index) const override { return ChildAt(Parts(), index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return IndexOfChild(Parts(), child);
    }
    QAccessibleInterface* focusChild() const override {
        QAccessibleInterface* screen = QAccessible::queryAccessibleInterface(Form.gfxaGame);
        return screen == nullptr ? nullptr : screen->focusChild();
    }

  private:
    std::vector<QAccessibleInterface*> Parts() const {
        return {QAccessible::queryAccessibleInterface(Form.gfxaGame),
                QAccessible::queryAccessibleInterface(Form.lblVersion)};
    }

    TFormGame& Form;
};

QAccessibleInterface* GameScreenFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TFormGame")) {
        auto* form = qobject_cast<TFormGame*>(object);
        return form != nullptr && ViewOf(form->gfxaGame) != nullptr
                   ? new TGameWindowAccessible(*form)
                   : nullptr;
    }
    if (className == QLatin1String("TGraphicArea")) {
        auto* area = qobject_cast<TGraphicArea*>(object);
        TGameAccessibility* view = ViewOf(area);
        return view == nullptr ? nullptr : new TGameScreenAccessible(area, view);
    }
    return nullptr;
}

// Qt keeps an interface per object once made: one a screen reader asked for before this view
// existed makes way for the game's (told by its role).
void ReplacePlainInterface(QObject* object, QAccessible::Role role) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (iface != nullptr && iface->role() != role) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
        QAccessible::queryAccessibleInterface(object);
    }
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
        ReplacePlainInterface(&form, QAccessible::Window);
        ReplacePlainInterface(form.gfxaGame, QAccessible::Pane);
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
    if (changes.NewBoard) {
        Screen->RenewBoard();
    } else {
        if (changes.Board) {
            Send(Screen->Board(), QAccessible::DescriptionChanged);
        }
        for (const size_t i : changes.RowNames) {
            Send(Screen->Row(i), QAccessible::NameChanged);
        }
        for (const size_t i : changes.RowDescriptions) {
            Send(Screen->Row(i), QAccessible::DescriptionChanged);
        }
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
