#include "gui/timeline/TimelineView.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr double kZoomStep = 1.5;

}  // namespace

TimelineView::TimelineView(QWidget* parent) : QAbstractScrollArea(parent) {
    setAccessibleName(tr("Timeline"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every pixel is painted, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateScrollBars();
}

void TimelineView::SetState(const EditorState& state, const std::vector<DeviceProblem>& problems) {
    layout = LayoutTimeline(state);
    MarkProblems(layout, problems);
    const bool selectionMoved = !(state.selection == selection);
    selection = state.selection;
    const int lanes = static_cast<int>(layout.lanes.size());
    if (focusLane >= lanes) {
        focusLane = lanes - 1;
    }
    if (focusLane >= 0) {
        const int bars =
            static_cast<int>(layout.lanes[static_cast<std::size_t>(focusLane)].bars.size());
        focusBar = std::min(focusBar, bars - 1);
        if (focusBar < 0) {
            focusLane = -1;
        }
    }
    if (focusLane < 0) {
        focusBar = -1;
    }
    if (fitted) {
        pixelsPerTick = FitPixelsPerTick(layout.longest, Frame().FitWidth());
    }
    UpdateScrollBars();
    // The keyboard goes on from the row the user selected elsewhere.
    if (selectionMoved && selection.panel >= 0 && selection.row >= 0 &&
        selection.panel < static_cast<int>(layout.lanes.size()) &&
        selection.row <
            static_cast<int>(layout.lanes[static_cast<std::size_t>(selection.panel)].bars.size())) {
        SetFocusBar(selection.panel, selection.row);
    }
    viewport()->update();
}

void TimelineView::Fit() {
    fitted = true;
    pixelsPerTick = FitPixelsPerTick(layout.longest, Frame().FitWidth());
    UpdateScrollBars();
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void TimelineView::ZoomIn() {
    const TimelineFrame frame = Frame();
    double x = frame.plot.center().x();
    if (focusLane >= 0 && focusBar >= 0) {
        const TimelineBar& bar = layout.lanes[static_cast<std::size_t>(focusLane)]
                                     .bars[static_cast<std::size_t>(focusBar)];
        const double barX = frame.scale.ToX(static_cast<double>(bar.start));
        if (barX >= frame.plot.left() && barX <= frame.plot.right()) {
            x = barX;
        }
    }
    ZoomAround(kZoomStep, x);
}

void TimelineView::ZoomOut() {
    ZoomAround(1 / kZoomStep, Frame().plot.center().x());
}

void TimelineView::ZoomAround(double factor, double x) {
    fitted = false;
    SetZoom(pixelsPerTick * factor, x);
}

void TimelineView::SetZoom(double newPixelsPerTick, double anchorX) {
    const double anchorTicks = std::max(0.0, Frame().scale.ToTicks(anchorX));
    pixelsPerTick = ClampPixelsPerTick(newPixelsPerTick);
    UpdateScrollBars();
    const TimelineFrame unscrolled =
        MakeTimelineFrame(viewport()->rect(), font(), pixelsPerTick, 0, 0);
    const double scroll = unscrolled.scale.ToX(anchorTicks) - anchorX;
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(scroll)));
    viewport()->update();
}

TimelineFrame TimelineView::Frame() const {
    return MakeTimelineFrame(viewport()->rect(), font(), pixelsPerTick,
                             horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TimelineView::UpdateScrollBars() {
    const TimelineFrame frame = MakeTimelineFrame(viewport()->rect(), font(), pixelsPerTick, 0, 0);
    // Scroll positions are ints: very long zoomed-in programs stop at the int range.
    const double width = std::min(TimelineContentWidth(layout, frame), 2.0e9);
    const int page = std::max(1, static_cast<int>(frame.plot.width()));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, static_cast<int>(std::ceil(width)) - page));
    horizontal->setPageStep(page);
    horizontal->setSingleStep(std::max(1, page / 10));

    const double height = static_cast<double>(layout.lanes.size()) * frame.lanes.laneHeight;
    const int visible = std::max(1, static_cast<int>(frame.plot.height()));
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, static_cast<int>(std::ceil(height)) - visible));
    vertical->setPageStep(visible);
    vertical->setSingleStep(static_cast<int>(frame.lanes.laneHeight));
}

