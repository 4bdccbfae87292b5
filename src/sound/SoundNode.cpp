#include "sound/SoundNode.h"

#include <cstdint>

TSoundNode::TSoundNode(const std::string& fileName, std::uint8_t flags, std::uint16_t number)
    : SoundID(number), Flags(flags), Memory(ReadWaveFile(fileName)) {
    Memory.Header().User = reinterpret_cast<std::uintptr_t>(this);
}

TSoundNode::~TSoundNode() {
    Close();
}

bool TSoundNode::Play(IWaveOutput& output, IWaveDoneTarget& target) {
    Flags &= static_cast<std::uint8_t>(~SoundQueued);
    Device = output.Open(Memory.Format(), target);
    if (Device == nullptr) {
        return false;
    }
    if (!Device->Write(Memory.Header())) {
        Close();
        return false;
    }
    Playing = true;
    return true;
}

void TSoundNode::Close() {
    if (Device != nullptr) {
        Device->Reset();
        Device.reset();
    }
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
