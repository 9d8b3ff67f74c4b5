#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "TestSupport.h"
#include "core/FlashTransmitter.h"
#include "core/SignalDecoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::int64_t> Signal(const Bytes& frame) {
    return SimulateTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs).swapsUs;
}

// Clean signals of random and large frames go through the round-trip script.
TEST(SignalDecoder, ReadsARandomFrameWithJitterBelowHalfTheBitDifference) {
    const Bytes frame = BuildTransferFrame(testing_support::RandomProgram(7));
    std::vector<std::int64_t> swaps = Signal(frame);
    std::mt19937 random(3);
    std::uniform_int_distribution<std::int64_t> jitter(-12'000, 12'000);
    for (std::int64_t& swap : swaps) {
        swap += jitter(random) + 1'000'000'000;  // any origin will do
    }
    const DecodeResult result = SignalDecoder().Decode(swaps);
    EXPECT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.frame, frame);
}

TEST(SignalDecoder, SplitsBitsAtTheMiddleOfZeroAndOneTimes) {
    // The third byte is all zeros; its bit 0 interval ends at swap 23 (index 22). Stretched to
    // the middle (75 ms) it stays a 0; one microsecond more makes it a 1.
    std::vector<std::int64_t> swaps = Signal({0x55, 0x01, 0x00, 0x01});
    auto stretch = [&](std::int64_t shift) {
        for (std::size_t i = 22; i < swaps.size(); ++i) {
            swaps[i] += shift;
        }
        return SignalDecoder().Decode(swaps);
    };
    EXPECT_TRUE(stretch(25'000).ok);
    const DecodeResult result = stretch(1);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.frame, (Bytes{0x55, 0x01, 0x01, 0x01}));
    EXPECT_EQ(result.reason, "checksum byte is 0x01 but the length and image bytes add up to 0x02");
}

TEST(SignalDecoder, SaysWhyAFrameIsRefused) {
    const std::vector<std::pair<Bytes, std::string>> cases = {
        {{0x55, 0x00}, "2 bytes are too short for a frame (start byte, length byte, checksum)"},
        {{0x54, 0x02, 0x81, 0x20, 0xA3}, "start byte is 0x54, not 0x55"},
        {{0x55, 0x03, 0x81, 0x20, 0xA4},
         "length byte is 0x03 but the signal carries 2 image bytes (0x02)"},
    };
    for (const auto& [frame, reason] : cases) {
        const DecodeResult result = SignalDecoder().Decode(Signal(frame));
        EXPECT_FALSE(result.ok) << reason;
        EXPECT_EQ(result.reason, reason);
    }
}

}  // namespace
