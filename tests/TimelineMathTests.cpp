#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TestSupport.h"
#include "core/TimelineMath.h"
#include "core/TimerProgram.h"

namespace {

// Timer 3: ON 5 min, OFF 10 min, ON 0 s, OFF 1 s 30 ticks.
// Timer 7: ON 1 h.
EditorState TwoTimers() {
    EditorState state;
    state.panels.push_back({3,
                            {Row(true, "00:05:00", true), Row(false, "00:10:00"),
                             Row(true, "00:00:00", true), Row(false, "0:0:1:30")}});
    state.panels.push_back({7, {Row(true, "01:00:00", true)}});
    return state;
}

TEST(TimelineLayout, OneLanePerTimerWithBarsInRowOrderFromZero) {
    const TimelineLayout layout = LayoutTimeline(TwoTimers());
    ASSERT_EQ(layout.lanes.size(), 2u);
    const TimelineLane& lane = layout.lanes[0];
    EXPECT_EQ(lane.label, "Timer 3");
    EXPECT_EQ(lane.panel, 0);
    EXPECT_EQ(layout.lanes[1].panel, 1);
    ASSERT_EQ(lane.bars.size(), 4u);

    const std::uint64_t starts[] = {0, 18000, 54000, 54000};
    const std::uint64_t lengths[] = {18000, 36000, 0, 90};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lane.bars[i].row, static_cast<int>(i));
        EXPECT_EQ(lane.bars[i].start, starts[i]) << i;
        EXPECT_EQ(lane.bars[i].length, lengths[i]) << i;
    }
    EXPECT_TRUE(lane.bars[2].blockStart);
    EXPECT_FALSE(lane.bars[1].blockStart);
    EXPECT_EQ(lane.total, 54090u);
    EXPECT_EQ(layout.lanes[1].total, 216000u);
    EXPECT_EQ(layout.longest, 216000u);
    EXPECT_TRUE(LayoutTimeline(EditorState{}).lanes.empty());
}

TEST(TimelineLayout, TheDeviceChecksFindingsAreMarkedOnTheirBarsWarningsAsSuch) {
    EditorState state = TwoTimers();
    state.panels[1].rows[0] = Row(true, "40:00:00", true);
    state.panels[1].rows.push_back(Row(false, "00:00:01:75"));
    TimelineLayout layout = LayoutTimeline(state);
    MarkProblems(layout, CheckEditorState(state));
    const TimelineBar& marked = layout.lanes[1].bars[0];
    EXPECT_FALSE(marked.problem.empty()) << "its wording is DeviceLimits'";
    EXPECT_FALSE(marked.warning);
    EXPECT_NE(DescribeBar(layout.lanes[1], marked).find("\n" + marked.problem), std::string::npos);
    const TimelineBar& warned = layout.lanes[1].bars[1];
    EXPECT_FALSE(warned.problem.empty());
    EXPECT_TRUE(warned.warning);
    for (const TimelineBar& bar : layout.lanes[0].bars) {
        EXPECT_TRUE(bar.problem.empty()) << bar.row;
    }
}

