#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditorState.h"
#include "core/TimerProgram.h"

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::string File(const std::string& name) const { return (path / name).string(); }

private:
    std::filesystem::path path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

struct Step {
    bool on;
    std::uint32_t hours, minutes, seconds, ticks;
};
struct BlockData {
    int timer;
    std::vector<Step> steps;
};

TimerProgram MakeProgram(const std::vector<BlockData>& blocks, bool startup = false);
// The blocks of a program in the same form, for comparing with EXPECT_EQ.
std::vector<BlockData> Describe(const TimerProgram& program);

bool operator==(const Step& a, const Step& b);
bool operator==(const BlockData& a, const BlockData& b);
void PrintTo(const BlockData& block, std::ostream* os);

// A program of random blocks and values, reproducible from the seed.
TimerProgram RandomProgram(std::uint32_t seed);

// The largest program the editor holds: 32 timers of 49 intervals, each timer in blocks of 8,
// with varied values (some with ticks).
TimerProgram LargestProgram();

}  // namespace testing_support

// A row written as people write intervals ("00:05:00", "0:0:1:30"); numbers the text does not
// give are 0.
RowState Row(bool on, std::string_view text, bool blockStart = false);
// Timer `number` with rows "00:00:10", "00:00:11", ..., all ON or all OFF, the block rule kept.
PanelState TimerRows(int number, int rows, bool on = false);
