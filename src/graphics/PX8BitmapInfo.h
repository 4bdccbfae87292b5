#pragma once
// The identity bitmap description used for every transfer of pixels to a device: 8 bits per
// pixel, one plane, no compression, and a colour table holding 0 to 255, read as indices into
// the realised palette. Width, height and image size are set per transfer on a copy.

#include <array>
#include <cstdint>

struct TPX8BitmapInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t Planes = 1;
    uint16_t BitCount = 8;
    uint32_t Compression = 0;
    uint32_t SizeImage = 0;
    std::array<uint16_t, 256> Colours{};
};

// The process-wide description, filled once.
const TPX8BitmapInfo& PX8IdentityBitmapInfo();
