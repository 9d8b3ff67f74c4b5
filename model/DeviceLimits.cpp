#include "DeviceLimits.h"

#include "TimerProgram.h"

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

    // Intervals are counted across a timer's blocks, the way the editor shows them as rows.
    for (const TimerRun& run : GetTimerRuns(program)) {
        const std::string name = "Timer " + std::to_string(run.timer);
        if (run.timer < kFirstTimerNumber || run.timer > kLastTimerNumber) {
            problems.push_back({Kind::BadTimerNumber, run.timer, 0,
                                name + " is not a timer of the device, which has timers 0 to 31. "
                                       "Move its intervals to a timer from 0 to 31."});
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
