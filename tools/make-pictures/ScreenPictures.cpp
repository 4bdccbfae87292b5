// The game screen's background, the window's tiled background, the About box's icon and the
// solved badge on the screen's title ribbon.
//
// The screen is 450 x 326: the board's white ground left of x = 334 with the title band at the
// top, and the dark button column right of it. The board is drawn at run time over the white
// ground between y = 46 and y = 306 and x = 4 and x = 327, so that area stays plain white:
// rows are filled with the colour at (0, 0) and the cursor is erased with white.

#include "PictureKit.h"

#include <QPainterPath>

namespace {

constexpr int ScreenWidth = 450;
constexpr int ScreenHeight = 326;
constexpr int ColumnLeft = 334;

// A ladder of `rungs` rungs between two rails, in `rect`.
void DrawLadder(QPainter& painter, const QRectF& rect, int rungs, const QColor& colour,
                qreal thickness) {
    painter.setPen(QPen(colour, thickness, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    const qreal step = rect.height() / (rungs + 1);
    for (int i = 1; i <= rungs; ++i) {
        const qreal y = rect.top() + i * step;
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
}

// The game's name on a blue ribbon, inside the rectangle that opens the About box.
void DrawTitle(QPainter& painter, const Fonts& fonts) {
    const QRectF ribbon(62, 7, 264, 36);
    FillRounded(painter, ribbon.translated(0, 2), 11, QColor(0x1c, 0x24, 0x36, 40),
                QColor(0x1c, 0x24, 0x36, 40));
    FillRounded(painter, ribbon, 11, Colours::Blue.Top, Colours::Blue.Bottom, Colours::Blue.Border);
    DrawLadder(painter, QRectF(78, 13, 12, 24), 3, QColor(255, 255, 255, 220), 2);
    const QFont title = PixelFont(fonts.Rounded, 26);
    CentredText(painter, ribbon.adjusted(1, 0, 1, -1), "Ladderly!", title, Colours::Blue.Border);
    CentredText(painter, ribbon.adjusted(0, 0, 0, -2), "Ladderly!", title, Qt::white);
    // An "i" in a ring tells the player the ribbon has more to say.
    const QRectF ring(299, 16, 16, 16);
    painter.setPen(QPen(QColor(255, 255, 255, 210), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring);
    CentredText(painter, ring, "i", PixelFont(fonts.Sans, 11), Qt::white);
}

// The ribbon's colour behind the badge, which its soft edges are laid over.
const QColor RibbonMiddle{0x44, 0x8c, 0xe7};

// A gold seal with a white check; with help, a smaller check and a small "h".
QImage BadgeFrame(const Fonts& fonts, bool helped) {
    const int size = TitleBadge::Size;
    QImage frame = Canvas(size, size);
    QPainter painter(&frame);
    Prepare(painter);
    const QRectF disc(1, 1, size - 2, size - 2);
    painter.setPen(QPen(Colours::Amber.Border, 1));
    QLinearGradient face(disc.topLeft(), disc.bottomLeft());
    face.setColorAt(0, Colours::Amber.Top);
    face.setColorAt(1, Colours::Amber.Bottom);
    painter.setBrush(face);
    painter.drawEllipse(disc);
    painter.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (helped) {
        painter.drawPolyline(QPolygonF({QPointF(5, 11), QPointF(8, 14), QPointF(13, 6.5)}));
        painter.setFont(PixelFont(fonts.Sans, 9));
        painter.setPen(Colours::Amber.Caption);
        painter.drawText(QRectF(12.5, 7, 7, 10), Qt::AlignLeft | Qt::AlignBottom, "h");
    } else {
        painter.drawPolyline(QPolygonF({QPointF(6, 11.5), QPointF(9.5, 15), QPointF(16, 7)}));
    }
    return frame;
}

Picture Badge(const Fonts& fonts) {
    return {"badge", StackFrames(BadgeFrame(fonts, false), BadgeFrame(fonts, true)), true,
            RibbonMiddle};
}

// Wrapped text in `width` from `top`; returns the y below it.
qreal Paragraph(QPainter& painter, qreal left, qreal top, qreal width, const QString& text,
                const QFont& font, const QColor& colour) {
    painter.setFont(font);
    painter.setPen(colour);
    const QRectF area(left, top, width, 200);
    const QRectF used = painter.boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft, text);
    painter.drawText(area, Qt::TextWordWrap | Qt::AlignLeft, text);
    return used.bottom();
}

// The button column: in play mode its upper part, where the editor's buttons go, tells how
// to play.
void DrawColumn(QPainter& painter, const Fonts& fonts) {
    const QRectF column(ColumnLeft, 0, ScreenWidth - ColumnLeft, ScreenHeight);
    painter.fillRect(column, Colours::Panel);
    painter.fillRect(QRectF(ColumnLeft, 0, 1, ScreenHeight), Colours::PanelEdge);
    // A soft shadow on the board side lifts the column off the page.
    QLinearGradient shadow(QPointF(ColumnLeft - 5, 0), QPointF(ColumnLeft, 0));
    shadow.setColorAt(0, QColor(0x1c, 0x24, 0x36, 0));
    shadow.setColorAt(1, QColor(0x1c, 0x24, 0x36, 50));
    painter.fillRect(QRectF(ColumnLeft - 5, 0, 5, ScreenHeight), shadow);

    const qreal left = 346;
    const qreal width = 94;
    const QFont heading = PixelFont(fonts.Sans, 9);
    const QFont body = PixelFont(fonts.Text, 9, QFont::Normal);
    const QColor& text = Colours::PanelText;
    qreal y = 12;
    painter.setFont(heading);
    painter.setPen(Colours::Gold);
    painter.drawText(QPointF(left, y + 7), "HOW TO PLAY");
    y = Paragraph(painter, left, y + 13, width, "Climb from the top word to the bottom word.", body,
                  text);
    y = Paragraph(painter, left, y + 5, width,
                  "Each rung is a word made from the one above by the step on its left.", body,
                  text);
    y = Paragraph(painter, left, y + 5, width, "Gold letters are in the bottom word.", body, text);

    y += 12;
    painter.setFont(heading);
    painter.setPen(Colours::Gold);
    painter.drawText(QPointF(left, y + 7), "KEYS");
    y += 13;
    const std::pair<const char*, const char*> keys[] = {
        {"F1", "Help"}, {"F3", "About"}, {"F5", "Edit puzzle"}};
    for (const auto& [key, meaning] : keys) {
        const QRectF cap(left, y, 17, 11);
        FillRounded(painter, cap, 2, QColor(0x3a, 0x44, 0x5c), QColor(0x33, 0x3b, 0x4f));
        CentredText(painter, cap, key, PixelFont(fonts.Condensed, 8), Qt::white);
        painter.setFont(body);
        painter.setPen(text);
        painter.drawText(QPointF(left + 22, y + 9), meaning);
        y += 14;
    }

    painter.fillRect(QRectF(351, 228, 82, 1), Colours::PanelEdge);
}

// A quiet reminder under the board.
void DrawFooter(QPainter& painter, const Fonts& fonts) {
    CentredText(painter, QRectF(4, 309, 322, 13), "Click the title for more about Ladderly",
                PixelFont(fonts.Text, 9, QFont::Normal), Colours::Quiet);
}

Picture Screen(const Fonts& fonts) {
    QImage screen = Canvas(ScreenWidth, ScreenHeight, Qt::white);
    QPainter painter(&screen);
    Prepare(painter);
    DrawTitle(painter, fonts);
    DrawColumn(painter, fonts);
    DrawFooter(painter, fonts);
    return {"screen", screen};
}

// The window's background, tiled where the game area leaves room: a quiet lattice in the
// column's colours.
Picture Tile() {
    QImage tile = Canvas(32, 32, Colours::Panel);
    QPainter painter(&tile);
    Prepare(painter);
    painter.setPen(QPen(QColor(0x2a, 0x33, 0x4a), 1));
    painter.drawLine(QPointF(0, 16), QPointF(16, 0));
    painter.drawLine(QPointF(16, 32), QPointF(32, 16));
    painter.drawLine(QPointF(0, 16), QPointF(16, 32));
    painter.drawLine(QPointF(16, 0), QPointF(32, 16));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x33, 0x3d, 0x55));
    painter.drawEllipse(QPointF(16, 16), 1.5, 1.5);
    return {"tile", tile};
}

// The About box's 61 x 61 picture: a ladder with a gold letter tile on a blue square.
Picture Icon(const Fonts& fonts) {
    QImage icon = Canvas(61, 61, QColor(0xef, 0xef, 0xef));
    QPainter painter(&icon);
    Prepare(painter);
    FillRounded(painter, QRectF(1, 1, 59, 59), 13, Colours::Blue.Top, Colours::Blue.Bottom,
                Colours::Blue.Border);
    DrawLadder(painter, QRectF(14, 9, 20, 43), 4, Qt::white, 3);
    DrawLetterTile(painter, QRectF(30, 31, 22, 21), GoldTile, "L", PixelFont(fonts.Sans, 14));
    return {"icon", icon};
}

} // namespace

std::vector<Picture> DrawScreenPictures(const Fonts& fonts) {
    return {Screen(fonts), Tile(), Icon(fonts), Badge(fonts)};
}
