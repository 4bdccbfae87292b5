// make-sounds FOLDER: writes the game's sound effects click.wav, chime.wav and solved.wav
// (16-bit mono PCM, 22,050 samples a second) into FOLDER. The output depends on nothing but
// this program, so running it again gives the same files byte for byte.

#include "Synth.h"

#include <cmath>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {
constexpr int Rate = 22050;

double Pitch(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// A soft wooden tick for every request that is not one of the two below.
std::vector<std::int16_t> Click() {
    Mix mix(Rate, 0.07);
    mix.Add({0.0, 1400.0, 1.0, 0.07}, {{1.0, 1.0, 0.012}, {2.3, 0.35, 0.006}, {0.5, 0.3, 0.02}});
    return mix.Render(0.55);
}

// Two bell strokes, a fifth apart.
std::vector<std::int16_t> Chime() {
    const std::vector<Partial> bell = {
        {1.0, 1.0, 0.35}, {2.0, 0.35, 0.18}, {3.01, 0.15, 0.10}, {4.2, 0.07, 0.06}};
    Mix mix(Rate, 0.9);
    mix.Add({0.0, Pitch(10), 0.8, 0.9}, bell);   // G5
    mix.Add({0.09, Pitch(15), 0.8, 0.81}, bell); // C6
    return mix.Render(0.7);
}

// The solved-puzzle fanfare: a rising C major arpeggio that lands on a held chord.
std::vector<std::int16_t> Solved() {
    const std::vector<Partial> brass = {
        {1.0, 1.0, 0.6}, {2.0, 0.5, 0.4}, {3.0, 0.28, 0.3}, {4.0, 0.14, 0.2}, {5.0, 0.07, 0.15}};
    const std::vector<Partial> held = {
        {1.0, 1.0, 0.9}, {2.0, 0.45, 0.6}, {3.0, 0.22, 0.4}, {4.0, 0.1, 0.25}};
    Mix mix(Rate, 1.7);
    const int arpeggio[] = {3, 7, 10}; // C5 E5 G5
    double at = 0.0;
    for (const int semitones : arpeggio) {
        mix.Add({at, Pitch(semitones), 0.8, 0.32}, brass);
        at += 0.12;
    }
    mix.Add({at, Pitch(15), 1.0, 1.7 - at}, held); // C6 on top of the chord
    for (const int semitones : arpeggio) {
        mix.Add({at, Pitch(semitones), 0.35, 1.7 - at}, held);
    }
    return mix.Render(0.8);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-sounds FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        WriteWave(folder + "click.wav", Rate, Click());
        WriteWave(folder + "chime.wav", Rate, Chime());
        WriteWave(folder + "solved.wav", Rate, Solved());
    } catch (const std::exception& fault) {
        std::cerr << "make-sounds: " << fault.what() << "\n";
        return 1;
    }
    return 0;
}
