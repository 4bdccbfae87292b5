#pragma once
// A small additive synthesizer for the game's sound effects: bell-like notes made of decaying
// partials, mixed into one buffer and written as 16-bit mono PCM.

#include <cstdint>
#include <string>
#include <vector>

struct Partial {
    double Ratio;     // frequency as a multiple of the note's
    double Amplitude; // relative to the note's loudness
    double Decay;     // seconds for the partial to fall to 1/e
};

struct Note {
    double Start;     // seconds
    double Frequency; // hertz
    double Loudness;
    double Length; // seconds until the note is faded out
};

class Mix {
  public:
    Mix(int sampleRate, double seconds);

    // Adds a note with the given timbre: a short rounded attack, the partials decaying each at
    // its own rate, and a fade to silence over the note's last 40 ms.
    void Add(const Note& note, const std::vector<Partial>& timbre);

    // The mix scaled so that its loudest sample reaches peak (0 to 1) of full scale, rounded
    // to 16 bits; never clips.
    std::vector<std::int16_t> Render(double peak) const;

  private:
    int Rate;
    std::vector<double> Samples;
};

// Writes a mono 16-bit PCM wave file.
void WriteWave(const std::string& fileName, int sampleRate,
               const std::vector<std::int16_t>& samples);
