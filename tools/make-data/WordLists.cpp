#include "WordLists.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
constexpr std::string_view DeniedText =
#include "denied-words.inc"
    ;
constexpr std::string_view ExcludedText =
#include "puzzle-excluded-words.inc"
    ;

bool IsVowel(char c) {
    return std::string_view("aeiou").find(c) != std::string_view::npos;
}

bool IsPlainWord(const std::string& line) {
    return !line.empty() && line.size() <= 7 &&
           std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// "cs", "ms": a letter's plural. "as", "is" and "us" are words of their own.
bool IsLetterPlural(const std::string& word) {
    return word.size() == 2 && word[1] == 's' &&
           std::string_view("aiu").find(word[0]) == std::string_view::npos;
}

bool IsVocabularyWord(const std::string& word) {
    if (!IsPlainWord(word) || DeniedWords().Contains(word) || IsLetterPlural(word)) {
        return false;
    }
    return word.size() > 1 || word == "a" || word == "i";
}

void ReadList(const std::filesystem::path& path, std::set<std::string>& words) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::string line;
    while (std::getline(file, line)) {
        if (IsVocabularyWord(line)) {
            words.insert(line);
        }
    }
}
} // namespace

std::set<std::string> RegularForms(std::string_view stem) {
    static constexpr std::string_view Suffixes[] = {"s",   "es", "ed",  "ing", "er",  "ers",
                                                    "est", "y",  "ies", "ied", "ier", "iest"};
    const std::string word(stem);
    std::set<std::string> forms = {word};
    if (word.empty()) {
        return forms;
    }
    std::vector<std::string> bases = {word};
    const char last = word.back();
    if (last == 'e' || last == 'y') {
        bases.push_back(word.substr(0, word.size() - 1));
    }
    if (last == 'y') {
        bases.push_back(word.substr(0, word.size() - 1) + 'i');
    }
    if (!IsVowel(last)) {
        bases.push_back(word + last);
    }
    for (const std::string& base : bases) {
        for (const std::string_view suffix : Suffixes) {
            forms.insert(base + std::string(suffix));
        }
    }
    return forms;
}

TStemList::TStemList(std::string_view text) {
    std::set<std::string> kept;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> entry;
        std::string field;
        while (fields >> field) {
            entry.push_back(field);
        }
        if (entry.empty() || entry[0][0] == '#') {
            continue;
        }
        if (entry[0][0] == '+') {
            kept.insert(entry[0].substr(1));
            continue;
        }
        const std::set<std::string> forms = RegularForms(entry[0]);
        words_.insert(forms.begin(), forms.end());
        words_.insert(entry.begin() + 1, entry.end());
        entries_.push_back(std::move(entry));
    }
    for (const std::string& word : kept) {
        words_.erase(word);
    }
}

const TStemList& DeniedWords() {
    static const TStemList list(DeniedText);
    return list;
}

const TStemList& PuzzleExcludedWords() {
    static const TStemList list(ExcludedText);
    return list;
}

std::vector<std::string> ReadScowlWords(const std::filesystem::path& folder, int maxLevel) {
    std::set<std::string> words;
    for (const int level : ScowlLevels) {
        if (level > maxLevel) {
            break;
        }
        for (const char* list : {"english-words.", "american-words.", "british-words."}) {
            ReadList(folder / (list + std::to_string(level)), words);
        }
    }
    return {words.begin(), words.end()};
}

std::vector<std::string> ReadCommonWords(const std::filesystem::path& folder) {
    std::vector<std::string> words = ReadScowlWords(folder, CommonLevel);
    std::erase_if(words,
                  [](const std::string& word) { return PuzzleExcludedWords().Contains(word); });
    return words;
}
