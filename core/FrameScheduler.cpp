#include "core/FrameScheduler.h"

#include <algorithm>
#include <cmath>
#include <utility>

FrameScheduler::FrameScheduler(FramePlan plan) : plan(std::move(plan)) {}

std::int64_t FrameScheduler::FrameAt(std::int64_t us) const {
    return *lastFrame + std::llround(static_cast<double>(us - lastUs) / plan.periodUs);
}

std::int64_t FrameScheduler::WhereShown(const Swap& swap) const {
    if (swap.shownFrame) {
        return *swap.shownFrame;
    }
    // The latest latency, not the one the swap was sent with: when the display falls a frame
    // behind for good, a swap sent before it learnt so is shown a frame later too.
    return swap.queued ? swap.frame : swap.frame + latency.value_or(0);
}

std::int64_t FrameScheduler::NextFrame() const {
    return WhereShown(swaps.back()) + plan.frames[swaps.size() - 1];
}

bool FrameScheduler::OnFrameEvent(std::int64_t commit, std::int64_t nowUs) {
    if (!lastFrame) {
        return false;  // nothing shown yet to count frames from
    }
    // Counted from the previous event rather than from the last showing: the events keep
    // their own phase to the display, which may sit right between two of its frames.
    const std::int64_t now =
        lastEvent
            ? lastEvent->first +
                  std::max<std::int64_t>(
                      1,
                      std::llround(static_cast<double>(nowUs - lastEvent->second) / plan.periodUs))
            : FrameAt(nowUs);
    lastEvent = {now, nowUs};
    events.emplace_back(commit, now);
    if (!latency || swaps.size() == SwapCount()) {
        return false;
    }
    if (!swaps.empty() && now + *latency < NextFrame()) {
        return false;
    }
    swaps.push_back({commit, now, false, std::nullopt});
    return true;
}

std::optional<std::int64_t> FrameScheduler::QueueNext(std::int64_t commit,
                                                      std::int64_t earliestFrame) {
    if (swaps.size() == SwapCount()) {
        return std::nullopt;
    }
    const std::int64_t frame = swaps.empty() ? earliestFrame : std::max(earliestFrame, NextFrame());
    swaps.push_back({commit, frame, true, std::nullopt});
    return frame;
}

void FrameScheduler::OnPresented(std::int64_t commit, std::int64_t shownUs,
                                 std::optional<std::int64_t> counter) {
    const std::int64_t frame = counter ? *counter : lastFrame ? FrameAt(shownUs) : 0;
    lastFrame = frame;
    lastUs = shownUs;
    while (!events.empty() && events.front().first <= commit) {
        if (events.front().first == commit) {
            // The newest commit tells how far behind the display is now.
            latency = frame - events.front().second;
        }
        events.pop_front();
    }
    while (shownCount < swaps.size() && swaps[shownCount].commit <= commit) {
        swaps[shownCount].shownFrame = frame;
        swaps[shownCount].shownUs = shownUs;
        Judge(shownCount);
        ++shownCount;
    }
}

void FrameScheduler::Judge(std::size_t swap) {
    if (swap == 0) {
        return;
    }
    const std::size_t gap = swap - 1;
    const int planned = plan.frames[gap];
    const std::int64_t frames = *swaps[swap].shownFrame - *swaps[gap].shownFrame;
    const std::int64_t us = swaps[swap].shownUs - swaps[gap].shownUs;
    // A display can stretch a frame instead of skipping one: on plan in frames, not in time.
    const bool stretched =
        std::fabs(static_cast<double>(us) - planned * plan.periodUs) > plan.periodUs / 2;
    if (frames == planned && !stretched) {
        return;
    }
    damaged.push_back({gap, planned, frames, us, ReadsSafely(plan.gapsUs[gap], us, frames)});
}

std::optional<DamagedGap> FrameScheduler::Unsafe() const {
    const auto found = std::find_if(damaged.begin(), damaged.end(),
                                    [](const DamagedGap& gap) { return !gap.safe; });
    return found == damaged.end() ? std::nullopt : std::optional(*found);
}

bool FrameScheduler::ReadsSafely(std::int64_t nominalUs, std::int64_t shownUs,
                                 std::int64_t shownFrames) {
    if (shownFrames < 1) {
        return false;  // two swaps on one frame: the receiver sees neither
    }
    if (nominalUs > kSplitUs) {
        return shownUs >= kSplitUs + kGuardUs && shownUs <= kLongestOneUs;
    }
    return shownUs <= kSplitUs - kGuardUs;
}
