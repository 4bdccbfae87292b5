// The vocabulary store of TPuzzleCore: vocab.txt is re-read only when its modification time has
// grown, and written back with one backup; and where the data files are read and saved.

#include "base/TextFile.h"
#include "base/Util.h"
#include "core/PuzzleCore.h"
#include "core/VocabularyList.h"
#include "core/WordText.h"

TPuzzleCore::TPuzzleCore(std::filesystem::path dataFolder, std::filesystem::path userFolder)
    : DataFolder_(std::move(dataFolder)), UserFolder_(std::move(userFolder)) {}

std::filesystem::path TPuzzleCore::ReadPath(std::string_view name) const {
    if (!UserFolder_.empty()) {
        std::filesystem::path copy = UserFolder_ / name;
        if (FileDate(copy).State != FileState::Missing) {
            return copy;
        }
    }
    return DataFolder_ / name;
}

std::filesystem::path TPuzzleCore::SavePath(std::string_view name) const {
    if (UserFolder_.empty()) {
        return DataFolder_ / name;
    }
    MakeUserFolder(UserFolder_.string());
    return UserFolder_ / name;
}

bool TPuzzleCore::LoadVocabulary() {
    const std::filesystem::path path = ReadPath(VocabularyFileName);
    const TFileDate date = FileDate(path);
    if (!IsNewerThanLoaded(date, path == VocabFileRead ? VocabFileDate : std::nullopt)) {
        return false;
    }
    std::vector<std::string> lines = ReadTextLines(path);
    VocabFileRead = path;
    VocabFileDate = date.Time;
    Vocabulary = BuildVocabularyList(std::move(lines));
    return true;
}

bool TPuzzleCore::IsInVocabulary(std::string_view word) const {
    return VocabularyContains(Vocabulary, word);
}

void TPuzzleCore::AddVocabularyWord(std::string_view word) {
    InsertVocabularyWord(Vocabulary, LowerCaseASCII(word));
}

void TPuzzleCore::SaveVocabulary() {
    WriteLinesWithBackup(SavePath(VocabularyFileName), Vocabulary);
}
