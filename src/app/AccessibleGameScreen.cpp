#include "app/AccessibleGameScreen.h"

#include "app/GameAccessibility.h"
#include "app/GraphicArea.h"
#include "core/StepActions.h"

#include <algorithm>

namespace {

constexpr char TitleBox[] = "about";

// The interface of the id, made and registered with Qt's cache when there is none yet.
template <typename Make> QAccessibleInterface* Cached(QAccessible::Id& id, Make make) {
    if (id != 0) {
        if (QAccessibleInterface* iface = QAccessible::accessibleInterface(id)) {
            return iface;
        }
    }
    QAccessibleInterface* iface = make();
    id = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

// Deletes the interface of the id, if any.
void Forget(QAccessible::Id& id) {
    if (id != 0) {
        QAccessible::deleteAccessibleInterface(id);
        id = 0;
    }
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A part of the painted screen: no object of its own, answers from the screen's reading.
class TScreenPart : public QAccessibleInterface {
  public:
    explicit TScreenPart(TGameScreenAccessible& screen) : Screen(screen) {}

    bool isValid() const override { return Screen.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Screen.window(); }
    void setText(QAccessible::Text, const QString&) override {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  protected:
    TGameScreenAccessible& Screen;
};

class TRowAccessible : public TScreenPart {
  public:
    TRowAccessible(TGameScreenAccessible& screen, size_t index)
        : TScreenPart(screen), Index(index) {}

    size_t GetIndex() const { return Index; }

    QAccessibleInterface* parent() const override { return Screen.Board(); }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override {
        const TRoomReading reading = Screen.Read();
        if (Index >= reading.Rows.size()) {
            return {};
        }
        if (t == QAccessible::Name) {
            return Text(reading.Rows[Index].Name);
        }
        return t == QAccessible::Description ? Text(reading.Rows[Index].Description) : QString();
    }

    QRect rect() const override {
        const TRoomReading reading = Screen.Read();
        return Index < reading.Rows.size() ? Screen.ToScreen(reading.Rows[Index].Bounds) : QRect();
    }

    QAccessible::State state() const override {
        const TRoomReading reading = Screen.Read();
        QAccessible::State state;
        state.focusable = true;
        // The cursor's row has the focus, as the letters typed go there.
        state.focused = static_cast<size_t>(reading.CursorRow) == Index + 1;
        state.invisible = Index >= reading.Rows.size();
        return state;
    }

  private:
    size_t Index;
};

class TBoardAccessible : public TScreenPart {
  public:
    using TScreenPart::TScreenPart;

    QAccessibleInterface* parent() const override { return &Screen; }
    QAccessible::Role role() const override { return QAccessible::List; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return QStringLiteral("Board");
        }
        return t == QAccessible::Description ? Text(Screen.Read().Board) : QString();
    }

    int childCount() const override { return static_cast<int>(Screen.Read().Rows.size()); }

    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount() ? Screen.Row(static_cast<size_t>(index))
                                                  : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* row = dynamic_cast<const TRowAccessible*>(child);
        return row != nullptr && static_cast<int>(row->GetIndex()) < childCount()
                   ? static_cast<int>(row->GetIndex())
                   : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i)->rect().contains(x, y)) {
                return child(i);
            }
        }
        return nullptr;
    }

    QRect rect() const override {
        QRect all;
        for (const TRowReading& row : Screen.Read().Rows) {
            all |= Screen.ToScreen(row.Bounds);
        }
        return all;
    }

    QAccessible::State state() const override { return {}; }
};

class TButtonAccessible : public TScreenPart, public QAccessibleActionInterface {
  public:
    TButtonAccessible(TGameScreenAccessible& screen, std::string box)
        : TScreenPart(screen), Box(std::move(box)) {}

    QAccessibleInterface* parent() const override { return &Screen; }
    QAccessible::Role role() const override { return QAccessible::Button; }

    QString text(QAccessible::Text t) const override {
        const TButtonReading button = Reading();
        if (t == QAccessible::Name) {
            return Text(button.Name);
        }
        return t == QAccessible::Description ? Text(button.Description) : QString();
    }

    QRect rect() const override { return Screen.ToScreen(Reading().Bounds); }

    QAccessible::State state() const override {
        const TButtonReading button = Reading();
        QAccessible::State state;
        state.disabled = !button.Enabled;
        state.invisible = !button.Shown;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            Screen.Press(Box);
        }
    }

  private:
    TButtonReading Reading() const {
        const TRoomReading reading = Screen.Read();
        const auto found = std::find_if(reading.Buttons.begin(), reading.Buttons.end(),
                                        [this](const TButtonReading& b) { return b.Box == Box; });
        return found != reading.Buttons.end() ? *found : TButtonReading{};
    }

    std::string Box;
};

} // namespace

