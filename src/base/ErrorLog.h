#pragma once
// The error log: unexpected faults are appended to "errorlog.txt" in the installation folder,
// two lines and an empty line each. Nothing ever truncates it.

#include <exception>
#include <string>

// The folder the log is written to (ending in "/", or empty for the current folder). Start-up
// sets it to InstallFolder.
void SetErrorLogFolder(const std::string& folder);
std::string ErrorLogPath();

// Appends an entry for the fault raised during the named operation. Never throws: a log that
// cannot be written is left alone.
void LogError(const std::exception& fault, const std::string& operation);

// The kernel's name and version, such as "Linux 6.1.0".
std::string GetPlatformText();
