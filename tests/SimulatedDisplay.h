#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/FrameScheduler.h"

// A display driven by frame events (Wayland): each event's commit is shown `latency` frames on
// (never before the commit before it), its feedback delivered when it is shown.
struct SimulatedDisplay {
    double hz = 60;
    double phaseUs = 3'100;  // where the frame grid starts
    int latency = 2;
    bool counter = true;  // gives its frame counter, or only presented times
    std::function<int(int)> extraLatency = [](int) { return 0; };  // extra frames for commit n
    std::function<double(std::int64_t)> frameStart;                // default: the regular grid

    double PeriodUs() const { return 1e6 / hz; }
    std::int64_t StartOf(std::int64_t frame) const {
        return frameStart ? static_cast<std::int64_t>(frameStart(frame))
                          : std::llround(phaseUs + static_cast<double>(frame) * PeriodUs());
    }

    // Frame `frame` begins: the commits due by then are shown (`shown` hears when), then event
    // `event` comes a little after the frame started. True when the scheduler swapped on it.
    bool Frame(FrameScheduler* scheduler, int event, std::int64_t frame,
               const std::function<void(std::int64_t)>& shown = {}) {
        std::erase_if(pending, [&](const Commit& commit) {
            if (commit.frame > frame) {
                return false;
            }
            if (shown) {
                shown(StartOf(commit.frame));
            }
            if (scheduler != nullptr) {
                scheduler->OnPresented(commit.id, StartOf(commit.frame),
                                       counter ? std::optional(commit.frame) : std::nullopt);
            }
            return true;
        });
        const bool swap =
            scheduler != nullptr && scheduler->OnFrameEvent(event, StartOf(frame) + 700);
        lastShown = std::max(lastShown, frame + latency + extraLatency(event));
        pending.push_back({event, lastShown});
        return swap;
    }
    // The frame the last commit is shown on.
    std::int64_t LastShown() const { return lastShown; }

private:
    struct Commit {
        int id;
        std::int64_t frame;
    };
    std::vector<Commit> pending;
    std::int64_t lastShown = 0;
};
