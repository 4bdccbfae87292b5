// Opens arbitrary bytes as an image library, loads and decodes every picture its directory
// names and draws each one, as the game does. Only PX8Exception may come out.

#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {
// A device that reads every pixel it is given, so that a transfer past a block is caught.
class ReadingDevice : public IPaletteDevice {
  public:
    int32_t TransferRows(const TIndexedRows& block, int32_t, int32_t, int32_t width, int32_t height,
                         int32_t, int32_t) override {
        for (int32_t r = 0; r < height; ++r) {
            for (int32_t x = 0; x < width; ++x) {
                sum += block.Pixels[static_cast<std::ptrdiff_t>(r) * block.Stride + x];
            }
        }
        return height;
    }
    unsigned sum = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPX8Library library;
    try {
        library.LoadFromStream(TPX8Stream::FromBytes(data, size), "fuzz.px8");
    } catch (const PX8Exception&) {
        return 0;
    }
    std::vector<std::string> names;
    for (const auto& [name, offset] : library.GetDirectory()) {
        names.push_back(name);
    }
    ReadingDevice device;
    for (const std::string& name : names) {
        try {
            TImageNode* entry = library.GetImage(name);
            library.DrawImage(device, 0, 0, entry);
            library.ReleaseImage(entry);
        } catch (const PX8Exception&) {
        }
    }
    return 0;
}
