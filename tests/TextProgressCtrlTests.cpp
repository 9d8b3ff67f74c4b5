#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <climits>

#include "TextProgressCtrl.h"

namespace {

constexpr QRgb kBlueRgb = 0x0000FF;

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

bool IsDark(QRgb rgb) {
    return qRed(rgb) < 90 && qGreen(rgb) < 90 && qBlue(rgb) < 90;
}

bool IsWhite(QRgb rgb) {
    return qRed(rgb) > 200 && qGreen(rgb) > 200 && qBlue(rgb) > 200;
}

TEST(TextProgressFill, FollowsThePositionWithinTheRange) {
    EXPECT_EQ(FilledWidth(15, 0, 30, 300), 150);
    EXPECT_EQ(FilledWidth(1, 0, 3, 100), 33) << "truncated";
    EXPECT_EQ(FilledWidth(0, -10, 10, 300), 150);
    EXPECT_EQ(FilledWidth(41, 0, 40, 300), 300) << "held at the top";
    EXPECT_EQ(FilledWidth(-1, 0, 40, 300), 0) << "held at the bottom";
    EXPECT_EQ(FilledWidth(0, INT_MIN, INT_MAX, 300), 150) << "no overflow in the differences";
    EXPECT_EQ(FilledWidth(5, 5, 5, 300), 0) << "equal ends: no fill";
}

class TextProgressCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar.resize(300, 25);
        bar.setRange(0, 30);
    }
    QImage Grab() { return bar.grab().toImage(); }

    TextProgressCtrl bar;
};

TEST_F(TextProgressCtrlTest, HalfWayFillsHalfTheBarInBlueEqualEndsNone) {
    bar.SetPos(15);
    QImage image = Grab();
    ASSERT_EQ(image.width(), 300);
    for (const int y : {0, 12, 24}) {
        EXPECT_EQ(Pixel(image, 0, y), kBlueRgb);
        EXPECT_EQ(Pixel(image, 149, y), kBlueRgb);
        EXPECT_NE(Pixel(image, 150, y), kBlueRgb);
        EXPECT_NE(Pixel(image, 299, y), kBlueRgb);
    }

    bar.setRange(7, 7);
    bar.SetPos(7);
    bar.SetText("Ready to program");
    image = Grab();
    for (int x = 0; x < image.width(); ++x) {
        ASSERT_NE(Pixel(image, x, 0), kBlueRgb) << x;
    }
}

TEST_F(TextProgressCtrlTest, AGlyphOnTheEdgeIsWhiteLeftOfItAndBlackRightOfIt) {
    bar.resize(300, 40);
    QFont font = bar.font();
    font.setPixelSize(30);
    font.setBold(true);
    bar.setFont(font);
    bar.SetText("HHH");
    bar.setRange(0, 300);
    bar.SetPos(0);

    // The crossbar of an H: the row holding the longest run of dark pixels.
    const QImage plain = Grab();
    int bestRow = -1, bestStart = 0, bestLength = 0;
    for (int y = 0; y < plain.height(); ++y) {
        int run = 0;
        for (int x = 0; x < plain.width(); ++x) {
            run = IsDark(Pixel(plain, x, y)) ? run + 1 : 0;
            if (run > bestLength) {
                bestRow = y;
                bestLength = run;
                bestStart = x - run + 1;
            }
        }
    }
    ASSERT_GE(bestLength, 8) << "no crossbar found";

    // Put the edge of the fill in the middle of that crossbar.
    const int edge = bestStart + bestLength / 2;
    bar.SetPos(edge);
    const QImage split = Grab();
    for (int x = bestStart + 2; x < edge; ++x) {
        EXPECT_TRUE(IsWhite(Pixel(split, x, bestRow))) << "left of the edge at " << x;
    }
    for (int x = edge; x < bestStart + bestLength - 2; ++x) {
        EXPECT_TRUE(IsDark(Pixel(split, x, bestRow))) << "right of the edge at " << x;
    }
    EXPECT_EQ(Pixel(split, edge - 1, 0), kBlueRgb);
    EXPECT_NE(Pixel(split, edge, 0), kBlueRgb);
}

}  // namespace
