#pragma once
// The system's wave output as the sound manager sees it: open the default output device with a
// PCM format, play one sample block on it, and have the completion delivered as a message on the
// user-interface thread.

#include <cstdint>
#include <memory>

// The 16 bytes of a wave file's "fmt " chunk, followed by the extra-size field.
struct TWaveFormat {
    std::uint16_t FormatTag = 0; // 1 = PCM
    std::uint16_t Channels = 0;
    std::uint32_t SamplesPerSec = 0;
    std::uint32_t AvgBytesPerSec = 0;
    std::uint16_t BlockAlign = 0;
    std::uint16_t BitsPerSample = 0;
    std::uint16_t ExtraSize = 0;
};

// One block of samples to play, and how often.
struct TWaveHeader {
    static constexpr std::uint32_t BeginLoop = 0x04;
    static constexpr std::uint32_t EndLoop = 0x08;

    const std::uint8_t* Data = nullptr;
    std::uint32_t Length = 0;
    std::uintptr_t User = 0; // handed back in the completion message
    std::uint32_t Loops = 0; // passes to play when both loop flags are set
    std::uint32_t Flags = 0;
};

// Reports that the output is done with a header: it played to the end, or the device was reset.
// It carries the header's user data, copied when the output let go of the header, so a message
// arriving after the sound was freed reads nothing that was freed.
struct TWaveDoneMessage {
    std::uintptr_t User = 0;
};

// Where completions go: always called on the user-interface thread, from its event loop, never
// from inside a call to the output other than a device's destructor (see IWaveDevice).
class IWaveDoneTarget {
  public:
    virtual ~IWaveDoneTarget() = default;
    virtual void WaveDone(const TWaveDoneMessage& message) = 0;
};

// One opened output device; destroying it closes the device without a completion of its own.
// Destroying a device may let completions already posted through, as Qt's audio sink runs the
// event loop when it is destroyed: destroy devices only where nothing is half done.
class IWaveDevice {
  public:
    virtual ~IWaveDevice() = default;

    // Starts playing the header's samples; it must stay valid until its completion is posted.
    // Loops counts the passes when the header carries both loop flags. The completion is posted
    // once the last pass has been played, not merely handed on. False when the device refuses.
    virtual bool Write(const TWaveHeader& header) = 0;

    // Ends looping after the pass that is playing.
    virtual void BreakLoop() = 0;

    // Stops at once; a header still playing is posted as done.
    virtual void Reset() = 0;
};

class IWaveOutput {
  public:
    virtual ~IWaveOutput() = default;

    // The number of wave output devices the system reports.
    virtual int DeviceCount() = 0;

    // Opens the default output device for the format, sending completions to target; nullptr
    // when there is no device or it cannot play the format.
    virtual std::unique_ptr<IWaveDevice> Open(const TWaveFormat& format,
                                              IWaveDoneTarget& target) = 0;
};
