#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Path() ends in "/".

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

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

    // Writes a file (and the folders on its way) below this folder; returns its full path.
    std::string Write(const std::string& relative, const std::string& text = {}) const {
        const std::filesystem::path file = path + relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }

    // Makes a folder below this one; returns its full path without a trailing "/".
    std::string MakeFolder(const std::string& relative) const {
        std::filesystem::create_directories(path + relative);
        return path + relative;
    }

  private:
    std::string path;
};
