#include "app/GameCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace {

// The window system's cursors by their (non-positive) id numbers.
struct SystemCursor {
    int16_t id;
    Qt::CursorShape shape;
};

constexpr SystemCursor systemCursors[] = {
    {0, Qt::ArrowCursor},          {-1, Qt::BlankCursor},      {-2, Qt::ArrowCursor},
    {-3, Qt::CrossCursor},         {-4, Qt::IBeamCursor},      {-5, Qt::SizeAllCursor},
    {-6, Qt::SizeBDiagCursor},     {-7, Qt::SizeVerCursor},    {-8, Qt::SizeFDiagCursor},
    {-9, Qt::SizeHorCursor},       {-10, Qt::UpArrowCursor},   {-11, Qt::WaitCursor},
    {-12, Qt::DragMoveCursor},     {-13, Qt::ForbiddenCursor}, {-14, Qt::SplitHCursor},
    {-15, Qt::SplitVCursor},       {-16, Qt::DragCopyCursor},  {-17, Qt::WaitCursor},
    {-18, Qt::ForbiddenCursor},    {-19, Qt::BusyCursor},      {-20, Qt::WhatsThisCursor},
    {-21, Qt::PointingHandCursor}, {-22, Qt::SizeAllCursor},
};

std::map<CursorId, QCursor>& CursorSlots() {
    static std::map<CursorId, QCursor> table;
    return table;
}

// Black outlines on white, as the desktop's own cursors are, so they show on any background.
QPen Outline() {
    return QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A 32 x 32 cursor drawn, antialiased, on a transparent picture.
QCursor DrawCursor(int hotX, int hotY, const std::function<void(QPainter&)>& draw) {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QCursor(picture, hotX, hotY);
}

// An I-beam for typing with a small letter tile beside it: this cell takes letters.
void DrawLetterCell(QPainter& painter) {
    QPainterPath beam;
    beam.moveTo(5, 3);
    beam.lineTo(13, 3);
    beam.moveTo(9, 3);
    beam.lineTo(9, 23);
    beam.moveTo(5, 23);
    beam.lineTo(13, 23);
    painter.strokePath(beam, QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    painter.strokePath(beam, QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QRectF tile(15.5, 15.5, 13, 13);
    painter.setPen(Outline());
    painter.setBrush(QColor(255, 214, 92));
    painter.drawRoundedRect(tile, 2.5, 2.5);
    // The letter is drawn as strokes: no font needs loading at start-up.
    QPainterPath letter;
    letter.moveTo(18.8, 26);
    letter.lineTo(22, 18);
    letter.lineTo(25.2, 26);
    letter.moveTo(20, 23.2);
    letter.lineTo(24, 23.2);
    painter.strokePath(letter, QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A pointing hand.
void DrawLink(QPainter& painter) {
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 2, 5, 16), 2.5, 2.5);      // the pointing finger
    hand.addRoundedRect(QRectF(12.5, 10, 4.5, 9), 2.2, 2.2); // the folded fingers
    hand.addRoundedRect(QRectF(16.5, 11, 4.5, 8), 2.2, 2.2);
    hand.addRoundedRect(QRectF(20.5, 12, 4.5, 8), 2.2, 2.2);
    hand.addRoundedRect(QRectF(8, 15, 17, 13), 5, 5);   // the palm
    hand.addRoundedRect(QRectF(3, 15, 8, 5), 2.5, 2.5); // the thumb
    painter.setPen(Outline());
    painter.setBrush(Qt::white);
    painter.drawPath(hand.simplified());
}

} // namespace

void InstallGameCursors() {
    // The hot spots: the I-beam's middle and the finger tip.
    CursorSlots()[CursorId::LetterCell] = DrawCursor(9, 13, DrawLetterCell);
    CursorSlots()[CursorId::Link] = DrawCursor(10, 2, DrawLink);
}

QCursor ScreenCursor(CursorId id) {
    if (id > CursorId::Default) {
        const auto found = CursorSlots().find(id);
        return found != CursorSlots().end() ? found->second : QCursor(Qt::ArrowCursor);
    }
    for (const SystemCursor& cursor : systemCursors) {
        if (cursor.id == static_cast<int16_t>(id)) {
            return QCursor(cursor.shape);
        }
    }
    return QCursor(Qt::ArrowCursor);
}
