#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include "core/EditorState.h"
#include "core/TimelineMath.h"
#include "gui/timeline/TimelinePaint.h"

// The program as a timeline: one lane per timer, ON bars filled and OFF bars outlined, to
// scale. It shows the state it is given and reports clicks; the owner keeps the editor and the
// view in step. Scrolls both ways; the labels and the time axis stay in place.
class TimelineView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TimelineView(QWidget* parent = nullptr);

    // Lays the program out again and repaints; the zoom stays unless the view is fitted. The
    // intervals the device check found too long are marked.
    void SetState(const EditorState& state, const std::vector<DeviceProblem>& problems = {});
    const TimelineLayout& GetLayout() const { return layout; }
    const EditorSelection& GetSelection() const { return selection; }

    // The longest timer fills the width, and keeps filling it as the view or program changes,
    // until the user zooms.
    void Fit();
    bool IsFitted() const { return fitted; }
    void ZoomIn();
    void ZoomOut();
    double GetPixelsPerTick() const { return pixelsPerTick; }
    // Where times lie in the viewport now, scrolling included.
    TimeScale GetTimeScale() const { return Frame().scale; }

    // The bar the arrow keys move, as a lane and an index into its bars; -1 for none.
    int GetFocusLane() const { return focusLane; }
    int GetFocusBar() const { return focusBar; }
    // The hover text of a row's bar, empty when there is no such bar.
    QString DescribeRow(int panel, int row) const;
    // The middle of a row's bar in viewport coordinates, for pointing at it; (-1, -1) when none.
    QPoint RowPoint(int panel, int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void rowClicked(int panel, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TimelineFrame Frame() const;
    TimelineHit HitAt(const QPointF& point) const;
    // Zooms by factor keeping the time under viewport x where it is.
    void ZoomAround(double factor, double x);
    void SetZoom(double pixelsPerTick, double anchorX);
    void UpdateScrollBars();
    void SetFocusBar(int lane, int bar);
    void MoveFocus(int lanes, int bars);
    void ScrollToBar(int lane, int bar);
    void AnnounceFocus();

    TimelineLayout layout;
    EditorSelection selection;
    double pixelsPerTick = 0.01;
    bool fitted = true;
    int focusLane = -1;
    int focusBar = -1;
};
