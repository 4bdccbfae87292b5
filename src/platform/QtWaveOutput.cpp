#include "platform/QtWaveOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <QPointer>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {
// Serves a sample block it does not own, once or for the header's loop passes.
class LoopingSource : public QIODevice {
  public:
    void Start(const TWaveHeader& header) {
        constexpr std::uint32_t both = TWaveHeader::BeginLoop | TWaveHeader::EndLoop;
        Data = header.Data;
        Length = header.Length;
        PassesLeft = (header.Flags & both) == both ? std::max<std::uint32_t>(header.Loops, 1) : 1;
        Position = 0;
        if (!isOpen()) {
            open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        }
    }

    // The pass that plays is the last.
    void BreakLoop() { PassesLeft = std::min<std::uint32_t>(PassesLeft, 1); }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return PassesLeft == 0 || Length == 0; }
    qint64 bytesAvailable() const override {
        return atEnd() ? 0 : static_cast<qint64>(Length - Position) + QIODevice::bytesAvailable();
    }

  protected:
    qint64 readData(char* target, qint64 size) override {
        qint64 done = 0;
        while (done < size && !atEnd()) {
            const auto count =
                std::min<qint64>(size - done, static_cast<qint64>(Length - Position));
            std::memcpy(target + done, Data + Position, static_cast<std::size_t>(count));
            done += count;
            Position += static_cast<std::uint32_t>(count);
            if (Position == Length) {
                Position = 0;
                --PassesLeft;
            }
        }
        return done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    const std::uint8_t* Data = nullptr;
    std::uint32_t Length = 0;
    std::uint32_t Position = 0;
    std::uint32_t PassesLeft = 0;
};

class QtWaveDevice : public IWaveDevice {
  public:
    QtWaveDevice(const QAudioDevice& device, const QAudioFormat& format, QObject* relay,
                 IWaveDoneTarget& target)
        : Relay(relay), Target(target), Sink(device, format) {
        QObject::connect(&Sink, &QAudioSink::stateChanged, &Sink, [this](QAudio::State state) {
            // Idle with the source drained is the end of the sound; a stop with an error (the
            // device went away) ends it too.
            if (Pending && ((state == QAudio::IdleState && Source.atEnd()) ||
                            (state == QAudio::StoppedState && Sink.error() != QAudio::NoError))) {
                Pending = false;
                Post();
            }
        });
    }
    ~QtWaveDevice() override {
        Pending = false;
        Sink.stop();
    }
    QtWaveDevice(const QtWaveDevice&) = delete;
    QtWaveDevice& operator=(const QtWaveDevice&) = delete;

    bool Write(const TWaveHeader& header) override {
        Source.Start(header);
        User = header.User;
        Pending = true;
        Sink.start(&Source);
        if (Sink.error() != QAudio::NoError) {
            Pending = false;
            Sink.stop();
            return false;
        }
        return true;
    }

    void BreakLoop() override { Source.BreakLoop(); }

    void Reset() override {
        const bool playing = std::exchange(Pending, false);
        Sink.stop();
        if (playing) {
            Post();
        }
    }

  private:
    // Queues the completion of the header that played.
    void Post() {
        if (Relay == nullptr) {
            return;
        }
        IWaveDoneTarget* target = &Target;
        const TWaveDoneMessage message{User};
        QMetaObject::invokeMethod(
            Relay, [target, message] { target->WaveDone(message); }, Qt::QueuedConnection);
    }

    QPointer<QObject> Relay;
    IWaveDoneTarget& Target;
    LoopingSource Source; // declared before the sink, which reads it until it is destroyed
    QAudioSink Sink;
    std::uintptr_t User = 0;
    bool Pending = false; // a header plays and its completion is not yet queued
};

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

QtWaveOutput::QtWaveOutput() : Relay(std::make_unique<QObject>()) {}

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
    return std::make_unique<QtWaveDevice>(device, format, Relay.get(), target);
}
