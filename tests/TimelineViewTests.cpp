#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "TestSupport.h"
#include "gui/timeline/TimelineView.h"

namespace {

// Timer 3 with five rows (one of no length), timer 5 with two, timer 9 with one.
EditorState Sample() {
    EditorState state;
    state.panels.push_back(
        {3,
         {Row(false, "00:05:00", true), Row(true, "00:10:00"), Row(false, "00:20:00"),
          Row(true, "00:00:00"), Row(false, "00:15:00")}});
    state.panels.push_back({5, {Row(true, "01:00:00", true), Row(false, "00:30:00")}});
    state.panels.push_back({9, {Row(true, "00:00:45:30", true)}});
    return state;
}

class TimelineViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(700, 260);
        view.SetState(Sample());
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QImage Picture() { return view.viewport()->grab().toImage(); }

    TimelineView view;
};

TEST_F(TimelineViewTest, IsNamedAndClickingABarReportsItsRow) {
    EXPECT_EQ(view.accessibleName(), "Timeline");
    QSignalSpy clicked(&view, &TimelineView::rowClicked);
    // Where a bar lies is TimelineHitTest's; here the click reaches it, in any lane.
    for (const auto& [panel, row] : {std::pair{0, 3}, std::pair{2, 0}}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.RowPoint(panel, row));
        ASSERT_EQ(clicked.count(), 1) << panel << "," << row;
        EXPECT_EQ(clicked.takeFirst(), (QList<QVariant>{panel, row}));
    }
    // The label column is not a bar.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, view.RowPoint(1, 0).y()));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(TimelineViewTest, OnIsFilledOffOutlinedAndTheSelectedRowHighlighted) {
    const QColor base = view.palette().color(QPalette::Base);
    const QColor highlight = view.palette().color(QPalette::Highlight);
    // Looks up from a bar's middle for a pixel that passes: the OFF edge and the frame sit above.
    auto above = [](const QImage& image, QPoint point, auto test) {
        for (int y = point.y(); y > point.y() - 20 && y >= 0; --y) {
            if (test(image.pixelColor(point.x(), y))) {
                return true;
            }
        }
        return false;
    };
    auto isHighlight = [&](const QColor& color) { return color == highlight; };
    const QImage image = Picture();
    const QPoint on = view.RowPoint(0, 1);
    const QPoint off = view.RowPoint(0, 2);
    EXPECT_EQ(image.pixelColor(off), base);
    EXPECT_GT(std::abs(qGray(image.pixel(on)) - qGray(base.rgb())), 100);
    EXPECT_TRUE(above(image, off, [&](const QColor& color) {
        return std::abs(qGray(color.rgb()) - qGray(base.rgb())) > 100;
    }));

    EXPECT_FALSE(above(image, view.RowPoint(1, 1), isHighlight));
    EditorState selected = Sample();
    selected.selection = {1, 1};
    view.SetState(selected);
    EXPECT_EQ(view.GetSelection(), (EditorSelection{1, 1}));
    EXPECT_TRUE(above(Picture(), view.RowPoint(1, 1), isHighlight));
}

TEST_F(TimelineViewTest, ZoomsWithCtrlWheelAndKeysScrollsAndFits) {
    ASSERT_TRUE(view.IsFitted());
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    const double fitted = view.GetPixelsPerTick();

    QWheelEvent wheel(QPointF(300, 100), view.viewport()->mapToGlobal(QPointF(300, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_GT(view.GetPixelsPerTick(), fitted);
    EXPECT_FALSE(view.IsFitted());
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);

    view.setFocus();
    const double wheeled = view.GetPixelsPerTick();
    QTest::keyClick(&view, Qt::Key_Plus);
    EXPECT_GT(view.GetPixelsPerTick(), wheeled);
    QTest::keyClick(&view, Qt::Key_Minus);
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_LT(view.GetPixelsPerTick(), wheeled);

    // Zoomed in far, the end of the longest lane is reached by scrolling.
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(&view, Qt::Key_Plus);
    }
    QScrollBar* bar = view.horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    const double end = view.GetTimeScale().ToX(static_cast<double>(view.GetLayout().longest));
    EXPECT_GT(end, view.viewport()->width() / 2);
    EXPECT_LT(end, view.viewport()->width());

    view.Fit();
    EXPECT_TRUE(view.IsFitted());
    EXPECT_DOUBLE_EQ(view.GetPixelsPerTick(), fitted);
    EXPECT_EQ(bar->maximum(), 0);
    // Fitted, the view keeps fitting as it is resized.
    view.resize(1000, 260);
    EXPECT_GT(view.GetPixelsPerTick(), fitted);
}

TEST_F(TimelineViewTest, ArrowKeysMoveAFocusedBarWhoseTextScreenReadersGet) {
    EditorState selected = Sample();
    selected.selection = {0, 1};
    view.SetState(selected);
    view.setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(view.hasFocus());
    EXPECT_EQ(view.GetFocusLane(), 0) << "focus starts on the selected row";
    EXPECT_EQ(view.GetFocusBar(), 1);

    // Down to timer 5, which has two rows, lands on its last; the focus stops at the last lane
    // and the first bar.
    struct Step {
        Qt::Key key;
        int lane;
        int bar;
    };
    for (const Step& step :
         {Step{Qt::Key_Right, 0, 2}, Step{Qt::Key_Down, 1, 1}, Step{Qt::Key_Down, 2, 0},
          Step{Qt::Key_Down, 2, 0}, Step{Qt::Key_Left, 2, 0}}) {
        QTest::keyClick(&view, step.key);
        EXPECT_EQ(view.GetFocusLane(), step.lane) << step.key;
        EXPECT_EQ(view.GetFocusBar(), step.bar) << step.key;
    }
    // What a screen reader reads for the view (offscreen there is no bus to watch the change
    // event on); the wording itself is TimelineText's.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Description), view.DescribeRow(2, 0));

    QSignalSpy clicked(&view, &TimelineView::rowClicked);
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.takeFirst(), (QList<QVariant>{2, 0}));

    // A timer without rows is passed over.
    EditorState withEmpty = Sample();
    withEmpty.panels.insert(withEmpty.panels.begin() + 1, PanelState{8, {}});
    view.SetState(withEmpty);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.GetFocusLane(), 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.GetFocusLane(), 2);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.GetFocusLane(), 3);

    // The focused bar is drawn; without the focus it is not.
    const QImage focused = Picture();
    view.clearFocus();
    QApplication::processEvents();
    EXPECT_NE(Picture(), focused);
}

}  // namespace
