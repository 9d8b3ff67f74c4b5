#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/DeviceLimits.h"
#include "core/EditorState.h"

using namespace testing_support;
using Kind = DeviceProblem::Kind;

namespace {

std::vector<Kind> Kinds(const std::vector<DeviceProblem>& problems) {
    std::vector<Kind> kinds;
    for (const DeviceProblem& p : problems) {
        kinds.push_back(p.kind);
    }
    return kinds;
}

BlockData FullBlock(int timer) {
    return {timer, std::vector<Step>(8, Step{true, 0, 0, 1, 0})};
}

TEST(DeviceLimits, MemoryLimitIs128BytesOfBlocks) {
    EXPECT_TRUE(CheckDeviceLimits(MakeProgram({})).empty());
    // Five full blocks take 125 bytes; one more block of 1 interval makes 129.
    std::vector<BlockData> blocks(5, FullBlock(1));
    blocks.push_back({2, {{false, 0, 0, 1, 0}}});
    const std::vector<DeviceProblem> problems = CheckDeviceLimits(MakeProgram(blocks));
    ASSERT_EQ(Kinds(problems), std::vector<Kind>{Kind::OutOfMemory});
    EXPECT_NE(problems[0].message.find("needs 129 bytes"), std::string::npos)
        << problems[0].message;
    // Five full blocks and three empty ones take exactly 128 bytes; empty blocks are problems
    // of their own.
    blocks.back() = {2, {}};
    blocks.push_back({3, {}});
    blocks.push_back({4, {}});
    EXPECT_EQ(DeviceMemoryUsed(MakeProgram(blocks)), 128);
    EXPECT_EQ(Kinds(CheckDeviceLimits(MakeProgram(blocks))),
              (std::vector<Kind>{Kind::EmptyBlock, Kind::EmptyBlock, Kind::EmptyBlock}));
}

TEST(DeviceLimits, IntervalMayNotReachTheOnBitEvenWhenItsLengthWrapsIn32Bits) {
    EXPECT_TRUE(CheckDeviceLimits(MakeProgram({{31, {{true, 38, 50, 10, 7}}}})).empty());
    // 19884 hours and 23,296 ticks wrap to 0 in 32 bits.
    const std::vector<DeviceProblem> problems =
        CheckDeviceLimits(MakeProgram({{0, {{true, 19884, 0, 0, 23296}}},
                                       {6, {{true, 0, 0, 1, 0}}},
                                       {6, {{false, 38, 50, 10, 8}}}}));
    ASSERT_EQ(Kinds(problems), (std::vector<Kind>{Kind::IntervalTooLong, Kind::IntervalTooLong}));
    EXPECT_EQ(problems[1].interval, 2);  // counted across the timer's blocks
    EXPECT_NE(problems[1].message.find("Timer 6, interval 2 (OFF - 38:50:10:08)"),
              std::string::npos)
        << problems[1].message;
}

TEST(DeviceLimits, ATimerNumberInTwoSeparatePlacesIsOneProblemAtItsFirstPlace) {
    const Step on{true, 0, 0, 1, 0};
    // Consecutive blocks of one number are one timer, however many.
    EXPECT_TRUE(
        CheckDeviceLimits(MakeProgram({{3, {on}}, {3, {on}}, {3, {on}}, {4, {on}}})).empty());

    const auto problems = CheckDeviceLimits(
        MakeProgram({{3, {on}}, {4, {on}}, {3, {on}}, {5, {on}}, {4, {on}}, {3, {on}}}));
    ASSERT_EQ(Kinds(problems), (std::vector<Kind>{Kind::TimerInPlaces, Kind::TimerInPlaces}));
    EXPECT_EQ(problems[0].timer, 3);
    EXPECT_EQ(problems[1].timer, 4);
    EXPECT_TRUE(problems[0].message.starts_with("Timer 3 appears in 3 places;"))
        << problems[0].message;
}

PanelState Rows(int number, std::vector<std::string> texts) {
    PanelState panel{number, {}};
    for (std::string& text : texts) {
        panel.rows.push_back(Row(false, text));
    }
    ApplyBlockRule(panel);
    return panel;
}

TEST(EditorCheck, PlacesEachProblemAtItsPanelAndRow) {
    EditorState state;
    // Timer 2 in two places, with a long interval in its second place; two neighbouring
    // Timer 5 panels are one timer to the device, counted across both.
    state.panels = {Rows(2, {"00:00:01"}), Rows(3, {"00:00:01", "38:50:10:08"}),
                    Rows(2, {"00:00:01", "99:00:00"}), Rows(5, {"00:00:01"}),
                    Rows(5, {"00:00:01", "40:00:00"})};
    const std::vector<DeviceProblem> problems = CheckEditorState(state);
    ASSERT_EQ(Kinds(problems), (std::vector<Kind>{Kind::TimerInPlaces, Kind::IntervalTooLong,
                                                  Kind::IntervalTooLong, Kind::IntervalTooLong}));
    const auto at = [](const DeviceProblem& p) { return std::pair{p.panel, p.row}; };
    EXPECT_EQ(at(problems[0]), (std::pair{0, -1}));
    EXPECT_EQ(at(problems[1]), (std::pair{1, 1}));
    EXPECT_EQ(at(problems[2]), (std::pair{2, 1}));
    EXPECT_EQ(at(problems[3]), (std::pair{4, 1}));
    EXPECT_EQ(ShortProblemText(problems[1]), "Timer 3, interval 2 is longer than the device takes");
    // The editor's advice names its command; the same check for tvrtool keeps its words.
    EXPECT_NE(problems[0].message.find("Use Join Timer 2 in the Edit menu"), std::string::npos)
        << problems[0].message;
    const std::vector<DeviceProblem> tool = CheckDeviceLimits(ProgramFromState(state));
    ASSERT_EQ(tool.size(), 4u);
    EXPECT_EQ(tool[0].message,
              "Timer 2 appears in two places; the device would treat them as one timer. Move its "
              "intervals together or give one of them another number.");
    for (std::size_t i = 1; i < tool.size(); ++i) {
        EXPECT_EQ(tool[i].message, problems[i].message) << "one rule, one wording";
    }
}

TEST(EditorCheck, WarnsOfStartupWithoutTimer0AndOfSixtiethsPastASecondAfterEveryProblem) {
    EditorState state;
    state.panels = {Rows(1, {"38:50:10:07"})};
    EXPECT_TRUE(CheckEditorState(state).empty()) << "the longest interval the device takes";
    state.startup = true;
    // A file's sixtieths of 60 or more, and a problem the device cannot take after them.
    state.panels.push_back(Rows(2, {"00:00:00:60", "00:00:01:75", "99:00:00"}));
    const std::vector<DeviceProblem> findings = CheckEditorState(state);
    ASSERT_EQ(Kinds(findings),
              (std::vector<Kind>{Kind::IntervalTooLong, Kind::StartupWithoutTimer,
                                 Kind::SixtiethsOverSecond, Kind::SixtiethsOverSecond}));
    EXPECT_FALSE(findings[0].IsWarning());
    EXPECT_TRUE(findings[1].IsWarning());
    EXPECT_EQ(findings[1].panel, -1);
    EXPECT_TRUE(findings[2].IsWarning());
    EXPECT_EQ((std::pair{findings[3].panel, findings[3].row}), (std::pair{1, 1}));
    EXPECT_EQ(findings[3].message,
              "Timer 2, interval 2 (OFF - 00:00:01:75) has 75 sixtieths of a second, more than a "
              "second holds; the device runs it as 00:00:02:15. Type it as 00:00:02:15 if that "
              "is what you meant.");
    EXPECT_EQ(CountFindings(findings).problems, 1);
    EXPECT_EQ(CountFindings(findings).warnings, 3);
    state.panels.push_back(Rows(0, {"00:00:01"}));
    state.panels[1] = Rows(2, {"00:00:00:59"});
    EXPECT_TRUE(CheckEditorState(state).empty());
}

}  // namespace
