#pragma once
// The About box: the game's name, version, picture and credits, a link to the game's guide
// with a promotional line beneath it that changes colour every four seconds, and the check
// box that decides whether the box is shown at start-up. Created once and kept; each showing
// carries on from the previous one.
//
// Owns its controls and the flash timer; the splash-screen setting belongs to the caller.

#include <QDialog>

#include <random>
#include <string>

class QCheckBox;
class QCursor;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

class TDlgAbout : public QDialog {
    Q_OBJECT
  public:
    static constexpr int PromotionCount = 5;

    // splashSetting is the setting the check box shows and writes; it must outlive the box.
    TDlgAbout(bool& splashSetting, const std::string& applicationTitle, QWidget* parent = nullptr);

    bool LinkHighlighted() const { return linkHighlighted; }
    // The cursor over the link: the game's own screen cursor for links, as the board shows
    // the game's cursor over its cells; the system's pointing hand until it is given.
    void SetLinkCursor(const QCursor& cursor);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate(const std::string& applicationTitle);
    void tmrFlashTimer();
    void lblURLClick();
    void chkShowScreenClick();
    void SetLinkHighlighted(bool highlighted);
    QLabel* MakeLabel(const QString& text, const QRect& geometry, int pixelSize, bool bold,
                      Qt::Alignment alignment);

    bool& splashScreen;
    QFrame* Bevel1;
    QLabel* Image1;
    QLabel* lblVersion;
    QLabel* lblURL;
    QLabel* lblHomeOf;
    QPushButton* cmdOK;
    QCheckBox* chkShowScreen;
    QTimer* tmrFlash;
    int flashTag = 0;
    bool linkHighlighted = false;
    std::mt19937 random;
};
