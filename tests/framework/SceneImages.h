#pragma once
// A small image library in memory for the scene tests, and a blank surface to draw on.

#include "framework/FrameSet.h"
#include "graphics/LibraryKit.h"

#include <memory>
#include <string>
#include <vector>

// Pixels of the rectangle, row by row.
inline std::vector<int> Pixels(TPX8ImageData& surface, const TRect& r) {
    std::vector<int> pixels;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        for (int32_t x = r.Left; x < r.Right; ++x) {
            pixels.push_back(surface.GetPixel({x, y}));
        }
    }
    return pixels;
}

// A library over the pictures, installed as the frame sets' library while it lives.
class SceneLibrary {
  public:
    explicit SceneLibrary(const std::vector<TPX8Picture>& pictures) : library(LibraryOf(pictures)) {
        TFrameSet::SetGlobalImageLibrary(library.get());
    }
    ~SceneLibrary() { TFrameSet::SetGlobalImageLibrary(nullptr); }

    // A blank surface of the given size, lent by the library.
    TPX8ImageData* Surface(const std::string& name, uint16_t width, uint16_t height) {
        return library->GetImageData(library->CreateImage(name, width, height));
    }

    std::unique_ptr<TPX8Library> library;
};
