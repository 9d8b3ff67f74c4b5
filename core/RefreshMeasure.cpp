#include "core/RefreshMeasure.h"

#include <algorithm>
#include <cmath>
#include <vector>

RefreshReading MeasureRefresh(std::span<const std::int64_t> presentedUs, double nominalHz) {
    if (presentedUs.size() < static_cast<std::size_t>(kRefreshSamples) + 1) {
        return {};
    }
    std::vector<double> intervals;
    intervals.reserve(presentedUs.size() - 1);
    for (std::size_t i = 1; i < presentedUs.size(); ++i) {
        intervals.push_back(static_cast<double>(presentedUs[i] - presentedUs[i - 1]));
    }
    std::vector<double> sorted = intervals;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    const double median = *middle;
    if (median <= 0) {
        return {};
    }
    const auto near = std::count_if(intervals.begin(), intervals.end(), [&](double interval) {
        return std::fabs(interval - median) <= median / 4;
    });
    // A missed frame now and then is allowed; a clock that wanders is not.
    const bool periodic = 4 * near >= 3 * static_cast<std::ptrdiff_t>(intervals.size());
    // The median is only as good as one interval's noise; the whole span over the frames it
    // counts is far finer.
    double frames = 0;
    for (const double interval : intervals) {
        frames += std::max(1.0, std::round(interval / median));
    }
    const double period = static_cast<double>(presentedUs.back() - presentedUs.front()) / frames;
    const double nominalUs = nominalHz > 0 ? 1e6 / nominalHz : period;
    return {periodic && std::fabs(period - nominalUs) <= nominalUs / 100, period};
}
