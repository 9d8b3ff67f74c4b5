#pragma once

#include <QRect>
#include <QSize>

// The timer list's geometry as plain arithmetic: the view and its delegate place and hit-test
// with these, and tests call them directly.

// The list's columns: the ON/OFF label, the interval, the block-start box. A timer's caption
// spans all three.
enum ListColumn { kStateColumn = 0, kIntervalColumn = 1, kBlockColumn = 2, kListColumnCount = 3 };

// At the default font every figure is its minimum.
inline constexpr int kMinRowHeight = 20;
inline constexpr int kMinLabelWidth = 50;
inline constexpr int kMinBoxWidth = 18;

struct ListMetrics {
    int rowHeight = kMinRowHeight;
    int labelWidth = kMinLabelWidth;
    int boxWidth = kMinBoxWidth;
};
// From the font's line height, the wider of the texts "ON" and "OFF" and the style's check
// indicator width: no text or box is clipped at any font size or scale.
ListMetrics ListMetricsFor(int fontHeight, int onOffWidth, int indicatorWidth);

struct ColumnWidths {
    int label = 0;
    int interval = 0;
    int box = 0;
};
// The label and the box keep their widths; the interval takes the rest, and when the view is
// too narrow for all three, the box and then the label give way.
ColumnWidths ListColumnWidths(int viewWidth, const ListMetrics& metrics);

// Which part of an interval row x (from the row's left edge) falls in.
enum class RowPart { None, Label, Interval, Box };
RowPart RowPartAt(int x, const ColumnWidths& widths);

// The check indicator of indicator size centred in the box cell.
QRect BoxIndicatorRect(const QRect& cell, const QSize& indicator);
// The interval's text inside its cell: a margin for the frame and the caret.
QRect IntervalTextRect(const QRect& cell);
// Where a text of textSize starts in area: centred both ways, or from the left and centred
// vertically.
QPoint TextOrigin(const QRect& area, const QSize& textSize, bool centred);
// The round "!" sign of a marked interval, at the right end of its cell, where text rarely
// reaches.
QRect ProblemSignRect(const QRect& cell);
