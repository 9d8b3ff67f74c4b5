#include "core/TimelineMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/IntervalText.h"
#include "core/ProgramFacts.h"
#include "core/TimerProgram.h"
#include "core/Translate.h"

TimelineLayout LayoutTimeline(const EditorState& state) {
    TimelineLayout layout;
    layout.lanes.reserve(state.panels.size());
    for (std::size_t p = 0; p < state.panels.size(); ++p) {
        const PanelState& panel = state.panels[p];
        TimelineLane lane;
        lane.panel = static_cast<int>(p);
        lane.timerNumber = panel.timerNumber;
        lane.label = TimerName(panel.timerNumber);
        lane.bars.reserve(panel.rows.size());
        std::uint64_t at = 0;
        for (std::size_t r = 0; r < panel.rows.size(); ++r) {
            const RowState& row = panel.rows[r];
            TimelineBar bar;
            bar.row = static_cast<int>(r);
            bar.on = row.on;
            bar.blockStart = row.blockStart || r == 0;
            bar.start = at;
            bar.text = RowText(row);
            bar.length = RowInterval(row).GetTotalTicks();
            at += bar.length;
            lane.bars.push_back(std::move(bar));
        }
        lane.total = at;
        layout.longest = std::max(layout.longest, at);
        layout.lanes.push_back(std::move(lane));
    }
    return layout;
}

double ClampPixelsPerTick(double pixelsPerTick) {
    if (!(pixelsPerTick > 0)) {
        return kMinPixelsPerTick;
    }
    return std::clamp(pixelsPerTick, kMinPixelsPerTick, kMaxPixelsPerTick);
}

double FitPixelsPerTick(std::uint64_t longest, double width) {
    const std::uint64_t span = longest > 0 ? longest : kTicksPerMinute;
    return ClampPixelsPerTick(std::max(width, 1.0) / static_cast<double>(span));
}

int LaneGeometry::LaneAt(double y) const {
    if (y < top || laneHeight <= 0) {
        return -1;
    }
    return static_cast<int>(std::floor((y - top) / laneHeight));
}

BarExtent BarPixels(const TimelineBar& bar, const TimeScale& scale) {
    const double left = scale.ToX(static_cast<double>(bar.start));
    if (bar.length == 0) {
        return {left - kThinHitHalfPx, left + kThinHitHalfPx};
    }
    return {left, scale.ToX(static_cast<double>(bar.End()))};
}

TimelineHit HitTest(const TimelineLayout& layout, const TimeScale& scale, const LaneGeometry& lanes,
                    double x, double y) {
    TimelineHit hit;
    const int laneIndex = lanes.LaneAt(y);
    if (laneIndex < 0 || laneIndex >= static_cast<int>(layout.lanes.size())) {
        return hit;
    }
    const TimelineLane& lane = layout.lanes[static_cast<std::size_t>(laneIndex)];
    int found = -1;
    double nearest = 0;
    for (std::size_t i = 0; i < lane.bars.size(); ++i) {
        const TimelineBar& bar = lane.bars[i];
        if (bar.length > 0) {
            continue;
        }
        const BarExtent extent = BarPixels(bar, scale);
        if (x >= extent.left && x < extent.right) {
            const double distance = std::abs(x - scale.ToX(static_cast<double>(bar.start)));
            if (found < 0 || distance < nearest) {
                found = static_cast<int>(i);
                nearest = distance;
            }
        }
    }
    if (found < 0) {
        for (std::size_t i = 0; i < lane.bars.size(); ++i) {
            const TimelineBar& bar = lane.bars[i];
            if (bar.length == 0) {
                continue;
            }
            const BarExtent extent = BarPixels(bar, scale);
            if (x >= extent.left && x < extent.right) {
                found = static_cast<int>(i);
                break;
            }
        }
    }
    if (found >= 0) {
        hit.lane = laneIndex;
        hit.bar = found;
        hit.panel = lane.panel;
        hit.row = lane.bars[static_cast<std::size_t>(found)].row;
    }
    return hit;
}

