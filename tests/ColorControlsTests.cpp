// The coloured static and check box, and the interval edit's colours: what they paint and which
// clicks they report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>

#include "EditorTestSupport.h"
#include "gui/common/FocusFrame.h"
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

TEST(ColorControlsTest, EachPaintsItsColoursInABlackBorderAndAFocusFrameInItsTextColour) {
    QWidget row;
    auto* label = new ColorStatic(QStringLiteral("OFF"), &row);
    auto* box = new ColorCheckBox(&row);
    auto* edit = new IntervalEdit(&row);
    // The box as narrow as in the list.
    label->setGeometry(0, 0, 40, 20);
    box->setGeometry(40, 0, 18, 20);
    edit->setGeometry(58, 0, 90, 20);
    edit->setText(QStringLiteral("00:00:05"));
    ASSERT_TRUE(ShowActive(row));
    row.setFocus();
    EXPECT_EQ(Picture(*label).pixelColor(2, 2), ToQColor(kWhite)) << "until coloured";
    EXPECT_EQ(Picture(*edit).pixelColor(2, 2), QApplication::palette().color(QPalette::Base));
    const std::initializer_list<QWidget*> controls{label, box, edit};
    // A plain row and a selected one, as the list colours them.
    for (const auto& [background, text] : {std::pair{kWhite, kBlack}, std::pair{kBlue, kWhite}}) {
        label->SetBackgroundColor(background);
        label->SetTextColor(text);
        box->SetBackgroundColor(background);
        box->SetTextColor(text);
        edit->SetBackgroundColor(background);
        edit->SetTextColor(text);
        for (QWidget* control : controls) {
            const QImage picture = Picture(*control);
            EXPECT_EQ(picture.pixelColor(0, 0), ToQColor(kBlack)) << "the border";
            EXPECT_EQ(picture.pixelColor(2, 2),
                      background == kBlue ? QColor(0, 0, 255) : QColor(Qt::white))
                << "0xFF0000 is blue";
        }
        EXPECT_TRUE(Shows(Picture(*label), ToQColor(text))) << "the text in the text colour";
        EXPECT_TRUE(Shows(Picture(*box), ToQColor(kWhite))) << "the box itself stays white";
        EXPECT_EQ(edit->palette().color(QPalette::Text), ToQColor(text));
        for (QWidget* control : controls) {
            // The box frames the box itself, in black, as it is white on every row.
            const bool isBox = control == box;
            const QRect frame = isBox ? box->BoxRect() : FocusFrameRect(control->rect());
            const QColor ink = isBox ? ToQColor(kBlack) : ToQColor(text);
            ASSERT_FALSE(frame.isEmpty());
            // Every side of the frame, away from the text, and not only a caret.
            const QPoint marks[] = {QPoint(frame.center().x(), frame.top()),
                                    QPoint(frame.center().x(), frame.bottom()),
                                    QPoint(frame.left(), frame.center().y()),
                                    QPoint(frame.right(), frame.center().y())};
            control->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(control->hasFocus());
            const QImage focused = Picture(*control);
            row.setFocus();
            const QImage unfocused = Picture(*control);
            for (const QPoint& mark : marks) {
                EXPECT_EQ(focused.pixelColor(mark), ink)
                    << control->metaObject()->className() << " at " << mark.x() << "," << mark.y();
                // Unfocused: the row's colour, or the box's own lighter edge.
                if (isBox) {
                    EXPECT_NE(unfocused.pixelColor(mark), ink) << "the box at " << mark.x();
                } else {
                    EXPECT_EQ(unfocused.pixelColor(mark), ToQColor(background))
                        << control->metaObject()->className() << " at " << mark.x() << ","
                        << mark.y();
                }
            }
        }
    }
}
