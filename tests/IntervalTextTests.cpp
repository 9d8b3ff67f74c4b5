#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "core/IntervalText.h"

namespace {

using Fields = std::array<std::uint32_t, 4>;

TEST(IntervalTextScan, ReadsLikeScanfAndLeavesWhatItDoesNotReach) {
    // Fields start at 7 so that untouched ones are visible.
    const struct {
        const char* text;
        int count;
        Fields fields;
    } cases[] = {
        {"00:10:00", 3, {0, 10, 0, 7}},
        {"00:10:00:30", 4, {0, 10, 0, 30}},
        {"1: 2: 3", 3, {1, 2, 3, 7}},  // blanks before a number are skipped
        {"1:2:3:4:5", 4, {1, 2, 3, 4}},
        {"5", 1, {5, 7, 7, 7}},
        {"1 :2:3", 1, {1, 7, 7, 7}},  // a blank is not the separator
        {"1:2:x", 2, {1, 2, 7, 7}},
        {"", 0, {7, 7, 7, 7}},
        {"abc", 0, {7, 7, 7, 7}},
        {"-2:+3:00", 3, {4294967294u, 3, 0, 7}},
        // Past 32 bits a value must not wrap to something small that would pass as valid.
        {"4294967296:0:0", 3, {4294967295u, 0, 0, 7}},
        {"99999999999999999999999:0:0", 3, {4294967295u, 0, 0, 7}},
    };
    for (const auto& c : cases) {
        Fields f{7, 7, 7, 7};
        EXPECT_EQ(ScanIntervalText(c.text, f[0], f[1], f[2], f[3]), c.count) << c.text;
        EXPECT_EQ(f, c.fields) << c.text;
    }
}

TEST(IntervalTextNormal, ThreeOrFourNumbersInRangeGiveTheStoredForm) {
    const struct {
        const char* text;
        const char* normal;
    } cases[] = {
        {"0:0:1:2", "00:00:01:02"},    {"1:2:3", "01:02:03"},
        {"1:2:3:0", "01:02:03"},  // no sixtieths are not shown
        {"  12:30:00 \t", "12:30:00"}, {"99:99:99:59", "99:99:99:59"},
        {"00:60:00", "00:60:00"},  // minutes are not carried into hours
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalIntervalText(c.text), std::optional<std::string>(c.normal)) << c.text;
    }
}

TEST(IntervalTextNormal, RefusesAnythingButOneIntervalInRange) {
    for (const char* bad : {"0:0:1:2:3", "1:2:3:", "12:30:00:00:", "1:2:3x", "1 :2:3", "1:2", "12",
                            "", "   ", "01.30.00", "100:00:00", "00:100:00", "00:00:100",
                            "0:0:0:60", "-1:00:00", "0:0:0:-1", "4294967296:00:00"}) {
        EXPECT_EQ(NormalIntervalText(bad), std::nullopt) << '"' << bad << '"';
    }
}

}  // namespace
