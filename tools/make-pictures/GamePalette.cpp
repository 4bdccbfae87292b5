#include "GamePalette.h"

#include <limits>
#include <unordered_map>

namespace GamePalette {
namespace {

using Rgb = std::array<uint8_t, 3>;

struct Ramp {
    int first;
    int count;
    Rgb dark;
    Rgb key;
    Rgb light;
};

// The hues of the design, at the index ranges the header lists.
constexpr Ramp Ramps[] = {
    {10, 40, {0x0e, 0x13, 0x20}, {0x5c, 0x67, 0x7d}, {0xf4, 0xf6, 0xfa}},  // slate
    {50, 32, {0x0b, 0x23, 0x50}, {0x2f, 0x7d, 0xe1}, {0xe3, 0xef, 0xff}},  // blue
    {82, 24, {0x0d, 0x3a, 0x1a}, {0x2e, 0xaa, 0x4f}, {0xe3, 0xf8, 0xe8}},  // green
    {106, 22, {0x4a, 0x0d, 0x0d}, {0xe0, 0x3e, 0x3e}, {0xfd, 0xe4, 0xe4}}, // red
    {129, 28, {0x4d, 0x30, 0x00}, {0xf5, 0xb3, 0x01}, {0xff, 0xf6, 0xd6}}, // amber
    {157, 20, {0x4d, 0x20, 0x00}, {0xf7, 0x67, 0x07}, {0xff, 0xe8, 0xd6}}, // orange
    {177, 24, {0x24, 0x12, 0x4d}, {0x7b, 0x55, 0xe8}, {0xee, 0xe8, 0xff}}, // purple
    {201, 24, {0x05, 0x3b, 0x36}, {0x12, 0xa5, 0x94}, {0xdd, 0xf7, 0xf3}}, // teal
    {225, 21, {0x4a, 0x0b, 0x2a}, {0xe0, 0x45, 0x7b}, {0xfd, 0xe4, 0xee}}, // pink
};

constexpr Rgb CursorColour = {0x0f, 0x62, 0xfe};

// The display's twenty reserved colours, so the pictures look the same whether or not the
// display keeps them for itself.
constexpr Rgb LowSystemColours[10] = {{0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00},
                                      {0x80, 0x80, 0x00}, {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80},
                                      {0x00, 0x80, 0x80}, {0xc0, 0xc0, 0xc0}, {0xc0, 0xdc, 0xc0},
                                      {0xa6, 0xca, 0xf0}};
constexpr Rgb HighSystemColours[10] = {{0xff, 0xfb, 0xf0}, {0xa0, 0xa0, 0xa4}, {0x80, 0x80, 0x80},
                                       {0xff, 0x00, 0x00}, {0x00, 0xff, 0x00}, {0xff, 0xff, 0x00},
                                       {0x00, 0x00, 0xff}, {0xff, 0x00, 0xff}, {0x00, 0xff, 0xff},
                                       {0xff, 0xff, 0xff}};

uint8_t Mix(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(a + (b - a) * t + 0.5);
}

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {Mix(a[0], b[0], t), Mix(a[1], b[1], t), Mix(a[2], b[2], t)};
}

std::array<Rgb, 256> MakeEntries() {
    std::array<Rgb, 256> entries{};
    for (int i = 0; i < 10; ++i) {
        entries[i] = LowSystemColours[i];
        entries[246 + i] = HighSystemColours[i];
    }
    entries[Cursor] = CursorColour;
    for (const Ramp& ramp : Ramps) {
        for (int i = 0; i < ramp.count; ++i) {
            const double t = static_cast<double>(i) / (ramp.count - 1);
            entries[ramp.first + i] =
                t < 0.5 ? Mix(ramp.dark, ramp.key, t * 2) : Mix(ramp.key, ramp.light, t * 2 - 1);
        }
    }
    return entries;
}

// Squared distance weighted for the eye ("redmean"), in integers so every machine picks the
// same entry.
int64_t Distance(const Rgb& a, int r, int g, int b) {
    const int64_t mean = (a[0] + r) / 2;
    const int64_t dr = a[0] - r;
    const int64_t dg = a[1] - g;
    const int64_t db = a[2] - b;
    return ((512 + mean) * dr * dr >> 8) + 4 * dg * dg + ((767 - mean) * db * db >> 8);
}

} // namespace

const std::array<Rgb, 256>& Entries() {
    static const std::array<Rgb, 256> entries = MakeEntries();
    return entries;
}

bool Drawable(int index) {
    return index == Black || index == White || (index >= 10 && index <= 245);
}

IndexedPng ToIndexed(const QImage& picture, bool transparent, QRgb backdrop) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    IndexedPng png;
    png.width = static_cast<uint32_t>(argb.width());
    png.height = static_cast<uint32_t>(argb.height());
    png.palette.assign(Entries().begin(), Entries().end());
    if (transparent) {
        png.alpha = {255, 0};
    }
    std::unordered_map<QRgb, uint8_t> nearest;
    png.pixels.reserve(std::size_t{png.width} * png.height);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = row[x];
            const int alpha = qAlpha(pixel);
            if (transparent && alpha < 128) {
                png.pixels.push_back(TransparentKey);
                continue;
            }
            const auto over = [alpha](int c, int under) {
                return (c * alpha + under * (255 - alpha)) / 255;
            };
            const QRgb flat =
                qRgb(over(qRed(pixel), qRed(backdrop)), over(qGreen(pixel), qGreen(backdrop)),
                     over(qBlue(pixel), qBlue(backdrop)));
            auto found = nearest.find(flat);
            if (found == nearest.end()) {
                int best = White;
                int64_t bestDistance = std::numeric_limits<int64_t>::max();
                for (int i = 0; i < 256; ++i) {
                    if (!Drawable(i)) {
                        continue;
                    }
                    const int64_t d = Distance(Entries()[i], qRed(flat), qGreen(flat), qBlue(flat));
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                found = nearest.emplace(flat, static_cast<uint8_t>(best)).first;
            }
            png.pixels.push_back(found->second);
        }
    }
    return png;
}

} // namespace GamePalette
