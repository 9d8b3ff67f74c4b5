#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>
#include <vector>

#include "FlashTransmitter.h"
#include "TransferFrame.h"

namespace {

constexpr ColorRef kBlack = FlashTransmitter::kBlack;
constexpr ColorRef kWhite = FlashTransmitter::kWhite;

// The frame of an empty program with the startup flag off.
const std::vector<std::uint8_t> kEmptyProgramFrame = {0x55, 0x01, 0x00, 0x01};

// A transmitter on a simulated microsecond counter. Time passes only where a test says so:
// idleStep on every pump call that finds no event.
struct Rig {
    explicit Rig(std::vector<std::uint8_t> bytes, std::int32_t zero = kZeroTimeUs,
                 std::int32_t one = kOneTimeUs, std::int32_t sync = kSyncTimeUs)
        : frame(std::move(bytes)),
          transmitter(frame.data(), static_cast<std::int32_t>(frame.size()), zero, one, sync) {
        transmitter.SetHooks({
            .counter = {[this] { return frequency; },
                        [this] {
                            ++readings;
                            return now;
                        }},
            .pumpEvent =
                [this] {
                    if (onPump && onPump()) {
                        return true;
                    }
                    now += idleStep;
                    return false;
                },
            .requestRepaint =
                [this] {
                    swaps.push_back(now);
                    leftAfterSwap.push_back(transmitter.GetLeftColor());
                },
            .reportProgress =
                [this](std::int32_t position) {
                    positions.push_back(position);
                    stepTimes.push_back(now);
                },
        });
    }

    bool Run() {
        transmitter.ClearStop();
        transmitter.Begin();
        return transmitter.RunTransfer();
    }

    // A handler that cancels the run once this many swaps have been sent.
    void CancelAfterSwaps(std::size_t count) {
        onPump = [this, count] {
            if (swaps.size() == count && !transmitter.IsStopped()) {
                transmitter.Cancel();
                return true;
            }
            return false;
        };
    }

    // Swap times counted from the first step, which every run takes on its first idle turn.
    std::vector<std::int64_t> SwapsFromFirstStep() const {
        std::vector<std::int64_t> result;
        for (const std::int64_t swap : swaps) {
            result.push_back(swap - stepTimes.front());
        }
        return result;
    }

    // Time between consecutive swaps.
    std::vector<std::int64_t> Intervals() const {
        std::vector<std::int64_t> result;
        for (std::size_t i = 1; i < swaps.size(); ++i) {
            result.push_back(swaps[i] - swaps[i - 1]);
        }
        return result;
    }

