#include "core/DeviceLimits.h"

#include <map>

#include "core/EditorState.h"
#include "core/TimerProgram.h"
#include "core/Translate.h"

namespace {

// The interval as the file writes it, with ON and OFF in the reader's language.
std::string IntervalText(const Interval& interval) {
    const std::string time = FormatIntervalTime(interval.GetHours(), interval.GetMinutes(),
                                                interval.GetSeconds(), interval.GetTicks());
    return FillArgs(interval.IsOn() ? Translate("DeviceLimits", "ON - %1")
                                    : Translate("DeviceLimits", "OFF - %1"),
                    {time});
}

// Where the timer stands, then what to do about it: each a whole sentence, so a translation
// words each freely. English says "two places", so that count has a text of its own.
std::string InPlacesText(const std::string& name, int count, ProblemAdvice advice) {
    const std::string where =
        count == 2 ? FillArgs(Translate("DeviceLimits",
                                        "%1 appears in two places; the device would treat them "
                                        "as one timer."),
                              {name})
                   : FillArgs(Translate("DeviceLimits",
                                        "%1 appears in %2 places; the device would treat them "
                                        "as one timer."),
                              {name, std::to_string(count)});
    const std::string what =
        advice == ProblemAdvice::Tool
            ? Translate("DeviceLimits",
                        "Move its intervals together or give one of them another number.")
            : FillArgs(Translate("DeviceLimits",
                                 "Use Join %1 in the Edit menu to move its intervals together, "
                                 "or give one of them another number."),
                       {name});
    return where + ' ' + what;
}

// Typing refuses more than 59 sixtieths, but a file may hold them: the device adds them up,
// which is seldom what the file's author meant.
DeviceProblem SixtiethsWarning(int timer, int position, const Interval& interval) {
    const std::uint64_t total = interval.GetTotalTicks();
    const std::string meant =
        FormatIntervalTime(static_cast<std::uint32_t>(total / kTicksPerHour),
                           static_cast<std::uint32_t>(total % kTicksPerHour / kTicksPerMinute),
                           static_cast<std::uint32_t>(total % kTicksPerMinute / kTicksPerSecond),
                           static_cast<std::uint32_t>(total % kTicksPerSecond));
    return {DeviceProblem::Kind::SixtiethsOverSecond, timer, position,
            FillArgs(Translate("DeviceLimits",
                               "%1, interval %2 (%3) has %4 sixtieths of a second, more than a "
                               "second holds; the device runs it as %5. Type it as %5 if that "
                               "is what you meant."),
                     {TimerName(timer), std::to_string(position), IntervalText(interval),
                      std::to_string(interval.GetTicks()), meant})};
}

}  // namespace

std::string LongestIntervalText() {
    return FormatIntervalTime(
        kMaxIntervalTicks / kTicksPerHour, kMaxIntervalTicks % kTicksPerHour / kTicksPerMinute,
        kMaxIntervalTicks % kTicksPerMinute / kTicksPerSecond, kMaxIntervalTicks % kTicksPerSecond);
}

int DeviceMemoryUsed(const TimerProgram& program) {
    return program.GetImageSize() - 1;
}

std::vector<DeviceProblem> CheckDeviceLimits(const TimerProgram& program, ProblemAdvice advice) {
    using Kind = DeviceProblem::Kind;
    std::vector<DeviceProblem> problems;
    std::vector<DeviceProblem> warnings;

    const int used = DeviceMemoryUsed(program);
    if (used > kDeviceMemoryBytes) {
        problems.push_back(
            {Kind::OutOfMemory, 0, 0,
             FillArgs(Translate("DeviceLimits",
                                "The program needs %1 bytes of device memory, but the device "
                                "holds %2. Remove intervals or timers until it fits."),
                      {std::to_string(used), std::to_string(kDeviceMemoryBytes)})});
    }

    const std::vector<TimerRun> runs = GetTimerRuns(program);
    // The device knows a timer only by its number, so separate runs with one number would run
    // as one timer. Told once, at the timer's first place.
    std::map<int, int> places;
    for (const TimerRun& run : runs) {
        ++places[run.timer];
    }

    // Intervals are counted across a timer's blocks, the way the editor shows them as rows.
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const TimerRun& run = runs[r];
        const std::size_t first = problems.size();
        const std::string name = TimerName(run.timer);
        if (run.timer < kFirstTimerNumber || run.timer > kLastTimerNumber) {
            problems.push_back(
                {Kind::BadTimerNumber, run.timer, 0,
                 FillArgs(
                     Translate("DeviceLimits",
                               "%1 is not a timer of the device, which has timers %2 to %3. "
                               "Move its intervals to a timer from %2 to %3."),
                     {name, std::to_string(kFirstTimerNumber), std::to_string(kLastTimerNumber)})});
        }
        if (int& count = places[run.timer]; count > 1) {
            // tvrtool's words stay as they are; the editor has a command for it.
            problems.push_back(
                {Kind::TimerInPlaces, run.timer, 0, InPlacesText(name, count, advice)});
            count = 0;
        }
        int position = 0;
        const TimerBlock* b = run.first;
        for (int block = 0; block < run.blocks; ++block, b = b->GetNext()) {
            if (b->GetCount() == 0) {
                problems.push_back({Kind::EmptyBlock, run.timer, 0,
                                    FillArgs(Translate("DeviceLimits",
                                                       "%1 has a block with no intervals. Add "
                                                       "an interval to it or delete it."),
                                             {name})});
            }
            for (int i = 0; i < b->GetCount(); ++i) {
                ++position;
                const Interval* interval = b->GetInterval(i);
                if (interval->GetTotalTicks() > kMaxIntervalTicks) {
                    problems.push_back(
                        {Kind::IntervalTooLong, run.timer, position,
                         FillArgs(Translate("DeviceLimits",
                                            "%1, interval %2 (%3) is longer than the device's "
                                            "longest interval, %4. Shorten it or split it into "
                                            "several intervals."),
                                  {name, std::to_string(position), IntervalText(*interval),
                                   LongestIntervalText()})});
                } else if (interval->GetTicks() >= kTicksPerSecond) {
                    warnings.push_back(SixtiethsWarning(run.timer, position, *interval));
                    warnings.back().run = static_cast<int>(r);
                }
            }
        }
        for (std::size_t p = first; p < problems.size(); ++p) {
            problems[p].run = static_cast<int>(r);
        }
    }
    if (program.GetStartup() && places.count(0) == 0) {
        problems.push_back({Kind::StartupWithoutTimer, 0, 0,
                            Translate("DeviceLimits",
                                      "\"Run timer 0 on power up\" is checked, but the program "
                                      "has no timer 0, so the device starts nothing. Add a timer "
                                      "0 or clear the box.")});
    }
    problems.insert(problems.end(), warnings.begin(), warnings.end());
    return problems;
}

