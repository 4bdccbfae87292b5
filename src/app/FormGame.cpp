#include "app/FormGame.h"

#include "app/GameCursors.h"
#include "app/GraphicArea.h"
#include "app/TileBG.h"
#include "base/LadderlyVersion.h"
#include "base/Messages.h"
#include "framework/FrameSet.h"
#include "framework/GameWorld.h"
#include "graphics/HotImage.h"
#include "graphics/PX8Lib.h"
#include "platform/QtGameTimer.h"
#include "platform/QtKeys.h"
#include "platform/QtWaveOutput.h"
#include "screens/GameDialogs.h"
#include "sound/AppSound.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <chrono>
#include <exception>
#include <limits>

namespace {

constexpr char VersionText[] = "V" LADDERLY_VERSION;

int64_t SystemMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TFormGame::TFormGame(GameSettings& settings, ApplicationInfo& application, TClock clock,
                     std::unique_ptr<IWaveOutput> waveOutput)
    : Settings(settings), Application(application),
      Clock(clock ? std::move(clock) : TClock(SystemMilliseconds)), LastTick(Clock()),
      WaveOutput(waveOutput ? std::move(waveOutput) : std::make_unique<QtWaveOutput>()) {
    setWindowTitle(QStringLiteral("Ladderly!"));
    setFixedSize(ClientWidth, ClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(13);
    setFont(font);
    CreateControls();
    FormCreate();
    FormResize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFormGame::CreateControls() {
    BG = new TTileBG(this);
    BG->setGeometry(0, 0, ClientWidth, ClientHeight);

    bvlBorder = new QFrame(this);
    bvlBorder->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bvlBorder->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblVersion = new QLabel(QStringLiteral("V1.0"), this);
    lblVersion->move(5, 343);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(11);
    lblVersion->setFont(labelFont);
    // Transparent (a label fills no background): the yellow of the design is never painted.
    QPalette labelColours = lblVersion->palette();
    labelColours.setColor(QPalette::WindowText, Qt::black);
    lblVersion->setPalette(labelColours);
    lblVersion->hide();

    gfxaGame = new TGraphicArea(this);
    gfxaGame->setGeometry(0, 0, ClientWidth, ClientHeight);
    gfxaGame->SetCursor(CursorId::None);
    gfxaGame->SetColor(QColor(128, 0, 0));
    gfxaGame->SetBorderWidth(4);
    gfxaGame->SetInnerBevelWidth(2);
    gfxaGame->SetBevelInner(TBevelCut::Lowered);
    gfxaGame->SetOuterBevelWidth(2);
    gfxaGame->SetBevelOuter(TBevelCut::Raised);

    // A dialog opened from inside a tick (a room's script) runs a nested event loop. Qt does not
    // fire a timer again while its handler is still running, so no further tick (and no room
    // script) arrives until the dialog closes; the next tick then catches up the time missed.
    // Rooms rely on this: a script is never entered again while its dialog waits for an answer.
    tmrTick = new TGameTimer(this);
    tmrTick->SetInterval(TGameTimer::DefaultInterval);
    tmrTick->SetOnTimer([this] { tmrTickTimer(); });
}

void TFormGame::FormCreate() {
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive) {
                    RealizeLibraryPalette();
                }
            });
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (World) {
                World->SetIdle();
            }
        });
    }
    lblVersion->setText(QString::fromLatin1(VersionText));
    try {
        Library = std::make_unique<TPX8Library>();
        Library->LoadFromFile(Settings.ProgramFolder + "ladderly.px8");
        THotImage::SetGlobalImageLibrary(Library.get());
        TTileBG::SetGlobalImageLibrary(Library.get());
        TGraphicArea::SetGlobalImageLibrary(Library.get());
        TFrameSet::SetGlobalImageLibrary(Library.get());
        BG->SetImageName("tile");
        if (!Application.HelpFile.empty()) {
            Application.HelpFile = Settings.InstallFolder + Application.HelpFile;
        }
        InstallGameCursors();
        // Silent without a device or when switched off; completions come back to WaveDone.
        Sound = InitSounds(*this, *WaveOutput, Settings.SoundEnabled, Settings.WaveFolder,
                           Settings.DataFolder);
        World = std::make_unique<TWorld>(gfxaGame);
        World->SetWindow(this);
        SetWorld(World.get());
    } catch (const std::exception& fault) {
        ShowMessageBox(Application.Title,
                       Application.Title + " encountered a problem on start-up: " + fault.what(),
                       MessageBoxStyle::Ok);
        Settings.StartupFailed = true;
    }
}

