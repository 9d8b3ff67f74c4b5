#include <gtest/gtest.h>

#include <array>

#include "IntervalText.h"

namespace {

struct Scan {
    int count;
    std::array<std::uint32_t, 4> fields;
};

// Fields start at 7 so that untouched ones are visible.
Scan ScanText(std::string_view text) {
    Scan scan{0, {7, 7, 7, 7}};
    scan.count =
        ScanIntervalText(text, scan.fields[0], scan.fields[1], scan.fields[2], scan.fields[3]);
    return scan;
}

using F = std::array<std::uint32_t, 4>;

TEST(IntervalTextScan, ReadsThreeOrFourNumbers) {
    EXPECT_EQ(ScanText("00:10:00").count, 3);
    EXPECT_EQ(ScanText("00:10:00").fields, (F{0, 10, 0, 7}));
    EXPECT_EQ(ScanText("00:10:00:30").count, 4);
    EXPECT_EQ(ScanText("00:10:00:30").fields, (F{0, 10, 0, 30}));
    EXPECT_EQ(ScanText("1: 2: 3").fields, (F{1, 2, 3, 7}));  // blanks before a number are skipped
    EXPECT_EQ(ScanText("1:2:3:4:5").count, 4);
}

TEST(IntervalTextScan, StopsAtTheFirstMismatchAndKeepsTheRest) {
    EXPECT_EQ(ScanText("5").count, 1);
    EXPECT_EQ(ScanText("5").fields, (F{5, 7, 7, 7}));
    EXPECT_EQ(ScanText("1 :2:3").count, 1);  // a blank is not the separator
    EXPECT_EQ(ScanText("1.2.3").count, 1);
    EXPECT_EQ(ScanText("").count, 0);
    EXPECT_EQ(ScanText("abc").count, 0);
    EXPECT_EQ(ScanText("1:2:x").fields, (F{1, 2, 7, 7}));
}

TEST(IntervalTextScan, SignsAndHugeNumbers) {
    EXPECT_EQ(ScanText("-1:00:00").fields[0], 4294967295u);
    EXPECT_EQ(ScanText("-2:+3:00").fields, (F{4294967294u, 3, 0, 7}));
    EXPECT_EQ(ScanText("4294967295:0:0").fields[0], 4294967295u);
    // Past 32 bits the value must not wrap to something small that would pass as valid.
    EXPECT_EQ(ScanText("4294967296:0:0").fields[0], 4294967295u);
    EXPECT_EQ(ScanText("99999999999999999999999:0:0").fields[0], 4294967295u);
}

TEST(IntervalTextAcceptable, LimitIs99PerFieldAndThreeNumbersAreNeeded) {
    for (const char* ok : {"99:99:99", "00:60:00", "00:00:75", "01:02:03:250", "1:2:3", "0:0:0"}) {
        EXPECT_TRUE(IsAcceptableIntervalText(ok)) << ok;
    }
    for (const char* bad : {"100:00:00", "00:100:00", "00:00:100", "-1:00:00", "", "5", "1:2",
                            "abc", "4294967296:00:00"}) {
        EXPECT_FALSE(IsAcceptableIntervalText(bad)) << bad;
    }
}

}  // namespace
