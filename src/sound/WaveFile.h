#pragma once
// Loading a PCM wave file into the one memory block a sound is played from.

#include "platform/WaveOutput.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>

// Why a wave file could not be loaded; the codes are kept as the sound manager's last error.
enum TWaveError : int {
    WaveNoFormatMemory = 20000,   // no memory for the format chunk
    WaveEmptyData = 20001,        // the "data" chunk is empty
    WaveNoSoundMemory = 20002,    // no memory for the sound
    WaveFormatUnreadable = 20003, // the "fmt " chunk cannot be read whole
    WaveDataUnreadable = 20004,   // the sample data cannot be read whole
    WaveCannotOpen = 20005,       // the file cannot be opened
    WaveNotWave = 20006,          // not a RIFF "WAVE" file
    WaveNoFormat = 20007,         // no "fmt " chunk
    WaveNoData = 20008,           // no "data" chunk
    WaveNotPCM = 20009,           // the format tag is not 1 (PCM)
};

class TWaveFileError : public std::runtime_error {
  public:
    explicit TWaveFileError(TWaveError code);
    TWaveError Code() const { return code; }

  private:
    TWaveError code;
};

// Owns one block allocated in a single step: the wave format, the playback header and the
// samples, so that playing needs no further allocation.
class TSoundMemory {
  public:
    // Allocates the block for sampleSize bytes of samples with a cleared header pointing at them;
    // the samples are left for the caller to fill.
    TSoundMemory(const TWaveFormat& format, std::uint32_t sampleSize);

    TWaveFormat& Format() { return Prefix()->Format; }
    const TWaveFormat& Format() const { return Prefix()->Format; }
    TWaveHeader& Header() { return Prefix()->Header; }
    const TWaveHeader& Header() const { return Prefix()->Header; }
    std::uint8_t* Samples() { return reinterpret_cast<std::uint8_t*>(Block.get() + SamplesOffset); }
    std::uint32_t SampleSize() const { return SampleBytes; }
    std::size_t BlockSize() const { return SamplesOffset + SampleBytes; }

  private:
    struct TPrefix {
        TWaveFormat Format;
        TWaveHeader Header;
    };
    static constexpr std::size_t SamplesOffset = sizeof(TPrefix);

    TPrefix* Prefix() const { return std::launder(reinterpret_cast<TPrefix*>(Block.get())); }

    std::unique_ptr<std::byte[]> Block;
    std::uint32_t SampleBytes = 0;
};

// Reads a PCM wave file: the first 16 bytes of its "fmt " chunk and the samples of its "data"
// chunk. Raises TWaveFileError with the code of the first problem.
TSoundMemory ReadWaveFile(std::istream& stream);
TSoundMemory ReadWaveFile(const std::string& fileName);
