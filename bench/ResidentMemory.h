#pragma once

#include <fstream>
#include <string>

// Resident memory of this process in megabytes (0 where the system does not tell).
inline double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}
