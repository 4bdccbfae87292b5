#pragma once
// TTileBG: the window background. It covers its parent and repeats one library image (aligned
// to its own origin) over whatever area the window asks it to paint, or a black diagonal hatch
// when it has no image. It takes no mouse input.
//
// It owns the window-free part (the image and the tiling, see TTileBackground) and the 32-bit
// picture the tiles are drawn into.

#include "graphics/TileBackground.h"
#include "platform/QtPaletteDevice.h"

#include <QImage>
#include <QWidget>

#include <string>

class TPX8Library;

class TTileBG : public QWidget {
    Q_OBJECT

  public:
    explicit TTileBG(QWidget* parent);

    static void SetGlobalImageLibrary(TPX8Library* library);

    void SetImageName(const std::string& name);
    TTileBackground& GetCore() { return Core; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage Picture;
    QtPaletteDevice Device{Picture};
    TTileBackground Core;
};
