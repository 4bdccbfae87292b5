#include "base/Util.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace {

// Positions are signed inside the partition because j may step below position 0.
void QuickSort(std::ptrdiff_t l, std::ptrdiff_t r, const PositionLess& before,
               const PositionExchange& exchange) {
    while (l < r) {
        std::ptrdiff_t i = l;
        std::ptrdiff_t j = r;
        std::ptrdiff_t p = (l + r) / 2;
        do {
            // The bounds only matter for a comparison that is not strict: with a strict one the
            // pivot itself stops both scans.
            while (i < r && before(static_cast<std::size_t>(i), static_cast<std::size_t>(p))) {
                ++i;
            }
            while (j > l && before(static_cast<std::size_t>(p), static_cast<std::size_t>(j))) {
                --j;
            }
            if (i <= j) {
                exchange(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) {
            QuickSort(l, j, before, exchange);
        }
        l = i;
    }
}

} // namespace

void SortStringList(std::size_t count, const PositionLess& before,
                    const PositionExchange& exchange) {
    if (count > 1) {
        QuickSort(0, static_cast<std::ptrdiff_t>(count) - 1, before, exchange);
    }
}

void SortStringList(std::vector<std::string>& list, const PositionLess& before) {
    SortStringList(list.size(), before,
                   [&list](std::size_t a, std::size_t b) { std::swap(list[a], list[b]); });
}

bool DirectoryExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

void MakeUserFolder(const std::string& folder) {
    std::filesystem::path path;
    for (const std::filesystem::path& part : std::filesystem::path(folder)) {
        path /= part;
        if (!part.empty() && ::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            throw std::filesystem::filesystem_error(
                "Cannot create the folder", path, std::error_code(errno, std::generic_category()));
        }
    }
    if (!DirectoryExists(folder)) {
        throw std::filesystem::filesystem_error("Not a folder", folder,
                                                std::make_error_code(std::errc::not_a_directory));
    }
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string result;
    const std::string_view* next = args.begin();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] == '%' && at + 1 < pattern.size()) {
            if (pattern[at + 1] == 's') {
                if (next != args.end()) {
                    result += *next++;
                }
                ++at;
                continue;
            }
            if (pattern[at + 1] == '%') {
                result += '%';
                ++at;
                continue;
            }
        }
        result += pattern[at];
    }
    return result;
}

std::string UpperCaseASCII(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string LowerCaseASCII(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

std::string LocalTimeText(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}
