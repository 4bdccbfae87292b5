#pragma once
// Wave files built byte by byte for the tests: well-formed ones and every kind of damage.

#include <cstdint>
#include <string>
#include <string_view>

inline std::string Le32(std::uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

// A chunk with the given size field (the payload's length unless told otherwise) and a pad byte
// after an odd payload.
inline std::string Chunk(std::string_view id, std::string_view payload, std::int64_t size = -1) {
    return std::string(id) + Le32(static_cast<std::uint32_t>(size < 0 ? payload.size() : size)) +
           std::string(payload) + std::string(payload.size() % 2, '\0');
}

inline std::string Riff(std::string_view chunks, std::string_view form = "WAVE",
                        std::int64_t size = -1) {
    return Chunk("RIFF", std::string(form) + std::string(chunks), size);
}

// The 16 bytes of a format.
inline std::string FormatBytes(std::uint16_t tag = 1, std::uint16_t channels = 1,
                               std::uint32_t rate = 8000, std::uint16_t bits = 16) {
    const auto align = static_cast<std::uint16_t>(channels * bits / 8);
    return Le32(tag | channels << 16) + Le32(rate) + Le32(rate * align) + Le32(align | bits << 16);
}

// A well-formed 16-bit mono PCM file with sampleBytes bytes of samples.
inline std::string PcmWave(std::size_t sampleBytes) {
    return Riff(Chunk("fmt ", FormatBytes()) + Chunk("data", std::string(sampleBytes, '\x11')));
}
