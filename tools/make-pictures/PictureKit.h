#pragma once
// What every picture of the game is drawn with: the fonts, the colours of the design and a
// few drawing helpers on QPainter.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

// A drawn picture and the name the library knows it by.
struct Picture {
    std::string Name;
    QImage Image;
    bool Transparent = false;
    QColor Backdrop = Qt::white; // what the see-through picture's soft edges are laid over
};

// The font families, loaded from the font files by LoadFonts.
struct Fonts {
    QString Sans;      // DejaVu Sans Bold: captions and letters
    QString Text;      // DejaVu Sans: running text
    QString Condensed; // DejaVu Sans Condensed: captions that must fit a narrow space
    QString Rounded;   // Comfortaa: the game's name and the win picture
};

// Loads the three font files from their Debian folders; a missing file raises
// std::runtime_error naming it.
Fonts LoadFonts();

QFont PixelFont(const QString& family, int pixelSize, QFont::Weight weight = QFont::Bold);

// The colours of the design; each lies on a ramp of the palette.
namespace Colours {
inline const QColor Ink{0x1c, 0x24, 0x36};       // text on light ground
inline const QColor Panel{0x1e, 0x24, 0x33};     // the button column: exactly palette entry 14
inline const QColor PanelEdge{0x36, 0x3e, 0x50}; // its lighter border: entry 20
inline const QColor Gold{0xf5, 0xb3, 0x01};      // letters of the end word, hints, the win
inline const QColor Quiet{0xa3, 0xad, 0xbf};     // quiet text on white
inline const QColor PanelText{0xc9, 0xd1, 0xde}; // text on the column

// One hue of the design: a face running from Top to Bottom, its Border, a Deep shade for
// text on pale ground and the Caption colour for text on the face.
struct Hue {
    QColor Top;
    QColor Bottom;
    QColor Border;
    QColor Deep;
    QColor Caption = Qt::white;
};
inline const Hue Blue{
    {0x5a, 0x9b, 0xee}, {0x2f, 0x7d, 0xe1}, {0x1c, 0x55, 0xa6}, {0x16, 0x46, 0x8c}};
inline const Hue Green{
    {0x55, 0xc4, 0x71}, {0x2e, 0xaa, 0x4f}, {0x1f, 0x7a, 0x38}, {0x1a, 0x66, 0x2f}};
inline const Hue Red{
    {0xea, 0x6b, 0x6b}, {0xe0, 0x3e, 0x3e}, {0xa8, 0x2a, 0x2a}, {0x96, 0x22, 0x22}};
inline const Hue Amber{{0xfb, 0xcd, 0x45},
                       {0xf5, 0xb3, 0x01},
                       {0xb8, 0x85, 0x00},
                       {0x6e, 0x4d, 0x00},
                       {0x4d, 0x30, 0x00}};
inline const Hue Orange{
    {0xfa, 0x8c, 0x40}, {0xf7, 0x67, 0x07}, {0xb5, 0x4a, 0x05}, {0x9a, 0x40, 0x05}};
inline const Hue Purple{
    {0x98, 0x7a, 0xf0}, {0x7b, 0x55, 0xe8}, {0x55, 0x37, 0xad}, {0x4a, 0x2f, 0x99}};
inline const Hue Teal{
    {0x3f, 0xbf, 0xae}, {0x12, 0xa5, 0x94}, {0x0b, 0x74, 0x68}, {0x0a, 0x63, 0x59}};
inline const Hue Slate{
    {0x7a, 0x86, 0x9c}, {0x5c, 0x67, 0x7d}, {0x3d, 0x46, 0x58}, {0x33, 0x3b, 0x4b}};
inline const Hue Disabled{{0x35, 0x3e, 0x52},
                          {0x2c, 0x34, 0x46},
                          {0x40, 0x4a, 0x60},
                          {0x6f, 0x7a, 0x90},
                          {0x6f, 0x7a, 0x90}};

// The hue of each action, shared by its label on the board and its button in the editor.
const Hue& ActionHue(char code);
} // namespace Colours

// Where the board's pieces lie in "laddgfx".
namespace BoardSheet {
QRect ActionLabel(char code); // by action code: A, C, M, R, S, X
inline const QRect Marks[4] = {
    {0, 42, 137, 10}, // not in the vocabulary
    {0, 52, 80, 10},  // bad step
    {80, 52, 80, 10}, // incomplete
    {137, 42, 38, 10} // OK
};
inline const QRect HintSet{188, 42, 7, 8};
inline const QRect HintClear{195, 42, 7, 8};
inline const QRect EditLabel{251, 42, 49, 9};
} // namespace BoardSheet

// The solved badge: two square frames, solved and solved with help, shown at `At` on the title
// ribbon.
namespace TitleBadge {
inline const QPoint At{268, 14};
inline constexpr int Size = 22;
} // namespace TitleBadge

// A letter tile: a face on a lip that lifts it off the board.
struct TileLook {
    QColor FaceTop;
    QColor FaceBottom;
    QColor Border;
    QColor Lip;
    QColor Ink;
};
extern const TileLook PlainTile; // a letter
extern const TileLook GoldTile;  // a letter of the end word

void DrawLetterTile(QPainter& painter, const QRectF& body, const TileLook& look,
                    const QString& letter, const QFont& font);

// A fully transparent or filled picture of the given size.
QImage Canvas(int width, int height, const QColor& fill = Qt::transparent);

// A painter with antialiasing on for shapes and text.
void Prepare(QPainter& painter);

// A rounded rectangle filled top to bottom from `top` to `bottom`, with an optional border.
void FillRounded(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
                 const QColor& bottom, const QColor& border = Qt::transparent);

// Text centred in `rect`; the vertical centre is that of the capitals, so short captions sit
// in the middle of a button whatever their letters.
void CentredText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                 const QColor& colour);

// Width of `text` in `font`, in pixels.
qreal TextWidth(const QFont& font, const QString& text);

// Two frames of the same size stacked vertically into one picture.
QImage StackFrames(const QImage& top, const QImage& bottom);

// The pictures, by subject.
std::vector<Picture> DrawScreenPictures(const Fonts& fonts); // screen, tile, icon, badge
std::vector<Picture> DrawBoardPictures(const Fonts& fonts);  // letters, laddgfx, youwin
std::vector<Picture> DrawButtonPictures(const Fonts& fonts); // the nineteen buttons
