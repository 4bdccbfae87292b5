// Writes arbitrary pixels as a library picture and reads them back: the decoder must give
// exactly the pixels the writer was given.

#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8Writer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto width = static_cast<uint16_t>(1 + data[0] % 64);
    const size_t pixels = size - 1;
    const auto height = static_cast<uint16_t>((pixels + width - 1) / width);
    if (height == 0 || height > 4096) {
        return 0;
    }
    TPX8Picture picture;
    picture.Name = "fuzz";
    picture.Width = width;
    picture.Height = height;
    picture.Pixels.assign(size_t{width} * height, data[1]);
    std::copy(data + 1, data + size, picture.Pixels.begin());
    const std::vector<uint8_t> bytes = PX8EncodeLibrary(TPX8PaletteTable{}, {picture});

    TPX8Library library;
    library.LoadFromStream(TPX8Stream::FromBytes(bytes.data(), bytes.size()), "fuzz.px8");
    TPX8Image& image = *library.GetImage("fuzz")->Image;
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t r = height - 1u - y;
        const uint8_t* row = image.Segments()[r / image.RowsPerSegment()].Lock() +
                             (r % image.RowsPerSegment()) * image.Stride();
        for (uint32_t x = 0; x < width; ++x) {
            if (row[x] != picture.Pixels[size_t{y} * width + x]) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
