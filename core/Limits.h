#pragma once

#include <cstdint>

// Every limit of the device and of the editor, each written once. Messages format their
// numbers from these, so a message and the rule it explains cannot disagree.

// The device.
inline constexpr int kDeviceMemoryBytes = 128;
inline constexpr int kFirstTimerNumber = 0;
inline constexpr int kLastTimerNumber = 31;
// The editor holds every timer the device takes, so a program read whole is saved whole.
inline constexpr int kTimerCount = kLastTimerNumber - kFirstTimerNumber + 1;
inline constexpr int kIntervalsPerBlock = 8;

// One sixtieth of a second, the smallest unit of an interval.
inline constexpr std::uint32_t kTicksPerSecond = 60;
inline constexpr std::uint32_t kTicksPerMinute = 60 * kTicksPerSecond;
inline constexpr std::uint32_t kTicksPerHour = 60 * kTicksPerMinute;
// The longest interval whose length leaves bit 23 of its word free for the ON flag.
inline constexpr std::uint32_t kMaxIntervalTicks = 8'388'607;

// The editor.
inline constexpr int kMaxIntervalsPerTimer = 49;
// The largest hours, minutes or seconds a typed interval may give.
inline constexpr std::uint32_t kMaxIntervalField = 99;
// The largest sixtieths a typed interval may give; a file may hold more (a warning).
inline constexpr std::uint32_t kMaxIntervalTicksField = kTicksPerSecond - 1;
