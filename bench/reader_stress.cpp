// Times the timer-file reader on hostile files and measures the memory each load takes, one
// child process per file. Last line: worst_ms=X worst_rss_mb=Y (Y above the child's baseline).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/TimerFile.h"
#include "core/TimerProgram.h"

namespace fs = std::filesystem;

namespace {

struct Case {
    std::string name;
    std::string path;
};

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Loads path in a child; returns the child's peak resident set in KiB and the load time.
bool Measure(const std::string& path, long& maxRssKb, double& ms, std::string& outcome) {
    int pipeFd[2];
    if (pipe(pipeFd) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFd[0]);
        char message[64] = "baseline";
        if (!path.empty()) {
            const auto start = std::chrono::steady_clock::now();
            TimerProgram program;
            const LoadResult result = ReadTimerFile(path, program);
            const double elapsed =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            std::snprintf(message, sizeof message, "%.3f %s %d", elapsed,
                          result.Ok() ? "loaded" : "refused", program.GetBlockCount());
        }
        (void)!write(pipeFd[1], message, sizeof message);
        _exit(0);
    }
    close(pipeFd[1]);
    char message[64] = {};
    (void)!read(pipeFd[0], message, sizeof message);
    close(pipeFd[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    maxRssKb = usage.ru_maxrss;
    ms = 0;
    char word[16] = {};
    int blocks = 0;
    if (std::sscanf(message, "%lf %15s %d", &ms, word, &blocks) == 3) {
        outcome = std::string(word) + " (" + std::to_string(blocks) + " blocks)";
    }
    return true;
}

}  // namespace

int main() {
    const fs::path dir = fs::temp_directory_path() / ("reader-stress-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::vector<Case> cases;
    auto add = [&](const std::string& name, const std::string& bytes) {
        const std::string path = (dir / name).string();
        Write(path, bytes);
        cases.push_back({name, path});
    };
    const std::string header = "TVRX\n1000\n";
    {
        std::mt19937 random(1);
        std::string bytes(kMaxTimerFileSize, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        add("random-bytes", bytes);
        add("random-after-header", header + bytes.substr(header.size()));
        add("endless-line", header + std::string(kMaxTimerFileSize - header.size(), 'x'));
        std::string timers = header;
        for (int i = 0; i < 100000; ++i) {
            timers += "Timer 1\n";
        }
        add("100000-timer-lines", timers);
        std::string intervals = header;
        while (intervals.size() + 20 < kMaxTimerFileSize - 1) {
            intervals += "Timer 3\nON - 0:0:1\nOFF - 0:0:1\n";
        }
        intervals.resize(kMaxTimerFileSize - 1, '\n');
        add("1MiB-minus-1-of-intervals", intervals);
        add("over-1MiB", intervals + "\n\n");
    }
    cases.push_back({"dev-zero", "/dev/zero"});

    long baselineKb = 0;
    double ignored = 0;
    std::string outcome;
    Measure("", baselineKb, ignored, outcome);

    double worstMs = 0;
    double worstMb = 0;
    for (const Case& c : cases) {
        long rssKb = 0;
        double ms = 0;
        outcome.clear();
        if (!Measure(c.path, rssKb, ms, outcome)) {
            std::fprintf(stderr, "cannot measure %s\n", c.name.c_str());
            return 1;
        }
        const double mb = static_cast<double>(rssKb - baselineKb) / 1024.0;
        std::printf("%-28s %8.2f ms  %7.2f MB  %s\n", c.name.c_str(), ms, mb, outcome.c_str());
        worstMs = std::max(worstMs, ms);
        worstMb = std::max(worstMb, mb);
    }
    fs::remove_all(dir);
    std::printf("worst_ms=%.2f worst_rss_mb=%.2f\n", worstMs, worstMb);
    return 0;
}
