#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Where the receiver splits a zero from a one: a shorter gap reads as a zero.
inline constexpr std::int64_t kSplitUs = 75'000;

// The whole display frames a gap is held for at this frame period (microseconds, positive):
// the nearest count, at least one. On a tie, the count whose length lies farther from the
// split, so that the rounding never brings a gap closer to being misread.
int FramesForGap(std::int64_t gapUs, double periodUs);

// The gaps between a transfer's colour swaps, in order, as FlashTransmitter sends them: per
// byte two syncs (the first byte's first one has no visible start) and eight bits, least
// significant first. 10 × size − 1 gaps.
std::vector<std::int32_t> TransferGaps(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                                       std::int32_t oneTime, std::int32_t syncTime);

// The byte (0-based) a gap of TransferGaps belongs to.
std::int32_t ByteOfGap(std::size_t gap);

// A transfer laid out in display frames.
struct FramePlan {
    std::vector<std::int32_t> gapsUs;  // nominal
    std::vector<int> frames;           // FramesForGap of each
    double periodUs = 0;

    // From the first swap to the last one shown.
    std::int64_t TotalUs() const;
};

FramePlan PlanTransfer(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                       std::int32_t oneTime, std::int32_t syncTime, double periodUs);
