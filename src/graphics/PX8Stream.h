#pragma once
// TPX8Stream: a seekable, read-only byte stream of a library file, with little-endian reads.
// It owns the underlying std::istream. A read that cannot be completed and a file that cannot
// be opened raise PX8Exception with the stream's own message.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>

class TPX8Stream {
  public:
    explicit TPX8Stream(std::unique_ptr<std::istream> stream);

    // Opens a file for reading: "Cannot open file "PATH"" when it cannot be opened.
    static std::unique_ptr<TPX8Stream> OpenFile(const std::string& path);
    // A stream over a copy of the bytes.
    static std::unique_ptr<TPX8Stream> FromBytes(const uint8_t* data, std::size_t size);

    int64_t Size() const { return size; }
    int64_t Position() const { return position; }
    void Seek(int64_t offset);
    void Skip(int64_t count) { Seek(position + count); }

    // Reads exactly `count` bytes: "Stream read error" when the stream ends first.
    void Read(void* buffer, std::size_t count);
    uint8_t ReadByte();
    uint32_t ReadU32();

  private:
    std::unique_ptr<std::istream> stream;
    int64_t size = 0;
    int64_t position = 0;
};
