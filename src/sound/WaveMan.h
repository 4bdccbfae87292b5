#pragma once
// TWaveMan: the wave sound manager. It loads sounds on demand, plays one at a time through the
// wave output and decides by mode bits whether a new sound interrupts, queues behind or is
// refused by the one playing. It owns the loaded sounds and the devices it has closed until it
// destroys them; the output and the completion target are lent to it and must outlive it.
//
// Destroying a device may deliver completions (see IWaveDevice), so the manager closes devices
// during its bookkeeping but destroys them only at the end of each operation, when its state is
// whole again and a completion handled then is like any other.

#include "base/TarnList.h"
#include "platform/WaveOutput.h"
#include "sound/SoundNode.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Mode bits of PlayWave.
enum TPlayMode : std::uint8_t {
    PlayNoResume = 1,       // a looping sound that is interrupted does not resume afterwards
    PlayInterruptLoop = 2,  // a new sound may interrupt a looping one
    PlayInterruptPlain = 4, // a new sound may queue behind a sound that is not looping
    PlayStopNow = 8,        // the looping sound stops at once (implies InterruptLoop)
    PlayStopPlainNow = 16,  // the plain sound stops at once (implies InterruptPlain)
    PlayReplay = 32,        // requesting the sound that plays starts it again
};

class TWaveMan {
  public:
    // Enabled only if enable is asked for and the output reports a device.
    TWaveMan(IWaveDoneTarget& owner, IWaveOutput& output, bool enable);
    // Stops the sound that plays, then frees every sound.
    ~TWaveMan();
    TWaveMan(const TWaveMan&) = delete;
    TWaveMan& operator=(const TWaveMan&) = delete;

    bool HasDevice() const { return Output.DeviceCount() != 0; }
    void SetEnabled(bool on) { Enabled = on && HasDevice(); }
    bool IsEnabled() const { return Enabled; }

    // Stores the folder of the wave files, appending "/" when missing.
    void SetFolder(const std::string& path);
    const std::string& GetFolder() const { return Folder; }

    TSoundNode* FindSound(std::uint16_t number) const;
    TSoundNode* FindPlaying() const;

    // Makes sure the sound is loaded from Folder + name + ".wav". A file that cannot be loaded
    // leaves its error code in LastError and no sound. Returns whether the sound is loaded.
    bool LoadSound(const std::string& name, std::uint16_t number, std::uint8_t flags);

    // Plays a loaded sound, or queues it, as the mode bits and the sound playing decide.
    bool PlayWave(std::uint16_t number, std::uint8_t mode, bool loop);

    // Handles the output's completion: puts the finished sound back or frees it, then starts
    // the first queued sound when nothing plays. Returns the finished sound's number, or 0 for
    // a message about a sound that is gone.
    std::uint16_t BufferDone(const TWaveDoneMessage& message);

    int LastError() const { return Error; }
    const TTarnList& Sounds() const { return SoundList; }

  private:
    // The answer of PlayWave when another sound plays.
    bool InterruptOrQueue(TSoundNode& current, TSoundNode& node, std::uint8_t mode, bool loop);
    // Plays the node; when it cannot, closes its device and answers false.
    bool Start(TSoundNode& node);
    // Closes the node's device; it is destroyed by ReleaseDevices.
    void Stop(TSoundNode& node);
    // Destroys the closed devices; completions they deliver run BufferDone again.
    void ReleaseDevices();

    IWaveDoneTarget& Owner;
    IWaveOutput& Output;
    TTarnList SoundList;
    std::vector<std::unique_ptr<IWaveDevice>> Closed;
    bool Enabled = false;
    bool Ending = false; // the destructor runs: completions finish nothing
    std::string Folder;
    int Error = 0;
};
