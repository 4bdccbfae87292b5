#pragma once
// Hand-built library files for the image engine's tests: records are assembled from raw
// segment bytes, so every field can be made right or wrong on purpose.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct TestSegment {
    uint8_t codeA = 0;
    uint8_t codeB = 0;
    uint8_t flags = 0x08;
    Bytes data;
};

struct TestRecord {
    std::string name;
    uint16_t width = 1;
    uint16_t height = 1;
    uint8_t state = 1;
    uint8_t transparentIndex = 0;
    uint8_t transparent = 0;
    uint16_t version = 3;
    std::vector<TestSegment> segments;
};

// A w x h picture stored plainly in one segment: pixel (x, y) = base + x + 16 * y.
TestRecord PlainRecord(const std::string& name, uint16_t w, uint16_t h, uint8_t base);

// The 6-byte file header and a palette table whose entry i is (blue i, green 255 - i, red i/2).
Bytes FileHeader();
Bytes LibraryBytes(const std::vector<TestRecord>& records);

// Writes bytes to a file under the test's temporary folder and returns its path.
std::string WriteTempFile(const std::string& name, const Bytes& bytes);

// The message of the engine fault the operation raises, or "" when it raises none.
std::string MessageOf(const std::function<void()>& operation);
