#include <gtest/gtest.h>

#include <cstdlib>

#include "TestSupport.h"
#include "core/ProgramCsv.h"

using namespace testing_support;

namespace {

// The records, read independently of the writer: every one ends in CR LF, and no field is
// quoted, as none holds a comma, a quote or a line end.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<std::string> record(1);
        for (const char c : text.substr(start, end - start)) {
            EXPECT_TRUE(c != '"' && c != '\r' && c != '\n') << "record " << records.size();
            if (c == ',') {
                record.emplace_back();
            } else {
                record.back() += c;
            }
        }
        records.push_back(record);
    }
    EXPECT_EQ(start, text.size()) << "last record has no CR LF";
    return records;
}

std::uint64_t Number(const std::string& text) {
    return std::strtoull(text.c_str(), nullptr, 10);
}

// Rebuilds the blocks from the CSV: a new block at every block_start, a new timer where the
// number changes or the interval count starts again.
std::vector<BlockData> BlocksFromCsv(const std::vector<std::vector<std::string>>& records) {
    std::vector<BlockData> blocks;
    std::uint64_t expectedStart = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const auto& f = records[i];
        EXPECT_EQ(f.size(), 10u);
        if (f.size() != 10u) {
            break;
        }
        const int timer = std::atoi(f[0].c_str());
        const bool newTimer = blocks.empty() || blocks.back().timer != timer || f[1] == "1";
        if (newTimer) {
            expectedStart = 0;
        }
        if (newTimer || f[9] == "1") {
            blocks.push_back({timer, {}});
        }
        const Step step{f[2] == "ON", static_cast<std::uint32_t>(Number(f[3])),
                        static_cast<std::uint32_t>(Number(f[4])),
                        static_cast<std::uint32_t>(Number(f[5])),
                        static_cast<std::uint32_t>(Number(f[6]))};
        EXPECT_TRUE(f[2] == "ON" || f[2] == "OFF") << f[2];
        const std::uint64_t ticks = std::uint64_t{step.hours} * 216000 +
                                    std::uint64_t{step.minutes} * 3600 +
                                    std::uint64_t{step.seconds} * 60 + step.ticks;
        EXPECT_EQ(Number(f[7]), ticks) << "line " << i;
        EXPECT_EQ(Number(f[8]), expectedStart) << "line " << i;
        expectedStart += ticks;
        blocks.back().steps.push_back(step);
    }
    return blocks;
}

// The program's blocks without the empty ones, which no CSV line can stand for.
std::vector<BlockData> NonEmptyBlocks(const TimerProgram& program) {
    std::vector<BlockData> blocks;
    for (const BlockData& block : Describe(program)) {
        if (!block.steps.empty()) {
            blocks.push_back(block);
        }
    }
    return blocks;
}

TEST(ProgramCsv, RoundTripsEveryIntervalWithItsTimerStartAndBlock) {
    std::vector<TimerProgram> programs;
    programs.push_back(LargestProgram());
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        programs.push_back(RandomProgram(seed));
    }
    for (const TimerProgram& program : programs) {
        const std::string csv = ProgramToCsv(program);
        const auto records = ParseCsv(csv);
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records[0].size(), 10u);
        EXPECT_EQ(BlocksFromCsv(records), NonEmptyBlocks(program));
    }
}

TEST(ProgramCsv, HeaderLineEndsAndNumbering) {
    const TimerProgram program = MakeProgram({{4, {{true, 0, 0, 5, 0}, {false, 0, 0, 10, 30}}},
                                              {4, {{true, 1, 2, 3, 4}}},
                                              {9, {{false, 99, 99, 99, 0}}}});
    EXPECT_EQ(ProgramToCsv(program),
              "timer,interval,state,hours,minutes,seconds,sixtieths,ticks,start_ticks,"
              "block_start\r\n"
              "4,1,ON,0,0,5,0,300,0,1\r\n"
              "4,2,OFF,0,0,10,30,630,300,0\r\n"
              "4,3,ON,1,2,3,4,223384,930,1\r\n"
              "9,1,OFF,99,99,99,0,21746340,0,1\r\n");
    EXPECT_EQ(ProgramToCsv(TimerProgram{}), std::string(kCsvHeader) + "\r\n");
}

}  // namespace
