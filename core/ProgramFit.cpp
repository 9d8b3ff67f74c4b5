#include "core/ProgramFit.h"

#include "core/TimerProgram.h"

namespace {

std::string Ordinal(int n) {
    const int lastTwo = n % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        suffix = n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
    }
    return std::to_string(n) + suffix;
}

}  // namespace

std::vector<std::string> DescribeWhatDoesNotFit(const TimerProgram& program, int maxTimers,
                                                int maxIntervals) {
    const std::vector<TimerRun> runs = GetTimerRuns(program);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const TimerRun& run = runs[i];
        const std::string name = TimerName(run.timer);
        if (static_cast<int>(i) >= maxTimers) {
            lines.push_back(name + " (the " + Ordinal(static_cast<int>(i) + 1) +
                            " timer in the file), with " + std::to_string(run.intervals) +
                            (run.intervals == 1 ? " interval" : " intervals"));
        } else if (run.intervals > maxIntervals) {
            lines.push_back(name + ": intervals " + std::to_string(maxIntervals + 1) + " to " +
                            std::to_string(run.intervals));
        }
    }
    return lines;
}
