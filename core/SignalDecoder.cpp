#include "core/SignalDecoder.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kSwapsPerByte = 10;

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

}  // namespace

SignalDecoder::SignalDecoder(std::int32_t zeroTime, std::int32_t oneTime, std::int32_t syncTime)
    : zeroTime(zeroTime), oneTime(oneTime), syncTime(syncTime) {}

bool SignalDecoder::ReadsAsOne(std::int64_t interval) const {
    // Compare doubled values so the middle needs no rounding.
    const std::int64_t middle2 = std::int64_t{zeroTime} + oneTime;
    return oneTime > zeroTime ? 2 * interval > middle2 : 2 * interval < middle2;
}

DecodeResult SignalDecoder::Decode(std::span<const std::int64_t> swapTimes) const {
    DecodeResult result;
    if (zeroTime == oneTime) {
        result.reason = "zero and one times are equal, so bits cannot be told apart";
        return result;
    }
    if (swapTimes.empty()) {
        result.reason = "no colour swaps";
        return result;
    }
    for (std::size_t i = 1; i < swapTimes.size(); ++i) {
        if (swapTimes[i] <= swapTimes[i - 1]) {
            result.reason = "swap " + std::to_string(i + 1) + " at " +
                            std::to_string(swapTimes[i]) + " us does not come after swap " +
                            std::to_string(i) + " at " + std::to_string(swapTimes[i - 1]) + " us";
            return result;
        }
    }
    if (swapTimes.size() % kSwapsPerByte != 0) {
        result.reason = std::to_string(swapTimes.size()) +
                        " colour swaps do not make whole bytes (10 swaps per byte)";
        return result;
    }

    // Swap i (from 0) ends the interval that began at swap i - 1.
    auto interval = [&](std::size_t end) { return swapTimes[end] - swapTimes[end - 1]; };
    const bool syncReadsAsOne = ReadsAsOne(syncTime);
    const std::size_t byteCount = swapTimes.size() / kSwapsPerByte;
    for (std::size_t k = 0; k < byteCount; ++k) {
        const std::size_t first = k * kSwapsPerByte;  // the swap that ends this byte's first sync
        for (std::size_t end = (k == 0 ? 1 : first); end <= first + 1; ++end) {
            if (ReadsAsOne(interval(end)) != syncReadsAsOne) {
                result.reason = "byte " + std::to_string(k) + ": sync interval of " +
                                std::to_string(interval(end)) + " us reads as a " +
                                (syncReadsAsOne ? "0" : "1") + " bit";
                return result;
            }
        }
        unsigned byte = 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (ReadsAsOne(interval(first + 2 + bit))) {
                byte |= 1u << bit;
            }
        }
        result.frame.push_back(static_cast<std::uint8_t>(byte));
    }

    const std::vector<std::uint8_t>& frame = result.frame;
    if (frame.size() < 3) {
        result.reason = std::to_string(frame.size()) +
                        (frame.size() == 1 ? " byte is" : " bytes are") +
                        " too short for a frame (start byte, length byte, checksum)";
        return result;
    }
    if (frame[0] != kFrameStartByte) {
        result.reason = "start byte is " + Hex(frame[0]) + ", not " + Hex(kFrameStartByte);
        return result;
    }
    const std::size_t imageSize = frame.size() - 3;
    if (frame[1] != (imageSize & 0xFFu)) {
        result.reason = "length byte is " + Hex(frame[1]) + " but the signal carries " +
                        std::to_string(imageSize) + " image bytes (" + Hex(imageSize & 0xFFu) + ")";
        return result;
    }
    const std::uint8_t sum = FrameChecksum(std::span(frame).subspan(1, frame.size() - 2));
    if (frame.back() != sum) {
        result.reason = "checksum byte is " + Hex(frame.back()) +
                        " but the length and image bytes add up to " + Hex(sum);
        return result;
    }
    result.ok = true;
    return result;
}
