#pragma once
// Reading and safely replacing files, and the data files' text form: lines end with CR, LF or
// CR LF when read and with CR LF when written, a NUL character ends the text, and a file is
// replaced by way of a synced temporary file, the previous version kept as the one backup.

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

// Whether replacing a file keeps the previous version.
enum class FileBackup {
    None,
    Keep, // the previous file becomes the backup (same name, extension ".bak")
};

// Replaces the file at path by the content, keeping its permission bits; with FileBackup::Keep
// the previous file replaces the previous backup. The file's name holds the old or the new
// content, whole, at every instant: the new content goes to a fresh temporary file in the same
// folder, synced, and is renamed over the file only once the backup is in place. A file that is
// there but cannot be read is never replaced. Any failure leaves the file as it was, removes what
// the save created and throws std::filesystem::filesystem_error naming the step and the file.
void ReplaceFile(const std::filesystem::path& path, std::string_view content, FileBackup backup);

// Replaces the file by the lines, each followed by CR LF, keeping the previous file as the
// backup, as ReplaceFile does.
void WriteLinesWithBackup(const std::filesystem::path& path, const std::vector<std::string>& lines);

// The steps of ReplaceFile, in order.
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
