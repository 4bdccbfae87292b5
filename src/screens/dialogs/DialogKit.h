#pragma once
// What the game's dialogs share: their window, font and buttons, the help keys, the window they
// belong to and centring on it, and the anchoring of controls to the bottom edge when a dialog
// grows taller.

#include "platform/UserInterface.h"

#include <QRect>

#include <vector>

class QPushButton;
class QWidget;

// A fixed-width dialog with only the system menu and close box on its title bar, in the small
// sans-serif face (11 pixels) it is laid out for, with its client area as laid out and at
// least minimumHeight tall; it belongs to its parent, when it has one (SetDialogOwner).
void SetUpDialogWindow(QWidget& dialog, const char* caption, QSize client, int minimumHeight);

// Only the system menu and the close box on the title bar.
void SetSystemMenuOnly(QWidget& window);

// A button that Enter presses only while it has the focus.
QPushButton* MakeDialogButton(const char* caption, QWidget* parent);

// F1 shows the help page of the context, F2 the contents, wherever the focus is in the dialog.
void InstallHelpKeys(QWidget& dialog, HelpContext context);

// The dialog belongs to the window: it stays above it and, while it runs, blocks that window
// only, so that the help window it opens stays usable. Nothing changes without a window.
void SetDialogOwner(QWidget& dialog, QWidget* window);

// Moves the dialog to the middle of the window it belongs to, or of the screen when it belongs
// to no window that is shown.
void CentreOnOwner(QWidget& dialog);

// Controls laid out for a client height; when the dialog's height changes, controls that
// grow take the difference in height and controls that follow the bottom edge move by it.
class TBottomAnchors {
  public:
    explicit TBottomAnchors(int layoutHeight) : designHeight(layoutHeight) {}

    void Grow(QWidget& control, const QRect& geometry);
    void Follow(QWidget& control, const QRect& geometry);
    void Apply(int height) const;

  private:
    struct Anchor {
        QWidget* control;
        QRect geometry;
        bool grows;
    };
    int designHeight;
    std::vector<Anchor> anchors;
};
