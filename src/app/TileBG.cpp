#include "app/TileBG.h"

#include "graphics/PX8Lib.h"

#include <QPaintEvent>
#include <QPainter>

TTileBG::TTileBG(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TTileBG::SetGlobalImageLibrary(TPX8Library* library) {
    TTileBackground::SetGlobalImageLibrary(library);
}

void TTileBG::SetImageName(const std::string& name) {
    Core.SetImageName(name);
    update();
}

void TTileBG::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (Core.GetTile() == nullptr) {
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::DiagCrossPattern));
        return;
    }
    if (Picture.size() != size()) {
        Picture = QImage(size(), QImage::Format_RGB32);
    }
    Device.SetPalette(Core.GetLibrary()->GetHPal());
    const QRect asked = event->rect();
    Core.Paint(Device, {asked.left(), asked.top(), asked.right() + 1, asked.bottom() + 1});
    painter.drawImage(asked, Picture, asked);
}
