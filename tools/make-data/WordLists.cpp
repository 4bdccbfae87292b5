#include "WordLists.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
constexpr std::string_view DecisionsText =
#include "word-decisions.inc"
    ;
constexpr std::string_view ExcludedText =
#include "puzzle-excluded-words.inc"
    ;
constexpr std::string_view ThemedText =
#include "themed-pairs.inc"
    ;
constexpr std::string_view NaughtyText =
#include "naughty-words-en.inc"
    ;
constexpr std::string_view ProfaneText =
#include "profane-words.inc"
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
    if (!IsPlainWord(word) || WordDecisions().Denies(word) || IsLetterPlural(word)) {
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
    }
    for (const std::string& word : kept) {
        words_.erase(word);
    }
}

TWordDecisions::TWordDecisions(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line;
    std::set<std::string> keptForms;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream fields(line);
        std::string verb;
        if (!(fields >> verb) || verb[0] == '#') {
            continue;
        }
        const auto bad = [&] {
            return std::runtime_error("word decisions, line " + std::to_string(number) + ": " +
                                      line);
        };
        if (verb == "deny") {
            std::string word;
            while (fields >> word) {
                if (word.back() == '*') {
                    const std::set<std::string> forms =
                        RegularForms(std::string_view(word).substr(0, word.size() - 1));
                    denied_.insert(forms.begin(), forms.end());
                } else {
                    denied_.insert(word);
                }
            }
        } else if (const size_t colon = line.find(':');
                   verb == "keep" && colon != std::string::npos) {
            std::string word;
            fields >> word;
            std::string sense = line.substr(colon + 1);
            sense.erase(0, sense.find_first_not_of(' '));
            if (word.empty() || word.back() != ':' || sense.empty()) {
                throw bad();
            }
            word.pop_back();
            kept_[word] = sense;
        } else {
            throw bad();
        }
    }
    for (const auto& [word, sense] : kept_) {
        denied_.erase(word);
    }
}

const TWordDecisions& WordDecisions() {
    static const TWordDecisions decisions(DecisionsText);
    return decisions;
}

const TStemList& PuzzleExcludedWords() {
    static const TStemList list(ExcludedText);
    return list;
}

std::vector<TThemedPair> ParseThemedPairs(std::string_view text) {
    std::vector<TThemedPair> pairs;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream fields(line);
        TThemedPair pair;
        std::string extra;
        if (!(fields >> pair.Start) || pair.Start[0] == '#') {
            continue;
        }
        if (!(fields >> pair.End >> pair.Relation) || (fields >> extra) ||
            std::find(std::begin(ThemeRelations), std::end(ThemeRelations), pair.Relation) ==
                std::end(ThemeRelations)) {
            throw std::runtime_error("themed pairs, line " + std::to_string(number) + ": " + line);
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

const std::vector<TThemedPair>& ThemedPairs() {
    static const std::vector<TThemedPair> pairs = ParseThemedPairs(ThemedText);
    return pairs;
}

const TThemedPair* FindThemedPair(const std::string& start, const std::string& end) {
    for (const TThemedPair& pair : ThemedPairs()) {
        if ((pair.Start == start && pair.End == end) ||
            (IsSymmetric(pair.Relation) && pair.Start == end && pair.End == start)) {
            return &pair;
        }
    }
    return nullptr;
}

std::vector<std::string> JsonStrings(std::string_view json) {
    std::vector<std::string> strings;
    for (size_t at = json.find('"'); at != std::string_view::npos; at = json.find('"', at + 1)) {
        std::string text;
        for (++at; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] == '\\' && at + 1 < json.size()) {
                ++at;
            }
            text += json[at];
        }
        strings.push_back(std::move(text));
    }
    return strings;
}

const std::set<std::string>& ListedWords() {
    static const std::set<std::string> words = [] {
        std::set<std::string> listed;
        for (const std::string_view json : {NaughtyText, ProfaneText}) {
            for (std::string word : JsonStrings(json)) {
                std::transform(word.begin(), word.end(), word.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                if (!word.empty() && std::all_of(word.begin(), word.end(),
                                                 [](char c) { return c >= 'a' && c <= 'z'; })) {
                    listed.insert(word);
                }
            }
        }
        return listed;
    }();
    return words;
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

TRegionalWords ReadRegionalWords(const std::filesystem::path& folder) {
    std::set<std::string> english;
    std::set<std::string> american;
    std::set<std::string> british;
    for (const int level : ScowlLevels) {
        const auto read = [&](const char* list, std::set<std::string>& words) {
            const std::filesystem::path path = folder / (list + std::to_string(level));
            std::ifstream file(path);
            std::string line;
            while (std::getline(file, line)) {
                words.insert(line);
            }
        };
        read("english-words.", english);
        read("american-words.", american);
        read("british-words.", british);
    }
    TRegionalWords regional;
    std::set_difference(american.begin(), american.end(), british.begin(), british.end(),
                        std::inserter(regional.American, regional.American.end()));
    std::set_difference(british.begin(), british.end(), american.begin(), american.end(),
                        std::inserter(regional.British, regional.British.end()));
    for (const std::string& word : english) {
        regional.American.erase(word);
        regional.British.erase(word);
    }
    return regional;
}

bool IsBoardFit(const std::string& word, const TRegionalWords& regional) {
    return !WordDecisions().Decides(word) && !ListedWords().contains(word) &&
           !PuzzleExcludedWords().Contains(word) && !regional.Contains(word);
}
