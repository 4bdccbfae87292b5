#pragma once
// TSoundNode: one loaded sound of the wave sound manager. It owns the memory block the sound is
// played from and, while the sound plays, the output device. Its header's user data is a serial
// number no other node of the process has, so a completion never names a later node.

#include "base/TarnList.h"
#include "platform/WaveOutput.h"
#include "sound/WaveFile.h"

#include <cstdint>
#include <memory>
#include <string>

// Flags of a sound node.
enum TSoundFlag : std::uint8_t {
    SoundFreeWhenDone = 0x01, // freed when it has finished playing
    SoundQueued = 0x02,       // waits to play when nothing plays
    SoundRequeue = 0x04,      // to be queued again when it finishes
    SoundToFront = 0x08,      // to be put first in the list when it finishes
};

class TSoundNode : public TTarnNode {
  public:
    // Loads the wave file; raises TWaveFileError when it cannot.
    TSoundNode(const std::string& fileName, std::uint8_t flags, std::uint16_t number);
    ~TSoundNode() override;

    // Opens the default output device with the sound's format and starts playing; completions
    // go to target. False when the device cannot be opened or refuses the samples; a device
    // that refused stays with the node until Close.
    bool Play(IWaveOutput& output, IWaveDoneTarget& target);
    // Stops the device, if open, and hands it over: a sound that was playing is posted as done.
    // The caller destroys the device once nothing is half done, as destroying it may deliver
    // completions.
    [[nodiscard]] std::unique_ptr<IWaveDevice> Close();
    // Ends looping after the current pass.
    void BreakLoop();
    // Passes to play: 1000 means for ever; 0 or 1 plays once.
    void SetLoop(std::uint32_t count);
    bool IsLooping() const;

    const TWaveFormat& Format() const { return Memory.Format(); }
    const TWaveHeader& Header() const { return Memory.Header(); }
    bool HasDevice() const { return Device != nullptr; }

    static constexpr std::uint32_t LoopForever = 1000;
    static constexpr std::uint32_t ForeverPasses = 10'000'000;

    std::uint16_t SoundID;
    bool Playing = false;
    std::uint8_t Flags;

  private:
    TSoundMemory Memory;
    std::unique_ptr<IWaveDevice> Device;
};
