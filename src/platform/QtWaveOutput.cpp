#include "platform/QtWaveOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace {
// The sink's buffer: how far the server may take the stream ahead of what it has played.
constexpr qint64 BufferMicroseconds = 150'000;
// How often the stream is topped up: several times a buffer, so a late timer leaves no gap.
constexpr int FeedMilliseconds = 20;
// Silence ahead of each sound. The server mixes a new stream in at once by rewriting what it had
// already mixed ahead, and what records the output (the sink's monitor) then misses the stream's
// first milliseconds, as many as the recorder's latency: a 50 ms click recorded with 10 ms of
// latency lost up to 5 of them. Those are silence now.
constexpr qint64 LeadMicroseconds = 5'000;

// The Qt format of a PCM wave format; invalid when Qt has no sample format for it.
QAudioFormat ToQtFormat(const TWaveFormat& wave) {
    QAudioFormat format;
    if (wave.SamplesPerSec > static_cast<std::uint32_t>(std::numeric_limits<int>::max())) {
        return format;
    }
    format.setSampleRate(static_cast<int>(wave.SamplesPerSec));
    format.setChannelCount(wave.Channels);
    switch (wave.BitsPerSample) {
    case 8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    case 32:
        format.setSampleFormat(QAudioFormat::Int32);
        break;
    default:
        format.setSampleFormat(QAudioFormat::Unknown);
        break;
    }
    return format;
}
} // namespace

// Plays one sound at a time on a stream of its sink; the sink is kept from sound to sound.
class QtWavePlayer {
  public:
    QtWavePlayer() {
        Timer.setTimerType(Qt::PreciseTimer);
        Timer.setInterval(FeedMilliseconds);
        QObject::connect(&Timer, &QTimer::timeout, &Context, [this] { Feed(); });
    }
    ~QtWavePlayer() { DropSink(); }
    QtWavePlayer(const QtWavePlayer&) = delete;
    QtWavePlayer& operator=(const QtWavePlayer&) = delete;

    std::uint64_t NewHandle() { return ++LastHandle; }

    // Starts the header on a fresh stream for the handle; the sound another handle was playing
    // is cut and posted as done. False when the stream cannot start.
    bool Play(std::uint64_t handle, const QAudioDevice& device, const QAudioFormat& format,
              const TWaveHeader& header, IWaveDoneTarget& target) {
        if (Owner != 0) {
            Stop(Owner, true);
        }
        if (Sink == nullptr || SinkDevice != device || SinkFormat != format) {
            DropSink();
            Sink = new QAudioSink(device, format);
            Sink->setBufferSize(format.bytesForDuration(BufferMicroseconds));
            SinkDevice = device;
            SinkFormat = format;
        }
        EndStream();
        Stream = Sink->start();
        if (Stream == nullptr || Sink->error() != QAudio::NoError) {
            EndStream();
            return false;
        }
        constexpr std::uint32_t both = TWaveHeader::BeginLoop | TWaveHeader::EndLoop;
        Owner = handle;
        Target = &target;
        User = header.User;
        Data = header.Data;
        Length = header.Length;
        Position = 0;
        PassesLeft = Length == 0                     ? 0
                     : (header.Flags & both) == both ? std::max<std::uint32_t>(header.Loops, 1)
                                                     : 1;
        LeadLeft = format.bytesForDuration(LeadMicroseconds);
        Written = 0;
        SoundEnd = Length == 0 ? LeadLeft : -1;
        Feed(); // the first samples go at once
        Timer.start();
        return true;
    }

    // The pass that plays is the last.
    void BreakLoop(std::uint64_t handle) {
        if (Owner == handle) {
            PassesLeft = std::min<std::uint32_t>(PassesLeft, 1);
        }
    }

    // Stops the handle's sound at once, if it plays, and posts it as done when asked.
    void Stop(std::uint64_t handle, bool post) {
        if (Owner != handle) {
            return;
        }
        if (post) {
            Post();
        }
        Owner = 0;
        EndStream();
    }