TimelineHit TimelineView::HitAt(const QPointF& point) const {
    const TimelineFrame frame = Frame();
    if (!frame.plot.contains(point)) {
        return {};
    }
    return HitTest(layout, frame.scale, frame.lanes, point.x(), point.y());
}

QString TimelineView::DescribeRow(int panel, int row) const {
    if (panel < 0 || panel >= static_cast<int>(layout.lanes.size())) {
        return {};
    }
    const TimelineLane& lane = layout.lanes[static_cast<std::size_t>(panel)];
    if (row < 0 || row >= static_cast<int>(lane.bars.size())) {
        return {};
    }
    return QString::fromStdString(DescribeBar(lane, lane.bars[static_cast<std::size_t>(row)]));
}

QPoint TimelineView::RowPoint(int panel, int row) const {
    if (DescribeRow(panel, row).isEmpty()) {
        return {-1, -1};
    }
    const TimelineFrame frame = Frame();
    const TimelineBar& bar =
        layout.lanes[static_cast<std::size_t>(panel)].bars[static_cast<std::size_t>(row)];
    double x = frame.scale.ToX(static_cast<double>(bar.start));
    if (bar.length > 0) {
        const BarExtent extent = BarPixels(bar, frame.scale);
        x = (extent.left + extent.right) / 2;
    }
    const double y = frame.lanes.BarTop(panel) + frame.lanes.BarHeight() / 2;
    return QPoint(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

QSize TimelineView::sizeHint() const {
    const int lanes = std::clamp(static_cast<int>(layout.lanes.size()), 3, 8);
    return {640, static_cast<int>(TimelineHeight(font(), lanes)) + 2 * frameWidth() +
                     horizontalScrollBar()->sizeHint().height()};
}

QSize TimelineView::minimumSizeHint() const {
    return {160, static_cast<int>(TimelineHeight(font(), 1)) + 2 * frameWidth() +
                     horizontalScrollBar()->sizeHint().height()};
}

void TimelineView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    TimelinePaintOptions options;
    options.pixelsPerTick = pixelsPerTick;
    options.scrollX = horizontalScrollBar()->value();
    options.scrollY = verticalScrollBar()->value();
    options.selection = selection;
    if (hasFocus()) {
        options.focusLane = focusLane;
        options.focusBar = focusBar;
    }
    options.palette = palette();
    options.font = font();
    PaintTimeline(painter, viewport()->rect(), layout, options);
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (fitted) {
        pixelsPerTick = FitPixelsPerTick(layout.longest, Frame().FitWidth());
    }
    UpdateScrollBars();
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const TimelineHit hit = HitAt(event->position());
    if (!hit.Found()) {
        return;
    }
    SetFocusBar(hit.lane, hit.bar);
    emit rowClicked(hit.panel, hit.row);
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        ZoomAround(std::pow(kZoomStep, delta / 120.0), event->position().x());
    }
    event->accept();
}

