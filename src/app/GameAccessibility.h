#pragma once
// TGameAccessibility: makes the painted game screen readable by screen readers. Qt asks its
// factory (registered once per process with QAccessible::installFactory) for the graphic area's
// accessible interface, which shows the room's reading (screens/RoomReading.h) as a tree: the
// title band and the column's buttons as push buttons, the board as a list of rows. As the
// world's observer it compares the reading after every key, click and tick and sends the
// events that make a screen reader read again: a row's new name or description, the focus on
// the cursor's row, the buttons' enabled states, the board's "Solved" and the window's mode
// ("Editing puzzle 3"). Nothing is compared or sent until an assistive technology (or a test)
// has asked for the graphic area's interface.
//
// Lives as a child of the form's graphic area; it owns no interfaces (Qt's cache does).

#include "framework/ISceneObserver.h"
#include "screens/RoomReading.h"

#include <QObject>

#include <string>

class TFormGame;
class TGameScreenAccessible;
class TGameRoom;

class TGameAccessibility : public QObject, public ISceneObserver {
    Q_OBJECT

  public:
    // Makes the form's game screen readable; the form's graphic area owns the result.
    static TGameAccessibility* Install(TFormGame& form);
    ~TGameAccessibility() override;

    // The current room's reading, taken now.
    TRoomReading Read() const;
    // Clicks the room's box as a press on it does, once the current event is done (a press
    // through the accessibility bus must not wait for the dialog it opens), unless a dialog
    // holds the input as it would hold a click.
    void Press(const std::string& box);

    // The graphic area's interface says that it exists, or goes: changes are announced while
    // it exists.
    void Attach(TGameScreenAccessible* screen);
    void Detach(const TGameScreenAccessible* screen);

    // ISceneObserver
    void SceneChanged() override;

  protected:
    // Points the screen reader at the cursor's row again when the window gets the focus back.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit TGameAccessibility(TFormGame& form);
    const TGameRoom* Room() const;
    void Announce(const TRoomReading& now, const TReadingChanges& changes);
    void FocusCursorRow();

    TFormGame& Form;
    TGameScreenAccessible* Screen = nullptr;
    TRoomReading Last;
};
