#pragma once
// A small image library in memory for the scene tests, and a blank surface to draw on.

#include "base/Util.h"
#include "framework/FrameSet.h"
#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8Writer.h"

#include <memory>
#include <string>
#include <vector>

// A picture whose pixel (x, y) is base + x + 16 * y.
inline TPX8Picture CountingPicture(const std::string& name, uint16_t width, uint16_t height,
                                   uint8_t base) {
    TPX8Picture picture{name, width, height, {}, false, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.Pixels.push_back(static_cast<uint8_t>(base + x + 16 * y));
        }
    }
    return picture;
}

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
    explicit SceneLibrary(const std::vector<TPX8Picture>& pictures) {
        const std::vector<uint8_t> bytes = PX8EncodeLibrary(TPX8PaletteTable{}, pictures);
        library->LoadFromStream(TPX8Stream::FromBytes(bytes.data(), bytes.size()), "scene.px8");
        TFrameSet::SetGlobalImageLibrary(library.get());
    }
    ~SceneLibrary() { TFrameSet::SetGlobalImageLibrary(nullptr); }
    SceneLibrary(const SceneLibrary&) = delete;
    SceneLibrary& operator=(const SceneLibrary&) = delete;

    // A blank surface of the given size, lent by the library.
    TPX8ImageData* Surface(const std::string& name, uint16_t width, uint16_t height) {
        return library->GetImageData(library->CreateImage(name, width, height));
    }

    // The entry of a loaded image, or nullptr when nobody holds it.
    TImageNode* Loaded(const std::string& name) const {
        return library->GetImages().Find(LowerCaseASCII(name));
    }

    std::unique_ptr<TPX8Library> library = std::make_unique<TPX8Library>();
};
