#pragma once

// What the transfer benchmarks share: their options, the frame they send, and the summary of a
// set of errors.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/TransferFrame.h"

namespace bench {

// --bytes N (4 or more), --seed S, --load
struct Options {
    int bytes = 16;
    unsigned seed = 1;
    bool load = false;
};

inline bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--load") {
            options.load = true;
        } else if ((arg == "--bytes" || arg == "--seed") && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 0 || value > 100'000) {
                return false;
            }
            if (arg == "--bytes") {
                options.bytes = static_cast<int>(value);
            } else {
                options.seed = static_cast<unsigned>(value);
            }
        } else {
            return false;
        }
    }
    return options.bytes >= 4;
}

// A well-formed frame: start byte, length, random image bytes, checksum.
inline std::vector<std::uint8_t> MakeFrame(int bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(bytes));
    frame[0] = kFrameStartByte;
    frame[1] = static_cast<std::uint8_t>((bytes - 3) & 0xFF);
    for (std::size_t i = 2; i + 1 < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(random() & 0xFF);
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i + 1 < frame.size(); ++i) {
        sum += frame[i];
    }
    frame.back() = static_cast<std::uint8_t>(sum & 0xFF);
    return frame;
}

struct Stats {
    double mean = 0;
    double p99 = 0;
    double max = 0;
};

inline Stats Summarise(std::vector<double> values) {
    Stats stats;
    if (values.empty()) {
        return stats;
    }
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (const double v : values) {
        sum += v;
    }
    stats.mean = sum / static_cast<double>(values.size());
    const auto rank =
        static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(values.size())));
    stats.p99 = values[std::max<std::size_t>(rank, 1) - 1];
    stats.max = values.back();
    return stats;
}

}  // namespace bench
