#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "core/FramePlan.h"

// A gap the display did not show on its planned frames.
struct DamagedGap {
    std::size_t gap;  // index into the plan
    int plannedFrames;
    std::int64_t shownFrames;  // display frames between its two swaps
    std::int64_t shownUs;      // time between them
    bool safe;                 // still read as the same kind of bit
};

// Puts a transfer's swaps on display frames and judges each gap from the display's feedback.
// Free of any display API so that tests run it on a simulated display.
//
// Frames are the display's own count: its frame counter where it gives one, else counted from
// the presented times on the measured period. Each swap is placed from where the previous swap
// was actually shown (its expected frame until the display has said), never from a late gap's
// length: a stall, a late showing or a lasting change of latency costs only the gap it hits.
//
// Two ways to drive it:
// - frame events (Wayland): OnFrameEvent for each, then one commit, whose feedback comes to
//   OnPresented under the same id;
// - queued frames (X11 Present): QueueNext gives the frame to show each swap on, and its
//   showing comes to OnPresented under the id given.
class FrameScheduler {
public:
    explicit FrameScheduler(FramePlan plan);

    // A frame event at nowUs, whose commit gets this id (ids rise). True when that commit must
    // carry the next swap. No swap goes out until the latency from a commit to its showing is
    // known from the feedback.
    bool OnFrameEvent(std::int64_t commit, std::int64_t nowUs);

    // The display frame to show the next swap on, not before earliestFrame, registered under
    // this id; nothing when every swap is out.
    std::optional<std::int64_t> QueueNext(std::int64_t commit, std::int64_t earliestFrame);

    // The commit with this id was shown at shownUs, on the display's frame `counter` when it
    // has one. Feedback comes in commit order. A swap's commit replaced before it was shown
    // carries its colours on in the later one, so every swap not yet placed with an id up to
    // this one was shown here too.
    void OnPresented(std::int64_t commit, std::int64_t shownUs,
                     std::optional<std::int64_t> counter = std::nullopt);

    const FramePlan& Plan() const { return plan; }
    std::size_t SwapCount() const { return plan.frames.empty() ? 0 : plan.frames.size() + 1; }
    std::size_t SwapsOut() const { return swaps.size(); }
    std::size_t SwapsShown() const { return shownCount; }
    bool AllShown() const { return shownCount == SwapCount(); }
    // Where a swap (0-based) was shown: the display's frame and time, once it has said.
    std::optional<std::int64_t> ShownFrame(std::size_t swap) const {
        return swap < swaps.size() ? swaps[swap].shownFrame : std::nullopt;
    }
    std::int64_t ShownUs(std::size_t swap) const {
        return swap < swaps.size() ? swaps[swap].shownUs : 0;
    }
    const std::vector<DamagedGap>& Damaged() const { return damaged; }
    // The first damaged gap that may be misread: the transfer must stop.
    std::optional<DamagedGap> Unsafe() const;

    // Whether a gap shown this long is read as its nominal kind with room to spare: on its side
    // of the split by kGuardUs, shown on a frame of its own, and a one no longer than
    // kLongestOneUs, past which we do not count on the receiver still keeping step.
    static bool ReadsSafely(std::int64_t nominalUs, std::int64_t shownUs, std::int64_t shownFrames);
    static constexpr std::int64_t kGuardUs = 5'000;
    static constexpr std::int64_t kLongestOneUs = 2 * kSplitUs;

private:
    struct Swap {
        std::int64_t commit;
        // The frame event's frame, shown `latency` later; or the frame it was queued for.
        std::int64_t frame;
        bool queued;
        std::optional<std::int64_t> shownFrame;
        std::int64_t shownUs = 0;
    };

    std::int64_t NextFrame() const;
    // Where a swap was shown, or is expected to be as far as the display has said.
    std::int64_t WhereShown(const Swap& swap) const;
    std::int64_t FrameAt(std::int64_t us) const;
    void Judge(std::size_t swap);

    FramePlan plan;
    std::vector<Swap> swaps;
    std::size_t shownCount = 0;
    std::vector<DamagedGap> damaged;

    // The latest feedback: where the display was, and how far behind a commit shows.
    std::optional<std::int64_t> lastFrame;
    std::int64_t lastUs = 0;
    std::optional<std::int64_t> latency;
    // The latest frame event: its frame and time.
    std::optional<std::pair<std::int64_t, std::int64_t>> lastEvent;
    // Frame events not yet shown: id and the display frame they happened on.
    std::deque<std::pair<std::int64_t, std::int64_t>> events;
};