std::uint64_t ChooseTickStep(double pixelsPerTick, double minSpacingPx) {
    static constexpr std::array<std::uint64_t, 18> kSteps = {
        1 * kTicksPerSecond,  2 * kTicksPerSecond,  5 * kTicksPerSecond,  10 * kTicksPerSecond,
        15 * kTicksPerSecond, 30 * kTicksPerSecond, 1 * kTicksPerMinute,  2 * kTicksPerMinute,
        5 * kTicksPerMinute,  10 * kTicksPerMinute, 15 * kTicksPerMinute, 30 * kTicksPerMinute,
        1 * kTicksPerHour,    2 * kTicksPerHour,    3 * kTicksPerHour,    6 * kTicksPerHour,
        12 * kTicksPerHour,   24 * kTicksPerHour};
    const double ppt = ClampPixelsPerTick(pixelsPerTick);
    const double spacing = std::max(minSpacingPx, 1.0);
    for (const std::uint64_t step : kSteps) {
        if (static_cast<double>(step) * ppt >= spacing) {
            return step;
        }
    }
    std::uint64_t step = kSteps.back();
    while (static_cast<double>(step) * ppt < spacing) {
        step *= 2;
    }
    return step;
}

std::vector<AxisTick> AxisTicks(const TimeScale& scale, double left, double right,
                                double minSpacingPx) {
    std::vector<AxisTick> ticks;
    if (!(right >= left)) {
        return ticks;
    }
    const std::uint64_t step = ChooseTickStep(scale.pixelsPerTick, minSpacingPx);
    const double firstTime = std::max(0.0, scale.ToTicks(left));
    std::uint64_t time = static_cast<std::uint64_t>(std::ceil(firstTime / step)) * step;
    for (; scale.ToX(static_cast<double>(time)) <= right; time += step) {
        const double x = scale.ToX(static_cast<double>(time));
        if (x >= left) {
            ticks.push_back({time, x, {}});
        }
    }
    // One form for the whole axis: "0:00:00" beside "6:00:00", not "0:00".
    const bool hours = !ticks.empty() && ticks.back().ticks >= kTicksPerHour;
    for (AxisTick& tick : ticks) {
        tick.label = FormatAxisLabel(tick.ticks, hours);
    }
    return ticks;
}

std::string FormatAxisLabel(std::uint64_t ticks, bool hours) {
    const std::uint64_t seconds = ticks / kTicksPerSecond;
    char text[48];
    if (!hours && seconds < 3600) {
        std::snprintf(text, sizeof text, "%llu:%02llu",
                      static_cast<unsigned long long>(seconds / 60),
                      static_cast<unsigned long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu",
                      static_cast<unsigned long long>(seconds / 3600),
                      static_cast<unsigned long long>(seconds / 60 % 60),
                      static_cast<unsigned long long>(seconds % 60));
    }
    return text;
}

std::string FormatTimelineTime(std::uint64_t ticks) {
    const auto hours = static_cast<unsigned long long>(ticks / kTicksPerHour);
    const auto minutes = static_cast<unsigned long long>(ticks / kTicksPerMinute % 60);
    const auto seconds = static_cast<unsigned long long>(ticks / kTicksPerSecond % 60);
    const auto rest = static_cast<unsigned long long>(ticks % kTicksPerSecond);
    char text[64];
    if (rest != 0) {
        std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu:%02llu", hours, minutes, seconds,
                      rest);
    } else {
        std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu", hours, minutes, seconds);
    }
    return text;
}

void MarkProblems(TimelineLayout& layout, const std::vector<DeviceProblem>& problems) {
    for (const DeviceProblem& problem : problems) {
        if (!MarksRow(problem) || problem.panel < 0 ||
            problem.panel >= static_cast<int>(layout.lanes.size())) {
            continue;
        }
        std::vector<TimelineBar>& bars = layout.lanes[static_cast<std::size_t>(problem.panel)].bars;
        if (problem.row >= 0 && problem.row < static_cast<int>(bars.size())) {
            TimelineBar& bar = bars[static_cast<std::size_t>(problem.row)];
            bar.problem = problem.message;
            bar.warning = problem.IsWarning();
        }
    }
}

std::string DescribeBar(const TimelineLane& lane, const TimelineBar& bar) {
    const std::string row = std::to_string(bar.row + 1);
    std::string text = FillArgs(
        bar.on
            ? Translate("TimelineMath", "%1 \u00B7 interval %2 \u00B7 ON %3 \u00B7 from %4 to %5")
            : Translate("TimelineMath", "%1 \u00B7 interval %2 \u00B7 OFF %3 \u00B7 from %4 to %5"),
        {lane.label, row, bar.text, FormatTimelineTime(bar.start), FormatTimelineTime(bar.End())});
    return bar.problem.empty() ? text : text + "\n" + bar.problem;
}
