#pragma once
// A wave output for tests: devices open and play at once, and a sound finishes only when the
// test says so. Completions are posted to a queue and delivered by Deliver, as an event loop
// would, so the manager's logic runs without audio hardware. With DeliverWhenClosed, destroying
// a device delivers every completion posted so far, as Qt's audio sink does by running the event
// loop in its destructor.

#include "platform/WaveOutput.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class FakeWaveOutput : public IWaveOutput {
  public:
    class Device : public IWaveDevice {
      public:
        Device(FakeWaveOutput& owner, IWaveDoneTarget& target) : Owner(owner), Target(target) {
            Owner.Devices.push_back(this);
        }
        ~Device() override {
            std::erase(Owner.Devices, this);
            if (Owner.DeliverWhenClosed) {
                Owner.Deliver();
            }
        }

        bool Write(const TWaveHeader& header) override {
            if (Owner.FailWrite) {
                return false;
            }
            Header = header;
            Pending = true;
            Owner.Log.push_back("write " + std::to_string(header.Length));
            return true;
        }
        void BreakLoop() override { Owner.Log.push_back("break " + std::to_string(Header.Length)); }
        void Reset() override {
            if (Pending) {
                Owner.Log.push_back("stop " + std::to_string(Header.Length));
            }
            Post();
        }

        // Posts the completion of the header that plays, once.
        void Post() {
            if (Pending) {
                Pending = false;
                Owner.Posted.emplace_back(&Target, TWaveDoneMessage{Header.User});
            }
        }

        FakeWaveOutput& Owner;
        IWaveDoneTarget& Target;
        TWaveHeader Header;
        bool Pending = false;
    };

    int DeviceCount() override { return DeviceTotal; }

    std::unique_ptr<IWaveDevice> Open(const TWaveFormat&, IWaveDoneTarget& target) override {
        if (FailOpen || DeviceTotal == 0) {
            return nullptr;
        }
        return std::make_unique<Device>(*this, target);
    }

    // The open device whose header plays, or nullptr.
    Device* Playing() const {
        auto found = std::find_if(Devices.begin(), Devices.end(),
                                  [](const Device* d) { return d->Pending; });
        return found == Devices.end() ? nullptr : *found;
    }

    // The sound that plays reaches its end.
    void Finish() {
        if (Device* device = Playing()) {
            device->Post();
        }
    }

    // Delivers the posted completions, including those posted while delivering.
    void Deliver() {
        while (!Posted.empty()) {
            const auto [target, message] = Posted.front();
            Posted.pop_front();
            target->WaveDone(message);
        }
    }

    int DeviceTotal = 1;
    bool FailOpen = false;
    bool FailWrite = false;
    bool DeliverWhenClosed = false;
    std::vector<Device*> Devices;
    std::deque<std::pair<IWaveDoneTarget*, TWaveDoneMessage>> Posted;
    // "write N", "break N", "stop N" (a reset that stopped a sound) with the header's length;
    // tests may add their own entries.
    std::vector<std::string> Log;
};
