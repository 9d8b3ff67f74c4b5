#include "core/ProgramFit.h"

#include "core/TimerProgram.h"
#include "core/Translate.h"

namespace {

// One text per English suffix, so a language with a single ordinal form ("3.") maps them all.
std::string Ordinal(int n) {
    const int lastTwo = n % 100;
    const int last = lastTwo >= 11 && lastTwo <= 13 ? 0 : n % 10;
    const std::string pattern = last == 1   ? Translate("ProgramFit", "%1st")
                                : last == 2 ? Translate("ProgramFit", "%1nd")
                                : last == 3 ? Translate("ProgramFit", "%1rd")
                                            : Translate("ProgramFit", "%1th");
    return FillArgs(pattern, {std::to_string(n)});
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
            lines.push_back(FillArgs(Translate("ProgramFit",
                                               "%1 (the %2 timer in the file), with %n "
                                               "interval(s)",
                                               nullptr, run.intervals),
                                     {name, Ordinal(static_cast<int>(i) + 1)}));
        } else if (run.intervals > maxIntervals) {
            lines.push_back(
                FillArgs(Translate("ProgramFit", "%1: intervals %2 to %3"),
                         {name, std::to_string(maxIntervals + 1), std::to_string(run.intervals)}));
        }
    }
    return lines;
}
