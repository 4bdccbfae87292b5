#include "base/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
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

// Writes everything; false with errno set on failure.
bool WriteAll(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

std::function<int(WriteStep)>& StepHook() {
    static std::function<int(WriteStep)> hook;
    return hook;
}

constexpr const char* StepFailures[] = {
    "Cannot create the temporary file",   "Cannot write the new file",
    "Cannot keep the file's permissions", "Cannot sync the new file to disk",
    "Cannot close the new file",          "Cannot copy the current file to the backup",
    "Cannot replace the old backup",      "Cannot move the new file into place",
};
static_assert(std::size(StepFailures) == static_cast<size_t>(WriteStep::Count));

// Runs one step of a save (action returns false with errno set when it fails) and throws naming
// the file when it fails.
void RunStep(WriteStep step, const fs::path& file, const std::function<bool()>& action) {
    int error = StepHook() ? StepHook()(step) : 0;
    if (error == 0 && !action()) {
        error = errno;
    }
    if (error != 0) {
        ThrowFileError(StepFailures[static_cast<size_t>(step)], file, error);
    }
}

// The names a save creates beside the data file; those not yet renamed into place are removed
// when it goes, so a failed save leaves nothing behind.
struct PendingFiles {
    fs::path Temporary;
    fs::path BackupCopy;
    ~PendingFiles() {
        for (const fs::path* name : {&Temporary, &BackupCopy}) {
            if (!name->empty()) {
                ::unlink(name->c_str());
            }
        }
    }
};

// The permission bits the new file gets: the current file's, or what creating it would give.
mode_t NewFileMode(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

TFileDate FileDate(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Unreadable};
    }
    // Only a regular file is opened: opening a FIFO would wait for a writer for ever.
    if (!S_ISREG(info.st_mode)) {
        return {FileState::Unreadable};
    }
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {FileState::Unreadable};
    }
    return {FileState::Readable, static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                                     static_cast<int64_t>(info.st_mtim.tv_nsec)};
}

bool IsNewerThanLoaded(const TFileDate& date, const std::optional<int64_t>& loaded) {
    return date.State == FileState::Readable && (!loaded || date.Time > *loaded);
}

void SetWriteStepHook(std::function<int(WriteStep)> hook) {
    StepHook() = std::move(hook);
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    const char* const end = text.data() + text.size();
    // The next CR and the next LF are each searched for only once they have been passed, so
    // every byte is scanned once whichever line ends the file uses.
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
        return found != nullptr ? static_cast<const char*>(found) : end;
    };
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    const char* start = text.data();
    const char* nextCr = next(start, '\r');
    const char* nextLf = next(start, '\n');
    while (start != end) {
        if (nextCr < start) {
            nextCr = next(start, '\r');
        }
        if (nextLf < start) {
            nextLf = next(start, '\n');
        }
        const char* const stop = std::min(nextCr, nextLf);
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

std::string ReadTextFile(const fs::path& path) {
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        ThrowFileError("Cannot open the file", path, errno);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        ThrowFileError("Not a regular file", path, EINVAL);
    }
    std::string text;
    text.reserve(static_cast<size_t>(info.st_size));
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
    return text;
}

std::vector<std::string> ReadTextLines(const fs::path& path) {
    return SplitTextLines(ReadTextFile(path));
}

void WriteLinesWithBackup(const fs::path& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    ReplaceFile(path, text, FileBackup::Keep);
}

void ReplaceFile(const fs::path& path, std::string_view content, FileBackup backupPolicy) {
    const TFileDate current = FileDate(path);
    if (current.State == FileState::Unreadable) {
        // Its content never reached the game, so writing ours would lose it.
        ThrowFileError("Cannot replace a file that could not be read", path, EPERM);
    }
    fs::path backup = path;
    backup.replace_extension(".bak");
    const mode_t mode = NewFileMode(path);

    PendingFiles pending;
    // mkostemp creates a fresh name exclusively, so nothing planted there is written through.
    std::string name = path.string() + ".XXXXXX";
    int fd = -1;
    RunStep(WriteStep::CreateTemporary, path, [&] {
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        return fd >= 0;
    });
    pending.Temporary = name;
    FileHandle file(fd);
    RunStep(WriteStep::WriteTemporary, pending.Temporary, [&] { return WriteAll(fd, content); });
    RunStep(WriteStep::KeepPermissions, pending.Temporary, [&] { return ::fchmod(fd, mode) == 0; });
    RunStep(WriteStep::SyncTemporary, pending.Temporary, [&] { return ::fsync(fd) == 0; });
    RunStep(WriteStep::CloseTemporary, pending.Temporary, [&] { return file.Close() == 0; });

    if (current.State == FileState::Readable && backupPolicy == FileBackup::Keep) {
        // The backup is a copy made beside the current file, which keeps its name throughout.
        const fs::path copy = pending.Temporary.string() + ".bak";
        RunStep(WriteStep::CopyToBackup, path, [&] {
            std::error_code error;
            fs::copy_file(path, copy, error);
            if (error != std::errc::file_exists) {
                pending.BackupCopy = copy;
            }
            errno = error.value();
            return !error;
        });
        RunStep(WriteStep::ReplaceBackup, backup,
                [&] { return ::rename(pending.BackupCopy.c_str(), backup.c_str()) == 0; });
        pending.BackupCopy.clear();
    }
    RunStep(WriteStep::ReplaceFile, path,
            [&] { return ::rename(pending.Temporary.c_str(), path.c_str()) == 0; });
    pending.Temporary.clear();
    SyncFolder(path.parent_path());
}
