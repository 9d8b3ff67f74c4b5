#pragma once

#include <cstdint>
#include <span>
#include <string>

// The schedule of a transfer, worked out from the frame and the three times without running
// it: how long the whole transfer takes and how much is left after a given step. With a display
// frame period each wait is held for its planned whole frames (FramesForGap), as a frame-locked
// transfer shows it; without, the nominal times.
class TransferEstimate {
public:
    TransferEstimate(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                     std::int32_t oneTime, std::int32_t syncTime, double framePeriodUs = 0);

    // Microseconds from the first step to the end of the transfer loop.
    std::int64_t TotalUs() const { return total; }
    // Microseconds from the first step to the step that reported this position (the
    // transmitter's phase + 10 × byte index); positions past the end count as the final step.
    std::int64_t StepTimeUs(std::int32_t position) const;
    // Microseconds left once the step that reported this position is elapsedUs behind.
    std::int64_t RemainingUs(std::int32_t position, std::int64_t elapsedUs = 0) const;

private:
    // The wait the step reaching this position (1 .. 10 × size + 1) sets.
    std::int64_t DelayAfter(std::int32_t position) const;
    // A wait as the transfer holds it.
    std::int64_t Held(std::int32_t wait) const;

    std::span<const std::uint8_t> frame;
    std::int32_t zeroTime;
    std::int32_t oneTime;
    std::int32_t syncTime;
    double framePeriodUs;
    std::int64_t total = 0;
};

enum class Rounding { Nearest, Up };
// A duration for people in whole seconds: "42 s", "1 min 13 s", "2 min". Time left rounds up,
// so it reads "1 s" until the very end.
std::string FormatDuration(std::int64_t microseconds, Rounding rounding = Rounding::Nearest);
