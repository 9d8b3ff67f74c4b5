// The list's geometry as the view and its delegate use it: the columns from the width, which
// part a click lands on, and where the box and the mark go. That the figures grow with the font
// is checked on the window at a large font (WindowLayoutTests).
#include <gtest/gtest.h>

#include "gui/editor/TimerListDelegate.h"
#include "gui/editor/TimerListLayout.h"

TEST(TimerListLayout, TheIntervalTakesTheRoomAndEveryPixelHasOnePart) {
    const ListMetrics metrics;
    const ColumnWidths widths = ListColumnWidths(272, metrics);
    EXPECT_EQ(widths.label, 50);
    EXPECT_EQ(widths.box, 18);
    EXPECT_EQ(widths.interval, 204);
    EXPECT_EQ(RowPartAt(-1, widths), RowPart::None);
    EXPECT_EQ(RowPartAt(0, widths), RowPart::Label);
    EXPECT_EQ(RowPartAt(49, widths), RowPart::Label);
    EXPECT_EQ(RowPartAt(50, widths), RowPart::Interval);
    EXPECT_EQ(RowPartAt(253, widths), RowPart::Interval);
    EXPECT_EQ(RowPartAt(254, widths), RowPart::Box);
    EXPECT_EQ(RowPartAt(271, widths), RowPart::Box);
    EXPECT_EQ(RowPartAt(272, widths), RowPart::None);

    // Too narrow for all three: the interval goes first, then the box; nothing is negative.
    const ColumnWidths narrow = ListColumnWidths(60, metrics);
    EXPECT_EQ(narrow.label + narrow.interval + narrow.box, 60);
    EXPECT_EQ(narrow.interval, 0);
    EXPECT_EQ(RowPartAt(55, narrow), RowPart::Box);
    const ColumnWidths none = ListColumnWidths(-5, metrics);
    EXPECT_EQ(none.label + none.interval + none.box, 0);
    EXPECT_EQ(RowPartAt(0, none), RowPart::None);
}

TEST(TimerListLayout, TheBoxIsCentredAndTheMarkSitsInsideTheCellAtItsRightEnd) {
    const QRect box(254, 20, 18, 20);
    EXPECT_EQ(BoxIndicatorRect(box, QSize(14, 14)), QRect(256, 23, 14, 14));
    const QRect cell(50, 40, 204, 20);
    const QRect sign = ProblemSignRect(cell);
    EXPECT_TRUE(cell.contains(sign));
    EXPECT_EQ(sign.width(), sign.height());
    EXPECT_GT(sign.left(), cell.center().x());
    EXPECT_TRUE(cell.contains(IntervalTextRect(cell)));
    // The sign keeps a readable size in a low row.
    EXPECT_EQ(ProblemSignRect(QRect(0, 0, 100, 10)).height(), 8);
}

TEST(TimerListLayout, ATextIsCentredOrStartsAtTheLeftAndAlwaysSitsOnTheMiddle) {
    const QRect area(10, 20, 50, 20);
    EXPECT_EQ(TextOrigin(area, QSize(20, 14), true), QPoint(25, 23));
    EXPECT_EQ(TextOrigin(area, QSize(20, 14), false), QPoint(10, 23));
    // Wider than its area, a centred text overhangs both sides alike.
    EXPECT_EQ(TextOrigin(area, QSize(70, 14), true).x(), 0);
}

TEST(TimerListColours, AnInactiveCaptionStandsOutFromTheListUnderLightAndDarkThemes) {
    // Fusion's light palette: its own Mid, today's grey bar.
    EXPECT_EQ(InactiveCaptionColor(QColor(255, 255, 255), QColor(184, 184, 184), Qt::black),
              QColor(184, 184, 184));
    // A dark theme whose Mid is the list's own colour: a lighter bar, still darker than the text.
    const QColor dark =
        InactiveCaptionColor(QColor(36, 36, 36), QColor(38, 38, 38), QColor(238, 238, 238));
    EXPECT_GE(dark.lightness() - 36, 40);
    EXPECT_LE(dark.lightness(), 238 - 100) << "the caption's text must still read on it";
}
