#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/TransferFrame.h"

struct DecodeResult {
    bool ok = false;
    std::vector<std::uint8_t> frame;  // the bytes read, also when a check failed
    std::string reason;               // why the signal was refused; empty when ok
};

// Our model of the receiver. It sees only the swaps: the first sync interval of the first byte
// begins unseen, so byte 0 shows one sync interval and every later byte two, then eight bit
// intervals, least significant bit first. An interval longer than the middle of the zero and
// one times is a 1. A sync interval that reads as the other kind of bit means the signal is
// damaged. The decoded frame must start with the start byte, its length byte must match the
// bytes carried, and its checksum must agree.
class SignalDecoder {
public:
    explicit SignalDecoder(std::int32_t zeroTime = kZeroTimeUs, std::int32_t oneTime = kOneTimeUs,
                           std::int32_t syncTime = kSyncTimeUs);

    // swapTimes: the moment of each colour swap in microseconds, from any fixed origin.
    DecodeResult Decode(std::span<const std::int64_t> swapTimes) const;

private:
    bool ReadsAsOne(std::int64_t interval) const;

    std::int32_t zeroTime;
    std::int32_t oneTime;
    std::int32_t syncTime;
};