std::vector<DeviceProblem> CheckEditorState(const EditorState& state) {
    return CheckEditorState(state, ProgramFromState(state));
}

std::vector<DeviceProblem> CheckEditorState(const EditorState& state, const TimerProgram& program) {
    std::vector<DeviceProblem> problems = CheckDeviceLimits(program, ProblemAdvice::Editor);
    // The saved program joins neighbouring panels with one number into one run, so run r
    // starts at the panel where the number changes for the r-th time.
    std::vector<int> runStarts;
    for (std::size_t p = 0; p < state.panels.size(); ++p) {
        if (p == 0 || state.panels[p].timerNumber != state.panels[p - 1].timerNumber) {
            runStarts.push_back(static_cast<int>(p));
        }
    }
    for (DeviceProblem& problem : problems) {
        if (problem.run < 0 || problem.run >= static_cast<int>(runStarts.size())) {
            continue;
        }
        int panel = runStarts[static_cast<std::size_t>(problem.run)];
        int row = problem.interval - 1;
        // An interval past the first panel of a joined run lies in a later one.
        while (row >= 0 && panel + 1 < static_cast<int>(state.panels.size()) &&
               row >= static_cast<int>(state.panels[static_cast<std::size_t>(panel)].rows.size()) &&
               state.panels[static_cast<std::size_t>(panel) + 1].timerNumber == problem.timer) {
            row -= static_cast<int>(state.panels[static_cast<std::size_t>(panel)].rows.size());
            ++panel;
        }
        problem.panel = panel;
        problem.row = row;
    }
    return problems;
}

FindingCounts CountFindings(const std::vector<DeviceProblem>& findings) {
    FindingCounts counts;
    for (const DeviceProblem& finding : findings) {
        ++(finding.IsWarning() ? counts.warnings : counts.problems);
    }
    return counts;
}

std::string ShortProblemText(const DeviceProblem& problem) {
    using Kind = DeviceProblem::Kind;
    const std::string name = TimerName(problem.timer);
    switch (problem.kind) {
        case Kind::OutOfMemory:
            return FillArgs(
                Translate("DeviceLimits", "the program is larger than the device's %1 bytes"),
                {std::to_string(kDeviceMemoryBytes)});
        case Kind::IntervalTooLong:
            return FillArgs(
                Translate("DeviceLimits", "%1, interval %2 is longer than the device takes"),
                {name, std::to_string(problem.interval)});
        case Kind::BadTimerNumber:
            return FillArgs(Translate("DeviceLimits", "%1 is not a timer of the device"), {name});
        case Kind::EmptyBlock:
            return FillArgs(Translate("DeviceLimits", "%1 has a block with no intervals"), {name});
        case Kind::TimerInPlaces:
            return FillArgs(Translate("DeviceLimits", "%1 is in more than one place"), {name});
        case Kind::StartupWithoutTimer:
            return Translate("DeviceLimits",
                             "timer 0 should run on power up, but there is no timer 0");
        case Kind::SixtiethsOverSecond:
            return FillArgs(
                Translate("DeviceLimits", "%1, interval %2 has 60 or more sixtieths of a second"),
                {name, std::to_string(problem.interval)});
    }
    return {};
}
