#pragma once

#include <cstdint>
#include <span>

// What the presented frames say about the display's refresh.
struct RefreshReading {
    bool paced = false;   // a periodic clock at the display's nominal rate
    double periodUs = 0;  // 0 with too few frames
};

// The display's real frame period from the times frames were presented (microseconds, in
// order): the median interval, refined over the whole span by the frames it counts. It counts as
// paced only when the intervals are periodic (three in four within a quarter of the median) and the
// median is within 1 % of the nominal period. A timer that merely ticks regularly, like Qt's 5 ms
// update timer on X11, is periodic but far from any real display's rate. With a nominal rate of
// zero or less, a compositor on its own clock that follows no hardware refresh, periodic is enough.
RefreshReading MeasureRefresh(std::span<const std::int64_t> presentedUs, double nominalHz);

// Intervals needed for a reading.
inline constexpr int kRefreshSamples = 20;