TFormGame::~TFormGame() {
    // A window whose start failed before the sound started leaves the setting as it was read.
    if (Sound) {
        Settings.SoundEnabled = Sound->SoundSettingToStore();
    }
    tmrTick->SetEnabled(false);
    World.reset();
    Sound.reset();
    // The controls hold pictures of the library: they go before it does.
    delete gfxaGame;
    delete BG;
    THotImage::SetGlobalImageLibrary(nullptr);
    Library.reset();
}

void TFormGame::WaveDone(const TWaveDoneMessage& message) {
    SoundDone(message);
}

void TFormGame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Shown) {
        Shown = true;
        // After the window is on the screen, as the About box and the first room need it.
        QMetaObject::invokeMethod(this, &TFormGame::FormShow, Qt::QueuedConnection);
    }
}

void TFormGame::FormShow() {
    if (!World) {
        return;
    }
    try {
        if (Settings.SplashScreen && Dialogs != nullptr) {
            Dialogs->ShowAbout();
        }
        World->CreateRooms();
        World->Start();
    } catch (const std::exception& fault) {
        ShowMessageBox(Application.Title, fault.what(), MessageBoxStyle::Ok);
        close();
        return;
    }
    if (OnShown) {
        OnShown();
    }
}

void TFormGame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TFormGame::FormResize() {
    if (gfxaGame == nullptr) {
        return;
    }
    BG->setGeometry(rect());
    const QPoint shift((width() - gfxaGame->width()) / 2 - gfxaGame->x(),
                       (height() - gfxaGame->height()) / 2 - gfxaGame->y());
    gfxaGame->move(gfxaGame->pos() + shift);
    lblVersion->move(lblVersion->pos() + shift);
    bvlBorder->setGeometry(gfxaGame->x() - 32, gfxaGame->y() - 32, gfxaGame->width() + 64,
                           gfxaGame->height() + lblVersion->height() + 64);
}

void TFormGame::tmrTickTimer() {
    const int64_t now = Clock();
    if (!World) {
        return;
    }
    lblVersion->setVisible(CapsLock.IsOn());
    // The time since LastTick rounded to whole intervals; LastTick moves by whole intervals
    // only, so rounding never accumulates.
    const int64_t interval = tmrTick->GetInterval();
    const int64_t elapsed = (interval / 2 + now - LastTick) / interval;
    LastTick += elapsed * interval;
    World->Tick(
        static_cast<int32_t>(std::min<int64_t>(elapsed, std::numeric_limits<int32_t>::max())));
    if (World->IsQuitRequested()) {
        close();
    }
}

void TFormGame::keyPressEvent(QKeyEvent* event) {
    const uint16_t key = VirtualKeyOf(event->key());
    const uint8_t shift = ShiftStateOf(event->modifiers());
    const QString text = event->text();
    CapsLock.KeyDown(key, shift, text.size() == 1 ? text[0].toLatin1() : '\0');
    if (key != 0 && World) {
        World->KeyDown(key, shift);
    }
}

void TFormGame::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press only, as the game expects.
    if (event->isAutoRepeat()) {
        return;
    }
    const uint16_t key = VirtualKeyOf(event->key());
    if (key != 0 && World) {
        World->KeyUp(key, ShiftStateOf(event->modifiers()));
    }
}

bool TFormGame::focusNextPrevChild(bool) {
    return false;
}

void TFormGame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        RealizeLibraryPalette();
    }
}

void TFormGame::closeEvent(QCloseEvent* event) {
    // A command that lets window messages through (the solver's search) may be running below
    // this event: it stops at its next look at the world, before the world goes.
    if (World) {
        World->RequestQuit();
    }
    // The game's other windows, help above all, go with it: the program ends now, as designed.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) {
            window->close();
        }
    }
    QWidget::closeEvent(event);
}

void TFormGame::RealizeLibraryPalette() {
    if (gfxaGame != nullptr) {
        gfxaGame->RealizeLibraryPalette();
    }
}

void TFormGame::BringToFront() {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

void TFormGame::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TFormGame::Close() {
    close();
}