TEST(TimelineScale, BarsAreProportionalToTheirLengthsAndFitFillsTheWidth) {
    EditorState state;
    state.panels.push_back({0,
                            {Row(true, "00:00:01"), Row(false, "00:00:02"), Row(true, "00:01:00"),
                             Row(false, "01:00:00:01"), Row(true, "99:99:99:59")}});
    const TimelineLayout layout = LayoutTimeline(state);
    for (const double width : {200.0, 1000.0, 5000.0}) {
        const TimeScale scale{FitPixelsPerTick(layout.longest, width), 30};
        EXPECT_NEAR(scale.ToX(static_cast<double>(layout.longest)), 30 + width, 1e-6);
        for (const TimelineBar& bar : layout.lanes[0].bars) {
            const BarExtent extent = BarPixels(bar, scale);
            EXPECT_NEAR((extent.right - extent.left) / scale.pixelsPerTick,
                        static_cast<double>(bar.length), 1e-6 * static_cast<double>(bar.length))
                << bar.text;
            EXPECT_NEAR(extent.left, scale.ToX(static_cast<double>(bar.start)), 1e-9);
        }
        // Each bar begins where the one before it ends.
        const auto& bars = layout.lanes[0].bars;
        for (std::size_t i = 1; i < bars.size(); ++i) {
            EXPECT_EQ(BarPixels(bars[i], scale).left, BarPixels(bars[i - 1], scale).right);
        }
    }
    // An empty program shows a minute; the zoom stays within its limits.
    EXPECT_DOUBLE_EQ(FitPixelsPerTick(0, 600), 600.0 / 3600);
    EXPECT_EQ(ClampPixelsPerTick(1e9), kMaxPixelsPerTick);
    EXPECT_EQ(ClampPixelsPerTick(0), kMinPixelsPerTick);
}

TEST(TimelineHitTest, ABarOwnsItsStartButNotItsEnd) {
    const TimelineLayout layout = LayoutTimeline(TwoTimers());
    const LaneGeometry lanes{20, 30, 6};
    // 1/60 px a tick: one second a pixel, 5 min = 300 px.
    const TimeScale scale{1.0 / 60, 100};
    const double y0 = lanes.BarTop(0) + 1;
    const double boundary = scale.ToX(18000);  // ON 5 min ends, OFF 10 min starts
    EXPECT_EQ(HitTest(layout, scale, lanes, 100, y0).row, 0);
    EXPECT_FALSE(HitTest(layout, scale, lanes, 99.99, y0).Found());
    EXPECT_EQ(HitTest(layout, scale, lanes, boundary - 0.01, y0).row, 0);
    EXPECT_EQ(HitTest(layout, scale, lanes, boundary, y0).row, 1);
    // At the end of the 10 min bar sits the zero-length row: its thin mark wins.
    const double end = scale.ToX(54000);
    EXPECT_EQ(HitTest(layout, scale, lanes, end - 20, y0).row, 1);
    EXPECT_EQ(HitTest(layout, scale, lanes, end - kThinHitHalfPx, y0).row, 2);
    EXPECT_EQ(HitTest(layout, scale, lanes, end + kThinHitHalfPx - 0.01, y0).row, 2);
    // The last bar is 1.5 s = 1.5 px long and lies under the thin mark; past the mark nothing.
    EXPECT_FALSE(HitTest(layout, scale, lanes, end + kThinHitHalfPx, y0).Found());

    // Lanes: the second lane is timer 7, panel 1; nothing above, below or beyond its end.
    const TimelineHit second = HitTest(layout, scale, lanes, 101, lanes.LaneTop(1) + 1);
    EXPECT_EQ(second.panel, 1);
    EXPECT_EQ(second.row, 0);
    EXPECT_EQ(second.lane, 1);
    EXPECT_FALSE(HitTest(layout, scale, lanes, 101, lanes.top - 1).Found());
    EXPECT_FALSE(HitTest(layout, scale, lanes, 101, lanes.LaneTop(2) + 1).Found());
    EXPECT_EQ(HitTest(layout, scale, lanes, scale.ToX(216000) - 0.01, lanes.LaneTop(1)).row, 0);
    EXPECT_FALSE(HitTest(layout, scale, lanes, scale.ToX(216000), lanes.LaneTop(1)).Found());
}

TEST(TimelineHitTest, EdgesHoldAtAnyZoomAndScroll) {
    EditorState state;
    state.panels.push_back({0, {}});
    for (int i = 0; i < 49; ++i) {
        state.panels[0].rows.push_back(
            Row(i % 2 == 0, "00:" + std::to_string(1 + i % 7) + ":0" + std::to_string(i % 10)));
    }
    const TimelineLayout layout = LayoutTimeline(state);
    const LaneGeometry lanes;
    for (const double ppt : {0.0007, 0.013, 0.5, 3.0}) {
        for (const double origin : {0.0, -12345.67, 88.5}) {
            const TimeScale scale{ppt, origin};
            for (const TimelineBar& bar : layout.lanes[0].bars) {
                const double left = scale.ToX(static_cast<double>(bar.start));
                EXPECT_EQ(HitTest(layout, scale, lanes, left, lanes.BarTop(0)).row, bar.row);
            }
        }
    }
}

