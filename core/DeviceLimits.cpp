#include "core/DeviceLimits.h"

#include <map>

#include "core/EditorState.h"
#include "core/TimerProgram.h"

int DeviceMemoryUsed(const TimerProgram& program) {
    return program.GetImageSize() - 1;
}

std::vector<DeviceProblem> CheckDeviceLimits(const TimerProgram& program, ProblemAdvice advice) {
    using Kind = DeviceProblem::Kind;
    std::vector<DeviceProblem> problems;

    const int used = DeviceMemoryUsed(program);
    if (used > kDeviceMemoryBytes) {
        problems.push_back({Kind::OutOfMemory, 0, 0,
                            "The program needs " + std::to_string(used) +
                                " bytes of device memory, but the device holds " +
                                std::to_string(kDeviceMemoryBytes) +
                                ". Remove intervals or timers until it fits."});
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
            problems.push_back({Kind::BadTimerNumber, run.timer, 0,
                                name + " is not a timer of the device, which has timers 0 to 31. "
                                       "Move its intervals to a timer from 0 to 31."});
        }
        if (int& count = places[run.timer]; count > 1) {
            const std::string where = name + " appears in " +
                                      (count == 2 ? std::string("two") : std::to_string(count)) +
                                      " places; the device would treat them as one timer. ";
            // tvrtool's words stay as they are; the editor has a command for it.
            problems.push_back(
                {Kind::TimerInPlaces, run.timer, 0,
                 where + (advice == ProblemAdvice::Tool
                              ? "Move its intervals together or give one of them another "
                                "number."
                              : "Use Join " + name +
                                    " in the Edit menu to move its intervals together, or "
                                    "give one of them another number.")});
            count = 0;
        }
        int position = 0;
        const TimerBlock* b = run.first;
        for (int block = 0; block < run.blocks; ++block, b = b->GetNext()) {
            if (b->GetCount() == 0) {
                problems.push_back({Kind::EmptyBlock, run.timer, 0,
                                    name + " has a block with no intervals. Add an interval to "
                                           "it or delete it."});
            }
            for (int i = 0; i < b->GetCount(); ++i) {
                ++position;
                const Interval* interval = b->GetInterval(i);
                if (interval->GetTotalTicks() > kMaxIntervalTicks) {
                    problems.push_back(
                        {Kind::IntervalTooLong, run.timer, position,
                         name + ", interval " + std::to_string(position) + " (" +
                             interval->GetText() +
                             ") is longer than the device's longest interval, 38:50:10:07. "
                             "Shorten it or split it into several intervals."});
                }
            }
        }
        for (std::size_t p = first; p < problems.size(); ++p) {
            problems[p].run = static_cast<int>(r);
        }
    }
    return problems;
}

std::vector<DeviceProblem> CheckEditorState(const EditorState& state) {
    std::vector<DeviceProblem> problems =
        CheckDeviceLimits(ProgramFromState(state), ProblemAdvice::Editor);
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
    if (state.startup && FindTimer(state, 0) == -1) {
        DeviceProblem warning{DeviceProblem::Kind::StartupWithoutTimer, 0, 0,
                              "\"Run timer 0 on power up\" is checked, but the program has no "
                              "timer 0, so the device starts nothing. Add a timer 0 or clear "
                              "the box."};
        problems.push_back(warning);
    }
    return problems;
}

bool StopsProgramming(const DeviceProblem& problem) {
    return problem.kind != DeviceProblem::Kind::StartupWithoutTimer;
}

std::string ShortProblemText(const DeviceProblem& problem) {
    using Kind = DeviceProblem::Kind;
    const std::string name = TimerName(problem.timer);
    switch (problem.kind) {
        case Kind::OutOfMemory:
            return "the program is larger than the device's " + std::to_string(kDeviceMemoryBytes) +
                   " bytes";
        case Kind::IntervalTooLong:
            return name + ", interval " + std::to_string(problem.interval) +
                   " is longer than the device takes";
        case Kind::BadTimerNumber:
            return name + " is not a timer of the device";
        case Kind::EmptyBlock:
            return name + " has a block with no intervals";
        case Kind::TimerInPlaces:
            return name + " is in more than one place";
        case Kind::StartupWithoutTimer:
            return "timer 0 should run on power up, but there is no timer 0";
    }
    return {};
}
