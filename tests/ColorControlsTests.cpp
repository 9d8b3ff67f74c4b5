// The coloured static and check box, and the interval edit's colours: what they paint and which
// clicks they report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>

#include "EditorTestSupport.h"
#include "gui/common/SystemColors.h"
#include "gui/editor/ColorCheckBox.h"
#include "gui/editor/ColorStatic.h"
#include "gui/editor/IntervalEdit.h"

namespace {

QImage Picture(QWidget& widget) {
    return widget.grab().toImage();
}

bool Shows(const QImage& image, const QColor& color) {
    for (int i = 0; i < image.width() * image.height(); ++i) {
        if (image.pixelColor(i % image.width(), i / image.width()) == color) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(ColorControlsTest, EachPaintsItsColoursInsideABlackBorder) {
    const QColor red(255, 0, 0);
    ColorStatic label(QStringLiteral("OFF"));
    ColorCheckBox box;
    IntervalEdit edit;
    label.resize(50, 20);
    box.resize(18, 20);
    edit.resize(150, 20);
    edit.setText(QStringLiteral("00:00:05"));
    EXPECT_EQ(Picture(label).pixelColor(2, 2), ToQColor(kWhite)) << "until coloured";
    EXPECT_EQ(Picture(edit).pixelColor(2, 2), QApplication::palette().color(QPalette::Base));

    label.SetBackgroundColor(kBlue);
    label.SetTextColor(ToColorRef(red));
    box.SetBackgroundColor(kBlue);
    edit.SetBackgroundColor(kBlue);
    edit.SetTextColor(ToColorRef(red));
    for (QWidget* control : std::initializer_list<QWidget*>{&label, &box, &edit}) {
        const QImage picture = Picture(*control);
        EXPECT_EQ(picture.pixelColor(2, 2), QColor(0, 0, 255)) << "0xFF0000 is blue";
        EXPECT_EQ(picture.pixelColor(0, 0), ToQColor(kBlack)) << "the border";
    }
    EXPECT_TRUE(Shows(Picture(label), red)) << "the text in the text colour";
    EXPECT_TRUE(Shows(Picture(box), ToQColor(kWhite))) << "the box itself stays white";
    EXPECT_EQ(edit.palette().color(QPalette::Text), red);
}

TEST(ColorControlsTest, TheLabelCountsLeftClicksEndingInsideAndTheBoxReportsClicksAnywhere) {
    ColorStatic label(QStringLiteral("ON"));
    label.resize(50, 20);
    QSignalSpy clicks(&label, &ColorStatic::clicked);
    Click(&label);
    QTest::mouseClick(&label, Qt::RightButton, Qt::NoModifier, QPoint(25, 10));
    QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(25, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(80, 10));
    EXPECT_EQ(clicks.count(), 1) << "neither a right click nor a release outside counts";

    // The box asks and leaves its state to its owner, checked or not.
    ColorCheckBox box;
    box.resize(18, 20);
    QSignalSpy boxClicks(&box, &ColorCheckBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(boxClicks.count(), 1) << "a click in the corner, outside the drawn box";
    EXPECT_FALSE(box.isChecked());
    box.setChecked(true);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(16, 18));
    EXPECT_EQ(boxClicks.count(), 2);
    EXPECT_TRUE(box.isChecked());
}
