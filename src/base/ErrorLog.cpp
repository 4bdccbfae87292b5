#include "base/ErrorLog.h"

#include "base/LadderlyVersion.h"
#include "base/Util.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cxxabi.h>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <typeinfo>

namespace {

std::string& LogFolder() {
    static std::string folder;
    return folder;
}

std::string ClassName(const std::exception& fault) {
    const char* mangled = typeid(fault).name();
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}

struct MemoryStatus {
    unsigned load = 0; // percent of physical memory in use
    uint64_t freePhysical = 0;
    uint64_t freeVirtual = 0;
};

// Reads a "Name:   123 kB" line of /proc/meminfo, in bytes.
uint64_t MemInfoBytes(const std::string& text, const std::string& name) {
    const std::string::size_type at = text.find("\n" + name + ":");
    if (at == std::string::npos) {
        return 0;
    }
    std::istringstream line(text.substr(at + name.size() + 2));
    uint64_t kilobytes = 0;
    line >> kilobytes;
    return kilobytes * 1024;
}

MemoryStatus ReadMemoryStatus() {
    MemoryStatus status;
    std::ifstream meminfo("/proc/meminfo");
    std::stringstream text;
    text << "\n" << meminfo.rdbuf();
    uint64_t total = MemInfoBytes(text.str(), "MemTotal");
    status.freePhysical = MemInfoBytes(text.str(), "MemAvailable");
    struct sysinfo info {};
    if (total == 0 && sysinfo(&info) == 0) {
        total = uint64_t{info.totalram} * info.mem_unit;
        status.freePhysical = uint64_t{info.freeram} * info.mem_unit;
    }
    if (total > 0 && status.freePhysical <= total) {
        status.load = static_cast<unsigned>((total - status.freePhysical) * 100 / total);
    }

    // The address space left to this process: its limit (or the usual 47-bit user space)
    // less what it has mapped.
    uint64_t space = uint64_t{1} << 47;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        space = limit.rlim_cur;
    }
    uint64_t mappedPages = 0;
    std::ifstream("/proc/self/statm") >> mappedPages;
    const uint64_t mapped = mappedPages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    status.freeVirtual = space > mapped ? space - mapped : 0;
    return status;
}

} // namespace

void SetErrorLogFolder(const std::string& folder) {
    LogFolder() = folder;
}

std::string ErrorLogPath() {
    return LogFolder() + "errorlog.txt";
}

std::string GetPlatformText() {
    utsname name{};
    if (uname(&name) != 0) {
        return "PLATFORM=unknown 0.0.0";
    }
    int major = 0;
    int minor = 0;
    int build = 0;
    std::sscanf(name.release, "%d.%d.%d", &major, &minor, &build);
    return std::string(name.sysname) + " " + std::to_string(major) + "." + std::to_string(minor) +
           "." + std::to_string(build);
}

void LogError(const std::exception& fault, const std::string& operation) {
    try {
        // The address where a fault was raised means nothing here: it is written as 0 so the
        // line keeps its layout.
        const MemoryStatus memory = ReadMemoryStatus();
        char load[8];
        std::snprintf(load, sizeof load, "%.3u", memory.load);
        std::ostringstream entry;
        entry << LocalTimeText("%y%m%d %H:%M:%S") << " v" << LADDERLY_VERSION
              << " 00000000 (00000000): " << ClassName(fault) << " in " << operation << " ("
              << fault.what() << ")\n"
              << "OS: " << GetPlatformText() << "; Memory load: " << load
              << "%, Free P=" << memory.freePhysical << " V=" << memory.freeVirtual << "\n\n";
        bool written = false;
        try {
            if (!LogFolder().empty()) {
                MakeUserFolder(LogFolder());
            }
            std::ofstream log(ErrorLogPath(), std::ios::app | std::ios::binary);
            written = log && log << entry.str() && log.flush();
        } catch (const std::exception&) {
            // The entry goes to standard error below.
        }
        if (!written) {
            std::cerr << "Ladderly: cannot write the error log \"" << ErrorLogPath() << "\":\n"
                      << entry.str() << std::flush;
        }
    } catch (...) {
        // Logging runs while a fault is being handled; it must not raise another.
    }
}
