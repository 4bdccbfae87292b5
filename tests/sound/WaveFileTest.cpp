// Reading wave files: well-formed ones, the shipped sounds and damaged ones.

#include "sound/WaveFile.h"

#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

// The shipped sounds as a player hears them (their generator's test only proves the files are
// what it makes): 16-bit, loud enough without clipping, and no click at either end.
TEST(WaveFile, ReadsFormatAndSamplesSkippingOtherChunksAndPaddingAndTheShippedSoundsArePleasant) {
    const std::string samples = "\x01\x02\x03\x04\x05";
    std::istringstream stream(
        Riff(Chunk("LIST", "odd") + Chunk("fmt ", FormatBytes(1, 2, 11025, 8) + "\x02\x00xy") +
             Chunk("junk", "12345") + Chunk("data", samples) + Chunk("cue ", "c")));
    const TSoundMemory memory = ReadWaveFile(stream);
    const TWaveFormat& f = memory.Format();
    EXPECT_EQ((std::vector<std::uint32_t>{f.FormatTag, f.Channels, f.SamplesPerSec,
                                          f.AvgBytesPerSec, f.BlockAlign, f.BitsPerSample,
                                          f.ExtraSize, memory.Header().Length}),
              (std::vector<std::uint32_t>{1, 2, 11025, 11025 * 2, 2, 8, 0, 5}))
        << "the extra-size field is always cleared";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(memory.Header().Data), memory.SampleSize()),
              samples);

    const char* source = std::getenv("LADDERLY_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    for (const char* name : {"click", "chime", "solved"}) {
        const TSoundMemory wave = ReadWaveFile(std::string(source) + "/data/wav/" + name + ".wav");
        ASSERT_EQ(wave.Format().BitsPerSample, 16) << name;
        std::vector<std::int16_t> pcm(wave.SampleSize() / 2);
        std::memcpy(pcm.data(), wave.Header().Data, pcm.size() * 2);
        const auto [low, high] = std::ranges::minmax(pcm);
        const int peak = std::max(-int{low}, int{high});
        EXPECT_TRUE(peak > 32767 / 3 && peak < 32767 * 9 / 10) << name << " peaks at " << peak;
        EXPECT_LT(std::abs(pcm.front()) + std::abs(pcm.back()), 128) << name;
    }
}

TEST(WaveFile, DamagedFilesGiveTheirErrorCode) {
    // The error code of reading the bytes, 0 when they load.
    const auto ErrorOf = [](const std::string& bytes) -> int {
        std::istringstream stream(bytes);
        try {
            ReadWaveFile(stream);
            return 0;
        } catch (const TWaveFileError& fault) {
            return fault.Code();
        }
    };
    const std::string fmt = Chunk("fmt ", FormatBytes());
    const std::string data = Chunk("data", "\x11\x11\x11\x11\x11\x11");
    const std::string good = Riff(fmt + data);
    const std::vector<std::tuple<const char*, std::string, int>> cases = {
        {"RIFF size past the end of the file", Riff(fmt + data, "WAVE", 0xFFFFFFFF), 0},
        {"empty file", "", WaveNotWave},
        {"big-endian RIFX", "RIFX" + good.substr(4), WaveNotWave},
        {"another form", Riff(fmt + data, "AVI "), WaveNotWave},
        {"RIFF too small for its form", Chunk("RIFF", "WA"), WaveNotWave},
        {"no fmt chunk", Riff(data), WaveNoFormat},
        {"fmt chunk outside the RIFF size", Riff(fmt + data, "WAVE", 4), WaveNoFormat},
        {"fmt 14", Riff(Chunk("fmt ", FormatBytes().substr(0, 14)) + data), WaveFormatUnreadable},
        {"fmt chunk cut off", good.substr(0, 12 + 8 + 10), WaveFormatUnreadable},
        {"huge fmt", Riff(Chunk("fmt ", FormatBytes(), 0xFFFFFFF0) + data), WaveFormatUnreadable},
        {"IEEE float", Riff(Chunk("fmt ", FormatBytes(3, 1, 8000, 32)) + data), WaveNotPCM},
        {"data before fmt", Riff(data + fmt), WaveNoData},
        {"data chunk outside the RIFF size", Riff(fmt + data, "WAVE", 4 + 24 + 4), WaveNoData},
        {"empty data chunk", Riff(fmt + Chunk("data", "")), WaveEmptyData},
        {"data cut off", good.substr(0, good.size() - 1), WaveDataUnreadable},
        {"data of 4 GB", Riff(fmt + Chunk("data", data.substr(8), 0xFFFFFFFF)), WaveDataUnreadable},
        {"odd data one byte past the end",
         "RIFF" + Le32(4 + 24 + 8 + 3) + "WAVE" + fmt + "data" + Le32(4) + "abc",
         WaveDataUnreadable},
    };
    for (const auto& [what, bytes, code] : cases) {
        EXPECT_EQ(ErrorOf(bytes), code) << what;
    }
}
