#pragma once
// Reading and writing palette (indexed) PNG files through libpng: 8-bit indices, the palette
// as it is stored, and the transparency of each entry.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct IndexedPng {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;                 // one index per pixel, top row first
    std::vector<std::array<uint8_t, 3>> palette; // red, green, blue
    std::vector<uint8_t> alpha;                  // tRNS: alpha of the first entries, may be empty
};

// A file that is not a palette PNG, or that libpng rejects, raises PngError.
class PngError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

IndexedPng DecodeIndexedPng(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> EncodeIndexedPng(const IndexedPng& image);

IndexedPng ReadIndexedPng(const std::string& path);
void WriteIndexedPng(const std::string& path, const IndexedPng& image);
