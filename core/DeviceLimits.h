#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TimerProgram;

// What the device can hold and run.
inline constexpr int kDeviceMemoryBytes = 128;
// The longest interval whose length leaves bit 23 of its word free for the ON flag.
inline constexpr std::uint32_t kMaxIntervalTicks = 8'388'607;
inline constexpr int kFirstTimerNumber = 0;
inline constexpr int kLastTimerNumber = 31;

struct DeviceProblem {
    enum class Kind { OutOfMemory, IntervalTooLong, BadTimerNumber, EmptyBlock, TimerInPlaces };

    Kind kind;
    int timer = 0;     // timer number the problem is in; 0 for OutOfMemory
    int interval = 0;  // 1-based position inside its timer, 0 when not about one interval
    std::string message;
};

// Device memory the program needs: 3 bytes per interval and 1 per block (the gauge's count).
int DeviceMemoryUsed(const TimerProgram& program);

// Every reason the device cannot take the program exactly as it stands, in plain words that
// name the timer and the interval. Empty when the program can be sent.
std::vector<DeviceProblem> CheckDeviceLimits(const TimerProgram& program);
