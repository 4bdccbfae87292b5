// Reads arbitrary bytes as a wave file: either a PCM sound whose samples lie inside the input,
// or one of the wave error codes; never more memory than the input justifies.

#include "sound/WaveFile.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const TSoundMemory memory = ReadWaveFile(stream);
        if (memory.Format().FormatTag != 1 || memory.SampleSize() == 0 ||
            memory.SampleSize() > size || memory.Header().Length != memory.SampleSize()) {
            std::abort();
        }
    } catch (const TWaveFileError& fault) {
        if (fault.Code() < WaveNoFormatMemory || fault.Code() > WaveNotPCM) {
            std::abort();
        }
    }
    return 0;
}
