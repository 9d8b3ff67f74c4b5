#pragma once

#include <QFont>
#include <QPalette>
#include <QRectF>
#include <algorithm>

#include "core/EditorState.h"
#include "core/TimelineMath.h"

class QPainter;

// What to draw besides the program: zoom, scrolling, the selected row, the keyboard's bar and
// which lanes (a printed page takes a slice of them).
struct TimelinePaintOptions {
    double pixelsPerTick = 0.01;
    double scrollX = 0;
    double scrollY = 0;
    EditorSelection selection;
    int focusLane = -1;
    int focusBar = -1;
    int firstLane = 0;
    int laneCount = -1;  // -1: all from firstLane on
    QPalette palette;
    QFont font;
};

// Where things go within a rect for a font: a label column on the left, the time axis on top,
// room for the totals on the right, lanes below the axis.
struct TimelineFrame {
    QRectF bounds;
    QRectF plot;  // the lanes' area right of the labels and below the axis
    double labelWidth = 0;
    double axisHeight = 0;
    double totalWidth = 0;  // kept free right of the longest lane for its total
    double lead = 0;        // from the plot's left edge to tick 0
    TimeScale scale;
    LaneGeometry lanes;

    // Width the lanes fit in when the longest one should fill the view.
    double FitWidth() const { return std::max(1.0, plot.width() - lead - totalWidth); }
};

// scrollX and scrollY move the lanes; the labels and the axis stay.
TimelineFrame MakeTimelineFrame(const QRectF& bounds, const QFont& font, double pixelsPerTick,
                                double scrollX, double scrollY, int firstLane = 0);
// The height the lanes need, axis included, for this font.
double TimelineHeight(const QFont& font, int lanes);
// Pixels right of tick 0 the content takes: the longest lane and its total.
double TimelineContentWidth(const TimelineLayout& layout, const TimelineFrame& frame);

// Paints the timeline into rect. ON bars are filled, OFF bars outlined, so
// the kinds differ without colour; colours come from the palette.
void PaintTimeline(QPainter& painter, const QRectF& rect, const TimelineLayout& layout,
                   const TimelinePaintOptions& options);
