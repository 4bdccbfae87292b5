#pragma once
// The data files' text form and their safe replacement: lines end with CR, LF or CR LF when read
// and with CR LF when written, a NUL character ends the text, and a file is replaced by way of a
// synced temporary file while the previous version is kept as the one backup.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The file's last modification time in nanoseconds since the epoch, or -1 when it cannot be
// opened for reading as a regular file.
int64_t FileDate(const std::filesystem::path& path);

// Splits text into lines; CR, LF and CR LF each end a line, a NUL ends the text, and a last
// line without a line end counts as a line.
std::vector<std::string> SplitTextLines(std::string_view text);

// Reads the whole file and splits it as SplitTextLines does. Throws
// std::filesystem::filesystem_error when the file cannot be read.
std::vector<std::string> ReadTextLines(const std::filesystem::path& path);

// Replaces the file at path by the lines, each followed by CR LF. The previous file becomes the
// backup (same name, extension ".bak"), replacing the previous backup. The new text goes to a
// temporary file (extension ".tmp") that is synced before any rename, so a failure at any step
// leaves the current file or the backup in place; it throws std::filesystem::filesystem_error.
void WriteLinesWithBackup(const std::filesystem::path& path, const std::vector<std::string>& lines);
