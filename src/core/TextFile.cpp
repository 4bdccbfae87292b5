#include "core/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Closes a POSIX file descriptor when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd_; }
    // Closes now, reporting the error a deferred write may only show here.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

[[noreturn]] void ThrowFileError(const std::string& what, const fs::path& path, int error) {
    throw fs::filesystem_error(what, path, std::error_code(error, std::generic_category()));
}

[[noreturn]] void ThrowFileError(const std::string& what, const fs::path& path,
                                 const fs::path& other, int error) {
    throw fs::filesystem_error(what, path, other, std::error_code(error, std::generic_category()));
}

void WriteAll(int fd, const std::string& text, const fs::path& path) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFileError("Cannot write the new file", path, errno);
        }
        done += static_cast<size_t>(written);
    }
}

// Writes and syncs the temporary file; removes it again when anything fails.
void WriteTemporary(const fs::path& temporary, const std::string& text) {
    FileHandle file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.Get() < 0) {
        ThrowFileError("Cannot create the temporary file", temporary, errno);
    }
    try {
        WriteAll(file.Get(), text, temporary);
        if (::fsync(file.Get()) != 0) {
            ThrowFileError("Cannot sync the new file to disk", temporary, errno);
        }
        if (file.Close() != 0) {
            ThrowFileError("Cannot close the new file", temporary, errno);
        }
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

// Makes the renames themselves durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& folder) {
    FileHandle dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
}
} // namespace

int64_t FileDate(const fs::path& path) {
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
           static_cast<int64_t>(info.st_mtim.tv_nsec);
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    while (start != end) {
        const char* stop = start;
        while (stop != end && *stop != '\r' && *stop != '\n') {
            ++stop;
        }
        lines.emplace_back(start, stop);
        if (stop == end) {
            break;
        }
        start = stop + 1;
        if (*stop == '\r' && start != end && *start == '\n') {
            ++start;
        }
    }
    return lines;
}

std::vector<std::string> ReadTextLines(const fs::path& path) {
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        ThrowFileError("Cannot open the file", path, errno);
    }
    std::string text;
    struct stat info {};
    if (::fstat(file.Get(), &info) == 0 && info.st_size > 0) {
        text.reserve(static_cast<size_t>(info.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFileError("Cannot read the file", path, errno);
        }
        if (count == 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(count));
    }
    return SplitTextLines(text);
}

void WriteLinesWithBackup(const fs::path& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    fs::path temporary = path;
    temporary.replace_extension(".tmp");
    fs::path backup = path;
    backup.replace_extension(".bak");

    WriteTemporary(temporary, text);
    std::error_code ignored;
    // The old backup goes only once the new text is safely on disk.
    std::error_code error;
    fs::remove(backup, error);
    if (error) {
        fs::remove(temporary, ignored);
        ThrowFileError("Cannot delete the old backup", backup, error.value());
    }
    if (::rename(path.c_str(), backup.c_str()) != 0 && errno != ENOENT) {
        const int cause = errno;
        fs::remove(temporary, ignored);
        ThrowFileError("Cannot rename the current file to the backup", path, backup, cause);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        // The previous version stays safe as the backup.
        ThrowFileError("Cannot move the new file into place", temporary, path, errno);
    }
    SyncFolder(path.parent_path());
}
