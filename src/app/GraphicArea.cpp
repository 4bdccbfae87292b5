#include "app/GraphicArea.h"

#include "app/GameCursors.h"
#include "graphics/PX8Lib.h"
#include "platform/QtGameTimer.h"
#include "platform/QtKeys.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

QRect ToQRect(const TRect& r) {
    return {r.Left, r.Top, RectWidth(r), RectHeight(r)};
}

bool ButtonOf(Qt::MouseButton qtButton, uint8_t& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = MouseButton::Left;
        return true;
    case Qt::RightButton:
        button = MouseButton::Right;
        return true;
    case Qt::MiddleButton:
        button = MouseButton::Middle;
        return true;
    default:
        return false;
    }
}

} // namespace

TGraphicArea::TGraphicArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QWidget::setCursor(ScreenCursor(CursorValue));
    Core.OnRealloc = [this] {
        const TPX8ImageData* surface = Core.GetSurface();
        Picture = QImage(surface->Width(), surface->Height(), QImage::Format_RGB32);
        Picture.fill(Qt::black);
        Core.GetSurface()->DamageAll();
        update();
    };
    Core.OnFlushed = [this](const std::vector<TRect>& rects) { ShowTransferred(rects); };
}

TGraphicArea::~TGraphicArea() {
    if (Timer) {
        Timer->RemoveClient(this);
    }
}

void TGraphicArea::SetGlobalImageLibrary(TPX8Library* library) {
    TGraphicAreaSurface::SetGlobalImageLibrary(library);
}

void TGraphicArea::SetBorderWidth(int32_t width) {
    if (Core.SetBorderWidth(width)) {
        update();
    }
}

void TGraphicArea::SetInnerBevelWidth(int32_t width) {
    if (Core.SetInnerBevelWidth(width)) {
        update();
    }
}

void TGraphicArea::SetOuterBevelWidth(int32_t width) {
    if (Core.SetOuterBevelWidth(width)) {
        update();
    }
}

void TGraphicArea::SetBevelInner(TBevelCut cut) {
    if (Core.SetBevelInner(cut) != TBevelChange::None) {
        update();
    }
}

void TGraphicArea::SetBevelOuter(TBevelCut cut) {
    if (Core.SetBevelOuter(cut) != TBevelChange::None) {
        update();
    }
}

void TGraphicArea::SetColor(const QColor& colour) {
    BandColour = colour;
    update();
}

QRect TGraphicArea::InnerRect() const {
    return ToQRect(Core.InnerRect(width(), height()));
}

void TGraphicArea::JoinTimer() {
    if (TimerJoined || parent() == nullptr) {
        return;
    }
    TimerJoined = true;
    Timer = parent()->findChild<TGameTimer*>(QString(), Qt::FindDirectChildrenOnly);
    if (Timer) {
        Timer->AddClient(this, [this] { Tick(); });
    }
}

TPX8ImageData* TGraphicArea::EnsureSurface() {
    JoinTimer();
    return Core.EnsureSurface(width(), height());
}

int TGraphicArea::RealizeLibraryPalette() {
    TPX8Library* library = Core.GetLibrary();
    if (library == nullptr || !library->IsOpen()) {
        return 0;
    }
    const int changed = Device.SetPalette(library->GetHPal());
    if (changed > 0) {
        if (TPX8ImageData* surface = Core.GetSurface()) {
            surface->DamageAll();
        }
        update();
    }
    return changed;
}

void TGraphicArea::Flush() {
    if (isVisible()) {
        Core.Flush();
    }
}

void TGraphicArea::Tick() {
    // Another window holding the focus (another program, or the game's own help) must not stop
    // the board: only a hidden or minimised window has nothing to show.
    if (!isVisible() || window()->isMinimized() || EnsureSurface() == nullptr) {
        return;
    }
    RealizeLibraryPalette();
    Core.Tick(width(), height());
}

