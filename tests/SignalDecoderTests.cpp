#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "FlashTransmitter.h"
#include "SignalDecoder.h"
#include "TestSupport.h"
#include "TransferFrame.h"

using namespace testing_support;

namespace {

std::vector<std::int64_t> Signal(const std::vector<std::uint8_t>& frame) {
    return SimulateTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs).swapsUs;
}

// Moves every swap from index on by shift, lengthening the interval that ends at index.
void Stretch(std::vector<std::int64_t>& swaps, std::size_t index, std::int64_t shift) {
    for (std::size_t i = index; i < swaps.size(); ++i) {
        swaps[i] += shift;
    }
}

// Clean signals of random and large frames go through the round-trip script as well.
TEST(SignalDecoder, ReadsARandomFrameWithJitterBelowHalfTheBitDifference) {
    const std::vector<std::uint8_t> frame = BuildTransferFrame(RandomProgram(7));
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
    // Frame 55 01 00 01; the third byte is all zeros. Its bit 0 interval ends at swap 23
    // (index 22). Stretching it to the middle (75 ms) keeps a 0; one microsecond more is a 1.
    const std::vector<std::uint8_t> frame = {0x55, 0x01, 0x00, 0x01};
    std::vector<std::int64_t> swaps = Signal(frame);
    Stretch(swaps, 22, 25'000);
    DecodeResult result = SignalDecoder().Decode(swaps);
    EXPECT_TRUE(result.ok) << result.reason;

    Stretch(swaps, 22, 1);
    result = SignalDecoder().Decode(swaps);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.frame, (std::vector<std::uint8_t>{0x55, 0x01, 0x01, 0x01}));
    EXPECT_EQ(result.reason, "checksum byte is 0x01 but the length and image bytes add up to 0x02");
}

TEST(SignalDecoder, SaysWhyABrokenSignalIsRefused) {
    const std::vector<std::uint8_t> good = {0x55, 0x02, 0x81, 0x20, 0xA3};
    const SignalDecoder decoder;

    struct Case {
        std::string name;
        std::vector<std::int64_t> swaps;
        std::string reason;
    };
    std::vector<Case> cases;
    cases.push_back({"no swaps", {}, "no colour swaps"});
    {
        std::vector<std::int64_t> swaps = Signal(good);
        swaps.insert(swaps.begin() + 5, swaps[4] + 10);
        cases.push_back(
            {"doubled swap", swaps, "51 colour swaps do not make whole bytes (10 swaps per byte)"});
    }
    {
        std::vector<std::int64_t> swaps = Signal(good);
        swaps[8] = swaps[7];
        cases.push_back({"swap out of order", swaps,
                         "swap 9 at 550000 us does not come after swap 8 at 550000 us"});
    }
    {
        // Byte 2's first sync interval ends at swap 21 (index 20).
        std::vector<std::int64_t> swaps = Signal(good);
        Stretch(swaps, 20, 40'000);
        cases.push_back({"long sync", swaps, "byte 2: sync interval of 90000 us reads as a 1 bit"});
    }
    {
        std::vector<std::int64_t> swaps = Signal(good);
        swaps.resize(20);
        cases.push_back({"too short", swaps,
                         "2 bytes are too short for a frame (start byte, length byte, checksum)"});
    }
    cases.push_back({"wrong start byte", Signal({0x54, 0x02, 0x81, 0x20, 0xA3}),
                     "start byte is 0x54, not 0x55"});
    cases.push_back({"wrong length", Signal({0x55, 0x03, 0x81, 0x20, 0xA4}),
                     "length byte is 0x03 but the signal carries 2 image bytes (0x02)"});

    for (const Case& c : cases) {
        const DecodeResult result = decoder.Decode(c.swaps);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
    }
}

TEST(SignalDecoder, FollowsTheTimesItIsGiven) {
    // Short times, one shorter than zero: the split still falls between them.
    const std::vector<std::uint8_t> frame = {0x55, 0x01, 0x7E, 0x7F};
    const std::vector<std::int64_t> swaps = SimulateTransfer(frame, 900, 300, 900).swapsUs;
    const DecodeResult result = SignalDecoder(900, 300, 900).Decode(swaps);
    EXPECT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.frame, frame);
    EXPECT_FALSE(SignalDecoder().Decode(swaps).ok);

    EXPECT_EQ(SignalDecoder(500, 500, 500).Decode(swaps).reason,
              "zero and one times are equal, so bits cannot be told apart");
}

}  // namespace
