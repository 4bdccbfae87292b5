#pragma once
// Records what the sound server plays, from the default sink's monitor, with parec: 16-bit mono
// samples at a fixed rate, each batch stamped with the time it arrived. It records while the
// event loop runs; device tests and benchmarks use it to find what was heard and when. It asks
// for 2 ms of latency: a stream that starts is missing from the monitor for about that long,
// which the Qt output covers with the silence it puts ahead of each sound.

#include "sound/WaveFile.h"

#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

// The first and last sample louder than a fiftieth of the loudest: where a sound is audible,
// whatever gain the server applied on the way.
struct AudibleSpan {
    std::size_t First = 0, Last = 0;
    bool Found = false;

    double Seconds(int rate) const { return Found ? double(Last - First + 1) / rate : 0.0; }
};

inline AudibleSpan FindAudible(const std::vector<std::int16_t>& samples, std::size_t from = 0) {
    const auto level = [&](std::size_t i) { return std::abs(int{samples[i]}); };
    int peak = 1;
    for (std::size_t i = from; i < samples.size(); ++i) {
        peak = std::max(peak, level(i) / 50);
    }
    AudibleSpan span;
    for (std::size_t i = from; i < samples.size(); ++i) {
        span = level(i) > peak ? AudibleSpan{span.Found ? span.First : i, i, true} : span;
    }
    return span;
}

// The seconds of a 16-bit mono wave file that are audible.
inline double AudibleSecondsOfFile(const std::string& fileName) {
    TSoundMemory memory = ReadWaveFile(fileName);
    std::vector<std::int16_t> samples(memory.SampleSize() / 2);
    std::memcpy(samples.data(), memory.Samples(), samples.size() * 2);
    return FindAudible(samples).Seconds(static_cast<int>(memory.Format().SamplesPerSec));
}

class MonitorRecorder {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int Rate = 22050;

    MonitorRecorder() {
        QObject::connect(&Parec, &QProcess::readyReadStandardOutput, [this] { Read(); });
        Parec.start("parec",
                    {"--device=@DEFAULT_MONITOR@", "--format=s16le",
                     QStringLiteral("--rate=%1").arg(Rate), "--channels=1", "--latency-msec=2"});
    }

    ~MonitorRecorder() {
        Parec.disconnect();
        Parec.kill();
        Parec.waitForFinished();
    }

    const std::vector<std::int16_t>& Samples() const { return Recorded; }

    // When the sample at index was recorded: its batch's arrival, less the samples after it.
    Clock::time_point TimeOf(std::size_t index) const {
        const auto batch = std::lower_bound(Batches.begin(), Batches.end(),
                                            std::make_pair(index, Clock::time_point::min()));
        if (batch == Batches.end()) {
            return Clock::time_point::max();
        }
        const std::chrono::duration<double> later(static_cast<double>(batch->first - index) / Rate);
        return batch->second - std::chrono::duration_cast<Clock::duration>(later);
    }

  private:
    void Read() {
        Pending += Parec.readAllStandardOutput();
        // s16le, as this machine keeps its samples.
        const auto whole = static_cast<std::size_t>(Pending.size() / 2);
        Recorded.resize(Recorded.size() + whole);
        std::memcpy(Recorded.data() + Recorded.size() - whole, Pending.data(), whole * 2);
        Pending.remove(0, static_cast<qsizetype>(whole * 2));
        if (whole > 0) {
            Batches.emplace_back(Recorded.size() - 1, Clock::now());
        }
    }

    QProcess Parec;
    QByteArray Pending;
    std::vector<std::int16_t> Recorded;
    // The index of each batch's last sample, and when the batch arrived.
    std::vector<std::pair<std::size_t, Clock::time_point>> Batches;
};
