#pragma once
// TGraphicArea: the control through which the game's off-screen picture reaches the window. A
// border (outer bevel, border band, inner bevel in the window system's shadow and highlight
// colours) surrounds one surface exactly as large as the inside; scenes draw into the surface
// and the control shows only what they damaged, at every game-timer tick and whenever the
// window asks it to paint. Mouse events inside the border reach the world in surface
// co-ordinates.
//
// It owns the window-free part (surface, border, freeze; see TGraphicAreaSurface) and the
// 32-bit picture of the surface that paint events draw from. On a high-density screen Qt
// scales the whole window by a whole factor (see QtPlatform) and the picture is drawn
// nearest-neighbour, so it stays crisp and logical mouse points are surface pixels.

#include "framework/IGraphicArea.h"
#include "graphics/GraphicAreaSurface.h"
#include "platform/QtPaletteDevice.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

class TGameTimer;
class TPX8Library;

class TGraphicArea : public QWidget, public IGraphicArea {
    Q_OBJECT

  public:
    explicit TGraphicArea(QWidget* parent);
    ~TGraphicArea() override;

    static void SetGlobalImageLibrary(TPX8Library* library);

    void SetBorderWidth(int32_t width);
    void SetInnerBevelWidth(int32_t width);
    void SetOuterBevelWidth(int32_t width);
    void SetBevelInner(TBevelCut cut);
    void SetBevelOuter(TBevelCut cut);
    // The border band's colour.
    void SetColor(const QColor& colour);

    // The surface, made or remade for the control's size; also joins the owner's game timer.
    TPX8ImageData* EnsureSurface();
    // The inner rectangle in control co-ordinates.
    QRect InnerRect() const;
    // Damages the whole surface at the next tick.
    void RequestRepaint() { Core.RequestRepaint(); }
    // Shows the surface's damage.
    void Flush();
    // The game timer's call: shows the damage while the control is shown and its window is not
    // minimised, whether or not that window has the focus.
    void Tick();
    // Takes the library's palette for the picture; repaints everything when a colour changed.
    // Returns the number of colours changed; 0 without library or palette.
    int RealizeLibraryPalette();

    TGraphicAreaSurface& GetCore() { return Core; }
    CursorId GetCursorId() const { return CursorValue; }

    // IGraphicArea
    TPX8ImageData* GetImage() override { return EnsureSurface(); }
    void SetMouseHandlers(TMouseMoveHandler move, TMouseButtonHandler down,
                          TMouseButtonHandler up) override;
    void SetCursor(CursorId cursor) override;
    void ResetScreenCursor() override;
    void SetFreezeDisplay(bool frozen) override { Core.SetFreezeDisplay(frozen); }
    TPoint GetPointerPos() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void DrawBorder(QPainter& painter);
    void ShowTransferred(const std::vector<TRect>& rects);
    void JoinTimer();
    // The point in surface co-ordinates, or false when it lies on the border.
    bool ToSurface(const QPointF& position, TPoint& point) const;
    // Hands a button event inside the border to the handler, in surface co-ordinates.
    void OfferButton(const QMouseEvent& event, const TMouseButtonHandler& handler) const;

    QImage Picture;
    QtPaletteDevice Device{Picture};
    TGraphicAreaSurface Core{Device};
    QColor BandColour = Qt::black;
    CursorId CursorValue = CursorId::None;
    QPointer<TGameTimer> Timer;
    bool TimerJoined = false;
    // While a paint event flushes, the region it is painting anyway.
    const QRegion* PaintingRegion = nullptr;
    // What flushes asked to be painted: the picture is already up to date there.
    QRegion Requested;
    TMouseMoveHandler OnMove;
    TMouseButtonHandler OnDown;
    TMouseButtonHandler OnUp;
};
