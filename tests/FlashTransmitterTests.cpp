#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>

#include <string>

#include "core/FlashTransmitter.h"
#include "core/ShortSlice.h"
#include "core/TransferEstimate.h"
#include "core/TransferFrame.h"

namespace {

using Times = std::vector<std::int64_t>;

// The frame of an empty program with the startup flag off.
const std::vector<std::uint8_t> kFrame = {0x55, 0x01, 0x00, 0x01};

// A transmitter on a simulated microsecond counter. Time passes only in the pump: 1 ms on
// every call that finds no event, so a run's first step, due at once, is at 0. onPump plays the
// user's events.
struct Rig {
    explicit Rig(std::vector<std::uint8_t> bytes, std::int32_t zero = kZeroTimeUs,
                 std::int32_t one = kOneTimeUs, std::int32_t sync = kSyncTimeUs)
        : frame(std::move(bytes)),
          transmitter(frame.data(), static_cast<std::int32_t>(frame.size()), zero, one, sync) {
        transmitter.SetHooks({
            .counter = {[this] { return frequency; }, [this] { return now; }},
            .pumpEvent =
                [this] {
                    if (onPump && onPump()) {
                        return true;
                    }
                    now += pumpCost;
                    return false;
                },
            .requestRepaint = [this] { swaps.push_back(now); },
            .reportProgress = [this](std::int32_t position) { positions.push_back(position); },
            .waitForEvents =
                [this](std::int64_t microseconds) {
                    if (onSleep) {
                        onSleep(microseconds);
                    }
                },
            .pause =
                [this](std::int64_t microseconds) {
                    if (onSleep) {
                        now += microseconds;
                        pauses.push_back(microseconds);
                    }
                },
        });
    }

    bool Run() {
        swaps.clear();
        positions.clear();
        transmitter.ClearStop();
        transmitter.Begin();
        return transmitter.RunTransfer();
    }

    void CancelAfterSwaps(std::size_t count) {
        onPump = [this, count] {
            if (swaps.size() != count || transmitter.IsStopped()) {
                return false;
            }
            transmitter.Cancel();
            return true;
        };
    }

    // Time to each swap from the one before it, or from the first step.
    Times Intervals() const {
        Times result(swaps.size());
        std::adjacent_difference(swaps.begin(), swaps.end(), result.begin());
        return result;
    }

