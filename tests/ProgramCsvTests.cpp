#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ProgramCsv.h"

using namespace testing_support;

namespace {

// One case for each rule: a run of blocks is one timer whose numbering and start go on across
// an empty block (which gives no line); a timer number seen again starts both afresh; lengths
// past 32 bits are written whole.
TEST(ProgramCsv, HeaderLineEndsAndNumbering) {
    const TimerProgram program = MakeProgram({{4, {{true, 0, 0, 5, 0}, {false, 0, 0, 10, 30}}},
                                              {4, {}},
                                              {4, {{true, 1, 2, 3, 4}}},
                                              {9, {{false, 99, 99, 99, 0}}},
                                              {4, {{true, 4294967295u, 0, 0, 0}}},
                                              {4, {{false, 0, 0, 1, 0}}}});
    EXPECT_EQ(ProgramToCsv(program),
              "timer,interval,state,hours,minutes,seconds,sixtieths,ticks,start_ticks,"
              "block_start\r\n"
              "4,1,ON,0,0,5,0,300,0,1\r\n"
              "4,2,OFF,0,0,10,30,630,300,0\r\n"
              "4,3,ON,1,2,3,4,223384,930,1\r\n"
              "9,1,OFF,99,99,99,0,21746340,0,1\r\n"
              "4,1,ON,4294967295,0,0,0,927712935720000,0,1\r\n"
              "4,2,OFF,0,0,1,0,60,927712935720000,1\r\n");
    EXPECT_EQ(ProgramToCsv(TimerProgram{}), std::string(kCsvHeader) + "\r\n");
}

}  // namespace
