// The coloured static and check box, and the interval edit's colours: what they paint and which
// clicks they report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "ColorCheckBox.h"
#include "ColorStatic.h"
#include "EditorTestSupport.h"
#include "IntervalEdit.h"
#include "SystemColors.h"

namespace {

QImage Picture(QWidget& widget) {
    return widget.grab().toImage();
}

bool Shows(const QImage& image, const QColor& color) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

void SendMouse(QWidget* widget, QEvent::Type type) {
    const QPointF at = widget->rect().center();
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

TEST(ColorStaticTest, PaintsWhiteWithBlackTextUntilColoured) {
    ColorStatic label(QStringLiteral("OFF"));
    label.resize(50, 20);
    QImage before = Picture(label);
    EXPECT_EQ(before.pixelColor(3, 3), ToQColor(kWhite));
    EXPECT_EQ(before.pixelColor(0, 0), ToQColor(kBlack)) << "the border";
    EXPECT_TRUE(Shows(before, ToQColor(kBlack)));

    label.SetBackgroundColor(kBlue);
    label.SetTextColor(MakeColorRef(255, 0, 0));
    QImage after = Picture(label);
    EXPECT_EQ(after.pixelColor(3, 3), QColor(0, 0, 255)) << "0xFF0000 is blue";
    EXPECT_TRUE(Shows(after, QColor(255, 0, 0))) << "the text in the text colour";
    EXPECT_FALSE(Shows(after, ToQColor(kWhite)));
}

TEST(ColorStaticTest, ReportsLeftClicksThatEndInsideAndADoubleClickOnce) {
    ColorStatic label(QStringLiteral("ON"));
    label.resize(50, 20);
    QSignalSpy clicks(&label, &ColorStatic::clicked);

    Click(&label);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(&label, Qt::RightButton, Qt::NoModifier, QPoint(25, 10));
    EXPECT_EQ(clicks.count(), 1) << "a right click is not a click";
    QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(25, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(80, 10));
    EXPECT_EQ(clicks.count(), 1) << "released outside the control";

    // What a quick double click delivers: press, release, double click, release.
    SendMouse(&label, QEvent::MouseButtonPress);
    SendMouse(&label, QEvent::MouseButtonRelease);
    SendMouse(&label, QEvent::MouseButtonDblClick);
    SendMouse(&label, QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ColorCheckBoxTest, PaintsItsBackgroundAroundAWhiteBoxAndAClickAnywhereToggles) {
    ColorCheckBox box;
    box.resize(18, 20);
    box.SetBackgroundColor(kBlue);
    box.SetTextColor(MakeColorRef(0, 160, 0));
    const QImage picture = Picture(box);
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(0, 0), ToQColor(kBlack)) << "the border";
    EXPECT_TRUE(Shows(picture, ToQColor(kWhite))) << "the box itself stays white";

    QSignalSpy clicks(&box, &ColorCheckBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_TRUE(box.isChecked());
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(16, 18));
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(clicks.count(), 2);
}

TEST(IntervalEditColorsTest, DefaultColoursUntilABackgroundIsSet) {
    IntervalEdit edit;
    edit.resize(150, 20);
    edit.setText(QStringLiteral("00:00:05"));
    edit.SetTextColor(MakeColorRef(255, 0, 0));  // alone it changes nothing that shows
    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    EXPECT_EQ(Picture(edit).pixelColor(3, 3), base);
    EXPECT_FALSE(Shows(Picture(edit), QColor(255, 0, 0)));

    const ColorRef active = GetSysColor(SysColor::ActiveCaption);
    const ColorRef highlightText = GetSysColor(SysColor::HighlightText);
    edit.SetBackgroundColor(active);
    edit.SetTextColor(highlightText);
    const QImage picture = Picture(edit);
    EXPECT_EQ(picture.pixelColor(3, 3), ToQColor(active));
    EXPECT_EQ(picture.pixelColor(0, 0), ToQColor(kBlack)) << "the border";
    EXPECT_EQ(edit.palette().color(QPalette::Text), ToQColor(highlightText));
}