void TGraphicArea::ShowTransferred(const std::vector<TRect>& rects) {
    const QPoint offset = InnerRect().topLeft();
    for (const TRect& r : rects) {
        const QRect area = ToQRect(r).translated(offset);
        // A paint event draws its own region from the picture already; asking for it again
        // would paint for ever.
        if (PaintingRegion == nullptr || !PaintingRegion->contains(area)) {
            Requested += area;
            update(area);
        }
    }
}

void TGraphicArea::DrawBorder(QPainter& painter) {
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    for (const TBorderStrip& strip : Core.BorderStrips(width(), height())) {
        const QColor colour = strip.Colour == TBorderColour::Shadow      ? shadow
                              : strip.Colour == TBorderColour::Highlight ? highlight
                                                                         : BandColour;
        painter.fillRect(ToQRect(strip.Rect), colour);
    }
}

void TGraphicArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect inner = InnerRect();
    TPX8ImageData* surface = Core.GetLibrary() != nullptr ? EnsureSurface() : nullptr;
    if (surface == nullptr) {
        DrawBorder(painter);
        if (inner.isValid()) {
            painter.fillRect(inner, palette().color(QPalette::Button));
        }
        return;
    }
    RealizeLibraryPalette();
    // The area the window asks for becomes damage, so a repaint never redraws the scene; what
    // a flush has just put into the picture needs no second transfer.
    const QRegion asked = (event->region() - Requested) & QRegion(inner);
    Requested = QRegion();
    for (const QRect& r : asked) {
        const QRect part = r.translated(-inner.topLeft());
        surface->AddDamage({part.left(), part.top(), part.right() + 1, part.bottom() + 1});
    }
    DrawBorder(painter);
    const QRegion region = event->region();
    PaintingRegion = &region;
    Core.Flush();
    PaintingRegion = nullptr;
    painter.drawImage(inner.topLeft(), Picture);
}

void TGraphicArea::SetMouseHandlers(TMouseMoveHandler move, TMouseButtonHandler down,
                                    TMouseButtonHandler up) {
    OnMove = std::move(move);
    OnDown = std::move(down);
    OnUp = std::move(up);
}

void TGraphicArea::SetCursor(CursorId cursor) {
    if (cursor == CursorValue) {
        return;
    }
    CursorValue = cursor;
    QWidget::setCursor(ScreenCursor(cursor));
}

void TGraphicArea::ResetScreenCursor() {
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

TPoint TGraphicArea::GetPointerPos() const {
    const QPoint at = mapFromGlobal(QCursor::pos()) - InnerRect().topLeft();
    return {at.x(), at.y()};
}

bool TGraphicArea::ToSurface(const QPointF& position, TPoint& point) const {
    const QRect inner = InnerRect();
    // Logical co-ordinates are whole surface pixels; a fraction lies inside one of them.
    const int x = static_cast<int>(std::floor(position.x()));
    const int y = static_cast<int>(std::floor(position.y()));
    if (!inner.contains(x, y)) {
        return false;
    }
    point = {x - inner.left(), y - inner.top()};
    return true;
}

void TGraphicArea::mouseMoveEvent(QMouseEvent* event) {
    TPoint at;
    if (OnMove && ToSurface(event->position(), at)) {
        OnMove(ShiftStateOf(event->modifiers()), at.X, at.Y);
    }
    QWidget::mouseMoveEvent(event);
}

void TGraphicArea::OfferButton(const QMouseEvent& event, const TMouseButtonHandler& handler) const {
    TPoint at;
    uint8_t button = 0;
    if (handler && ButtonOf(event.button(), button) && ToSurface(event.position(), at)) {
        handler(button, ShiftStateOf(event.modifiers()), at.X, at.Y);
    }
}

void TGraphicArea::mousePressEvent(QMouseEvent* event) {
    OfferButton(*event, OnDown);
    QWidget::mousePressEvent(event);
}

void TGraphicArea::mouseReleaseEvent(QMouseEvent* event) {
    OfferButton(*event, OnUp);
    QWidget::mouseReleaseEvent(event);
}
