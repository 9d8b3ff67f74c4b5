#include "core/FramePlan.h"

#include <algorithm>
#include <cmath>
#include <numeric>

int FramesForGap(std::int64_t gapUs, double periodUs) {
    const double exact = static_cast<double>(gapUs) / periodUs;
    const int lower = std::max(1, static_cast<int>(std::floor(exact)));
    const int upper = std::max(1, static_cast<int>(std::ceil(exact)));
    const auto length = [&](int frames) { return frames * periodUs; };
    const double lowerError = std::fabs(length(lower) - static_cast<double>(gapUs));
    const double upperError = std::fabs(length(upper) - static_cast<double>(gapUs));
    // Periods such as 1e6 / 59.94 are not exact in binary; a tie is a tie to a nanosecond.
    constexpr double kTieUs = 1e-3;
    if (std::fabs(lowerError - upperError) > kTieUs) {
        return lowerError < upperError ? lower : upper;
    }
    const auto split = static_cast<double>(kSplitUs);
    return std::fabs(length(lower) - split) >= std::fabs(length(upper) - split) ? lower : upper;
}

std::vector<std::int32_t> TransferGaps(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                                       std::int32_t oneTime, std::int32_t syncTime) {
    std::vector<std::int32_t> gaps;
    if (frame.empty()) {
        return gaps;
    }
    gaps.reserve(10 * frame.size() - 1);
    for (std::size_t byte = 0; byte < frame.size(); ++byte) {
        if (byte > 0) {
            gaps.push_back(syncTime);
        }
        gaps.push_back(syncTime);
        for (int bit = 0; bit < 8; ++bit) {
            gaps.push_back(((frame[byte] >> bit) & 1) != 0 ? oneTime : zeroTime);
        }
    }
    return gaps;
}

std::int32_t ByteOfGap(std::size_t gap) {
    // Byte 0 has nine gaps, every later one ten.
    return gap < 9 ? 0 : static_cast<std::int32_t>(1 + (gap - 9) / 10);
}

std::int64_t FramePlan::TotalUs() const {
    const long frameCount = std::accumulate(frames.begin(), frames.end(), 0L);
    return std::llround(static_cast<double>(frameCount) * periodUs);
}

FramePlan PlanTransfer(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                       std::int32_t oneTime, std::int32_t syncTime, double periodUs) {
    FramePlan plan;
    plan.gapsUs = TransferGaps(frame, zeroTime, oneTime, syncTime);
    plan.periodUs = periodUs;
    plan.frames.reserve(plan.gapsUs.size());
    for (const std::int32_t gap : plan.gapsUs) {
        plan.frames.push_back(FramesForGap(gap, periodUs));
    }
    return plan;
}
