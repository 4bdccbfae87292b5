#include "sound/AppSound.h"

#include "base/TextFile.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace {
// The component the entry points reach; set while a TAppSound lives.
TAppSound* Current = nullptr;

// Request mode of the game's effects: interrupt a loop, queue behind a plain sound.
constexpr std::uint8_t EffectMode = PlayInterruptLoop | PlayInterruptPlain;

bool NeedsCompiling(const std::filesystem::path& text, const std::filesystem::path& compiled) {
    const TFileDate source = FileDate(text);
    if (source.State != FileState::Readable) {
        return false;
    }
    const TFileDate target = FileDate(compiled);
    return target.State != FileState::Readable || target.Time < source.Time;
}

// The records of the sound table. A newer text is compiled into the folder when it can be
// written (a staged game), else into memory, so the game never writes into a system
// installation; any other fault leaves the table empty, as sound never stops a start.
TObfText ReadSoundTable(const std::filesystem::path& folder) {
    const std::filesystem::path text = folder / "sounds.txt";
    const std::filesystem::path compiled = folder / "sounds.dat";
    try {
        if (!NeedsCompiling(text, compiled)) {
            return TObfText(compiled.string());
        }
        if (::access(folder.c_str(), W_OK) == 0) {
            try {
                TObfText::Compile(text.string(), compiled.string(), SoundLineFilter);
                return TObfText(compiled.string());
            } catch (const std::exception&) {
                // Compiled in memory instead.
            }
        }
        std::istringstream source(ReadTextFile(text));
        return TObfText(TObfText::CompileText(source, SoundLineFilter));
    } catch (const std::exception&) {
        return TObfText(std::vector<std::uint8_t>());
    }
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
    TObfText records = ReadSoundTable(dataFolder);
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
