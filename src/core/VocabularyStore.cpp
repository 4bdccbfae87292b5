// The vocabulary store of TPuzzleCore: vocab.txt is re-read only when its modification time has
// grown, and written back with one backup.

#include "base/Util.h"
#include "core/PuzzleCore.h"
#include "core/TextFile.h"
#include "core/VocabularyList.h"
#include "core/WordText.h"

TPuzzleCore::TPuzzleCore(std::filesystem::path dataFolder) : DataFolder_(std::move(dataFolder)) {}

bool TPuzzleCore::LoadVocabulary() {
    const std::filesystem::path path = FilePath(VocabularyFileName);
    const TFileDate date = FileDate(path);
    if (!IsNewerThanLoaded(date, VocabFileDate)) {
        return false;
    }
    std::vector<std::string> lines = ReadTextLines(path);
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
    WriteLinesWithBackup(FilePath(VocabularyFileName), Vocabulary);
}
