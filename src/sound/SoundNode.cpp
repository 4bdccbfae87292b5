#include "sound/SoundNode.h"

#include <cstdint>

namespace {
// Serial numbers of the nodes; all work runs on the user-interface thread.
std::uintptr_t LastSerial = 0;
} // namespace

TSoundNode::TSoundNode(const std::string& fileName, std::uint8_t flags, std::uint16_t number)
    : SoundID(number), Flags(flags), Memory(ReadWaveFile(fileName)) {
    Memory.Header().User = ++LastSerial;
}

TSoundNode::~TSoundNode() {
    const std::unique_ptr<IWaveDevice> device = Close();
}

bool TSoundNode::Play(IWaveOutput& output, IWaveDoneTarget& target) {
    Flags &= static_cast<std::uint8_t>(~SoundQueued);
    if (Device == nullptr) {
        Device = output.Open(Memory.Format(), target);
    }
    if (Device == nullptr || !Device->Write(Memory.Header())) {
        return false;
    }
    Playing = true;
    return true;
}

std::unique_ptr<IWaveDevice> TSoundNode::Close() {
    if (Device != nullptr) {
        Device->Reset();
    }
    return std::move(Device);
}

void TSoundNode::BreakLoop() {
    if (Device != nullptr) {
        Device->BreakLoop();
    }
}

void TSoundNode::SetLoop(std::uint32_t count) {
    TWaveHeader& header = Memory.Header();
    if (count == LoopForever) {
        count = ForeverPasses;
    }
    if (count > 1) {
        header.Loops = count;
        header.Flags |= TWaveHeader::BeginLoop | TWaveHeader::EndLoop;
    } else {
        header.Loops = 0;
        header.Flags &= ~(TWaveHeader::BeginLoop | TWaveHeader::EndLoop);
    }
}

bool TSoundNode::IsLooping() const {
    constexpr std::uint32_t both = TWaveHeader::BeginLoop | TWaveHeader::EndLoop;
    return Playing && (Memory.Header().Flags & both) == both;
}