void TimelineView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomIn();
            return;
        case Qt::Key_Minus:
            ZoomOut();
            return;
        case Qt::Key_Left:
            MoveFocus(0, -1);
            return;
        case Qt::Key_Right:
            MoveFocus(0, 1);
            return;
        case Qt::Key_Up:
            MoveFocus(-1, 0);
            return;
        case Qt::Key_Down:
            MoveFocus(1, 0);
            return;
        case Qt::Key_Home:
            if (focusLane >= 0) {
                SetFocusBar(focusLane, 0);
            }
            return;
        case Qt::Key_End:
            if (focusLane >= 0) {
                SetFocusBar(focusLane,
                            static_cast<int>(
                                layout.lanes[static_cast<std::size_t>(focusLane)].bars.size()) -
                                1);
            }
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (focusLane >= 0 && focusBar >= 0) {
                const TimelineLane& lane = layout.lanes[static_cast<std::size_t>(focusLane)];
                emit rowClicked(lane.panel, lane.bars[static_cast<std::size_t>(focusBar)].row);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void TimelineView::MoveFocus(int lanes, int bars) {
    if (layout.lanes.empty()) {
        return;
    }
    if (focusLane < 0) {
        SetFocusBar(0, 0);
        return;
    }
    // Up and Down pass over timers without rows.
    const int count = static_cast<int>(layout.lanes.size());
    int lane = focusLane;
    for (int next = focusLane + lanes; lanes != 0 && next >= 0 && next < count; next += lanes) {
        if (!layout.lanes[static_cast<std::size_t>(next)].bars.empty()) {
            lane = next;
            break;
        }
    }
    SetFocusBar(lane, focusBar + bars);
}

void TimelineView::SetFocusBar(int lane, int bar) {
    if (lane < 0 || lane >= static_cast<int>(layout.lanes.size())) {
        return;
    }
    const int count = static_cast<int>(layout.lanes[static_cast<std::size_t>(lane)].bars.size());
    if (count == 0) {
        return;
    }
    focusLane = lane;
    focusBar = std::clamp(bar, 0, count - 1);
    ScrollToBar(focusLane, focusBar);
    AnnounceFocus();
    viewport()->update();
}

void TimelineView::ScrollToBar(int lane, int bar) {
    const TimelineFrame frame = Frame();
    const TimelineBar& item =
        layout.lanes[static_cast<std::size_t>(lane)].bars[static_cast<std::size_t>(bar)];
    const BarExtent extent = BarPixels(item, frame.scale);
    QScrollBar* horizontal = horizontalScrollBar();
    const double margin = 12;
    if (extent.left < frame.plot.left() + margin) {
        horizontal->setValue(horizontal->value() -
                             static_cast<int>(std::ceil(frame.plot.left() + margin - extent.left)));
    } else if (extent.left > frame.plot.right() - margin) {
        horizontal->setValue(horizontal->value() + static_cast<int>(std::ceil(
                                                       extent.left - frame.plot.right() + margin)));
    }
    QScrollBar* vertical = verticalScrollBar();
    const double top = frame.lanes.LaneTop(lane);
    const double bottom = top + frame.lanes.laneHeight;
    if (top < frame.plot.top()) {
        vertical->setValue(vertical->value() - static_cast<int>(std::ceil(frame.plot.top() - top)));
    } else if (bottom > frame.plot.bottom()) {
        vertical->setValue(vertical->value() +
                           static_cast<int>(std::ceil(bottom - frame.plot.bottom())));
    }
}

void TimelineView::AnnounceFocus() {
    if (focusLane < 0 || focusBar < 0) {
        return;
    }
    const TimelineLane& lane = layout.lanes[static_cast<std::size_t>(focusLane)];
    const QString text =
        QString::fromStdString(DescribeBar(lane, lane.bars[static_cast<std::size_t>(focusBar)]));
    if (text == accessibleDescription()) {
        return;
    }
    setAccessibleDescription(text);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void TimelineView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (focusLane < 0 && !layout.lanes.empty()) {
        const int lane =
            selection.panel >= 0 && selection.panel < static_cast<int>(layout.lanes.size())
                ? selection.panel
                : 0;
        SetFocusBar(lane, std::max(0, selection.panel == lane ? selection.row : 0));
    } else {
        AnnounceFocus();
    }
    viewport()->update();
}

void TimelineView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TimelineView::scrollContentsBy(int, int) {
    viewport()->update();
}

bool TimelineView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const TimelineHit hit = HitAt(help->pos());
        if (hit.Found()) {
            QToolTip::showText(help->globalPos(), DescribeRow(hit.panel, hit.row), viewport());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TimelineView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        if (fitted) {
            pixelsPerTick = FitPixelsPerTick(layout.longest, Frame().FitWidth());
        }
        UpdateScrollBars();
        viewport()->update();
    }
}
