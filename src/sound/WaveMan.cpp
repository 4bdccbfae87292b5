#include "sound/WaveMan.h"

#include "base/Util.h"

#include <filesystem>
#include <memory>

namespace {
// The sound table keeps names upper-cased, as file names were compared on the system the
// tables were written for: a file whose name differs only in case is the one meant.
std::string FindFile(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (std::filesystem::exists(folder + name, error)) {
        return folder + name;
    }
    const std::string wanted = UpperCaseASCII(name);
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string candidate = entry->path().filename().string();
        if (UpperCaseASCII(candidate) == wanted) {
            return folder + candidate;
        }
    }
    return folder + name;
}

template <class Test> TSoundNode* FirstSound(const TTarnList& list, Test test) {
    for (TTarnNode* node = list.Head(); node != nullptr; node = node->Next()) {
        auto* sound = static_cast<TSoundNode*>(node);
        if (test(*sound)) {
            return sound;
        }
    }
    return nullptr;
}

void SetFlag(TSoundNode& node, std::uint8_t flag) {
    node.Flags |= flag;
}

void ClearFlag(TSoundNode& node, std::uint8_t flag) {
    node.Flags &= static_cast<std::uint8_t>(~flag);
}
} // namespace

TWaveMan::TWaveMan(IWaveDoneTarget& owner, IWaveOutput& output, bool enable)
    : Owner(owner), Output(output), Enabled(enable && HasDevice()) {}

TWaveMan::~TWaveMan() {
    // Stops the sound that plays; only it has a device.
    Ending = true;
    for (TTarnNode* node = SoundList.Head(); node != nullptr; node = node->Next()) {
        Stop(*static_cast<TSoundNode*>(node));
    }
    ReleaseDevices();
}

void TWaveMan::SetFolder(const std::string& path) {
    Folder = path;
    if (Folder.empty() || Folder.back() != '/') {
        Folder += '/';
    }
}

TSoundNode* TWaveMan::FindSound(std::uint16_t number) const {
    return FirstSound(SoundList, [number](const TSoundNode& s) { return s.SoundID == number; });
}

TSoundNode* TWaveMan::FindPlaying() const {
    return FirstSound(SoundList, [](const TSoundNode& s) { return s.Playing; });
}

bool TWaveMan::LoadSound(const std::string& name, std::uint16_t number, std::uint8_t flags) {
    if (!Enabled) {
        return false;
    }
    if (FindSound(number) == nullptr) {
        try {
            const auto nodeFlags = static_cast<std::uint8_t>(flags & ~(SoundQueued | SoundRequeue));
            SoundList.Add(
                std::make_unique<TSoundNode>(FindFile(Folder, name + ".wav"), nodeFlags, number));
        } catch (const TWaveFileError& fault) {
            Error = fault.Code();
        } catch (const std::bad_alloc&) {
            Error = WaveNoSoundMemory;
        }
    }
    return FindSound(number) != nullptr;
}

bool TWaveMan::PlayWave(std::uint16_t number, std::uint8_t mode, bool loop) {
    TSoundNode* node = Enabled ? FindSound(number) : nullptr;
    if (node == nullptr) {
        return false;
    }
    if (loop) {
        node->SetLoop(TSoundNode::LoopForever);
    }
    if ((mode & PlayStopNow) != 0) {
        mode |= PlayInterruptLoop;
    }
    if ((mode & PlayStopPlainNow) != 0) {
        mode |= PlayInterruptPlain;
    }
    bool answer = true;
    if (TSoundNode* current = FindPlaying(); current == nullptr) {
        answer = Start(*node);
    } else if (current != node || (mode & PlayReplay) != 0) {
        answer = InterruptOrQueue(*current, *node, mode, loop);
    }
    if (!answer && (node->Flags & SoundFreeWhenDone) != 0) {
        SoundList.Remove(node);
    }
    ReleaseDevices();
    return answer;
}

bool TWaveMan::InterruptOrQueue(TSoundNode& current, TSoundNode& node, std::uint8_t mode,
                                bool loop) {
    const bool same = &current == &node;
    if (!current.IsLooping()) {
        if ((mode & PlayInterruptPlain) == 0) {
            return same;
        }
        if ((mode & PlayStopPlainNow) != 0) {
            Stop(current);
            SetFlag(current, SoundToFront);
        }
        SetFlag(same ? current : node, same ? SoundRequeue : SoundQueued);
        return true;
    }
    if ((mode & PlayInterruptLoop) == 0) {
        return same;
    }
    if (!same) {
        if ((mode & PlayNoResume) == 0) {
            SetFlag(current, SoundRequeue);
        }
        if ((mode & PlayStopNow) != 0) {
            Stop(current);
        } else {
            current.BreakLoop();
        }
        SetFlag(node, SoundQueued);
    } else if (!loop && (mode & PlayNoResume) != 0) {
        current.BreakLoop();
    }
    return true;
}

std::uint16_t TWaveMan::BufferDone(const TWaveDoneMessage& message) {
    if (Ending) {
        return 0;
    }
    TSoundNode* node = FirstSound(
        SoundList, [&message](const TSoundNode& s) { return s.Header().User == message.User; });
    std::uint16_t finished = 0;
    if (node != nullptr) {
        node->Playing = false;
        ClearFlag(*node, SoundQueued);
        finished = node->SoundID;
        Stop(*node);
        std::unique_ptr<TTarnNode> owned = SoundList.Remove(node);
        if ((node->Flags & SoundFreeWhenDone) == 0 || (node->Flags & SoundRequeue) != 0) {
            if ((node->Flags & SoundToFront) != 0) {
                ClearFlag(*node, SoundToFront);
                SoundList.AddFirst(std::move(owned));
            } else {
                SoundList.Add(std::move(owned));
            }
            if ((node->Flags & SoundRequeue) != 0) {
                ClearFlag(*node, SoundRequeue);
                SetFlag(*node, SoundQueued);
            }
        }
    }
    if (FindPlaying() == nullptr) {
        if (TSoundNode* queued = FirstSound(
                SoundList, [](const TSoundNode& s) { return (s.Flags & SoundQueued) != 0; })) {
            Start(*queued);
        }
    }
    ReleaseDevices();
    return finished;
}

bool TWaveMan::Start(TSoundNode& node) {
    if (node.Play(Output, Owner)) {
        return true;
    }
    Stop(node);
    return false;
}

void TWaveMan::Stop(TSoundNode& node) {
    if (std::unique_ptr<IWaveDevice> device = node.Close()) {
        Closed.push_back(std::move(device));
    }
}

void TWaveMan::ReleaseDevices() {
    while (!Closed.empty()) {
        const std::unique_ptr<IWaveDevice> device = std::move(Closed.back());
        Closed.pop_back();
    }
}
