#include "WordLists.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string_view>

namespace {
const std::set<std::string_view> Denied = {
    "asshole", "bastard", "bimbo",  "bitch",   "bitchy",  "chink",   "chinks",  "clit",   "coon",
    "coons",   "cumming", "cunt",   "cunts",   "dago",    "dagos",   "darkie",  "dick",   "dicks",
    "dildo",   "dyke",    "dykes",  "fag",     "faggot",  "faggots", "fags",    "fuck",   "fucked",
    "fucker",  "fucks",   "gimp",   "gimps",   "goddamn", "gook",    "gooks",   "gyp",    "gypped",
    "gypsy",   "homo",    "homos",  "honkies", "honky",   "hussy",   "kike",    "kikes",  "kraut",
    "krauts",  "limey",   "mick",   "micks",   "midget",  "negro",   "nigga",   "nigger", "nympho",
    "perv",    "pervert", "pervs",  "piss",    "pissed",  "pisses",  "poof",    "poofs",  "poofter",
    "porn",    "porno",   "retard", "shit",    "shits",   "shitty",  "sissy",   "skank",  "slag",
    "slags",   "slut",    "sluts",  "spastic", "spic",    "spics",   "squaw",   "titty",  "turd",
    "turds",   "twat",    "twats",  "wank",    "wanker",  "wanks",   "wetback", "whore",  "whores",
    "wop",     "wops",    "wuss",   "wussy",   "yid",     "yids",
};

const std::set<std::string_view> Unsuitable = {
    "anal",   "anus",   "ass",    "asses",   "balls",  "ballsy",  "bloody",  "bonk",   "bonks",
    "boob",   "boobs",  "bugger", "buggers", "cock",   "cocks",   "crap",    "crappy", "cracker",
    "cretin", "cs",     "m",      "ms",      "damn",   "damned",  "dong",    "dongs",  "fart",
    "farts",  "fruity", "hell",   "hick",    "hicks",  "hooker",  "horny",   "hymen",  "idiot",
    "kinky",  "knob",   "knobs",  "mammy",   "moron",  "morons",  "orgasm",  "pansy",  "pansies",
    "pee",    "penis",  "pimp",   "pimps",   "poo",    "poop",    "prick",   "pricks", "queer",
    "queers", "rape",   "raped",  "rapes",   "rapist", "redneck", "scrotum", "scum",   "semen",
    "sexy",   "shag",   "shags",  "smut",    "smutty", "sodomy",  "sperm",   "tart",   "tarts",
    "tit",    "tits",   "vagina", "vulva",
};

bool IsPlainWord(const std::string& line) {
    return !line.empty() && line.size() <= 7 &&
           std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

void ReadList(const std::filesystem::path& path, std::set<std::string>& words) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::string line;
    while (std::getline(file, line)) {
        if (IsPlainWord(line) && !IsDeniedWord(line)) {
            words.insert(line);
        }
    }
}
} // namespace

std::vector<std::string> ReadScowlWords(const std::filesystem::path& folder, int maxLevel) {
    std::set<std::string> words;
    for (const int level : ScowlLevels) {
        if (level > maxLevel) {
            break;
        }
        for (const char* list : {"english-words.", "american-words."}) {
            ReadList(folder / (list + std::to_string(level)), words);
        }
    }
    return {words.begin(), words.end()};
}

bool IsDeniedWord(const std::string& word) {
    return Denied.contains(word);
}

bool IsUnsuitableForPuzzles(const std::string& word) {
    return Unsuitable.contains(word);
}
