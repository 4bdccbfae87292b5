#include "graphics/PX8Stream.h"

#include "graphics/PX8Exception.h"

#include <fstream>
#include <sstream>

namespace {
// Short reads and unopenable files raise the engine's own exception, not the platform's stream
// errors, so a truncated library reaches its callers as an engine fault with a clear message.
const char* const ReadError = "Stream read error";
} // namespace

TPX8Stream::TPX8Stream(std::unique_ptr<std::istream> source) : stream(std::move(source)) {
    stream->seekg(0, std::ios::end);
    const std::streamoff end = stream->tellg();
    size = end < 0 ? 0 : static_cast<int64_t>(end);
    stream->seekg(0, std::ios::beg);
}

std::unique_ptr<TPX8Stream> TPX8Stream::OpenFile(const std::string& path) {
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!file->is_open()) {
        throw PX8Exception("Cannot open file \"" + path + "\"");
    }
    return std::make_unique<TPX8Stream>(std::move(file));
}

std::unique_ptr<TPX8Stream> TPX8Stream::FromBytes(const uint8_t* data, std::size_t count) {
    auto bytes = std::make_unique<std::istringstream>(
        std::string(reinterpret_cast<const char*>(data), count), std::ios::binary);
    return std::make_unique<TPX8Stream>(std::move(bytes));
}

void TPX8Stream::Seek(int64_t offset) {
    position = offset;
}

void TPX8Stream::Read(void* buffer, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (position < 0 || position > size || static_cast<uint64_t>(size - position) < count) {
        throw PX8Exception(ReadError);
    }
    stream->clear();
    stream->seekg(static_cast<std::streamoff>(position));
    stream->read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
    if (static_cast<std::size_t>(stream->gcount()) != count) {
        throw PX8Exception(ReadError);
    }
    position += static_cast<int64_t>(count);
}

uint8_t TPX8Stream::ReadByte() {
    uint8_t value = 0;
    Read(&value, 1);
    return value;
}

uint32_t TPX8Stream::ReadU32() {
    uint8_t bytes[4];
    Read(bytes, sizeof bytes);
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}
