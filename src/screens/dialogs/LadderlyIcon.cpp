#include "screens/dialogs/LadderlyIcon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage DrawLadderlyIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Drawn on a 61-unit grid, the size of the About box's picture.
    const qreal unit = size / 61.0;
    painter.scale(unit, unit);

    QLinearGradient sky(0, 0, 0, 61);
    sky.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
    sky.setColorAt(1, QColor(0x1c, 0x3f, 0x8c));
    painter.setPen(QPen(QColor(0x12, 0x2a, 0x5e), 1.5));
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 58, 58), 10, 10);

    // The ladder: two rails and five rungs, leaning a little to the right.
    const QColor wood(0xf2, 0xb1, 0x34);
    const QColor woodEdge(0x8a, 0x55, 0x10);
    painter.save();
    painter.translate(20, 31);
    painter.rotate(8);
    painter.setPen(QPen(woodEdge, 1));
    painter.setBrush(wood);
    for (int rung = 0; rung < 5; ++rung) {
        painter.drawRect(QRectF(-8, -20 + rung * 9.5, 16, 3));
    }
    painter.drawRoundedRect(QRectF(-11, -25, 4, 52), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(7, -25, 4, 52), 1.5, 1.5);
    painter.restore();

    // Letter tiles stepping down beside it, spelling a word from the top.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    const struct {
        qreal x, y;
        char letter;
    } tiles[] = {{34, 42, 'T'}, {40, 28, 'A'}, {46, 14, 'C'}};
    for (const auto& tile : tiles) {
        const QRectF box(tile.x - 0.5, tile.y - 0.5, 13, 13);
        painter.setPen(QPen(QColor(0x5c, 0x4a, 0x1e), 1));
        painter.setBrush(QColor(0xff, 0xf4, 0xd0));
        painter.drawRoundedRect(box, 2.5, 2.5);
        painter.setPen(QColor(0x1c, 0x2a, 0x4a));
        painter.drawText(box, Qt::AlignCenter, QString(QLatin1Char(tile.letter)));
    }
    return image;
}
