#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/FlashTransmitter.h"
#include "core/FramePlan.h"
#include "core/RefreshMeasure.h"
#include "core/TransferEstimate.h"
#include "core/TransferFrame.h"

namespace {

TEST(FramePlan, EveryRateFrom24To360HzKeepsGapsWithinHalfAFrameAndZerosShorterThanOnes) {
    for (int centiHz = 2'400; centiHz <= 36'000; ++centiHz) {
        const double periodUs = 1e8 / centiHz;
        const int zero = FramesForGap(kZeroTimeUs, periodUs);
        const int one = FramesForGap(kOneTimeUs, periodUs);
        for (const auto& [gap, frames] :
             {std::pair{kZeroTimeUs, zero}, std::pair{kOneTimeUs, one}}) {
            ASSERT_GE(frames, 1) << centiHz;
            ASSERT_LE(std::fabs(frames * periodUs - gap), periodUs / 2 + 1e-6) << centiHz;
        }
        ASSERT_LT(zero * periodUs, kSplitUs) << centiHz;
        ASSERT_GT(one * periodUs, kSplitUs) << centiHz;
    }
}

TEST(FramePlan, TiesGoToTheCountFartherFromTheSplit) {
    // 20 ms: a zero is 2.5 frames; 40 ms lies 35 ms from the split, 60 ms only 15.
    EXPECT_EQ(FramesForGap(50'000, 20'000), 2);
    // 40 ms frames: a 60 ms gap is 1.5; 40 ms lies 35 ms from the split, 80 ms only 5.
    EXPECT_EQ(FramesForGap(60'000, 40'000), 1);
    // On the far side of the split a tie rounds up: 90 ms at 20 ms frames is 4.5.
    EXPECT_EQ(FramesForGap(90'000, 20'000), 5);
    // The table's rates.
    const std::pair<double, std::pair<int, int>> table[] = {
        {30, {1, 3}}, {50, {2, 5}},   {59.94, {3, 6}}, {60, {3, 6}},
        {75, {4, 8}}, {120, {6, 12}}, {144, {7, 14}}};
    for (const auto& [hz, frames] : table) {
        EXPECT_EQ(FramesForGap(kZeroTimeUs, 1e6 / hz), frames.first) << hz;
        EXPECT_EQ(FramesForGap(kOneTimeUs, 1e6 / hz), frames.second) << hz;
    }
    // Never none, however long the frame.
    EXPECT_EQ(FramesForGap(kZeroTimeUs, 500'000), 1);
}

TEST(FramePlan, TheGapsAreTheTransmittersAndTheEstimateUsesThePlannedFrames) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> frame(23);
    for (std::uint8_t& byte : frame) {
        byte = static_cast<std::uint8_t>(random());
    }
    const std::int32_t zero = 20'000, one = 70'000, sync = 30'000;
    const SignalTimeline nominal = SimulateTransfer(frame, zero, one, sync);
    const std::vector<std::int32_t> gaps = TransferGaps(frame, zero, one, sync);
    ASSERT_EQ(gaps.size() + 1, nominal.swapsUs.size());
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        ASSERT_EQ(gaps[i], nominal.swapsUs[i + 1] - nominal.swapsUs[i]) << i;
    }
    // Byte 0 has nine gaps, every later byte ten.
    EXPECT_EQ(ByteOfGap(8), 0);
    EXPECT_EQ(ByteOfGap(9), 1);
    EXPECT_EQ(ByteOfGap(gaps.size() - 1), 22);

    // At 30 Hz a 50 ms gap is held for one frame, 33.3 ms, and a 100 ms one for three.
    const FramePlan plan = PlanTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs, 1e6 / 30);
    int ones = 0;
    for (const std::uint8_t byte : frame) {
        ones += __builtin_popcount(byte);
    }
    const auto fifties = static_cast<std::int64_t>(plan.gapsUs.size()) - ones;
    EXPECT_EQ(plan.TotalUs(), std::llround((static_cast<double>(fifties) + 3.0 * ones) * 1e6 / 30));
    const TransferEstimate paced(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs, 1e6 / 30);
    // The estimate also counts a sync before the first swap and one after the last; each
    // gap is rounded to the microsecond on its own.
    EXPECT_NEAR(static_cast<double>(paced.TotalUs()),
                static_cast<double>(plan.TotalUs()) + 2 * 1e6 / 30,
                static_cast<double>(plan.gapsUs.size()));
}

// Presented times on a grid with jitter, a frame missed now and then.
std::vector<std::int64_t> Presented(double periodUs, double jitterUs, int count, unsigned seed,
                                    int missEvery = 0) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(-jitterUs, jitterUs);
    std::vector<std::int64_t> times;
    double frame = 0;
    for (int i = 0; i < count; ++i) {
        frame += missEvery > 0 && i % missEvery == missEvery - 1 ? 2 : 1;
        times.push_back(std::llround(12'345.0 + frame * periodUs + jitter(random)));
    }
    return times;
}

TEST(RefreshMeasure, TheMedianOfNoisyIntervalsAndOnlyARealDisplayIsPaced) {
    // A 59.94 Hz display with 1.5 ms of jitter and a frame missed now and then.
    const double real = 1e6 / 59.94;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const RefreshReading reading = MeasureRefresh(Presented(real, 1'500, 40, seed, 9), 60);
        ASSERT_TRUE(reading.paced) << seed;
        ASSERT_NEAR(reading.periodUs, real, 500) << seed;
    }
    // Qt's 5 ms update timer on X11 ticks evenly, far from the screen's nominal 60 Hz.
    const RefreshReading timer = MeasureRefresh(Presented(5'000, 300, 40, 3), 60);
    EXPECT_FALSE(timer.paced);
    EXPECT_NEAR(timer.periodUs, 5'000, 300);
    // Frames whose length wanders are no clock, even around the right median.
    std::vector<std::int64_t> wandering = {0};
    std::mt19937 random(5);
    for (int i = 0; i < 40; ++i) {
        wandering.push_back(wandering.back() + 8'000 +
                            static_cast<std::int64_t>(random() % 17'000));
    }
    EXPECT_FALSE(MeasureRefresh(wandering, 1e6 / 16'500).paced);
    // 2 % off the nominal rate is a display that is not what it claims; too few frames say
    // nothing.
    EXPECT_FALSE(MeasureRefresh(Presented(1e6 / 58.8, 200, 40, 4), 60).paced);
    EXPECT_TRUE(MeasureRefresh(Presented(1e6 / 59.6, 200, 40, 4), 60).paced);
    EXPECT_FALSE(MeasureRefresh(Presented(real, 200, kRefreshSamples, 4), 60).paced);
    // A compositor on its own clock (no hardware refresh to hold it to) is paced when periodic.
    EXPECT_TRUE(MeasureRefresh(Presented(17'200, 400, 40, 4), 0).paced);
    EXPECT_FALSE(MeasureRefresh(wandering, 0).paced);
}

}  // namespace
