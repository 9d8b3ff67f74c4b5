#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ProgramFit.h"

using namespace testing_support;

namespace {

std::vector<BlockData> Timer(int number, int intervals) {
    std::vector<BlockData> blocks;
    for (int done = 0; done < intervals || blocks.empty(); done += 8) {
        BlockData block{number, {}};
        for (int i = done; i < std::min(done + 8, intervals); ++i) {
            block.steps.push_back({true, 0, 0, 1, 0});
        }
        blocks.push_back(block);
    }
    return blocks;
}

// Timer 1's 60 intervals in eight blocks are one timer; its later run is a timer of its own.
TEST(ProgramFit, NamesTimersBeyondTheLimitAndIntervalsBeyondTheRowLimit) {
    EXPECT_TRUE(
        DescribeWhatDoesNotFit(LargestProgram(), kTimerCount, kMaxIntervalsPerTimer).empty());
    std::vector<BlockData> blocks;
    for (int t = 0; t < 34; ++t) {
        auto timer = Timer(t == 33 ? 7 : t % 2, t == 3 ? 60 : 1);  // runs alternate 0, 1, 0, ...
        blocks.insert(blocks.end(), timer.begin(), timer.end());
    }
    EXPECT_EQ(DescribeWhatDoesNotFit(MakeProgram(blocks), kTimerCount, kMaxIntervalsPerTimer),
              (std::vector<std::string>{"Timer 1: intervals 50 to 60",
                                        "Timer 0 (the 33rd timer in the file), with 1 interval",
                                        "Timer 7 (the 34th timer in the file), with 1 interval"}));
}

}  // namespace
