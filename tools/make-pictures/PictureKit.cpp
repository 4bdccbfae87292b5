#include "PictureKit.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include <stdexcept>

namespace {

// Loads a font file and returns `family`, which the file must define.
QString LoadFont(const QString& path, const QString& family) {
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family)) {
        throw std::runtime_error("cannot load the font " + family.toStdString() + " from " +
                                 path.toStdString() + " (scripts/install-deps.sh installs it)");
    }
    return family;
}

} // namespace

const Colours::Hue& Colours::ActionHue(char code) {
    switch (code) {
    case 'A':
        return Green;
    case 'C':
        return Blue;
    case 'M':
        return Purple;
    case 'R':
        return Red;
    case 'S':
        return Orange;
    default:
        return Teal;
    }
}

QRect BoardSheet::ActionLabel(char code) {
    switch (code) {
    case 'A':
        return {0, 0, 100, 21};
    case 'C':
        return {100, 0, 100, 21};
    case 'M':
        return {200, 21, 100, 21};
    case 'R':
        return {200, 0, 100, 21};
    case 'S':
        return {100, 21, 100, 21};
    default:
        return {0, 21, 100, 21};
    }
}

Fonts LoadFonts() {
    const QString dejavu = "/usr/share/fonts/truetype/dejavu/";
    Fonts fonts;
    fonts.Sans = LoadFont(dejavu + "DejaVuSans-Bold.ttf", "DejaVu Sans");
    fonts.Text = LoadFont(dejavu + "DejaVuSans.ttf", "DejaVu Sans");
    fonts.Condensed = LoadFont(dejavu + "DejaVuSansCondensed-Bold.ttf", "DejaVu Sans Condensed");
    fonts.Rounded = LoadFont("/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf", "Comfortaa");
    return fonts;
}

QFont PixelFont(const QString& family, int pixelSize, QFont::Weight weight) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage Canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void Prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void FillRounded(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
                 const QColor& bottom, const QColor& border) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, gradient);
    if (border.alpha() > 0) {
        painter.setPen(QPen(border, 1));
        painter.setBrush(Qt::NoBrush);
        QPainterPath edge;
        edge.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        painter.drawPath(edge);
    }
}

void CentredText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                 const QColor& colour) {
    const QFontMetricsF metrics(font);
    const qreal x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
    const qreal baseline = rect.top() + (rect.height() + metrics.capHeight()) / 2;
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(qRound(x), qRound(baseline)), text);
}

qreal TextWidth(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

const TileLook PlainTile{
    {0xff, 0xff, 0xff}, {0xe9, 0xee, 0xf5}, {0x9c, 0xa7, 0xbb}, {0xb6, 0xbf, 0xcf}, Colours::Ink};
const TileLook GoldTile{{0xff, 0xf1, 0xb8},
                        {0xfd, 0xd5, 0x5c},
                        {0xc7, 0x92, 0x00},
                        {0xe0, 0xa4, 0x00},
                        Colours::Amber.Caption};

void DrawLetterTile(QPainter& painter, const QRectF& body, const TileLook& look,
                    const QString& letter, const QFont& font) {
    FillRounded(painter, body, 3.5, look.Lip, look.Lip, look.Border);
    FillRounded(painter, body.adjusted(1, 1, -1, -2), 2.5, look.FaceTop, look.FaceBottom);
    CentredText(painter, body.adjusted(0, 0, 0, -1), letter, font, look.Ink);
}

QImage StackFrames(const QImage& top, const QImage& bottom) {
    QImage both = Canvas(top.width(), top.height() * 2);
    QPainter painter(&both);
    painter.drawImage(0, 0, top);
    painter.drawImage(0, top.height(), bottom);
    return both;
}