TGameScreenAccessible::TGameScreenAccessible(TGraphicArea* area, TGameAccessibility* view)
    : QAccessibleWidget(area, QAccessible::Pane), View(view), RowIds(MaxRows, 0) {
    view->Attach(this);
}

TGameScreenAccessible::~TGameScreenAccessible() {
    if (View) {
        View->Detach(this);
    }
    Forget(BoardId);
    for (QAccessible::Id& id : RowIds) {
        Forget(id);
    }
    for (auto& [box, id] : ButtonIds) {
        Forget(id);
    }
}

QString TGameScreenAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? QStringLiteral("Game") : QString();
}

TRoomReading TGameScreenAccessible::Read() const {
    return View ? View->Read() : ReadRoom(nullptr);
}

QRect TGameScreenAccessible::ToScreen(const TRect& rect) const {
    const auto* area = static_cast<const TGraphicArea*>(widget());
    const QPoint origin = area->mapToGlobal(area->InnerRect().topLeft());
    return {origin + QPoint(rect.Left, rect.Top),
            QSize(rect.Right - rect.Left, rect.Bottom - rect.Top)};
}

void TGameScreenAccessible::Press(const std::string& box) const {
    if (View) {
        View->Press(box);
    }
}

void TGameScreenAccessible::RenewBoard() {
    if (QAccessibleInterface* old =
            BoardId == 0 ? nullptr : QAccessible::accessibleInterface(BoardId)) {
        QAccessibleEvent gone(old, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
    }
    Forget(BoardId);
    for (QAccessible::Id& id : RowIds) {
        Forget(id);
    }
    QAccessibleEvent made(Board(), QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&made);
}

QAccessibleInterface* TGameScreenAccessible::Board() const {
    return Cached(BoardId, [this] {
        return new TBoardAccessible(const_cast<TGameScreenAccessible&>(*this));
    });
}

QAccessibleInterface* TGameScreenAccessible::Row(size_t index) const {
    return index < RowIds.size() ? Cached(RowIds[index],
                                          [this, index] {
                                              return new TRowAccessible(
                                                  const_cast<TGameScreenAccessible&>(*this), index);
                                          })
                                 : nullptr;
}

QAccessibleInterface* TGameScreenAccessible::Button(const std::string& box) const {
    return Cached(ButtonIds[box], [this, &box] {
        return new TButtonAccessible(const_cast<TGameScreenAccessible&>(*this), box);
    });
}

std::vector<QAccessibleInterface*> TGameScreenAccessible::Children() const {
    const TRoomReading reading = Read();
    std::vector<QAccessibleInterface*> children;
    for (const TButtonReading& button : reading.Buttons) {
        if (button.Box == TitleBox) {
            children.push_back(Button(button.Box));
        }
    }
    children.push_back(Board());
    for (const TButtonReading& button : reading.Buttons) {
        if (button.Shown && button.Box != TitleBox) {
            children.push_back(Button(button.Box));
        }
    }
    return children;
}

int TGameScreenAccessible::childCount() const {
    return static_cast<int>(Children().size());
}

QAccessibleInterface* ChildAt(const std::vector<QAccessibleInterface*>& children, int index) {
    return index >= 0 && static_cast<size_t>(index) < children.size()
               ? children[static_cast<size_t>(index)]
               : nullptr;
}

int IndexOfChild(const std::vector<QAccessibleInterface*>& children,
                 const QAccessibleInterface* child) {
    const auto found = std::find(children.begin(), children.end(), child);
    return found == children.end() ? -1 : static_cast<int>(found - children.begin());
}

QAccessibleInterface* TGameScreenAccessible::child(int index) const {
    return ChildAt(Children(), index);
}

int TGameScreenAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return IndexOfChild(Children(), child);
}

QAccessibleInterface* TGameScreenAccessible::childAt(int x, int y) const {
    for (QAccessibleInterface* child : Children()) {
        if (child->rect().contains(x, y)) {
            return child;
        }
    }
    return nullptr;
}

QAccessibleInterface* TGameScreenAccessible::focusChild() const {
    const int row = Read().CursorRow;
    return row > 0 ? Row(static_cast<size_t>(row - 1)) : nullptr;
}
