#include "core/DeviceLimits.h"

#include <map>

#include "core/TimerProgram.h"

int DeviceMemoryUsed(const TimerProgram& program) {
    return program.GetImageSize() - 1;
}

std::vector<DeviceProblem> CheckDeviceLimits(const TimerProgram& program) {
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
    for (const TimerRun& run : runs) {
        const std::string name = TimerName(run.timer);
        if (run.timer < kFirstTimerNumber || run.timer > kLastTimerNumber) {
            problems.push_back({Kind::BadTimerNumber, run.timer, 0,
                                name + " is not a timer of the device, which has timers 0 to 31. "
                                       "Move its intervals to a timer from 0 to 31."});
        }
        if (int& count = places[run.timer]; count > 1) {
            problems.push_back({Kind::TimerInPlaces, run.timer, 0,
                                name + " appears in " +
                                    (count == 2 ? std::string("two") : std::to_string(count)) +
                                    " places; the device would treat them as one timer. Move "
                                    "its intervals together or give one of them another number."});
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
    }
    return problems;
}
