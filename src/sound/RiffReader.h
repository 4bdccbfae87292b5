#pragma once
// Reading RIFF files chunk by chunk: find a chunk by its identifier among the chunks that follow
// the current position inside a parent, step past it, and read its data. Every read is checked
// against the file's size, so a chunk that claims more bytes than the file holds is never read.

#include <cstdint>
#include <istream>

// The identifier made of four characters, first character in the lowest byte as in the file.
constexpr std::uint32_t FourCC(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

struct TRiffChunk {
    std::uint32_t ID = 0;
    std::uint32_t Size = 0;     // bytes of data, without the pad byte of an odd size
    std::uint32_t FormType = 0; // "RIFF" chunks only
    std::uint64_t DataOffset = 0;

    // Where the next chunk starts.
    std::uint64_t End() const { return DataOffset + Size + (Size & 1U); }
};

// Reads from a seekable stream it does not own.
class TRiffReader {
  public:
    explicit TRiffReader(std::istream& stream);

    // Finds the next top-level "RIFF" chunk of the form type and moves to its first sub-chunk.
    bool DescendRiff(std::uint32_t formType, TRiffChunk& chunk);

    // Finds the next chunk with the identifier inside parent, searching from the current
    // position, and moves to its data.
    bool Descend(std::uint32_t id, const TRiffChunk& parent, TRiffChunk& chunk);

    // Moves past the chunk and its pad byte.
    void Ascend(const TRiffChunk& chunk) { Position = chunk.End(); }

    // Whether the file holds the chunk's whole data.
    bool FitsInFile(const TRiffChunk& chunk) const { return chunk.DataOffset + chunk.Size <= Size; }

    // Reads the chunk's whole data into target (chunk.Size bytes); false when the file ends
    // first.
    bool ReadData(const TRiffChunk& chunk, void* target);

  private:
    bool Find(std::uint32_t id, std::uint32_t formType, std::uint64_t end, TRiffChunk& chunk);
    bool ReadAt(std::uint64_t offset, void* target, std::uint64_t count);

    std::istream& Stream;
    std::uint64_t Size = 0;
    std::uint64_t Position = 0;
};
