#pragma once
// Small surfaces for the surface and layer tests: a blank image with its surface, pictures
// written and read as rows of characters ('0' is colour 0, 'a' is colour 10).

#include "graphics/PX8BitmapInfo.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"
#include "graphics/PX8TestFiles.h"

#include <memory>
#include <string>
#include <vector>

struct TestSurface {
    TestSurface(uint16_t width, uint16_t height, bool displayable = false)
        : image(std::make_unique<TPX8Image>()) {
        image->Init("test", nullptr, width, height);
        surface = std::make_unique<TPX8ImageData>(*image,
                                                  displayable ? &PX8IdentityBitmapInfo() : nullptr);
    }

    // Writes the rows ("1234 5678": rows apart by spaces) straight into the pixels (no damage,
    // no layers).
    void Paint(const std::string& rows) {
        int32_t y = 0;
        int32_t x = 0;
        uint8_t* row = surface->StartLine(0, 0);
        for (const char c : rows) {
            if (c == ' ') {
                surface->UnlockSegment(0, y);
                row = surface->StartLine(0, ++y);
                x = 0;
            } else {
                row[x++] = Colour(c);
            }
        }
        surface->UnlockSegment(0, y);
    }

    // The picture in the form Paint takes.
    std::string Picture() {
        std::string rows;
        for (int32_t y = 0; y < surface->Height(); ++y) {
            rows += y > 0 ? " " : "";
            for (int32_t x = 0; x < surface->Width(); ++x) {
                const uint8_t value = surface->GetPixel({x, y});
                rows += static_cast<char>(value < 10 ? '0' + value : 'a' + value - 10);
            }
        }
        return rows;
    }

    std::vector<TRect> Damage() const {
        std::vector<TRect> rects;
        for (TTarnNode* node = surface->GetDamage().Head(); node != nullptr; node = node->Next()) {
            rects.push_back(static_cast<TDamageNode*>(node)->Rect);
        }
        return rects;
    }

    static uint8_t Colour(char c) {
        return static_cast<uint8_t>(c >= 'a' ? c - 'a' + 10 : c - '0');
    }

    TPX8ImageData& operator*() { return *surface; }
    TPX8ImageData* operator->() { return surface.get(); }

    std::unique_ptr<TPX8Image> image;
    std::unique_ptr<TPX8ImageData> surface;
};
