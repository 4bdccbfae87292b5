#pragma once
// What the game's dialogs share: their font, the help keys, centring on the screen and the
// anchoring of controls to the bottom edge when a dialog grows taller.

#include <QRect>

#include <vector>

class QWidget;

// The small sans-serif face the dialogs are laid out for (11 pixels).
void SetDialogFont(QWidget& dialog);

// F1 shows the help page of the context, F2 the contents, wherever the focus is in the dialog.
void InstallHelpKeys(QWidget& dialog, int context);

// Moves the window to the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

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
