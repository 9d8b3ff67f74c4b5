#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/TimerProgram.h"

using namespace testing_support;

namespace {

Interval MakeInterval(bool on, std::uint32_t h, std::uint32_t m, std::uint32_t s, std::uint32_t t) {
    Interval interval;
    interval.Set(on, h, m, s, t);
    return interval;
}

TEST(TimerBlockCapacity, TakesEightIntervalsAndRefusesTheNinth) {
    TimerBlock block;
    EXPECT_EQ(block.GetInterval(0), nullptr) << "a slot not in use";
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(
            block.AddInterval(MakeInterval(i % 2 == 0, 0, 0, static_cast<std::uint32_t>(i), 0)));
    }
    EXPECT_FALSE(block.AddInterval(MakeInterval(true, 9, 9, 9, 9)));
    EXPECT_EQ(block.GetCount(), 8);
    EXPECT_EQ(block.GetInterval(7)->GetSeconds(), 7u);  // the refused one overwrote nothing
    EXPECT_EQ(block.GetInterval(8), nullptr);
    EXPECT_EQ(block.GetInterval(-1), nullptr);
}

TEST(TimerProgramChain, BlocksKeepTheirOrderAndTheCursorWalksThem) {
    TimerProgram empty;
    empty.ResetCursor();
    EXPECT_EQ(empty.MoveNext(), nullptr);  // no block under the cursor: none, not a crash

    TimerProgram program = MakeProgram(
        {{3, {{true, 0, 0, 1, 0}}}, {3, {{false, 0, 0, 2, 0}, {true, 0, 0, 3, 0}}}, {7, {}}});
    EXPECT_EQ(program.GetBlockCount(), 3);
    program.ResetCursor();
    ASSERT_NE(program.GetCursor(), nullptr);
    EXPECT_EQ(program.GetCursor()->GetCount(), 1);
    EXPECT_EQ(program.MoveNext()->GetCount(), 2);
    EXPECT_EQ(program.MoveNext()->GetTimerNumber(), 7);
    EXPECT_EQ(program.MoveNext(), nullptr);
}

}  // namespace
