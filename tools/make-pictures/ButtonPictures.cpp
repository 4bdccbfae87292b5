// The buttons of the game room: each a strip of two frames, the enabled look above the
// disabled one. The buttons down the column are 82 x 12; the six action buttons of the editor,
// two abreast, are 38 x 21.

#include "PictureKit.h"

#include "screens/ButtonCaptions.h"

namespace {

struct Button {
    const char* name;
    const Colours::Hue& hue;
};

constexpr int WideWidth = 82;
constexpr int WideHeight = 12;
constexpr int ActionWidth = 38;
constexpr int ActionHeight = 21;

// The captions are the game's own (screens/ButtonCaptions.h), which the screen reader reads.
const Button ColumnButtons[] = {
    {"checkbtn", Colours::Green}, {"hintbtn", Colours::Amber},  {"startbtn", Colours::Blue},
    {"newbtn", Colours::Blue},    {"selbtn", Colours::Blue},    {"edvocbtn", Colours::Teal},
    {"sugstbtn", Colours::Teal},  {"addrwbtn", Colours::Slate}, {"delrwbtn", Colours::Slate},
    {"sethnbtn", Colours::Amber}, {"clrhnbtn", Colours::Amber}, {"accptbtn", Colours::Green},
    {"canclbtn", Colours::Red},
};

// The action buttons carry the action's code letter in the action's colour, as its label on
// the board does.
const char ActionCodes[] = "MCSXRA";

QImage Face(int width, int height, qreal radius, const Colours::Hue& hue, const QString& caption,
            const QFont& font) {
    QImage frame = Canvas(width, height);
    QPainter painter(&frame);
    Prepare(painter);
    FillRounded(painter, QRectF(0, 0, width, height), radius, hue.Top, hue.Bottom, hue.Border);
    CentredText(painter, QRectF(0, 0, width, height), caption, font, hue.Caption);
    return frame;
}

Picture Strip(const std::string& name, int width, int height, qreal radius, const Colours::Hue& hue,
              const QString& caption, const QFont& font) {
    const QImage enabled = Face(width, height, radius, hue, caption, font);
    const QImage disabled = Face(width, height, radius, Colours::Disabled, caption, font);
    return {name, StackFrames(enabled, disabled), true, Colours::Panel};
}

} // namespace

std::vector<Picture> DrawButtonPictures(const Fonts& fonts) {
    std::vector<Picture> pictures;
    const QFont caption = PixelFont(fonts.Sans, 9);
    for (const Button& button : ColumnButtons) {
        pictures.push_back(Strip(button.name, WideWidth, WideHeight, WideHeight / 2.0, button.hue,
                                 QString::fromUtf8(ButtonCaption(button.name)), caption));
    }
    const QFont letter = PixelFont(fonts.Sans, 13);
    for (const char code : std::string_view(ActionCodes)) {
        const std::string name = std::string("act") + static_cast<char>(code + 'a' - 'A') + "btn";
        pictures.push_back(Strip(name, ActionWidth, ActionHeight, 5, Colours::ActionHue(code),
                                 QString(QChar(code)), letter));
    }
    return pictures;
}
