#include <gtest/gtest.h>

#include <algorithm>
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
    const struct {
        std::int64_t gapUs;
        double periodUs;
        int frames;
    } cases[] = {
        {50'000, 20'000, 2},  // 2.5 frames: 40 ms lies 35 ms from the split, 60 ms only 15
        {60'000, 40'000, 1},  // 1.5 frames: 40 ms lies 35 ms from the split, 80 ms only 5
        {90'000, 20'000, 5},  // beyond the split a tie rounds up
        // Ties only to within rounding, as 1e6 / 30 and 1e6 / 75 are not exact.
        {kZeroTimeUs, 1e6 / 30, 1},
        {kOneTimeUs, 1e6 / 75, 8},
        {kZeroTimeUs, 500'000, 1},  // never none, however long the frame
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FramesForGap(c.gapUs, c.periodUs), c.frames) << c.gapUs << " / " << c.periodUs;
    }
}

TEST(FramePlan, TheGapsAreTheTransmittersAndTheEstimateUsesThePlannedFrames) {
    std::vector<std::uint8_t> frame(23);
    std::generate(frame.begin(), frame.end(), std::mt19937(7));
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

    const FramePlan plan = PlanTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs, 1e6 / 30);
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
