#include "platform/PaletteDevice.h"

namespace {

class TrueColourSystem : public ISystemPalette {
  public:
    bool IsStatic() const override { return false; }
    int ReservedColours() const override { return 0; }
    TPaletteEntries Entries() const override {
        TPaletteEntries entries{};
        entries[255] = {255, 255, 255, 0};
        return entries;
    }
};

} // namespace

ISystemPalette& NoSystemPalette() {
    static TrueColourSystem system;
    return system;
}
