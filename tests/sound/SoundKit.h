#pragma once
// What the sound tests share: a folder of small wave files, the fake output, and a completion
// target that passes completions on as the main window does and logs the finished numbers.

#include "WaveBytes.h"
#include "fakes/FakeWaveOutput.h"
#include "fakes/TempFolder.h"
#include "platform/WaveOutput.h"

#include <cstdint>
#include <functional>
#include <string>

struct LoggingTarget : IWaveDoneTarget {
    LoggingTarget(FakeWaveOutput& output,
                  std::function<std::uint16_t(const TWaveDoneMessage&)> done)
        : Output(output), Done(std::move(done)) {}
    // The entry goes before whatever the completion made the output do.
    void WaveDone(const TWaveDoneMessage& message) override {
        const auto at = static_cast<std::ptrdiff_t>(Output.Log.size());
        const std::uint16_t finished = Done(message);
        Output.Log.insert(Output.Log.begin() + at, "done " + std::to_string(finished));
    }

    FakeWaveOutput& Output;
    std::function<std::uint16_t(const TWaveDoneMessage&)> Done;
};

// Waves a (100 sample bytes), b (200) and c (300) in wav/, and a non-PCM one, bad.
inline void WriteTestWaves(const TempFolder& folder) {
    folder.Write("wav/a.wav", PcmWave(100));
    folder.Write("wav/b.wav", PcmWave(200));
    folder.Write("wav/c.wav", PcmWave(300));
    folder.Write("wav/bad.wav", Riff(Chunk("fmt ", FormatBytes(3)) + Chunk("data", "xx")));
}
