#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/DeviceLimits.h"
#include "core/EditorState.h"

// The geometry of the timeline, apart from any drawing: which bar lies where in time and on
// screen, the axis ticks and what is under the pointer. Times are in ticks (1/60 s).

// One row of a timer as a bar.
struct TimelineBar {
    int row = 0;
    bool on = false;
    bool blockStart = false;
    std::uint64_t start = 0;  // ticks from the start of the timer
    std::uint64_t length = 0;
    std::string text;      // the row's text as the editor shows it
    std::string problem;   // the device check's finding on it (MarkProblems); empty for none
    bool warning = false;  // the finding is a warning: the device takes the row, but not as shown

    std::uint64_t End() const { return start + length; }
};

struct TimelineLane {
    int panel = 0;
    int timerNumber = 0;
    std::string label;  // "Timer 3"
    std::vector<TimelineBar> bars;
    std::uint64_t total = 0;
};

struct TimelineLayout {
    std::vector<TimelineLane> lanes;
    std::uint64_t longest = 0;  // the longest lane's total
};

// One lane per timer in list order; rows are read as the editor reads them.
TimelineLayout LayoutTimeline(const EditorState& state);
// Gives the bars of the intervals the device check found too long (CheckEditorState's rows)
// the check's message.
void MarkProblems(TimelineLayout& layout, const std::vector<DeviceProblem>& problems);

// Pixels and ticks. originX is where tick 0 lies, scrolling included.
struct TimeScale {
    double pixelsPerTick = 0.01;
    double originX = 0;

    double ToX(double ticks) const { return originX + ticks * pixelsPerTick; }
    double ToTicks(double x) const { return (x - originX) / pixelsPerTick; }
};

inline constexpr double kMinPixelsPerTick = 1e-7;  // about 99 h in 2 px
inline constexpr double kMaxPixelsPerTick = 4.0;   // 240 px a second
// The zoom at which `longest` ticks fill `width` pixels; an empty program shows a minute.
double FitPixelsPerTick(std::uint64_t longest, double width);
double ClampPixelsPerTick(double pixelsPerTick);

// Vertical arrangement: an axis band on top, then one lane per timer.
struct LaneGeometry {
    double top = 0;          // top of the first lane
    double laneHeight = 28;  // includes the spacing between lanes
    double barInset = 6;     // space above and below a bar within its lane

    double LaneTop(int lane) const { return top + lane * laneHeight; }
    double BarTop(int lane) const { return LaneTop(lane) + barInset; }
    double BarHeight() const { return laneHeight - 2 * barInset; }
    // The lane at y, or -1 above the first; may be past the last.
    int LaneAt(double y) const;
};

inline constexpr double kThinHitHalfPx = 3;  // a zero-length bar answers this far either side

// A bar's horizontal extent on screen, [left, right). Zero-length bars and gaps have their
// nominal extent here; painting draws them on top of their neighbours.
struct BarExtent {
    double left = 0;
    double right = 0;
};
BarExtent BarPixels(const TimelineBar& bar, const TimeScale& scale);

struct TimelineHit {
    int panel = -1;
    int row = -1;
    int lane = -1;
    int bar = -1;

    bool Found() const { return bar >= 0; }
};

// The bar under (x, y). A bar owns [start, end) on screen; thin marks (zero-length bars and
// gaps) win over the bars they overlap.
TimelineHit HitTest(const TimelineLayout& layout, const TimeScale& scale, const LaneGeometry& lanes,
                    double x, double y);

// An axis mark: its time, where it lies and its label ("0:30", "1:00:00").
struct AxisTick {
    std::uint64_t ticks = 0;
    double x = 0;
    std::string label;
};

// The readable step (1, 2, 5, 10, 15, 30 s; 1, 2, 5, 10, 15, 30 min; 1, 2, 3, 6, 12, 24 h,
// then whole days doubling) that puts labels at least minSpacingPx apart.
std::uint64_t ChooseTickStep(double pixelsPerTick, double minSpacingPx);
// The marks from time 0 on that fall within [left, right], all labelled in one form.
std::vector<AxisTick> AxisTicks(const TimeScale& scale, double left, double right,
                                double minSpacingPx);
// "0:30", "59:00" under an hour, "1:00:00" from an hour on or when hours is set ("0:00:00");
// whole seconds.
std::string FormatAxisLabel(std::uint64_t ticks, bool hours = false);

// "00:05:00", "01:02:03:30": a time within a timer, written as the editor writes intervals.
std::string FormatTimelineTime(std::uint64_t ticks);
// "Timer 3 · interval 2 · ON 00:10:00 · from 00:05:00 to 00:15:00" (UTF-8), and the
// device check's words when it found the interval too long.
std::string DescribeBar(const TimelineLane& lane, const TimelineBar& bar);
