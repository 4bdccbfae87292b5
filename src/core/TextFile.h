#pragma once
// The data files' text form and their safe replacement: lines end with CR, LF or CR LF when read
// and with CR LF when written, a NUL character ends the text, and a file is replaced by way of a
// synced temporary file while the previous version is kept as the one backup.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class FileState {
    Missing,    // nothing of that name
    Unreadable, // something is there, but not a regular file this process can read
    Readable,
};

struct TFileDate {
    FileState State = FileState::Missing;
    int64_t Time = 0; // modification time in nanoseconds since the epoch, when Readable
};

// Looks at the file without blocking: a FIFO, socket or device is Unreadable, never opened.
TFileDate FileDate(const std::filesystem::path& path);

// Whether a data file should be (re-)read: it is readable and was never loaded, or its date is
// strictly later than the one of the last load.
bool IsNewerThanLoaded(const TFileDate& date, const std::optional<int64_t>& loaded);

// Splits text into lines; CR, LF and CR LF each end a line, a NUL ends the text, and a last
// line without a line end counts as a line.
std::vector<std::string> SplitTextLines(std::string_view text);

// Reads the whole file as it is. Throws std::filesystem::filesystem_error when the file cannot
// be read or is not a regular file.
std::string ReadTextFile(const std::filesystem::path& path);

// Reads the whole file and splits it as SplitTextLines does; throws as ReadTextFile does.
std::vector<std::string> ReadTextLines(const std::filesystem::path& path);

// Replaces the file at path by the lines, each followed by CR LF, keeping its permission bits.
// The previous file becomes the backup (same name, extension ".bak"), replacing the previous
// backup. The file's name holds the old or the new text, whole, at every instant: the new text
// goes to a fresh temporary file in the same folder, synced, and is renamed over the file only
// once the backup is in place. A file that is there but cannot be read is never replaced. Any
// failure leaves the file as it was, removes what the save created and throws
// std::filesystem::filesystem_error naming the step and the file.
void WriteLinesWithBackup(const std::filesystem::path& path, const std::vector<std::string>& lines);

// The steps of WriteLinesWithBackup, in order.
enum class WriteStep {
    CreateTemporary,
    WriteTemporary,
    KeepPermissions,
    SyncTemporary,
    CloseTemporary,
    CopyToBackup,
    ReplaceBackup,
    ReplaceFile,
    Count,
};

// Test seam: when set, called before each step; a non-zero result fails that step with that
// error number instead of running it. An empty function removes the hook.
void SetWriteStepHook(std::function<int(WriteStep)> hook);
