#include "core/TransferFrame.h"

#include <bit>
#include <span>

#include "core/TimerProgram.h"

std::vector<std::uint8_t> BuildTransferFrame(const TimerProgram& program) {
    const auto n = static_cast<std::size_t>(program.GetImageSize());
    std::vector<std::uint8_t> frame(n + 3);
    program.BuildImage(std::span(frame).subspan(2, n));
    frame[0] = kFrameStartByte;
    frame[1] = static_cast<std::uint8_t>(n & 0xFFu);
    frame[n + 2] = FrameChecksum(std::span(frame).subspan(1, n + 1));
    return frame;
}

std::uint8_t FrameChecksum(std::span<const std::uint8_t> lengthAndImage) {
    unsigned sum = 0;
    for (const std::uint8_t byte : lengthAndImage) {
        sum += byte;
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

std::int64_t TransferDurationUs(const std::vector<std::uint8_t>& frame, std::int32_t zeroTime,
                                std::int32_t oneTime, std::int32_t syncTime) {
    if (frame.empty()) {
        return 0;  // the transmitter stops at once, without a closing sync
    }
    std::int64_t total = syncTime;
    for (const std::uint8_t byte : frame) {
        const int ones = std::popcount(byte);
        total += 2 * std::int64_t{syncTime} + std::int64_t{ones} * oneTime +
                 std::int64_t{8 - ones} * zeroTime;
    }
    return total;
}
