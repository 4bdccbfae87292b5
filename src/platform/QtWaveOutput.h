#pragma once
// The wave output on Qt Multimedia: each device is a QAudioSink on the default audio output.
// Completions are queued to an object living on the thread that made the output (the
// user-interface thread) and reach their target from its event loop, never on another thread
// and never inside a call to the output. The targets must outlive the output; completions
// still queued when it is destroyed are dropped.

#include "platform/WaveOutput.h"

#include <memory>

class QObject;

class QtWaveOutput : public IWaveOutput {
  public:
    QtWaveOutput();
    ~QtWaveOutput() override;
    QtWaveOutput(const QtWaveOutput&) = delete;
    QtWaveOutput& operator=(const QtWaveOutput&) = delete;

    int DeviceCount() override;
    std::unique_ptr<IWaveDevice> Open(const TWaveFormat& format, IWaveDoneTarget& target) override;

  private:
    std::unique_ptr<QObject> Relay;
};
