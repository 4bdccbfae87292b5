#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace {
constexpr double Attack = 0.004;
constexpr double Release = 0.040;

void Put16(std::ofstream& file, std::uint16_t value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    file.write(bytes, 2);
}

void Put32(std::ofstream& file, std::uint32_t value) {
    Put16(file, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(file, static_cast<std::uint16_t>(value >> 16));
}
} // namespace

Mix::Mix(int sampleRate, double seconds)
    : Rate(sampleRate), Samples(static_cast<std::size_t>(std::lround(seconds * sampleRate)), 0.0) {}

void Mix::Add(const Note& note, const std::vector<Partial>& timbre) {
    const auto first = static_cast<std::size_t>(std::lround(note.Start * Rate));
    const auto count = static_cast<std::size_t>(std::lround(note.Length * Rate));
    for (std::size_t i = 0; i < count && first + i < Samples.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        // Raised-cosine edges: no step at the start or the end, so no click.
        double envelope = 1.0;
        if (t < Attack) {
            envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * t / Attack);
        }
        const double left = note.Length - t;
        if (left < Release) {
            envelope *= 0.5 - 0.5 * std::cos(std::numbers::pi * left / Release);
        }
        double value = 0.0;
        for (const Partial& partial : timbre) {
            value += partial.Amplitude * std::exp(-t / partial.Decay) *
                     std::sin(2.0 * std::numbers::pi * note.Frequency * partial.Ratio * t);
        }
        Samples[first + i] += note.Loudness * envelope * value;
    }
}

std::vector<std::int16_t> Mix::Render(double peak) const {
    double loudest = 0.0;
    for (const double sample : Samples) {
        loudest = std::max(loudest, std::abs(sample));
    }
    const double scale = loudest > 0.0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<std::int16_t> result;
    result.reserve(Samples.size());
    for (const double sample : Samples) {
        result.push_back(static_cast<std::int16_t>(
            std::clamp<long>(std::lround(sample * scale), -32767, 32767)));
    }
    return result;
}

void WriteWave(const std::string& fileName, int sampleRate,
               const std::vector<std::int16_t>& samples) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    file.write("RIFF", 4);
    Put32(file, 36 + dataSize);
    file.write("WAVEfmt ", 8);
    Put32(file, 16);
    Put16(file, 1); // PCM
    Put16(file, 1); // mono
    Put32(file, rate);
    Put32(file, rate * 2);
    Put16(file, 2);
    Put16(file, 16);
    file.write("data", 4);
    Put32(file, dataSize);
    for (const std::int16_t sample : samples) {
        Put16(file, static_cast<std::uint16_t>(sample));
    }
    if (!file) {
        throw std::runtime_error("cannot write " + fileName);
    }
}
