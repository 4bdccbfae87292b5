#pragma once
// The segment decoder: turns a segment's stored bytes into rows of 8-bit pixels.

#include <cstdint>
#include <span>

// Decodes `stored` (the segment's data after its 3-byte header) into `rows` rows of `width`
// pixels, each row `stride` bytes long with zero padding after the pixels, storage row 0 first.
// `out` must hold rows x stride bytes. Every read stays inside `stored` and every write inside
// its row; faults raise PX8Exception with the decoder's messages.
void PX8DecodeRows(std::span<const uint8_t> stored, uint8_t codeA, uint8_t codeB, uint8_t flags,
                   uint16_t width, uint32_t rows, uint32_t stride, uint8_t* out);
