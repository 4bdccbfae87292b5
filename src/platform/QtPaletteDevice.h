#pragma once
// QtPaletteDevice: puts palette-index rows into a 32-bit QImage (the window's back buffer),
// looking each index up in the game's palette. The image is the caller's; the device only
// writes into it.

#include "platform/PaletteDevice.h"

#include <QImage>

#include <array>

class QtPaletteDevice : public IPaletteDevice {
  public:
    // `target` must be Format_RGB32 or Format_ARGB32 and outlive the device.
    explicit QtPaletteDevice(QImage& target);

    // The colours the indices stand for (the realised palette); returns how many changed.
    int SetPalette(const TPaletteEntries& palette);

    int32_t TransferRows(const TIndexedRows& block, int32_t sourceX, int32_t sourceY, int32_t width,
                         int32_t height, int32_t destX, int32_t destY) override;

  private:
    QImage& target;
    std::array<QRgb, 256> colours{};
};
