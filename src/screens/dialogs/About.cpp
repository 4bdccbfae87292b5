#include "screens/dialogs/About.h"

#include "base/LadderlyVersion.h"
#include "base/Messages.h"
#include "screens/dialogs/DialogKit.h"
#include "screens/dialogs/LadderlyIcon.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <chrono>

namespace {

constexpr int ClientWidth = 427;
constexpr int ClientHeight = 278;
constexpr int FlashInterval = 4000;

// Black, maroon, navy, red, blue and green.
const std::array<QColor, 6> FlashColours = {
    QColor(0x00, 0x00, 0x00), QColor(0x80, 0x00, 0x00), QColor(0x00, 0x00, 0x80),
    QColor(0xff, 0x00, 0x00), QColor(0x00, 0x00, 0xff), QColor(0x00, 0x80, 0x00),
};

const std::array<const char*, TDlgAbout::PromotionCount> Promotions = {
    "Climb from word to word, one rung at a time!", "Add, change, move, remove, scramble, swap!",
    "Hundreds of ladders, from two to ten rows!",   "Build ladders of your own in edit mode!",
    "Stuck on a rung? The hints lend a hand!",
};

constexpr char MakerLine[] = "Tarn Word Games";
constexpr char LinkText[] = "The Ladderly Guide";
// Ladderly's own licence beside the credit SCOWL's notice asks for (292 of the label's 318
// pixels in Arial or Liberation Sans).
constexpr char LegalLine[] = "Ladderly: MIT licence. Word list: SCOWL by Kevin Atkinson.";
constexpr char CreditsLine[] = "Made with C++ and Qt 6";

QFont AboutFont(const char* family, QFont::StyleHint hint, int pixelSize, bool bold) {
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(hint);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void SetTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

TDlgAbout::TDlgAbout(bool& splashSetting, const std::string& applicationTitle, QWidget* parent)
    : QDialog(parent), splashScreen(splashSetting) {
    SetSystemMenuOnly(*this);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(AboutFont("Arial", QFont::SansSerif, 12, false));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    // Movement anywhere over the window turns the link's highlight off.
    setMouseTracking(true);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(7, 8, 413, 233);

    Image1 = new QLabel(this);
    Image1->setGeometry(25, 24, AboutPictureSize, AboutPictureSize);
    Image1->setPixmap(QPixmap::fromImage(DrawLadderlyIcon(AboutPictureSize)));

    QLabel* title = MakeLabel(QStringLiteral("Ladderly"), {130, 23, 246, 55}, 48, true,
                              Qt::AlignLeft | Qt::AlignVCenter);
    title->setFont(AboutFont("Times New Roman", QFont::Serif, 48, true));
    lblVersion = MakeLabel({}, {314, 30, 27, 14}, 11, false, Qt::AlignLeft);
    QLabel* maker =
        MakeLabel(QString::fromLatin1(MakerLine), {162, 83, 182, 19}, 16, true, Qt::AlignHCenter);
    SetTextColour(*maker, Qt::red);
    QLabel* visit = MakeLabel(QStringLiteral("Come by for a visit!"), {31, 122, 52, 30}, 12, false,
                              Qt::AlignCenter);
    visit->setWordWrap(true);
    QLabel* more = MakeLabel(QStringLiteral("Lots to see and do!"), {338, 122, 64, 30}, 12, false,
                             Qt::AlignCenter);
    more->setWordWrap(true);
    lblURL =
        MakeLabel(QString::fromLatin1(LinkText), {101, 128, 224, 19}, 16, true, Qt::AlignHCenter);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setCursor(Qt::PointingHandCursor);
    lblHomeOf = MakeLabel({}, {16, 168, 397, 19}, 16, true, Qt::AlignHCenter);
    lblHomeOf->setObjectName(QStringLiteral("lblHomeOf"));
    MakeLabel(QString::fromLatin1(LegalLine), {54, 204, 318, 14}, 11, false, Qt::AlignLeft);
    MakeLabel(QString::fromLatin1(CreditsLine), {123, 220, 181, 14}, 11, false, Qt::AlignHCenter);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(340, 248, 75, 25);
    cmdOK->setDefault(true);
    chkShowScreen = new QCheckBox(QStringLiteral("Show this screen on start-up"), this);
    chkShowScreen->setGeometry(4, 260, 181, 17);
    tmrFlash = new QTimer(this);
    tmrFlash->setObjectName(QStringLiteral("tmrFlash"));
    tmrFlash->setInterval(FlashInterval);

    // Every control passes the mouse's movement to the window, which decides the link's look.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(chkShowScreen, &QCheckBox::clicked, this, &TDlgAbout::chkShowScreenClick);
    connect(tmrFlash, &QTimer::timeout, this, &TDlgAbout::tmrFlashTimer);
    InstallHelpKeys(*this, HelpContext::About);
    FormCreate(applicationTitle);
}

QLabel* TDlgAbout::MakeLabel(const QString& text, const QRect& geometry, int pixelSize, bool bold,
                             Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
    label->setFont(AboutFont("Arial", QFont::SansSerif, pixelSize, bold));
    label->setAlignment(alignment);
    return label;
}

void TDlgAbout::FormCreate(const std::string& applicationTitle) {
    // Disabled, so that the mouse moving over the frame reaches the window.
    Bevel1->setEnabled(false);
    lblVersion->setText(QStringLiteral(LADDERLY_VERSION));
    chkShowScreen->setChecked(splashScreen);
    setWindowTitle(QString::fromStdString(applicationTitle) + QStringLiteral(": About"));
    random.seed(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    tmrFlashTimer();
    tmrFlash->start();
}

// Shows the next promotional line in a colour other than the one it has now.
void TDlgAbout::tmrFlashTimer() {
    const QColor current = lblHomeOf->palette().color(QPalette::WindowText);
    std::uniform_int_distribution<std::size_t> pick(0, FlashColours.size() - 1);
    QColor colour;
    do {
        colour = FlashColours[pick(random)];
    } while (colour == current);
    const int line = flashTag % PromotionCount;
    lblHomeOf->setText(QString::fromLatin1(Promotions[line]));
    flashTag = line + 1;
    SetTextColour(*lblHomeOf, colour);
}

void TDlgAbout::lblURLClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    GetUserInterface().ShowHelp(HelpContext::Contents);
    QApplication::restoreOverrideCursor();
}

void TDlgAbout::SetLinkCursor(const QCursor& cursor) {
    lblURL->setCursor(cursor);
}

void TDlgAbout::chkShowScreenClick() {
    splashScreen = chkShowScreen->isChecked();
}

void TDlgAbout::SetLinkHighlighted(bool highlighted) {
    if (highlighted == linkHighlighted) {
        return;
    }
    linkHighlighted = highlighted;
    QFont font = lblURL->font();
    font.setUnderline(highlighted);
    lblURL->setFont(font);
    SetTextColour(*lblURL, highlighted ? QColor(0x00, 0x00, 0xff) : QColor(Qt::black));
}

bool TDlgAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        SetLinkHighlighted(watched == lblURL);
        // Kept from the window, whose own handler would switch the highlight off again.
        return watched == lblURL;
    }
    if (watched == lblURL && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblURLClick();
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgAbout::mouseMoveEvent(QMouseEvent* event) {
    SetLinkHighlighted(false);
    QDialog::mouseMoveEvent(event);
}

// The yellow and white rounded shapes behind the labels.
void TDlgAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xff, 0xff, 0x00));
    painter.drawRoundedRect(QRectF(19.5, 119.5, 75, 36), 8, 8);
    painter.drawRoundedRect(QRectF(332.5, 119.5, 75, 36), 8, 8);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(97.5, 125.5, 232, 24), 8, 8);
}

void TDlgAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(*this);
}
