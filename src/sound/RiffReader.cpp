#include "sound/RiffReader.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::uint64_t HeaderSize = 8;
constexpr std::uint64_t FormTypeSize = 4;

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}
} // namespace

TRiffReader::TRiffReader(std::istream& stream) : Stream(stream) {
    Stream.seekg(0, std::ios::end);
    const std::streamoff end = Stream.tellg();
    Size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    Stream.clear();
}

bool TRiffReader::DescendRiff(std::uint32_t formType, TRiffChunk& chunk) {
    return Find(FourCC("RIFF"), formType, Size, chunk);
}

bool TRiffReader::Descend(std::uint32_t id, const TRiffChunk& parent, TRiffChunk& chunk) {
    const std::uint64_t end = std::min<std::uint64_t>(parent.DataOffset + parent.Size, Size);
    return Find(id, 0, end, chunk);
}

bool TRiffReader::Find(std::uint32_t id, std::uint32_t formType, std::uint64_t end,
                       TRiffChunk& chunk) {
    // Every step moves on by at least a header, so the search ends.
    while (Position + HeaderSize <= end) {
        std::array<std::uint8_t, HeaderSize + FormTypeSize> header{};
        if (!ReadAt(Position, header.data(), HeaderSize)) {
            return false;
        }
        TRiffChunk found;
        found.ID = LittleEndian32(header.data());
        found.Size = LittleEndian32(header.data() + 4);
        found.DataOffset = Position + HeaderSize;
        if (found.ID == id) {
            if (formType == 0) {
                chunk = found;
                Position = found.DataOffset;
                return true;
            }
            if (found.Size >= FormTypeSize &&
                ReadAt(found.DataOffset, header.data() + HeaderSize, FormTypeSize)) {
                found.FormType = LittleEndian32(header.data() + HeaderSize);
                if (found.FormType == formType) {
                    chunk = found;
                    Position = found.DataOffset + FormTypeSize;
                    return true;
                }
            }
        }
        Position = found.End();
    }
    return false;
}

bool TRiffReader::ReadData(const TRiffChunk& chunk, void* target) {
    return FitsInFile(chunk) && ReadAt(chunk.DataOffset, target, chunk.Size);
}

bool TRiffReader::ReadAt(std::uint64_t offset, void* target, std::uint64_t count) {
    if (offset + count > Size) {
        return false;
    }
    Stream.clear();
    Stream.seekg(static_cast<std::streamoff>(offset));
    Stream.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
    return Stream.gcount() == static_cast<std::streamsize>(count);
}
