// Loads arbitrary bytes as puzzle.txt, as the game does, then works the hint operations, the
// validation and the deletion sweep on whatever was loaded.

#include "base/Messages.h"
#include "core/PuzzleCore.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
class SilentInterface : public IUserInterface {
  public:
    MessageBoxResult ShowMessageBox(const std::string&, const std::string&,
                                    MessageBoxStyle style) override {
        return DefaultMessageBoxResult(style);
    }
    void ProcessPendingMessages() override {}
};

// A folder of this process with a small vocabulary, removed when the fuzzer exits.
class ScratchFolder {
  public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("ladderly-puzzle-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
        std::ofstream(path_ / "vocab.txt", std::ios::binary) << "cat\r\ncot\r\ndog\r\ncart\r\n";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentInterface ui;
    SetUserInterface(&ui);
    static const ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.Path();
    {
        std::ofstream file(folder / "puzzle.txt", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    TPuzzleCore core(folder);
    core.LoadGameData();
    if (core.PuzzleLines.size() != static_cast<size_t>(core.PuzzleCount) * 4) {
        std::abort();
    }
    for (int n = 1; n <= core.PuzzleCount; ++n) {
        core.CurrentPuzzle = n;
        core.RowCount = MaxRows;
        std::string hints = core.PuzzleField(n, 3);
        core.NextHint(hints);
        for (int r = 1; r <= MaxRows; ++r) {
            core.GetHint(r);
        }
        core.SetHint(1 + n % MaxRows, (n % 2) != 0 ? "word" : "");
        std::string errors;
        core.ValidatePuzzle(n, errors);
        core.SetPuzzleDeleted(n, n % 3 == 0);
    }
    core.RemoveDeletedPuzzles();
    if (core.PuzzleLines.size() != static_cast<size_t>(core.PuzzleCount) * 4) {
        std::abort();
    }
    return 0;
}
