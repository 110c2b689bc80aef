// The process's resident memory, read from /proc.
#pragma once

#include <fstream>
#include <string>

namespace test {

// A field of /proc/self/status in kilobytes (VmRSS, VmHWM), -1 when absent.
inline long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

} // namespace test
