#include "core/TransferEstimate.h"

#include <algorithm>
#include <cmath>

#include "core/FramePlan.h"
#include "core/Translate.h"

TransferEstimate::TransferEstimate(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                                   std::int32_t oneTime, std::int32_t syncTime,
                                   double framePeriodUs)
    : frame(frame),
      zeroTime(zeroTime),
      oneTime(oneTime),
      syncTime(syncTime),
      framePeriodUs(framePeriodUs) {
    if (!frame.empty()) {
        const auto last = static_cast<std::int32_t>(10 * frame.size() + 1);
        total = StepTimeUs(last) + DelayAfter(last);
    }
}

std::int64_t TransferEstimate::Held(std::int32_t wait) const {
    if (framePeriodUs <= 0) {
        return wait;
    }
    return std::llround(FramesForGap(wait, framePeriodUs) * framePeriodUs);
}

std::int64_t TransferEstimate::DelayAfter(std::int32_t position) const {
    const std::int32_t phase = (position - 1) % 10 + 1;  // 1 .. 10
    const auto byte = static_cast<std::size_t>((position - 1) / 10);
    if (phase <= 2 || byte >= frame.size()) {
        return Held(syncTime);
    }
    return Held(((frame[byte] >> (phase - 3)) & 1) != 0 ? oneTime : zeroTime);
}

std::int64_t TransferEstimate::StepTimeUs(std::int32_t position) const {
    if (frame.empty()) {
        return 0;
    }
    const auto last = static_cast<std::int32_t>(10 * frame.size() + 1);
    position = std::clamp(position, std::int32_t{1}, last);
    // Whole bytes first: two syncs and eight bits each.
    const auto bytes = static_cast<std::size_t>((position - 1) / 10);
    std::int64_t time = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        const int ones = __builtin_popcount(frame[i]);
        time += 2 * Held(syncTime) + ones * Held(oneTime) + (8 - ones) * Held(zeroTime);
    }
    for (auto p = static_cast<std::int32_t>(10 * bytes + 1); p < position; ++p) {
        time += DelayAfter(p);
    }
    return time;
}

std::int64_t TransferEstimate::RemainingUs(std::int32_t position, std::int64_t elapsedUs) const {
    if (position <= 0) {
        return total;
    }
    const auto last = static_cast<std::int32_t>(10 * frame.size() + 1);
    const std::int64_t wait = DelayAfter(std::min(position, last));
    // Lateness stays in its interval, so a late step does not make the rest shorter.
    const std::int64_t left =
        total - StepTimeUs(position) - std::clamp(elapsedUs, std::int64_t{0}, wait);
    return std::max<std::int64_t>(left, 0);
}

std::string FormatDuration(std::int64_t microseconds, Rounding rounding) {
    const std::int64_t half = rounding == Rounding::Up ? 999'999 : 500'000;
    const std::int64_t seconds = std::max<std::int64_t>((microseconds + half) / 1'000'000, 0);
    if (seconds < 60) {
        return FillArgs(Translate("TransferEstimate", "%1 s"), {std::to_string(seconds)});
    }
    if (seconds % 60 == 0) {
        return FillArgs(Translate("TransferEstimate", "%1 min"), {std::to_string(seconds / 60)});
    }
    return FillArgs(Translate("TransferEstimate", "%1 min %2 s"),
                    {std::to_string(seconds / 60), std::to_string(seconds % 60)});
}
