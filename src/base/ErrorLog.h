#pragma once
// The error log: unexpected faults are appended to "errorlog.txt", two lines and an empty line
// each. Nothing ever truncates it. When no folder can take it, an entry goes to standard error
// instead, so no fault goes unrecorded.

#include <exception>
#include <string>

// The folder the log is written to (ending in "/", or empty for the current folder), made when
// it is missing. Start-up sets it to the installation folder, or to the user's state folder when
// the installation cannot be written.
void SetErrorLogFolder(const std::string& folder);
std::string ErrorLogPath();

// Appends an entry for the fault raised during the named operation. Never throws.
void LogError(const std::exception& fault, const std::string& operation);

// The kernel's name and version, such as "Linux 6.1.0".
std::string GetPlatformText();
