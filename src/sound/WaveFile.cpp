#include "sound/WaveFile.h"

#include "sound/RiffReader.h"

#include <fstream>
#include <new>
#include <vector>

namespace {
// The part of a "fmt " chunk every wave format starts with.
constexpr std::uint32_t FormatSize = 16;
constexpr std::uint16_t PCMTag = 1;

std::uint16_t LittleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(LittleEndian16(bytes)) |
           static_cast<std::uint32_t>(LittleEndian16(bytes + 2)) << 16;
}

TWaveFormat ReadFormat(TRiffReader& reader, const TRiffChunk& chunk) {
    // A chunk too short for the common fields cannot be a format, and one past the end of the
    // file cannot be read whole; both are checked before anything is allocated.
    if (chunk.Size < FormatSize || !reader.FitsInFile(chunk)) {
        throw TWaveFileError(WaveFormatUnreadable);
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(chunk.Size);
    } catch (const std::bad_alloc&) {
        throw TWaveFileError(WaveNoFormatMemory);
    }
    if (!reader.ReadData(chunk, bytes.data())) {
        throw TWaveFileError(WaveFormatUnreadable);
    }
    TWaveFormat format;
    format.FormatTag = LittleEndian16(&bytes[0]);
    format.Channels = LittleEndian16(&bytes[2]);
    format.SamplesPerSec = LittleEndian32(&bytes[4]);
    format.AvgBytesPerSec = LittleEndian32(&bytes[8]);
    format.BlockAlign = LittleEndian16(&bytes[12]);
    format.BitsPerSample = LittleEndian16(&bytes[14]);
    format.ExtraSize = 0;
    if (format.FormatTag != PCMTag) {
        throw TWaveFileError(WaveNotPCM);
    }
    return format;
}
} // namespace

TWaveFileError::TWaveFileError(TWaveError errorCode)
    : std::runtime_error("wave file error " + std::to_string(static_cast<int>(errorCode))),
      code(errorCode) {}

TSoundMemory::TSoundMemory(const TWaveFormat& format, std::uint32_t sampleSize)
    : Block(std::make_unique_for_overwrite<std::byte[]>(SamplesOffset + sampleSize)),
      SampleBytes(sampleSize) {
    TPrefix* prefix = new (Block.get()) TPrefix{};
    prefix->Format = format;
    prefix->Header.Data = Samples();
    prefix->Header.Length = sampleSize;
}

TSoundMemory ReadWaveFile(std::istream& stream) {
    TRiffReader reader(stream);
    TRiffChunk riff;
    if (!reader.DescendRiff(FourCC("WAVE"), riff)) {
        throw TWaveFileError(WaveNotWave);
    }
    TRiffChunk chunk;
    if (!reader.Descend(FourCC("fmt "), riff, chunk)) {
        throw TWaveFileError(WaveNoFormat);
    }
    const TWaveFormat format = ReadFormat(reader, chunk);
    reader.Ascend(chunk);
    if (!reader.Descend(FourCC("data"), riff, chunk)) {
        throw TWaveFileError(WaveNoData);
    }
    if (chunk.Size == 0) {
        throw TWaveFileError(WaveEmptyData);
    }
    // Checked before allocating, so a size past the end of the file never reserves memory.
    if (!reader.FitsInFile(chunk)) {
        throw TWaveFileError(WaveDataUnreadable);
    }
    TSoundMemory memory = [&] {
        try {
            return TSoundMemory(format, chunk.Size);
        } catch (const std::bad_alloc&) {
            throw TWaveFileError(WaveNoSoundMemory);
        }
    }();
    if (!reader.ReadData(chunk, memory.Samples())) {
        throw TWaveFileError(WaveDataUnreadable);
    }
    return memory;
}

TSoundMemory ReadWaveFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        throw TWaveFileError(WaveCannotOpen);
    }
    return ReadWaveFile(file);
}
