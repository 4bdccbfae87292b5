#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Path() ends in "/".

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ladderly-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        path = pattern + "/";
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    std::filesystem::path operator/(std::string_view relative) const {
        return std::filesystem::path(path) / relative;
    }

    // Writes the bytes as they are (no line-end translation) to a file below this folder,
    // making the folders on its way; returns its full path.
    std::string Write(std::string_view relative, std::string_view bytes = {}) const {
        const std::filesystem::path file = *this / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

    std::string Read(std::string_view relative) const {
        std::ifstream file(*this / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    // Makes a folder below this one; returns its full path without a trailing "/".
    std::string MakeFolder(std::string_view relative) const {
        std::filesystem::create_directories(*this / relative);
        return path + std::string(relative);
    }

  private:
    std::string path;
};
