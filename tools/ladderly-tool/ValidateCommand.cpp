// ladderly-tool validate: loads a data folder exactly as the game does and shows the load report.

#include "Commands.h"

#include "base/Messages.h"
#include "base/TextFile.h"
#include "core/PuzzleCore.h"

#include <filesystem>
#include <iostream>

namespace {
constexpr std::string_view Help =
    "usage: ladderly-tool validate DIR\n"
    "\n"
    "Loads DIR/vocab.txt and DIR/puzzle.txt as the game does. When puzzles have errors it\n"
    "prints the game's load report and exits 1; otherwise it prints the number of puzzles\n"
    "and exits 0.\n";

// Keeps the texts of the boxes the game would show, answering each with its default button.
class RecordingInterface : public IUserInterface {
  public:
    RecordingInterface() { SetUserInterface(this); }
    ~RecordingInterface() override { SetUserInterface(nullptr); }
    RecordingInterface(const RecordingInterface&) = delete;
    RecordingInterface& operator=(const RecordingInterface&) = delete;

    MessageBoxResult ShowMessageBox(const std::string&, const std::string& text,
                                    MessageBoxStyle style) override {
        texts.push_back(text);
        return DefaultMessageBoxResult(style);
    }
    void ProcessPendingMessages() override {}

    std::vector<std::string> texts;
};

std::string WithNewlines(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += '\n';
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}
} // namespace

int ValidateCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out,
                    std::ostream& err) {
    if (IsHelp(args)) {
        out << Help;
        return 0;
    }
    if (args.size() != 1) {
        err << Help;
        return 2;
    }
    const std::filesystem::path folder = args[0];
    bool missing = false;
    for (const std::string_view name :
         {TPuzzleCore::VocabularyFileName, TPuzzleCore::PuzzleFileName}) {
        if (FileDate(folder / name).State != FileState::Readable) {
            err << "ladderly-tool validate: cannot read " << (folder / name).string() << '\n';
            missing = true;
        }
    }
    if (missing) {
        return 1;
    }
    RecordingInterface ui;
    TPuzzleCore core(folder);
    core.LoadGameData();
    for (const std::string& text : ui.texts) {
        out << WithNewlines(text) << '\n';
    }
    if (!ui.texts.empty()) {
        return 1;
    }
    out << core.PuzzleCount << '\n';
    return 0;
}
