#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/Rgb.h"

// A monotonic high-resolution counter: counts per second, and the current count.
struct Counter {
    std::function<std::int64_t()> frequency;
    std::function<std::int64_t()> reading;
};

// std::chrono::steady_clock in nanoseconds.
Counter SteadyCounter();

// Microseconds from start to now on a counter of the given frequency (which must be positive),
// truncated toward zero. Differences too large for 64 bits saturate instead of wrapping.
std::int64_t ElapsedMicroseconds(std::int64_t start, std::int64_t now, std::int64_t frequency);

// What the transfer loop needs from its owner. Any hook may be left empty except the counter.
struct TransmitterHooks {
    Counter counter;
    // Handles pending user-interface events; true when there was one. Handlers may Cancel.
    std::function<bool()> pumpEvent;
    // Asks for the panes to be redrawn later in the current colours; must not paint at once.
    std::function<void()> requestRepaint;
    // Shows the position after each step.
    std::function<void(std::int32_t position)> reportProgress;
    // Sleeps at most this many microseconds, handling events; returns early once it has handled
    // one. Handlers may Cancel. Only asked for whole milliseconds (kEventWaitGrainUs) or more,
    // which is what an event dispatcher can time. Left empty, the loop polls for the whole wait.
    std::function<void(std::int64_t microseconds)> waitForEvents = nullptr;
    // Waits this many microseconds without handling events: the last stretch before a step,
    // which the dialog polls on the counter. Left empty, the loop polls through it itself.
    std::function<void(std::int64_t microseconds)> pause = nullptr;
};

// How long before a step is due the loop stops sleeping in waitForEvents, whose wake-up is only
// good to a millisecond or so, and pauses for the exact moment instead.
inline constexpr std::int64_t kPollWindowUs = 2'000;
// The shortest sleep waitForEvents is asked for. A shorter one would return at once, and the
// loop would spin on the event queue until the pause; the pause takes that time instead.
inline constexpr std::int64_t kEventWaitGrainUs = 1'000;

// The pause before a step on the real clock: sleeps in the system until kPauseSpinUs before the
// end, then polls the clock, yielding the core at every turn but the last kPauseKeepUs so that
// the display server and other programs that share the core are not held off. Never returns
// early.
void PauseOnSteadyClock(std::int64_t microseconds);
// The polled end of the pause: long enough to cover how late a sleeping core wakes up on an
// idle machine, short enough to leave the core to others.
inline constexpr std::int64_t kPauseSpinUs = 1'000;
inline constexpr std::int64_t kPauseKeepUs = 300;

// Sends a transfer frame as colour swaps of two panes. Per byte: two sync intervals, then eight
// bit intervals, least significant bit first; the receiver reads each bit from the time between
// two swaps. The first sync of the first byte has no visible start.
class FlashTransmitter {
public:
    static constexpr Rgb kBlack = 0x000000;
    static constexpr Rgb kWhite = 0xFFFFFF;

    // The frame is not copied: it must outlive the transmitter. Times are in microseconds.
    FlashTransmitter(const std::uint8_t* data, std::int32_t size, std::int32_t zeroTime,
                     std::int32_t oneTime, std::int32_t syncTime);

    void SetHooks(TransmitterHooks newHooks) { hooks = std::move(newHooks); }

    void ClearStop() { stop = false; }
    void Begin();
    void Step();
    void SwapColors();
    // Stops the run and puts the panes back to black and white; the caller repaints.
    void Cancel();

    // The transfer loop: steps whenever the current wait has passed on the counter, pumping
    // events in between, until every byte is sent or a handler cancels. Until shortly before a
    // step is due it sleeps in waitForEvents, then pauses until the step is due and checks the
    // counter. Returns IsComplete().
    // Without a usable counter (no reading, a frequency that is not positive, or a reading that
    // goes back) the run ends as cancelled and CounterFailed() tells so.
    bool RunTransfer();
    bool CounterFailed() const { return counterFailed; }

    bool IsStopped() const { return stop; }
    bool IsComplete() const { return byteIndex == size; }
    std::int32_t GetByteIndex() const { return byteIndex; }
    std::int32_t GetPosition() const { return phase + 10 * byteIndex; }
    std::uint32_t GetDelay() const { return delay; }
    Rgb GetLeftColor() const { return leftColor; }
    Rgb GetRightColor() const { return rightColor; }
    std::int32_t GetSize() const { return size; }
    const std::uint8_t* GetData() const { return data; }
    std::int32_t GetZeroTime() const { return zeroTime; }
    std::int32_t GetOneTime() const { return oneTime; }
    std::int32_t GetSyncTime() const { return syncTime; }

private:
    void RequestRepaint();
    void FailCounter();

    bool stop = true;
    bool counterFailed = false;
    Rgb leftColor = kBlack;
    Rgb rightColor = kWhite;
    const std::uint8_t* data;
    std::int32_t size;
    std::int32_t byteIndex = 0;
    std::int32_t phase = 0;
    std::uint32_t delay = 0;
    std::int32_t zeroTime;
    std::int32_t oneTime;
    std::int32_t syncTime;
    TransmitterHooks hooks;
};

// The swaps of a transfer under the nominal times: every step exactly when it is due.
struct SignalTimeline {
    std::vector<std::int64_t> swapsUs;  // after the transfer starts
    std::int64_t endUs = 0;             // when the transfer loop ends
};

// Runs the real transfer loop on a simulated clock that jumps to each due time.
SignalTimeline SimulateTransfer(std::span<const std::uint8_t> frame, std::int32_t zeroTime,
                                std::int32_t oneTime, std::int32_t syncTime);
