#include "gui/editor/TimerListLayout.h"

#include <algorithm>

ListMetrics ListMetricsFor(int fontHeight, int onOffWidth, int indicatorWidth) {
    ListMetrics metrics;
    // A line of text inside a one-pixel frame and one pixel of margin each side.
    metrics.rowHeight = std::max(kMinRowHeight, fontHeight + 4);
    metrics.labelWidth = std::max(kMinLabelWidth, onOffWidth + fontHeight);
    metrics.boxWidth = std::max(kMinBoxWidth, indicatorWidth + 4);
    return metrics;
}

ColumnWidths ListColumnWidths(int viewWidth, const ListMetrics& metrics) {
    ColumnWidths widths;
    const int width = std::max(0, viewWidth);
    widths.label = std::min(metrics.labelWidth, width);
    widths.box = std::min(metrics.boxWidth, width - widths.label);
    widths.interval = width - widths.label - widths.box;
    return widths;
}

RowPart RowPartAt(int x, const ColumnWidths& widths) {
    if (x < 0) {
        return RowPart::None;
    }
    if (x < widths.label) {
        return RowPart::Label;
    }
    if (x < widths.label + widths.interval) {
        return RowPart::Interval;
    }
    return x < widths.label + widths.interval + widths.box ? RowPart::Box : RowPart::None;
}

QRect BoxIndicatorRect(const QRect& cell, const QSize& indicator) {
    return QRect(cell.x() + (cell.width() - indicator.width()) / 2,
                 cell.y() + (cell.height() - indicator.height()) / 2, indicator.width(),
                 indicator.height());
}

QRect IntervalTextRect(const QRect& cell) {
    return cell.adjusted(3, 1, -3, -1);
}

QPoint TextOrigin(const QRect& area, const QSize& textSize, bool centred) {
    const int x = centred ? area.x() + (area.width() - textSize.width()) / 2 : area.x();
    return {x, area.y() + (area.height() - textSize.height()) / 2};
}

QRect ProblemSignRect(const QRect& cell) {
    const int size = std::max(8, cell.height() - 6);
    return QRect(cell.right() - size - 2, cell.top() + (cell.height() - size) / 2, size, size);
}
