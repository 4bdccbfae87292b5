#include "sound/AppSound.h"

#include <filesystem>
#include <stdexcept>

namespace {
// The component the entry points reach; set while a TAppSound lives.
TAppSound* Current = nullptr;

// Request mode of the game's effects: interrupt a loop, queue behind a plain sound.
constexpr std::uint8_t EffectMode = PlayInterruptLoop | PlayInterruptPlain;

bool NeedsCompiling(const std::filesystem::path& text, const std::filesystem::path& compiled) {
    std::error_code error;
    if (!std::filesystem::exists(text, error)) {
        return false;
    }
    if (!std::filesystem::exists(compiled, error)) {
        return true;
    }
    return std::filesystem::last_write_time(compiled) < std::filesystem::last_write_time(text);
}

std::uint16_t SoundNumberOfKind(int kind) {
    return kind == 1 || kind == 2 ? static_cast<std::uint16_t>(kind) : 0;
}
} // namespace

bool SoundLineFilter(std::string& line) {
    const std::size_t first = line.find_first_not_of(' ');
    line = first == std::string::npos ? std::string() : line.substr(first);
    line = line.substr(0, line.find_first_of(" \t"));
    return !line.empty() && line[0] != '[' && line[0] != '#';
}

TAppSound::TAppSound(IWaveDoneTarget& owner, IWaveOutput& output, bool soundEnabled,
                     const std::string& waveFolder, const std::string& dataFolder)
    : Manager(std::make_unique<TWaveMan>(owner, output, soundEnabled)),
      StartEnabled(Manager->IsEnabled()) {
    if (Current != nullptr) {
        throw std::logic_error("the sound component exists already");
    }
    Manager->SetFolder(waveFolder);
    const std::filesystem::path text = std::filesystem::path(dataFolder) / "sounds.txt";
    const std::filesystem::path compiled = std::filesystem::path(dataFolder) / "sounds.dat";
    if (NeedsCompiling(text, compiled)) {
        TObfText::Compile(text.string(), compiled.string(), SoundLineFilter);
    }
    TObfText records(compiled.string());
    std::uint16_t number = 0;
    // Stops also at a length byte of 255, which is never passed.
    std::size_t before = 0;
    do {
        before = records.GetPosition();
        Table.Add(std::make_unique<TSoundInfoNode>(records.ReadLine(), number++));
    } while (!records.AtEnd() && records.GetPosition() != before);
    Current = this;
}

TAppSound::~TAppSound() {
    if (Current == this) {
        Current = nullptr;
    }
}

std::unique_ptr<TAppSound> InitSounds(IWaveDoneTarget& owner, IWaveOutput& output,
                                      bool soundEnabled, const std::string& waveFolder,
                                      const std::string& dataFolder) {
    return std::make_unique<TAppSound>(owner, output, soundEnabled, waveFolder, dataFolder);
}

void PlaySound(int kind) {
    if (Current == nullptr || !Current->WaveMan().IsEnabled()) {
        return;
    }
    const std::uint16_t number = SoundNumberOfKind(kind);
    TWaveMan& manager = Current->WaveMan();
    if (manager.LoadSound(SoundName(number), number, SoundFreeWhenDone)) {
        manager.PlayWave(number, EffectMode, false);
    }
}

std::string SoundName(std::uint16_t number) {
    if (Current == nullptr) {
        return {};
    }
    for (TTarnNode* node = Current->SoundTable().Head(); node != nullptr; node = node->Next()) {
        const auto* entry = static_cast<const TSoundInfoNode*>(node);
        if ((entry->Number & 0xFF) == (number & 0xFF)) {
            return entry->GetID();
        }
    }
    return {};
}

bool SoundActive() {
    return Current != nullptr && Current->WaveMan().HasDevice();
}

std::uint16_t SoundDone(const TWaveDoneMessage& message) {
    return Current != nullptr ? Current->WaveMan().BufferDone(message) : 0;
}
