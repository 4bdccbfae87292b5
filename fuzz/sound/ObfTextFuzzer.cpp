// Arbitrary bytes as a compiled record file: reading ends, and never repeats forever. The same
// bytes as a "sounds.txt": compiling and reading back gives exactly the lines the filter keeps,
// then only padding.

#include "sound/AppSound.h"
#include "sound/ObfText.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TObfText compiled(std::vector<std::uint8_t>(data, data + size));
    std::size_t records = 0;
    while (!compiled.AtEnd()) {
        const std::size_t before = compiled.GetPosition();
        if (compiled.ReadLine().size() > 254 || ++records > size) {
            std::abort();
        }
        if (compiled.GetPosition() == before) {
            break; // a length byte of 255
        }
    }

    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> kept;
    std::istringstream lines(text);
    while (std::optional<std::string> line = ReadTextLine(lines)) {
        if (SoundLineFilter(*line)) {
            kept.push_back(*line);
        }
    }
    std::istringstream source(text);
    TObfText read(TObfText::CompileText(source, SoundLineFilter));
    for (const std::string& line : kept) {
        if (line.size() == 255) {
            return 0; // a record of 255 bytes reads as the end
        }
        if (read.ReadLine() != line) {
            std::abort();
        }
    }
    while (!read.AtEnd()) {
        if (!read.ReadLine().empty()) {
            std::abort();
        }
    }
    return 0;
}
