#pragma once
// The game's sound effects: the sound table naming the wave file of each sound number, and the
// entry points the game plays its effects through. The main window owns the one TAppSound;
// while it lives, PlaySound, SoundActive and SoundDone reach its manager.

#include "base/IDList.h"
#include "platform/WaveOutput.h"
#include "sound/ObfText.h"
#include "sound/WaveMan.h"

#include <cstdint>
#include <memory>
#include <string>

// An entry of the sound table: the wave name (upper-cased) and its sound number.
class TSoundInfoNode : public TIDNode {
  public:
    TSoundInfoNode(const std::string& name, std::uint16_t number) : TIDNode(name), Number(number) {}
    std::uint16_t Number;
};

// The filter "sounds.txt" is compiled with: one wave name per line, the first word only;
// comment lines start with "[" or "#".
bool SoundLineFilter(std::string& line);

// Owns the sound table and the manager.
class TAppSound {
  public:
    // Starts the manager (enabled as asked, if a device exists) on the wave folder and reads the
    // table from dataFolder's "sounds.dat", compiling "sounds.txt" first when the text is newer:
    // into "sounds.dat" when the folder can be written, else into memory. A table that cannot
    // be read at all is empty.
    TAppSound(IWaveDoneTarget& owner, IWaveOutput& output, bool soundEnabled,
              const std::string& waveFolder, const std::string& dataFolder);
    // Stops the sound that plays and frees every sound.
    ~TAppSound();
    TAppSound(const TAppSound&) = delete;
    TAppSound& operator=(const TAppSound&) = delete;

    TWaveMan& WaveMan() { return *Manager; }
    const TIDList& SoundTable() const { return Table; }
    bool EnabledAtStart() const { return StartEnabled; }
    // The sound setting to store at exit: on only if the manager was enabled when it started
    // and a device exists.
    bool SoundSettingToStore() const { return StartEnabled && Manager->HasDevice(); }

  private:
    TIDList Table;
    std::unique_ptr<TWaveMan> Manager;
    bool StartEnabled = false;
};

// The main window's sound component: a TAppSound that the entry points below reach.
std::unique_ptr<TAppSound> InitSounds(IWaveDoneTarget& owner, IWaveOutput& output,
                                      bool soundEnabled, const std::string& waveFolder,
                                      const std::string& dataFolder);

// Plays the effect of a kind: kind 1 plays sound 1, kind 2 (a solved puzzle) sound 2, any other
// kind sound 0. Each request loads the file again and queues behind a sound that plays.
void PlaySound(int kind);
// The name of the first table entry whose number has the same low 8 bits; empty when none.
std::string SoundName(std::uint16_t number);
// Whether the sound component exists and a wave output device exists.
bool SoundActive();
// Passes a completion to the manager; returns the finished sound's number (0 without one).
std::uint16_t SoundDone(const TWaveDoneMessage& message);
