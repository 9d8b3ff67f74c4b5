#pragma once

#include <cstdint>
#include <span>
#include <string>

// The nominal schedule of a transfer, worked out from the frame and the three times without
// running it: how long the whole transfer takes and how much is left after a given step.
class TransferEstimate {
public:
    TransferEstimate(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                     std::int32_t oneTime, std::int32_t syncTime);

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

    std::span<const std::uint8_t> frame;
    std::int32_t zeroTime;
    std::int32_t oneTime;
    std::int32_t syncTime;
    std::int64_t total = 0;
};

enum class Rounding { Nearest, Up };
// A duration for people in whole seconds: "42 s", "1 min 13 s", "2 min". Time left rounds up,
// so it reads "1 s" until the very end.
std::string FormatDuration(std::int64_t microseconds, Rounding rounding = Rounding::Nearest);