    std::vector<std::uint8_t> frame;
    FlashTransmitter transmitter;
    std::int64_t frequency = 1'000'000;
    std::int64_t now = -1'000;
    std::function<bool()> onPump;
    std::function<void(std::int64_t)> onSleep;  // unset: the loop polls through every wait
    std::int64_t pumpCost = 1'000;              // what a pump call that finds nothing takes
    Times pauses;
    Times swaps;
    std::vector<std::int32_t> positions;
};

TEST(FlashTransmitter, LatenessStaysInItsIntervalAndIsNeverMadeUp) {
    // At 160 ms, inside the wait due at 200 ms, a handler runs for 69 ms; the next idle turn,
    // at 230 ms, finds the wait over 30 ms late.
    Rig rig(kFrame);
    rig.onPump = [&rig, busy = false]() mutable {
        if (busy || rig.now < 160'000) {
            return false;
        }
        busy = true;
        rig.now += 69'000;
        return true;
    };
    rig.Run();
    Rig nominal(kFrame);
    nominal.Run();
    Times expected = nominal.Intervals();
    expected[2] += 30'000;
    EXPECT_EQ(rig.Intervals(), expected) << "only the interval the delay fell into grows";
}

TEST(FlashTransmitter, CancelMidByteResetsThePanesAndBeginStartsAnew) {
    // After 13 swaps the left pane is white.
    Rig rig(kFrame);
    rig.CancelAfterSwaps(13);
    rig.Run();
    EXPECT_FALSE(rig.transmitter.IsComplete());
    EXPECT_EQ(rig.swaps.size(), 13u) << "no swap after the cancel";
    EXPECT_EQ(rig.transmitter.GetLeftColor(), FlashTransmitter::kBlack);
    EXPECT_EQ(rig.transmitter.GetRightColor(), FlashTransmitter::kWhite);

    // A cancel after the final swap leaves the run complete. Runs after a cancelled one and
    // after a complete one start at byte 0 with no wait left over.
    rig.CancelAfterSwaps(40);
    for (int run = 0; run < 2; ++run) {
        const std::int64_t start = rig.now;
        rig.Run();
        EXPECT_TRUE(rig.transmitter.IsComplete());
        ASSERT_EQ(rig.swaps.size(), 40u);
        EXPECT_EQ(rig.positions.front(), 1);
        EXPECT_EQ(rig.swaps.front() - start, 51'000);
    }
}

TEST(FlashTransmitter, ARunReportsEveryPositionAndEndsAtOnceForNothingOrABadCounter) {
    // Four bytes: every position reported, forty swaps.
    Rig full(kFrame);
    EXPECT_TRUE(full.Run());
    std::vector<std::int32_t> positions(42, 41);
    std::iota(positions.begin(), positions.end() - 2, 1);
    EXPECT_EQ(full.positions, positions);
    EXPECT_EQ(full.swaps.size(), 40u);

    Rig empty({});
    EXPECT_TRUE(empty.Run());
    EXPECT_TRUE(empty.swaps.empty());
    EXPECT_EQ(empty.positions, std::vector<std::int32_t>{0}) << "stops at the first step";

    // Without a usable counter the run ends as cancelled, without a step.
    for (const std::int64_t frequency : {std::int64_t{0}, std::int64_t{-1'000}}) {
        Rig rig(kFrame);
        rig.frequency = frequency;
        EXPECT_FALSE(rig.Run());
        EXPECT_TRUE(rig.positions.empty());
        EXPECT_TRUE(rig.transmitter.CounterFailed());
    }

    // A counter that jumps back mid-run would leave the loop waiting for ever.
    Rig rig(kFrame);
    rig.onPump = [&rig] {
        if (rig.swaps.size() == 5) {
            rig.now -= 10'000'000;
            rig.onPump = nullptr;
        }
        return false;
    };
    EXPECT_FALSE(rig.Run());
    EXPECT_TRUE(rig.transmitter.CounterFailed());
    EXPECT_EQ(rig.swaps.size(), 5u);
    EXPECT_EQ(rig.transmitter.GetLeftColor(), FlashTransmitter::kBlack);
    EXPECT_TRUE(rig.transmitter.IsStopped());
}

TEST(FlashTransmitter, SleepsUntilShortlyBeforeEachStepThenPausesOntoIt) {
    // Times that are not whole milliseconds, so that a dispatcher's rounding shows.
    const std::int32_t zero = 20'500, one = 70'300, sync = 30'700;
    const SignalTimeline nominal = SimulateTransfer(kFrame, zero, one, sync);
    Times due = nominal.swapsUs;
    due.push_back(nominal.endUs);
    // An exact sleep, and one that sleeps whole milliseconds only, as an event dispatcher does.
    for (const bool wholeMilliseconds : {false, true}) {
        SCOPED_TRACE(wholeMilliseconds ? "whole milliseconds" : "exact");
        // Time passes only while the loop sleeps or pauses.
        Rig rig(kFrame, zero, one, sync);
        rig.pumpCost = 0;
        rig.now = 0;
        Times wakes;
        Times asked;
        rig.onSleep = [&](std::int64_t microseconds) {
            asked.push_back(microseconds);
            rig.now += wholeMilliseconds ? microseconds / 1000 * 1000 : microseconds;
            wakes.push_back(rig.now);
            if (wakes.size() > 10 * due.size()) {
                rig.transmitter.Cancel();  // a loop that sleeps for nothing would never end
            }
        };
        int pumps = 0;
        rig.onPump = [&pumps] {
            ++pumps;
            return false;
        };
        EXPECT_TRUE(rig.Run());
        EXPECT_EQ(rig.swaps, nominal.swapsUs) << "every step exactly when due";

        // One sleep per wait, ending at least one poll window before the step it waits for,
        // then one pause for the rest.
        ASSERT_EQ(wakes.size(), due.size());
        ASSERT_EQ(rig.pauses.size(), due.size());
        for (std::size_t i = 0; i < wakes.size(); ++i) {
            EXPECT_GE(asked[i], kEventWaitGrainUs) << "wait " << i;
            EXPECT_EQ(wakes[i] + rig.pauses[i], due[i]) << "wait " << i;
            if (wholeMilliseconds) {
                EXPECT_GE(rig.pauses[i], kPollWindowUs) << "wait " << i;
                EXPECT_LT(rig.pauses[i], kPollWindowUs + kEventWaitGrainUs) << "wait " << i;
            } else {
                EXPECT_EQ(rig.pauses[i], kPollWindowUs) << "wait " << i;
            }
        }
        // A turn that neither sleeps nor steps would be a spin on the event queue.
        EXPECT_EQ(pumps, static_cast<int>(3 * due.size() + 1));
    }
}

TEST(FlashTransmitter, PauseOnTheRealClockNeverEndsEarly) {
    for (const std::int64_t microseconds : Times{0, 300, kPauseSpinUs + 700}) {
        const auto start = std::chrono::steady_clock::now();
        PauseOnSteadyClock(microseconds);
        EXPECT_GE(std::chrono::steady_clock::now() - start,
                  std::chrono::microseconds(microseconds));
    }
}

TEST(FlashTransmitter, AnEventDuringASleepIsHandledThenAndTheStepsStayOnTime) {
    // A repaint 30 ms into the wait for the swap due at 200 ms; a cancel at 470 ms, in the wait
    // for the swap due at 500 ms.
    Rig rig(kFrame);
    rig.pumpCost = 0;
    rig.now = 0;
    int repaints = 0;
    std::vector<std::pair<std::int64_t, std::function<void()>>> events = {
        {130'000, [&repaints] { ++repaints; }},
        {470'000, [&rig] { rig.transmitter.Cancel(); }},
    };
    rig.onSleep = [&rig, &events](std::int64_t microseconds) {
        const std::int64_t wake = rig.now + microseconds;
        for (auto& [at, handle] : events) {
            if (handle && at > rig.now && at <= wake) {
                rig.now = at;
                std::exchange(handle, nullptr)();
                return;
            }
        }
        rig.now = wake;
    };
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(rig.swaps, (Times{50'000, 100'000, 200'000, 250'000, 350'000, 400'000}));
    EXPECT_EQ(rig.now, 470'000) << "the cancel ended the run as it came";
    EXPECT_FALSE(rig.transmitter.CounterFailed());
}

TEST(TransferEstimate, FollowsTheNominalScheduleForShortAndLongFrames) {
    // Three different times, so a zero, a one and a sync cannot stand in for each other.
    const std::int32_t zero = 20'000, one = 70'000, sync = 30'000;
    for (const std::size_t size : {1u, 16u, 131u}) {
        std::vector<std::uint8_t> frame(size);
        std::generate(frame.begin(), frame.end(), std::mt19937(size));
        const SignalTimeline nominal = SimulateTransfer(frame, zero, one, sync);
        const TransferEstimate estimate(frame, zero, one, sync);
        EXPECT_EQ(estimate.TotalUs(), nominal.endUs) << size << " bytes";
        EXPECT_EQ(estimate.RemainingUs(0), nominal.endUs);
        ASSERT_EQ(nominal.swapsUs.size(), 10 * size);
        for (std::size_t k = 0; k < nominal.swapsUs.size(); ++k) {
            // Swap k + 1 comes with the step that reports position k + 2.
            const auto position = static_cast<std::int32_t>(k + 2);
            const std::int64_t left = nominal.endUs - nominal.swapsUs[k];
            ASSERT_EQ(estimate.StepTimeUs(position), nominal.swapsUs[k]) << size << "/" << k;
            ASSERT_EQ(estimate.RemainingUs(position), left);
            ASSERT_EQ(estimate.RemainingUs(position, 10'000), left - 10'000);
            // However late the next step, the rest is still all to come.
            const std::int64_t next =
                k + 1 < nominal.swapsUs.size() ? nominal.swapsUs[k + 1] : nominal.endUs;
            ASSERT_EQ(estimate.RemainingUs(position, 5'000'000), nominal.endUs - next);
        }
    }
    EXPECT_EQ(TransferEstimate({}, zero, one, sync).TotalUs(), 0);
}

}  // namespace
