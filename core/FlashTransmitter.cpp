#include "core/FlashTransmitter.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>
#include <utility>

namespace {

// Positions count ten per byte in 32 bits; no frame the editor can build comes near this.
constexpr std::int32_t kMaxFrameSize = (std::numeric_limits<std::int32_t>::max() - 10) / 10;

}  // namespace

Counter SteadyCounter() {
    using Clock = std::chrono::steady_clock;
    return Counter{
        [] { return static_cast<std::int64_t>(Clock::period::den / Clock::period::num); },
        [] { return static_cast<std::int64_t>(Clock::now().time_since_epoch().count()); },
    };
}

void PauseOnSteadyClock(std::int64_t microseconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point due = Clock::now() + std::chrono::microseconds(microseconds);
    const Clock::time_point pollFrom = due - std::chrono::microseconds(kPauseSpinUs);
    if (Clock::now() < pollFrom) {
        std::this_thread::sleep_until(pollFrom);
    }
    // Holding the core for the whole poll would starve the display server on a two-core
    // machine: the new colours would reach the screen milliseconds after they were painted. At
    // the very end a yield could hand the core away past the moment, so that stretch keeps it.
    const Clock::time_point keepFrom = due - std::chrono::microseconds(kPauseKeepUs);
    for (Clock::time_point now = Clock::now(); now < due; now = Clock::now()) {
        if (now < keepFrom) {
            std::this_thread::yield();
        }
    }
}

std::int64_t ElapsedMicroseconds(std::int64_t start, std::int64_t now, std::int64_t frequency) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t counts = 0;
    if (__builtin_sub_overflow(now, start, &counts)) {
        return now > start ? kMax : kMin;
    }
    std::int64_t scaled = 0;
    if (__builtin_mul_overflow(counts, std::int64_t{1'000'000}, &scaled)) {
        return counts > 0 ? kMax : kMin;
    }
    return scaled / frequency;
}

FlashTransmitter::FlashTransmitter(const std::uint8_t* data, std::int32_t size,
                                   std::int32_t zeroTime, std::int32_t oneTime,
                                   std::int32_t syncTime)
    : data(data),
      // A negative size would let Step read the frame past its end.
      size(data == nullptr ? 0 : std::clamp(size, std::int32_t{0}, kMaxFrameSize)),
      zeroTime(zeroTime),
      oneTime(oneTime),
      syncTime(syncTime) {}

void FlashTransmitter::Begin() {
    byteIndex = 0;
    phase = 0;
    delay = 0;
}

void FlashTransmitter::Step() {
    if (byteIndex >= size) {
        stop = true;
        return;
    }
    if (phase == 10) {
        ++byteIndex;
        phase = 0;
        SwapColors();
        RequestRepaint();
    }
    if (phase == 0) {
        // The first sync of byte 0 starts unseen; for later bytes the byte change above began it.
        delay = static_cast<std::uint32_t>(syncTime);
        phase = 1;
        return;
    }
    if (phase == 1) {
        delay = static_cast<std::uint32_t>(syncTime);
        SwapColors();
        RequestRepaint();
        phase = 2;
        return;
    }
    const bool one = ((data[byteIndex] >> (phase - 2)) & 1) != 0;
    delay = static_cast<std::uint32_t>(one ? oneTime : zeroTime);
    SwapColors();
    RequestRepaint();
    ++phase;
}

void FlashTransmitter::SwapColors() {
    std::swap(leftColor, rightColor);
}

void FlashTransmitter::Cancel() {
    stop = true;
    leftColor = kBlack;
    rightColor = kWhite;
}

bool FlashTransmitter::RunTransfer() {
    counterFailed = false;
    const std::int64_t frequency =
        hooks.counter.frequency && hooks.counter.reading ? hooks.counter.frequency() : 0;
    if (frequency <= 0) {
        FailCounter();
        return IsComplete();
    }
    // Each wait runs from a reading taken just before the step that set it, so lateness in
    // seeing a wait end stays in that interval and is never made up later.
    std::int64_t waitStart = hooks.counter.reading();
    while (!stop) {
        if (hooks.pumpEvent && hooks.pumpEvent()) {
            continue;
        }
        const std::int64_t elapsed =
            ElapsedMicroseconds(waitStart, hooks.counter.reading(), frequency);
        if (elapsed < 0) {
            // A counter that goes back can no longer time anything; never wait on it forever.
            FailCounter();
            break;
        }
        if (elapsed < static_cast<std::int64_t>(delay)) {
            const std::int64_t left = static_cast<std::int64_t>(delay) - elapsed;
            if (hooks.waitForEvents && left - kPollWindowUs >= kEventWaitGrainUs) {
                hooks.waitForEvents(left - kPollWindowUs);
            } else if (hooks.pause) {
                hooks.pause(left);
            }
            continue;
        }
        waitStart = hooks.counter.reading();
        Step();
        if (hooks.reportProgress) {
            hooks.reportProgress(GetPosition());
        }
    }
    return IsComplete();
}

void FlashTransmitter::FailCounter() {
    counterFailed = true;
    Cancel();
}

void FlashTransmitter::RequestRepaint() {
    if (hooks.requestRepaint) {
        hooks.requestRepaint();
    }
}

SignalTimeline SimulateTransfer(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                                std::int32_t oneTime, std::int32_t syncTime) {
    const auto size = static_cast<std::int32_t>(
        std::min<std::size_t>(frame.size(), std::numeric_limits<std::int32_t>::max()));
    FlashTransmitter transmitter(frame.data(), size, zeroTime, oneTime, syncTime);
    SignalTimeline timeline;
    std::int64_t now = 0;        // microseconds; only the pump moves it
    std::int64_t waitStart = 0;  // the reading the loop took just before the last step
    transmitter.SetHooks({
        .counter = {[] { return std::int64_t{1'000'000}; }, [&] { return now; }},
        // Idle time passes in the pump: jump straight to the moment the next step is due.
        .pumpEvent =
            [&] {
                now = std::max(now, waitStart + std::int64_t{transmitter.GetDelay()});
                return false;
            },
        .requestRepaint = [&] { timeline.swapsUs.push_back(now); },
        .reportProgress = [&](std::int32_t) { waitStart = now; },
    });
    transmitter.ClearStop();
    transmitter.Begin();
    transmitter.RunTransfer();
    timeline.endUs = now;
    return timeline;
}