    std::vector<std::uint8_t> frame;
    FlashTransmitter transmitter;
    std::int64_t frequency = 1'000'000;
    std::int64_t now = 0;
    std::int64_t idleStep = 1'000;
    int readings = 0;
    std::function<bool()> onPump;
    std::vector<std::int64_t> swaps;
    std::vector<ColorRef> leftAfterSwap;
    std::vector<std::int32_t> positions;
    std::vector<std::int64_t> stepTimes;
};

std::vector<std::int64_t> Ms(std::initializer_list<std::int64_t> values) {
    std::vector<std::int64_t> result;
    for (const std::int64_t value : values) {
        result.push_back(value * 1000);
    }
    return result;
}

TEST(FlashTransmitter, FourByteFrameSwapsFortyTimesAndReportsEveryPosition) {
    Rig rig(kEmptyProgramFrame);
    EXPECT_TRUE(rig.Run());
    EXPECT_TRUE(rig.transmitter.IsComplete());
    ASSERT_EQ(rig.swaps.size(), 40u);
    std::vector<std::int32_t> expected(40);
    std::iota(expected.begin(), expected.end(), 1);
    expected.push_back(41);
    expected.push_back(41);
    EXPECT_EQ(rig.positions, expected);

    // Left is white after every odd-numbered swap, black after every even one.
    for (std::size_t i = 0; i < rig.leftAfterSwap.size(); ++i) {
        EXPECT_EQ(rig.leftAfterSwap[i], i % 2 == 0 ? kWhite : kBlack) << "swap " << i + 1;
    }
    EXPECT_EQ(rig.transmitter.GetRightColor(), kWhite);
}

TEST(FlashTransmitter, StartByteSwapsAtTheNominalMoments) {
    Rig rig(kEmptyProgramFrame);
    rig.Run();
    EXPECT_EQ(rig.stepTimes.front(), rig.idleStep) << "the first step is due at once";
    const std::vector<std::int64_t> swaps = rig.SwapsFromFirstStep();
    ASSERT_EQ(swaps.size(), 40u);
    const std::vector<std::int64_t> firstByte(swaps.begin(), swaps.begin() + 10);
    EXPECT_EQ(firstByte, Ms({50, 100, 200, 250, 350, 400, 500, 550, 650, 700}));
    EXPECT_EQ(swaps[10], 750'000) << "second byte's second sync";
    EXPECT_EQ(swaps[11], 800'000) << "second byte's first bit interval begins";
    EXPECT_EQ(rig.stepTimes.back() - rig.swaps.back(), kSyncTimeUs)
        << "the loop ends at the final step, one sync after the last swap";

    // The simulated run behind `tvrtool signal` is the same loop, started at 0.
    const SignalTimeline timeline =
        SimulateTransfer(kEmptyProgramFrame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    EXPECT_EQ(timeline.swapsUs, swaps);
    EXPECT_EQ(timeline.endUs,
              TransferDurationUs(kEmptyProgramFrame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs));
}

TEST(FlashTransmitter, BitsGoOutLeastSignificantFirst) {
    // One-byte frames: swap 2 opens bit 0 and swap 10 closes bit 7.
    const std::int64_t zero = 20'000;
    const std::int64_t one = 70'000;
    const std::int64_t sync = 30'000;
    auto bitIntervals = [&](std::uint8_t byte) {
        Rig rig({byte}, zero, one, sync);
        rig.Run();
        const std::vector<std::int64_t> intervals = rig.Intervals();
        EXPECT_EQ(intervals.size(), 9u);
        EXPECT_EQ(rig.SwapsFromFirstStep().front(), sync) << "one sync after the first step";
        EXPECT_EQ(intervals.front(), sync);
        return std::vector<std::int64_t>(intervals.begin() + 1, intervals.end());
    };
    EXPECT_EQ(bitIntervals(0x01),
              (std::vector<std::int64_t>{one, zero, zero, zero, zero, zero, zero, zero}));
    EXPECT_EQ(bitIntervals(0x80),
              (std::vector<std::int64_t>{zero, zero, zero, zero, zero, zero, zero, one}));
    EXPECT_EQ(bitIntervals(0xA6),
              (std::vector<std::int64_t>{zero, one, one, zero, zero, one, zero, one}));
}

TEST(FlashTransmitter, LatenessStaysInItsIntervalAndIsNeverMadeUp) {
    Rig rig(kEmptyProgramFrame);
    // The first step is taken at 1 ms. At 161 ms, inside the wait due at 201 ms, a handler runs
    // for 69 ms; the next idle turn, at 231 ms, finds the wait over 30 ms late.
    bool busy = false;
    rig.onPump = [&] {
        if (!busy && rig.now >= 161'000) {
            busy = true;
            rig.now += 69'000;
            return true;
        }
        return false;
    };
    rig.Run();
    const std::vector<std::int64_t> swaps = rig.SwapsFromFirstStep();
    ASSERT_EQ(swaps.size(), 40u);
    EXPECT_EQ(std::vector<std::int64_t>(swaps.begin(), swaps.begin() + 4), Ms({50, 100, 230, 280}));

    Rig nominal(kEmptyProgramFrame);
    nominal.Run();
    std::vector<std::int64_t> expected = nominal.Intervals();
    expected[1] += 30'000;
    EXPECT_EQ(rig.Intervals(), expected) << "only the interval the delay fell into grows";
}

TEST(FlashTransmitter, CancelMidByteStopsWithBlackAndWhiteAfterTheFinalSwapIsComplete) {
    for (const std::size_t cancelAfter : {std::size_t{13}, std::size_t{14}}) {
        Rig rig(kEmptyProgramFrame);
        rig.CancelAfterSwaps(cancelAfter);
        EXPECT_FALSE(rig.Run());
        EXPECT_TRUE(rig.transmitter.IsStopped());
        EXPECT_FALSE(rig.transmitter.IsComplete());
        EXPECT_EQ(rig.swaps.size(), cancelAfter) << "no swap after the cancel";
        EXPECT_EQ(rig.transmitter.GetLeftColor(), kBlack);
        EXPECT_EQ(rig.transmitter.GetRightColor(), kWhite);
    }

    Rig rig(kEmptyProgramFrame);
    rig.CancelAfterSwaps(40);
    EXPECT_TRUE(rig.Run());
    EXPECT_TRUE(rig.transmitter.IsComplete());
    EXPECT_EQ(std::count(rig.positions.begin(), rig.positions.end(), 41), 1)
        << "the final step never ran";
}

TEST(FlashTransmitter, EmptyFrameStopsAtTheFirstStepWithoutSwapping) {
    Rig rig({});
    EXPECT_TRUE(rig.Run());
    EXPECT_TRUE(rig.transmitter.IsStopped());
    EXPECT_TRUE(rig.swaps.empty());
    EXPECT_EQ(rig.positions, std::vector<std::int32_t>{0});

    // A negative size is no licence to read the frame.
    const std::uint8_t byte = 0xFF;
    FlashTransmitter negative(&byte, -3, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    negative.ClearStop();
    negative.Begin();
    negative.Step();
    EXPECT_TRUE(negative.IsStopped());
    EXPECT_EQ(negative.GetPosition(), 0);
}

TEST(FlashTransmitter, BeginRestartsFromTheFirstByte) {
    Rig rig(kEmptyProgramFrame);
    rig.CancelAfterSwaps(17);
    rig.Run();
    ASSERT_EQ(rig.swaps.size(), 17u);

    // A second run after the cancel, and a third after that one finished.
    rig.onPump = nullptr;
    for (int run = 0; run < 2; ++run) {
        rig.swaps.clear();
        rig.positions.clear();
        rig.stepTimes.clear();
        const std::int64_t start = rig.now;
        EXPECT_TRUE(rig.Run());
        ASSERT_EQ(rig.swaps.size(), 40u);
        EXPECT_EQ(rig.positions.front(), 1);
        EXPECT_EQ(rig.stepTimes.front() - start, rig.idleStep) << "the first step is due at once";
        EXPECT_EQ(rig.SwapsFromFirstStep().front(), kSyncTimeUs);
    }
}

TEST(FlashTransmitter, WithoutAUsableCounterTheRunEndsAtOnceAsCancelled) {
    for (const std::int64_t frequency : {std::int64_t{0}, std::int64_t{-1'000}}) {
        Rig rig(kEmptyProgramFrame);
        rig.frequency = frequency;
        EXPECT_FALSE(rig.Run());
        EXPECT_TRUE(rig.transmitter.IsStopped());
        EXPECT_TRUE(rig.positions.empty());
        EXPECT_TRUE(rig.swaps.empty());
        EXPECT_EQ(rig.readings, 0);
    }

    FlashTransmitter noCounter(kEmptyProgramFrame.data(), 4, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    noCounter.ClearStop();
    noCounter.Begin();
    EXPECT_FALSE(noCounter.RunTransfer());
    EXPECT_TRUE(noCounter.IsStopped());
}

TEST(FlashTransmitter, ElapsedTimeTruncatesAndSaturates) {
    EXPECT_EQ(ElapsedMicroseconds(0, 1, 3), 333'333);
    EXPECT_EQ(ElapsedMicroseconds(10, 9, 3), -333'333) << "truncated toward zero";
    EXPECT_EQ(ElapsedMicroseconds(1'000, 3'500, 1'000'000'000), 2);
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(ElapsedMicroseconds(0, kMax / 10, 1), kMax);
    EXPECT_EQ(ElapsedMicroseconds(kMax, kMin, 1'000), kMin);
    EXPECT_EQ(ElapsedMicroseconds(kMin, kMax, 1'000), kMax);
}

}  // namespace
