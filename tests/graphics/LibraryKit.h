#pragma once
// An image library in memory over pictures made by the writer, for the display clients' tests.

#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8Writer.h"

#include <memory>
#include <string>
#include <vector>

// A w x h picture whose pixel (x, y) is base + x + 16 * y.
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

inline std::unique_ptr<TPX8Library> LibraryOf(const std::vector<TPX8Picture>& pictures) {
    auto library = std::make_unique<TPX8Library>();
    const std::vector<uint8_t> bytes = PX8EncodeLibrary(TPX8PaletteTable{}, pictures);
    library->LoadFromStream(TPX8Stream::FromBytes(bytes.data(), bytes.size()), "kit.px8");
    return library;
}