TEST(TimelineAxis, TicksAreReadableFromOneSecondToNinetyNineHours) {
    const std::set<std::uint64_t> readable = {
        60,    120,    300,    600,    900,    1800,    3600,    7200,    18000,   36000,
        54000, 108000, 216000, 432000, 648000, 1296000, 2592000, 5184000, 10368000};
    const double spacing = 70;
    for (const double width : {240.0, 800.0, 2400.0}) {
        std::uint64_t lastStep = 0;
        for (const std::uint64_t span :
             {60ull, 90ull, 600ull, 3600ull, 5400ull, 36000ull, 216000ull, 720000ull, 2160000ull,
              7776000ull, 21384000ull}) {
            const TimeScale scale{FitPixelsPerTick(span, width), 0};
            const std::vector<AxisTick> ticks = AxisTicks(scale, 0, width, spacing);
            SCOPED_TRACE("width " + std::to_string(width) + " span " + std::to_string(span));
            ASSERT_GE(ticks.size(), 2u);
            EXPECT_LE(ticks.size(), static_cast<std::size_t>(width / spacing) + 1);
            const std::uint64_t step = ticks[1].ticks - ticks[0].ticks;
            EXPECT_EQ(readable.count(step), 1u) << step;
            EXPECT_GE(step, lastStep);
            lastStep = step;
            EXPECT_EQ(ticks[0].ticks, 0u);
            std::set<std::string> labels;
            for (std::size_t i = 0; i < ticks.size(); ++i) {
                EXPECT_GE(ticks[i].x, 0);
                EXPECT_LE(ticks[i].x, width);
                EXPECT_EQ(ticks[i].ticks, i * step);
                if (i > 0) {
                    EXPECT_GE(ticks[i].x - ticks[i - 1].x, spacing - 1e-9);
                }
                EXPECT_FALSE(ticks[i].label.empty());
                EXPECT_LE(ticks[i].label.size(), 8u) << ticks[i].label;
                // One form along the axis: as many colons in "0:00:00" as in "6:00:00".
                EXPECT_EQ(std::count(ticks[i].label.begin(), ticks[i].label.end(), ':'),
                          std::count(ticks.back().label.begin(), ticks.back().label.end(), ':'))
                    << ticks[i].label;
                labels.insert(ticks[i].label);
            }
            EXPECT_EQ(labels.size(), ticks.size()) << "labels repeat";
        }
    }
}

TEST(TimelineText, LabelsTimesAndTheHoverText) {
    EXPECT_EQ(FormatAxisLabel(0), "0:00");
    EXPECT_EQ(FormatAxisLabel(0, true), "0:00:00");
    EXPECT_EQ(FormatAxisLabel(59 * 3600), "59:00");
    EXPECT_EQ(FormatAxisLabel(216000), "1:00:00");
    EXPECT_EQ(FormatAxisLabel(99ull * 216000 + 90 * 60), "99:01:30");
    EXPECT_EQ(FormatTimelineTime(216000 + 3600 * 2 + 3 * 60 + 30), "01:02:03:30");
    EXPECT_EQ(FormatTimelineTime(150ull * 216000), "150:00:00");
    const TimelineLane lane = LayoutTimeline(TwoTimers()).lanes[0];
    EXPECT_EQ(DescribeBar(lane, lane.bars[3]),
              "Timer 3 \u00B7 interval 4 \u00B7 OFF 00:00:01:30 \u00B7 from 00:15:00 to "
              "00:15:01:30");
}

}  // namespace
