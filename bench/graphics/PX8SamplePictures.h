#pragma once
// Generated pictures that look like the game's: flat panels with bevels, gradients, text-like
// detail, dithered noise and sprites on a transparent background. Deterministic for a seed.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct SamplePicture {
    std::string name;
    uint16_t width;
    uint16_t height;
    std::vector<uint8_t> pixels; // top row first
    bool transparent = false;
    uint8_t transparentIndex = 0;
};

namespace SamplePictures {

inline void Fill(SamplePicture& p, int left, int top, int right, int bottom, uint8_t colour) {
    for (int y = std::max(top, 0); y < std::min(bottom, int{p.height}); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, int{p.width}); ++x) {
            p.pixels[static_cast<std::size_t>(y) * p.width + x] = colour;
        }
    }
}

// Glyph-like strokes: short horizontal and vertical bars on a 6 x 9 cell grid.
inline void Text(SamplePicture& p, int left, int top, int columns, int lines, uint8_t ink,
                 std::mt19937& random) {
    for (int line = 0; line < lines; ++line) {
        for (int c = 0; c < columns; ++c) {
            const int x0 = left + c * 6;
            const int y0 = top + line * 11;
            const auto shape = static_cast<unsigned>(random());
            for (int s = 0; s < 5; ++s) {
                if ((shape >> s) & 1u) {
                    Fill(p, x0 + (s % 2) * 3, y0 + s * 2, x0 + (s % 2) * 3 + 1, y0 + s * 2 + 3,
                         ink);
                }
                if ((shape >> (s + 5)) & 1u) {
                    Fill(p, x0, y0 + s * 2, x0 + 4, y0 + s * 2 + 1, ink);
                }
            }
        }
    }
}

inline void Bevel(SamplePicture& p, int left, int top, int right, int bottom, uint8_t face,
                  uint8_t light, uint8_t shadow) {
    Fill(p, left, top, right, bottom, face);
    Fill(p, left, top, right, top + 2, light);
    Fill(p, left, top, left + 2, bottom, light);
    Fill(p, left, bottom - 2, right, bottom, shadow);
    Fill(p, right - 2, top, right, bottom, shadow);
}

// A large picture of mixed content: a vertical gradient sky, flat panels with bevels and
// text, a dithered photo-like area and a block of noise.
inline SamplePicture Mixed(uint16_t width, uint16_t height, unsigned seed) {
    std::mt19937 random(seed);
    SamplePicture p{"mixed", width, height, std::vector<uint8_t>(std::size_t{width} * height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p.pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<uint8_t>(16 + (y * 32) / height);
        }
    }
    const int w = width;
    const int h = height;
    Bevel(p, w / 16, h / 12, w / 2, h / 2, 100, 101, 102);
    Text(p, w / 16 + 8, h / 12 + 8, (w / 2 - w / 16 - 16) / 6, (h / 2 - h / 12 - 16) / 11, 0,
         random);
    // Photo-like: smooth shading with ordered dither between two neighbouring colours.
    for (int y = h / 12; y < h / 2; ++y) {
        for (int x = w / 2 + 8; x < w - w / 16; ++x) {
            const int shade = (x * 7 + y * 3) % 96;
            const int dither = ((x & 1) ^ (y & 1)) * 2;
            p.pixels[static_cast<std::size_t>(y) * w + x] =
                static_cast<uint8_t>(128 + (shade + dither) / 3);
        }
    }
    Bevel(p, w / 16, h / 2 + 16, w - w / 16, h - h / 12, 60, 61, 62);
    Text(p, w / 16 + 8, h / 2 + 24, (w - w / 8 - 16) / 6 / 2, (h / 2 - h / 12 - 40) / 11, 255,
         random);
    for (int y = h / 2 + 24; y < h - h / 12 - 8; ++y) {
        for (int x = w / 2 + 8; x < w - w / 16 - 8; ++x) {
            p.pixels[static_cast<std::size_t>(y) * w + x] =
                static_cast<uint8_t>(random() % 40 + 200);
        }
    }
    return p;
}

// The kinds of picture the game shows: a background tile, a screen panel with text, buttons,
// a letter tile sprite on a transparent background and a strip of animation frames.
inline std::vector<SamplePicture> Game(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<SamplePicture> pictures;
    auto make = [](const char* name, uint16_t w, uint16_t h, uint8_t background) {
        return SamplePicture{name, w, h, std::vector<uint8_t>(std::size_t{w} * h, background)};
    };

    SamplePicture tile = make("bgtile", 64, 64, 40);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (((x / 8) + (y / 8)) % 2 == 0) {
                tile.pixels[static_cast<std::size_t>(y) * 64 + x] =
                    static_cast<uint8_t>(41 + (x + y) % 3);
            }
        }
    }
    pictures.push_back(tile);

    SamplePicture panel = make("board", 466, 342, 20);
    Bevel(panel, 10, 10, 456, 300, 30, 31, 32);
    for (int row = 0; row < 10; ++row) {
        Bevel(panel, 30, 20 + row * 27, 300, 44 + row * 27, 50, 51, 52);
        Text(panel, 36, 26 + row * 27, 7, 1, 0, random);
    }
    Text(panel, 320, 30, 20, 20, 1, random);
    pictures.push_back(panel);

    for (const char* name : {"btnok", "btnhint", "btnnext"}) {
        SamplePicture button = make(name, 90, 28, 70);
        Bevel(button, 0, 0, 90, 28, 70, 71, 72);
        Text(button, 20, 9, 8, 1, 0, random);
        pictures.push_back(button);
    }

    SamplePicture letter = make("letter", 24, 24, 0);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int dx = x - 12;
            const int dy = y - 12;
            if (dx * dx + dy * dy < 121) {
                letter.pixels[static_cast<std::size_t>(y) * 24 + x] =
                    static_cast<uint8_t>(dx * dx + dy * dy < 90 ? 90 + (x + y) / 8 : 89);
            }
        }
    }
    Text(letter, 9, 7, 1, 1, 1, random);
    letter.transparent = true;
    pictures.push_back(letter);

    SamplePicture frames = make("sparkle", 32, 32 * 8, 0);
    for (int f = 0; f < 8; ++f) {
        for (int k = 0; k < 12 + f * 3; ++k) {
            const int x = static_cast<int>(random() % 32);
            const int y = f * 32 + static_cast<int>(random() % 32);
            Fill(frames, x, y, x + 2, y + 2, static_cast<uint8_t>(240 + f));
        }
    }
    frames.transparent = true;
    pictures.push_back(frames);
    return pictures;
}

// Every pixel drawn at random from a few colours, or from all 256.
inline SamplePicture Random(uint16_t width, uint16_t height, unsigned colours, unsigned seed) {
    std::mt19937 random(seed);
    SamplePicture p{"random", width, height, std::vector<uint8_t>(std::size_t{width} * height)};
    for (uint8_t& v : p.pixels) {
        v = static_cast<uint8_t>(random() % colours);
    }
    return p;
}

} // namespace SamplePictures