  private:
    // Tops the stream up with the sound, then silence; posts the sound as done once it has been
    // played, and ends the stream a buffer later.
    void Feed() {
        if (Stream == nullptr) {
            return;
        }
        if (Sink->state() == QAudio::StoppedState) {
            Fail();
            return;
        }
        const qint64 frame = std::max(SinkFormat.bytesPerFrame(), 1);
        qint64 free = Sink->bytesFree();
        free -= free % frame;
        if (free > 0) {
            Buffer.resize(static_cast<std::size_t>(free));
            const char silence = SinkFormat.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
            qint64 filled = std::min(free, LeadLeft);
            std::fill_n(Buffer.begin(), filled, silence);
            LeadLeft -= filled;
            while (filled < free && PassesLeft > 0) {
                const auto count = std::min<qint64>(free - filled, Length - Position);
                std::memcpy(Buffer.data() + filled, Data + Position,
                            static_cast<std::size_t>(count));
                filled += count;
                Position += static_cast<std::uint32_t>(count);
                if (Position == Length) {
                    Position = 0;
                    if (--PassesLeft == 0) {
                        SoundEnd = Written + filled;
                    }
                }
            }
            std::fill(Buffer.begin() + filled, Buffer.end(), silence);
            if (Stream->write(Buffer.data(), free) != free) {
                Fail();
                return;
            }
            Written += free;
        }
        const qint64 buffer = Sink->bufferSize();
        if (Owner != 0 && SoundEnd >= 0 && Written >= SoundEnd + 2 * buffer) {
            Post();
            Owner = 0;
        }
        if (Owner == 0 && Written >= SoundEnd + 3 * buffer) {
            EndStream();
        }
    }

    // The stream broke, as when the sound server goes away: the sound is over.
    void Fail() {
        Stream = nullptr;
        Timer.stop();
        if (Owner != 0) {
            Post();
            Owner = 0;
        }
    }

    // Queues the completion of the sound; its samples are not read again.
    void Post() {
        IWaveDoneTarget* target = Target;
        const TWaveDoneMessage message{User};
        QMetaObject::invokeMethod(
            &Context, [target, message] { target->WaveDone(message); }, Qt::QueuedConnection);
        Data = nullptr;
        PassesLeft = 0;
    }

    void EndStream() {
        Timer.stop();
        if (Stream != nullptr) {
            Stream = nullptr; // the sink deletes it
            Sink->stop();
        }
    }

    // Destroying a sink runs the event loop: it is deleted once the loop is free.
    void DropSink() {
        EndStream();
        if (Sink != nullptr) {
            Sink->deleteLater();
            Sink = nullptr;
        }
    }

    QObject Context; // completions are queued to it; destroying it drops them
    QTimer Timer;
    QAudioSink* Sink = nullptr;
    QAudioDevice SinkDevice;
    QAudioFormat SinkFormat;
    QIODevice* Stream = nullptr; // the sink's stream while it runs
    std::vector<char> Buffer;
    std::uint64_t LastHandle = 0;

    // The sound on the stream, until it is posted as done.
    std::uint64_t Owner = 0; // the handle that plays it; 0 for none
    IWaveDoneTarget* Target = nullptr;
    std::uintptr_t User = 0;
    const std::uint8_t* Data = nullptr;
    std::uint32_t Length = 0;
    std::uint32_t Position = 0;
    std::uint32_t PassesLeft = 0;
    qint64 LeadLeft = 0;  // bytes of the silence ahead still to write
    qint64 Written = 0;   // bytes written to the stream
    qint64 SoundEnd = -1; // where the sound's last byte went in the stream; -1 until written
};

namespace {
// A handle on the player: the sound it writes cuts whatever played before.
class QtWaveDevice : public IWaveDevice {
  public:
    QtWaveDevice(QtWavePlayer& player, const QAudioDevice& device, const QAudioFormat& format,
                 IWaveDoneTarget& target)
        : Player(player), Handle(player.NewHandle()), Device(device), Format(format),
          Target(target) {}
    ~QtWaveDevice() override { Player.Stop(Handle, false); }
    QtWaveDevice(const QtWaveDevice&) = delete;
    QtWaveDevice& operator=(const QtWaveDevice&) = delete;

    bool Write(const TWaveHeader& header) override {
        return Player.Play(Handle, Device, Format, header, Target);
    }
    void BreakLoop() override { Player.BreakLoop(Handle); }
    void Reset() override { Player.Stop(Handle, true); }

  private:
    QtWavePlayer& Player;
    const std::uint64_t Handle;
    const QAudioDevice Device;
    const QAudioFormat Format;
    IWaveDoneTarget& Target;
};
} // namespace

QtWaveOutput::QtWaveOutput() : Player(std::make_unique<QtWavePlayer>()) {}

QtWaveOutput::~QtWaveOutput() = default;

int QtWaveOutput::DeviceCount() {
    return static_cast<int>(QMediaDevices::audioOutputs().size());
}

std::unique_ptr<IWaveDevice> QtWaveOutput::Open(const TWaveFormat& wave, IWaveDoneTarget& target) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = ToQtFormat(wave);
    if (device.isNull() || !format.isValid() || !device.isFormatSupported(format)) {
        return nullptr;
    }
    return std::make_unique<QtWaveDevice>(*Player, device, format, target);
}
