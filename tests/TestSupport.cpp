#include "TestSupport.h"

#include "core/IntervalText.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = base / ("timer-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(path)) {
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

TimerProgram MakeProgram(const std::vector<BlockData>& blocks, bool startup) {
    TimerProgram program;
    for (const BlockData& data : blocks) {
        auto block = std::make_unique<TimerBlock>();
        block->SetTimerNumber(data.timer);
        for (const Step& s : data.steps) {
            Interval interval;
            interval.Set(s.on, s.hours, s.minutes, s.seconds, s.ticks);
            block->AddInterval(interval);
        }
        program.AddBlock(std::move(block));
    }
    program.SetStartup(startup);
    return program;
}

std::vector<BlockData> Describe(const TimerProgram& program) {
    std::vector<BlockData> blocks;
    for (const TimerBlock* b = program.GetFirstBlock(); b != nullptr; b = b->GetNext()) {
        BlockData data{b->GetTimerNumber(), {}};
        for (int i = 0; i < b->GetCount(); ++i) {
            const Interval* v = b->GetInterval(i);
            data.steps.push_back(
                {v->IsOn(), v->GetHours(), v->GetMinutes(), v->GetSeconds(), v->GetTicks()});
        }
        blocks.push_back(data);
    }
    return blocks;
}

bool operator==(const Step& a, const Step& b) {
    return a.on == b.on && a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds &&
           a.ticks == b.ticks;
}

bool operator==(const BlockData& a, const BlockData& b) {
    return a.timer == b.timer && a.steps == b.steps;
}

void PrintTo(const BlockData& block, std::ostream* os) {
    *os << "{timer " << block.timer << ":";
    for (const Step& s : block.steps) {
        *os << ' ' << (s.on ? "ON" : "OFF") << ' ' << s.hours << ':' << s.minutes << ':'
            << s.seconds << ':' << s.ticks;
    }
    *os << '}';
}

TimerProgram RandomProgram(std::uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&](std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
    };
    // Mostly editor-sized values, sometimes anything a file can hold.
    auto number = [&]() { return pick(0, 9) == 0 ? pick(0, UINT32_MAX) : pick(0, 99); };
    std::vector<BlockData> blocks(pick(1, 12));
    for (BlockData& block : blocks) {
        block.timer = pick(0, 19) == 0 ? static_cast<int>(pick(0, UINT32_MAX))
                                       : static_cast<int>(pick(0, 31));
        block.steps.resize(pick(0, 8));
        for (Step& step : block.steps) {
            step = {pick(0, 1) == 1, number(), number(), number(), pick(0, 3) == 0 ? 0 : number()};
        }
    }
    return MakeProgram(blocks, pick(0, 1) == 1);
}

TimerProgram LargestProgram() {
    std::vector<BlockData> blocks;
    constexpr auto kRows = static_cast<std::uint32_t>(kMaxIntervalsPerTimer);
    for (int timer = 0; timer < kTimerCount; ++timer) {
        for (std::uint32_t first = 0; first < kRows; first += kIntervalsPerBlock) {
            BlockData block{timer, {}};
            for (std::uint32_t n = first; n < std::min(first + kIntervalsPerBlock, kRows); ++n) {
                block.steps.push_back(
                    {n % 2 == 0, n % 24, n % 60, (n * 7) % 60, n % 3 == 0 ? n : 0});
            }
            blocks.push_back(block);
        }
    }
    return MakeProgram(blocks);
}

}  // namespace testing_support

RowState Row(bool on, std::string_view text, bool blockStart) {
    RowState row{on, 0, 0, 0, 0, blockStart};
    ScanIntervalText(text, row.hours, row.minutes, row.seconds, row.ticks);
    return row;
}

PanelState TimerRows(int number, int rows, bool on) {
    PanelState panel{number, {}};
    for (int i = 0; i < rows; ++i) {
        panel.rows.push_back(Row(on, "00:00:" + std::to_string(10 + i)));
    }
    ApplyBlockRule(panel);
    return panel;
}
