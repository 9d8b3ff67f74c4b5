#include "gui/timeline/TimelinePaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "core/TimerProgram.h"
#include "gui/common/SystemColors.h"

namespace {

constexpr double kPad = 8;
constexpr double kPlotLead = 6;  // tick 0 sits a little right of the label column

double LaneHeightFor(const QFontMetricsF& fm) {
    return std::max(22.0, std::ceil(fm.height() * 1.9));
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TimelineFrame MakeTimelineFrame(const QRectF& bounds, const QFont& font, double pixelsPerTick,
                                double scrollX, double scrollY, int firstLane) {
    const QFontMetricsF fm(font);
    TimelineFrame frame;
    frame.bounds = bounds;
    // The widest lane label: a timer number of two digits, in the user's language.
    frame.labelWidth =
        std::ceil(fm.horizontalAdvance(QString::fromStdString(TimerName(88))) + 2 * kPad);
    frame.axisHeight = std::ceil(fm.height() + 10);
    frame.totalWidth = std::ceil(fm.horizontalAdvance(QStringLiteral("000:00:00:00")) + 2 * kPad);
    frame.plot = bounds.adjusted(frame.labelWidth, frame.axisHeight, 0, 0);
    frame.scale.pixelsPerTick = ClampPixelsPerTick(pixelsPerTick);
    frame.lead = kPlotLead;
    frame.scale.originX = frame.plot.left() + kPlotLead - scrollX;
    frame.lanes.laneHeight = LaneHeightFor(fm);
    frame.lanes.barInset = std::floor(frame.lanes.laneHeight * 0.22);
    frame.lanes.top = frame.plot.top() - scrollY - firstLane * frame.lanes.laneHeight;
    return frame;
}

double TimelineHeight(const QFont& font, int lanes) {
    const QFontMetricsF fm(font);
    return std::ceil(fm.height() + 10) + lanes * LaneHeightFor(fm);
}

double TimelineContentWidth(const TimelineLayout& layout, const TimelineFrame& frame) {
    return kPlotLead + static_cast<double>(layout.longest) * frame.scale.pixelsPerTick +
           frame.totalWidth;
}

void PaintTimeline(QPainter& painter, const QRectF& rect, const TimelineLayout& layout,
                   const TimelinePaintOptions& options) {
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(options.font);
    const QFontMetricsF fm(options.font);
    const TimelineFrame frame =
        MakeTimelineFrame(rect, options.font, options.pixelsPerTick, options.scrollX,
                          options.scrollY, options.firstLane);
    const QPalette& pal = options.palette;
    const QColor base = pal.color(QPalette::Base);
    const QColor text = pal.color(QPalette::Text);
    const QColor highlight = pal.color(QPalette::Highlight);
    const QColor onFill = Blend(text, base, 0.8);
    const QColor grid = Blend(text, base, 0.15);
    const TimeScale& scale = frame.scale;
    const LaneGeometry& lanes = frame.lanes;
    const QRectF& plot = frame.plot;

    painter.fillRect(rect, base);

    const int laneEnd = options.laneCount < 0 ? static_cast<int>(layout.lanes.size())
                                              : std::min(static_cast<int>(layout.lanes.size()),
                                                         options.firstLane + options.laneCount);
    const int firstVisible = std::max(options.firstLane, lanes.LaneAt(plot.top()));
    const int lastVisible = std::min(laneEnd - 1, lanes.LaneAt(plot.bottom()));
    const double lanesBottom = std::min(plot.bottom(), lanes.LaneTop(laneEnd));

    // Grid lines under the lanes, labels in the axis band.
    const std::vector<AxisTick> ticks =
        AxisTicks(scale, plot.left(), plot.right(),
                  fm.horizontalAdvance(QStringLiteral("00:00:00")) + 2 * kPad);
    painter.setPen(QPen(grid, 1));
    for (const AxisTick& tick : ticks) {
        painter.drawLine(QPointF(tick.x, plot.top()), QPointF(tick.x, lanesBottom));
    }

    painter.setClipRect(plot.intersected(rect));
    for (int i = firstVisible; i <= lastVisible; ++i) {
        const TimelineLane& lane = layout.lanes[static_cast<std::size_t>(i)];
        const double laneTop = lanes.LaneTop(i);
        const QRectF band(plot.left(), laneTop, plot.width(), lanes.laneHeight);
        if (lane.panel == options.selection.panel) {
            QColor tint = highlight;
            tint.setAlphaF(0.18f);
            painter.fillRect(band, tint);
        }
        const double barTop = lanes.BarTop(i);
        const double barHeight = lanes.BarHeight();
        // Bars are in time order: stop at the first that starts past the right edge.
        for (const TimelineBar& bar : lane.bars) {
            if (bar.length == 0) {
                continue;
            }
            const BarExtent extent = BarPixels(bar, scale);
            if (extent.left > plot.right()) {
                break;
            }
            if (extent.right < plot.left()) {
                continue;
            }
            const QRectF box(extent.left, barTop, std::max(1.0, extent.right - extent.left),
                             barHeight);
            if (bar.on) {
                painter.fillRect(box, onFill);
            } else {
                painter.fillRect(box, base);
                painter.setPen(QPen(text, 1));
                painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
            }
        }
        // Intervals the device cannot take: cross-hatched and framed, so the mark reads without
        // colour too; those it takes, but not as shown, hatched one way in the warning colour.
        for (const TimelineBar& bar : lane.bars) {
            if (bar.problem.empty()) {
                continue;
            }
            const BarExtent extent = BarPixels(bar, scale);
            if (extent.left > plot.right()) {
                break;
            }
            const QRectF box(extent.left, barTop, std::max(2.0, extent.right - extent.left),
                             barHeight);
            const QColor color = bar.warning ? WarningColor() : ProblemColor();
            painter.fillRect(box,
                             QBrush(color, bar.warning ? Qt::BDiagPattern : Qt::DiagCrossPattern));
            painter.setPen(QPen(color, 2));
            painter.drawRect(box.adjusted(1, 1, -1, -1));
        }
        // Zero-length rows as a thin line over the bars.
        for (const TimelineBar& bar : lane.bars) {
            const double x = scale.ToX(static_cast<double>(bar.start));
            if (x > plot.right() + 1) {
                break;
            }
            if (bar.length == 0) {
                painter.fillRect(QRectF(x - 1, barTop - 3, 2, barHeight + 6), text);
            }
        }
        // Block starts: a small wedge above the bar where a block begins.
        painter.setBrush(text);
        painter.setPen(Qt::NoPen);
        for (const TimelineBar& bar : lane.bars) {
            const double x = scale.ToX(static_cast<double>(bar.start));
            if (x > plot.right() + 4) {
                break;
            }
            if (bar.blockStart && x >= plot.left() - 4) {
                const double h = std::max(3.0, lanes.barInset - 1);
                painter.drawPolygon(
                    QPolygonF({QPointF(x - h * 0.6, laneTop + 1), QPointF(x + h * 0.6, laneTop + 1),
                               QPointF(x, laneTop + h)}));
            }
        }
        painter.setBrush(Qt::NoBrush);

        const auto outline = [&](int barIndex, const QPen& pen, double grow) {
            if (barIndex < 0 || barIndex >= static_cast<int>(lane.bars.size())) {
                return;
            }
            const BarExtent extent =
                BarPixels(lane.bars[static_cast<std::size_t>(barIndex)], scale);
            const double width = std::max(2.0, extent.right - extent.left);
            painter.setPen(pen);
            painter.drawRect(
                QRectF(extent.left, barTop, width, barHeight).adjusted(-grow, -grow, grow, grow));
        };
        if (lane.panel == options.selection.panel) {
            outline(options.selection.row, QPen(highlight, 3), 2.5);
        }
        if (i == options.focusLane) {
            outline(options.focusBar, QPen(text, 1, Qt::DashLine), 5.5);
        }

        painter.setPen(pal.color(QPalette::Text));
        const double totalX = scale.ToX(static_cast<double>(lane.total)) + kPad;
        painter.drawText(QRectF(totalX, laneTop, frame.totalWidth, lanes.laneHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, Text(FormatTimelineTime(lane.total)));
    }

    // The axis band and the label column stay in place while the lanes scroll.
    painter.setClipRect(rect);
    const QColor window = pal.color(QPalette::Window);
    const QColor windowText = pal.color(QPalette::WindowText);
    painter.fillRect(QRectF(rect.left(), rect.top(), rect.width(), frame.axisHeight), window);
    painter.setPen(windowText);
    painter.setClipRect(
        QRectF(plot.left(), rect.top(), plot.width(), frame.axisHeight).intersected(rect));
    for (const AxisTick& tick : ticks) {
        painter.drawLine(QPointF(tick.x, plot.top() - 4), QPointF(tick.x, plot.top()));
        const QString label = Text(tick.label);
        const double width = fm.horizontalAdvance(label);
        // Labels at the ends move inward rather than being cut off.
        const double left =
            std::max(plot.left() + 1, std::min(tick.x - width / 2, plot.right() - width - 2));
        painter.drawText(QRectF(left, rect.top(), width + 2, frame.axisHeight - 4),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
    }
    painter.setClipRect(rect);
    painter.drawLine(QPointF(plot.left(), plot.top() - 0.5),
                     QPointF(rect.right(), plot.top() - 0.5));

    const QRectF column(rect.left(), plot.top(), frame.labelWidth, plot.height());
    painter.fillRect(column, window);
    painter.setClipRect(column.intersected(rect));
    QFont bold = options.font;
    bold.setBold(true);
    for (int i = firstVisible; i <= lastVisible; ++i) {
        const TimelineLane& lane = layout.lanes[static_cast<std::size_t>(i)];
        const bool selected = lane.panel == options.selection.panel;
        painter.setFont(selected ? bold : options.font);
        painter.setPen(windowText);
        painter.drawText(
            QRectF(rect.left() + kPad, lanes.LaneTop(i), frame.labelWidth - kPad, lanes.laneHeight),
            Qt::AlignLeft | Qt::AlignVCenter, Text(lane.label));
    }
    painter.setClipRect(rect);
    painter.setPen(windowText);
    painter.drawLine(QPointF(plot.left() - 0.5, rect.top()),
                     QPointF(plot.left() - 0.5, lanesBottom));
    painter.restore();
}
