#include <gtest/gtest.h>

#include <QFont>
#include <QImage>

#include "gui/transfer/TextProgressBar.h"

namespace {

constexpr QRgb kBlueRgb = 0x0000FF;

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

bool IsDark(QRgb rgb) {
    return qRed(rgb) < 90 && qGreen(rgb) < 90 && qBlue(rgb) < 90;
}

TEST(TextProgressBar, FillsInBlueUpToThePositionAndNotAtAllForEqualEnds) {
    TextProgressBar bar;
    bar.resize(300, 25);
    bar.setRange(0, 30);
    bar.SetPos(15);
    const QImage half = bar.grab().toImage();
    EXPECT_EQ(Pixel(half, 149, 24), kBlueRgb);
    EXPECT_NE(Pixel(half, 150, 0), kBlueRgb);

    bar.setRange(7, 7);
    bar.SetPos(7);
    EXPECT_NE(Pixel(bar.grab().toImage(), 0, 0), kBlueRgb);
}

TEST(TextProgressBar, AGlyphOnTheEdgeIsWhiteLeftOfItAndBlackRightOfIt) {
    TextProgressBar bar;
    bar.resize(300, 40);
    QFont font = bar.font();
    font.setPixelSize(30);
    font.setBold(true);
    bar.setFont(font);
    bar.SetText("HHH");
    bar.setRange(0, 300);

    // The crossbar of an H: the longest run of dark pixels in a row.
    const QImage plain = bar.grab().toImage();
    int row = -1, first = 0, length = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0, run = 0; x < plain.width(); ++x) {
            run = IsDark(Pixel(plain, x, y)) ? run + 1 : 0;
            if (run > length) {
                row = y;
                length = run;
                first = x - run + 1;
            }
        }
    }
    ASSERT_GE(length, 8) << "no crossbar found";

    // Put the edge of the fill in the middle of that crossbar.
    const int edge = first + length / 2;
    bar.SetPos(edge);
    const QImage split = bar.grab().toImage();
    for (int x = first + 2; x < first + length - 2; ++x) {
        const QRgb pixel = Pixel(split, x, row);
        EXPECT_TRUE(x < edge ? qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200
                             : IsDark(pixel))
            << "at " << x << ", edge at " << edge;
    }
    EXPECT_EQ(Pixel(split, edge - 1, 0), kBlueRgb);
    EXPECT_NE(Pixel(split, edge, 0), kBlueRgb);
}

}  // namespace
