// The pictures the board is drawn from: the letter tiles, the sheet of action labels, check
// marks, hint marks and the edit-mode label, and the win picture that bounces over the board.

#include "PictureKit.h"

#include <QPainterPath>

namespace {

// Letter tiles: 9 across on a 25 x 20 pitch, each 26 x 21, so neighbours share their outer
// row or column. Every tile keeps that outer ring white, which makes the shared pixels agree.
constexpr int TilePitchX = 25;
constexpr int TilePitchY = 20;
constexpr int TilesAcross = 9;
constexpr int TileCount = 54;
constexpr int EmptyTile = 0;
constexpr int HighlightOffset = 27;

// The drawn part of the tile whose 26 x 21 cell starts at `at`, inside its white ring.
QRectF TileBody(QPointF at) {
    return {at.x() + 1, at.y() + 1, 24, 19};
}

void DrawEmptyTile(QPainter& painter, QPointF at) {
    FillRounded(painter, TileBody(at), 3.5, QColor(0xe4, 0xe9, 0xf1), QColor(0xf2, 0xf5, 0xf9),
                QColor(0xc4, 0xcc, 0xda));
}

Picture Letters(const Fonts& fonts) {
    QImage sheet = Canvas(TilePitchX * (TilesAcross - 1) + 26,
                          TilePitchY * (TileCount / TilesAcross - 1) + 21, Qt::white);
    QPainter painter(&sheet);
    Prepare(painter);
    const QFont font = PixelFont(fonts.Sans, 14);
    for (int k = 0; k < TileCount; ++k) {
        const QPointF at(TilePitchX * (k % TilesAcross), TilePitchY * (k / TilesAcross));
        if (k == EmptyTile) {
            DrawEmptyTile(painter, at);
        } else if (k < HighlightOffset) {
            DrawLetterTile(painter, TileBody(at), PlainTile, QString(QChar('A' + k - 1)), font);
        } else if (k > HighlightOffset) {
            DrawLetterTile(painter, TileBody(at), GoldTile,
                           QString(QChar('A' + k - HighlightOffset - 1)), font);
        }
    }
    return {"letters", sheet};
}

// The actions by code, with the names the game shows for them.
const std::pair<char, const char*> Actions[] = {
    {'A', "Add 1 Letter"},    {'C', "Change 1 Letter"},  {'M', "Move 1 Letter"},
    {'R', "Remove 1 Letter"}, {'S', "Scramble Letters"}, {'X', "Swap 2 Letters"},
};

// `colour` thinned towards white: strength 1 keeps it, 0 gives white.
QColor Tint(const QColor& colour, float strength) {
    return QColor::fromRgbF(1 - (1 - colour.redF()) * strength,
                            1 - (1 - colour.greenF()) * strength,
                            1 - (1 - colour.blueF()) * strength);
}

// A check mark: a coloured band with its verdict, laid across the letters of a row.
void DrawMark(QPainter& painter, const QRect& rect, const Colours::Hue& hue, const QString& text,
              const QFont& font) {
    FillRounded(painter, rect, 2, hue.Top, hue.Bottom, hue.Border);
    CentredText(painter, rect, text, font, Qt::white);
}

Picture BoardGraphics(const Fonts& fonts) {
    QImage sheet = Canvas(300, 62, Qt::white);
    QPainter painter(&sheet);
    Prepare(painter);

    const QFont labelFont = PixelFont(fonts.Condensed, 10);
    for (const auto& [code, name] : Actions) {
        const Colours::Hue& hue = Colours::ActionHue(code);
        const QRectF pill = QRectF(BoardSheet::ActionLabel(code)).adjusted(1, 1, -1, -1);
        FillRounded(painter, pill, 4, Tint(hue.Bottom, 0.14f), Tint(hue.Bottom, 0.24f), hue.Bottom);
        CentredText(painter, pill, name, labelFont, hue.Deep);
    }

    const QFont markFont = PixelFont(fonts.Condensed, 8);
    DrawMark(painter, BoardSheet::Marks[0], Colours::Red, "Not in the vocabulary", markFont);
    DrawMark(painter, BoardSheet::Marks[1], Colours::Red, "Bad step", markFont);
    DrawMark(painter, BoardSheet::Marks[2], Colours::Orange, "Incomplete", markFont);
    DrawMark(painter, BoardSheet::Marks[3], Colours::Green, "OK", markFont);

    // Hint marks: a gold dot on a row with a hint, an open ring on one without.
    painter.setPen(QPen(Colours::Amber.Border, 1));
    painter.setBrush(Colours::Gold);
    painter.drawEllipse(QRectF(BoardSheet::HintSet).adjusted(0.5, 1.5, -0.5, -0.5));
    painter.setPen(QPen(QColor(0xb6, 0xbf, 0xcf), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(BoardSheet::HintClear).adjusted(0.5, 1.5, -0.5, -0.5));

    FillRounded(painter, BoardSheet::EditLabel, 2, Colours::Red.Top, Colours::Red.Bottom);
    CentredText(painter, BoardSheet::EditLabel, "EDITING", PixelFont(fonts.Condensed, 8),
                Qt::white);
    return {"laddgfx", sheet};
}

// A small four-pointed sparkle.
void Sparkle(QPainter& painter, QPointF centre, qreal size, const QColor& colour) {
    QPainterPath path;
    path.moveTo(centre.x(), centre.y() - size);
    path.quadTo(centre, QPointF(centre.x() + size, centre.y()));
    path.quadTo(centre, QPointF(centre.x(), centre.y() + size));
    path.quadTo(centre, QPointF(centre.x() - size, centre.y()));
    path.quadTo(centre, QPointF(centre.x(), centre.y() - size));
    painter.fillPath(path, colour);
}

QImage WinFrame(const Fonts& fonts, const Colours::Hue& hue, const QColor& ink,
                const QColor& sparkle, bool alternate) {
    QImage frame = Canvas(132, 56);
    QPainter painter(&frame);
    Prepare(painter);
    const QRectF badge(6, 8, 120, 40);
    FillRounded(painter, badge.translated(0, 2), 20, QColor(0, 0, 0, 60), QColor(0, 0, 0, 60));
    FillRounded(painter, badge, 20, hue.Top, hue.Bottom, hue.Border);
    FillRounded(painter, badge.adjusted(3, 3, -3, -20), 10, QColor(255, 255, 255, 70),
                QColor(255, 255, 255, 0));
    const QFont font = PixelFont(fonts.Rounded, 23);
    CentredText(painter, badge.adjusted(0, 1, 0, 0), "You win!", font, hue.Border);
    CentredText(painter, badge.adjusted(0, 0, 0, -1), "You win!", font, ink);
    // The sparkles trade sizes between the frames, so they twinkle.
    const std::vector<QPointF> first = {{12, 9}, {122, 47}, {118, 6}};
    const std::vector<QPointF> second = {{6, 44}, {127, 14}};
    for (const QPointF& at : alternate ? second : first) {
        Sparkle(painter, at, 6, sparkle);
    }
    for (const QPointF& at : alternate ? first : second) {
        Sparkle(painter, at, 3, sparkle);
    }
    return frame;
}

Picture WinPicture(const Fonts& fonts) {
    const QImage gold =
        WinFrame(fonts, Colours::Amber, Colours::Amber.Caption, Colours::Orange.Bottom, false);
    const QImage orange = WinFrame(fonts, Colours::Orange, Qt::white, Colours::Gold, true);
    return {"youwin", StackFrames(gold, orange), true, Qt::white};
}

} // namespace

std::vector<Picture> DrawBoardPictures(const Fonts& fonts) {
    return {Letters(fonts), BoardGraphics(fonts), WinPicture(fonts)};
}
