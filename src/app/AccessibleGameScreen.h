#pragma once
// The accessible tree of the painted game screen. The graphic area's interface holds, in
// reading order, the title band (a push button that opens the About box), the board (a list
// with one item per row, top to bottom) and the buttons the column shows (push buttons named by
// their captions, enabled as the room enables them, pressed as a click presses them). Every
// answer is read from the room at the moment it is asked for (TGameAccessibility::Read).
//
// The screen owns the interfaces of its board, rows and buttons: they are made on first
// request, registered with Qt's cache so that they keep one identity on the bus, and deleted
// with the screen.

#include "screens/RoomReading.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <map>
#include <string>
#include <vector>

class TGameAccessibility;
class TGraphicArea;

// A parent's child by position, nullptr out of range; a child's position, -1 when not there.
QAccessibleInterface* ChildAt(const std::vector<QAccessibleInterface*>& children, int index);
int IndexOfChild(const std::vector<QAccessibleInterface*>& children,
                 const QAccessibleInterface* child);

class TGameScreenAccessible : public QAccessibleWidget {
  public:
    TGameScreenAccessible(TGraphicArea* area, TGameAccessibility* view);
    ~TGameScreenAccessible() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The room's reading now (an empty one once the view has gone).
    TRoomReading Read() const;
    // A rectangle of the display surface in screen co-ordinates.
    QRect ToScreen(const TRect& rect) const;
    void Press(const std::string& box) const;

    // The board's and its rows' interfaces go and new ones come, and Qt is told of both: a
    // screen reader meets a new board and reads it afresh.
    void RenewBoard();

    QAccessibleInterface* Board() const;
    // The interface of row index (0 is the start word) and of the named button, made on first
    // request.
    QAccessibleInterface* Row(size_t index) const;
    QAccessibleInterface* Button(const std::string& box) const;

  private:
    // The interfaces of the children in reading order: the title band, the board, then the
    // buttons shown.
    std::vector<QAccessibleInterface*> Children() const;

    QPointer<TGameAccessibility> View;
    mutable QAccessible::Id BoardId = 0;
    mutable std::vector<QAccessible::Id> RowIds;
    mutable std::map<std::string, QAccessible::Id> ButtonIds;
};
