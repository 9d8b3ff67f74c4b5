// The edit commands as functions on the editor's state: what each does to the rows, the block
// starts and the selection, and when each refuses.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "core/EditorState.h"
#include "core/TimerProgram.h"

namespace {

std::vector<int> BlockStarts(const PanelState& panel) {
    std::vector<int> starts;
    for (std::size_t row = 0; row < panel.rows.size(); ++row) {
        if (panel.rows[row].blockStart) {
            starts.push_back(static_cast<int>(row));
        }
    }
    return starts;
}

TEST(EditorState, RowCommandsKeepTheBlockRuleAndSelectWhereWorkGoesOn) {
    EditorState state{{TimerRows(2, 8), TimerRows(5, 3)}, false, {}};
    EXPECT_EQ(BlockStarts(state.panels[0]), std::vector<int>{0});

    // A ninth row in one run needs a new block start.
    ASSERT_EQ(InsertRowBelow(state, 0, 3), EditRefusal::None);
    EXPECT_EQ(state.panels[0].rows[4], (Row(false, "00:00:00", false)));
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 8}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 4}));

    // Deleting row 0 moves the block start the rule needs onto the new first row.
    ASSERT_EQ(DeleteRow(state, 0, 0), EditRefusal::None);
    EXPECT_EQ(RowText(state.panels[0].rows[0]), "00:00:11");
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 7}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 0})) << "the row that took its place";
    ASSERT_EQ(DeleteRow(state, 1, 2), EditRefusal::None);
    EXPECT_EQ(state.selection, (EditorSelection{1, 1})) << "the last row: the one above";

    // Moving swaps intervals, not block starts.
    const RowState moved = state.panels[0].rows[6];
    ASSERT_EQ(MoveRow(state, 0, 6, 1), EditRefusal::None);
    EXPECT_EQ(RowText(state.panels[0].rows[7]), RowText(moved));
    EXPECT_TRUE(state.panels[0].rows[7].blockStart);
    EXPECT_FALSE(state.panels[0].rows[6].blockStart);
    EXPECT_EQ(state.selection, (EditorSelection{0, 7}));

    ASSERT_EQ(AppendRow(state, 1), EditRefusal::None);
    EXPECT_EQ(state.selection, (EditorSelection{1, 2}));
}

TEST(EditorState, RefusalsLeaveTheStateAsItWas) {
    EditorState state{{TimerRows(0, kMaxIntervalsPerTimer), TimerRows(1, 1)}, true, {1, 0}};
    const EditorState before = state;
    EXPECT_EQ(AppendRow(state, 0), EditRefusal::TimerFull);
    EXPECT_EQ(InsertRowBelow(state, 0, 3), EditRefusal::TimerFull);
    EXPECT_EQ(InsertRowBelow(state, 1, 1), EditRefusal::NoSuchInterval);
    EXPECT_EQ(MoveRow(state, 1, 0, -1), EditRefusal::FirstInterval);
    EXPECT_EQ(MoveRow(state, 0, kMaxIntervalsPerTimer - 1, 1), EditRefusal::LastInterval);
    EXPECT_EQ(MoveTimer(state, 1, 1), EditRefusal::LastTimer);
    EXPECT_EQ(DeleteTimer(state, 2), EditRefusal::NoSuchTimer);
    EXPECT_EQ(DuplicateTimer(state, -1), EditRefusal::NoSuchTimer);
    EXPECT_EQ(RenumberTimer(state, 2, 3), EditRefusal::NoSuchTimer);
    EXPECT_TRUE(state.SameProgram(before));
    EXPECT_EQ(state.selection, before.selection);

    // A timer's last rows take the timer with them: a timer without intervals cannot be sent.
    ASSERT_EQ(DeleteRow(state, 1, 0), EditRefusal::None);
    EXPECT_EQ(state.panels.size(), 1u);

    // The editor holds every timer the device has, and no more.
    EditorState full;
    for (int i = 0; i < kTimerCount; ++i) {
        ASSERT_EQ(AddTimer(full, i, Row(true, "00:00:01")), EditRefusal::None);
    }
    EXPECT_EQ(full.panels.back().timerNumber, kLastTimerNumber);
    EXPECT_EQ(AddTimer(full, 31, Row(true, "00:00:01")), EditRefusal::TimersFull);
    EXPECT_EQ(DuplicateTimer(full, 0), EditRefusal::TimersFull);
    full.panels.pop_back();
    full.panels.back().timerNumber = 40;
    ASSERT_EQ(DuplicateTimer(full, 0), EditRefusal::None);
    EXPECT_EQ(full.panels[1].timerNumber, 30) << "the lowest free number";
}

TEST(EditorState, TimerCommandsUseFreeNumbersAndSelectTheNewPlace) {
    EditorState state{{TimerRows(0, 2), TimerRows(3, 1), TimerRows(1, 4)}, false, {}};
    EXPECT_EQ(LowestFreeTimerNumber(state), 2);
    EXPECT_EQ(FindTimer(state, 1), 2);
    EXPECT_EQ(FindTimer(state, 7), -1);
    // Numbers a file may hold outside 0..31 take no number from the free ones.
    state.panels.push_back(TimerRows(-4, 1));
    EXPECT_EQ(FreeTimerNumbers(state).size(), 29u);

    ASSERT_EQ(DuplicateTimer(state, 0), EditRefusal::None);
    ASSERT_EQ(state.panels.size(), 5u);
    EXPECT_EQ(state.panels[1].timerNumber, 2);
    EXPECT_EQ(state.panels[1].rows, state.panels[0].rows);
    EXPECT_EQ(state.selection, (EditorSelection{1, -1}));

    ASSERT_EQ(DeleteTimer(state, 4), EditRefusal::None);
    EXPECT_EQ(state.selection, (EditorSelection{3, -1})) << "the last timer: the one above";
    ASSERT_EQ(AddTimer(state, 9, Row(true, "00:00:05:30")), EditRefusal::None);
    EXPECT_EQ(state.panels.back(), (PanelState{9, {Row(true, "00:00:05:30", true)}}));
    EXPECT_EQ(state.selection, (EditorSelection{4, -1}));

    EditorState one{{TimerRows(6, 1)}, false, {0, 0}};
    ASSERT_EQ(DeleteTimer(one, 0), EditRefusal::None);
    EXPECT_EQ(one.selection, (EditorSelection{-1, -1}));
    for (int i = 0; i < kTimerCount; ++i) {
        one.panels.push_back(TimerRows(i, 1));
    }
    EXPECT_EQ(LowestFreeTimerNumber(one), -1);
}

// The view's replay of these ranges is checked where the document sends them.
TEST(EditorStateCompare, GivesTheSmallestRangeThatTurnsOneStateIntoTheOther) {
    const PanelState a = TimerRows(0, 2), b = TimerRows(1, 3), c = TimerRows(2, 1),
                     x = TimerRows(9, 4);
    PanelState changed = b;
    changed.rows[1].on = true;
    const struct {
        const char* what;
        std::vector<PanelState> before, after;
        int first, removed, added;
    } cases[] = {
        {"changed", {a, b, c}, {a, changed, c}, 1, 1, 1},
        {"inserted", {a, b, c}, {a, x, b, c}, 1, 0, 1},
        {"one of equal panels deleted", {a, a, a}, {a, a}, 2, 1, 0},
        {"two replaced by one", {a, b, c, a}, {a, x, a}, 1, 2, 1},
        {"all gone", {a, b}, {}, 0, 2, 0},
        {"from nothing", {}, {a, b}, 0, 0, 2},
    };
    for (const auto& c : cases) {
        const EditorState before{c.before, false, {}};
        const EditorState after{c.after, false, {}};
        const EditorChange change = CompareStates(before, after);
        EXPECT_EQ(change.first, c.first) << c.what;
        EXPECT_EQ(change.removed, c.removed) << c.what;
        EXPECT_EQ(change.added, c.added) << c.what;
        EXPECT_FALSE(change.startup || change.selection) << c.what;
    }
}

TEST(EditorStateProgram, BlocksSurviveTheEditorExactly) {
    using namespace testing_support;
    // Timer 3 in three blocks, then timer 0, then timer 3 again as a timer of its own; values
    // past what the editor takes, as a file can hold them, come back unchanged.
    std::vector<Step> eight;
    for (std::uint32_t i = 1; i <= 8; ++i) {
        eight.push_back({i % 2 == 0, 0, 0, i, i == 8 ? 59u : 0u});
    }
    const TimerProgram program =
        MakeProgram({{3, {{true, 0, 0, 5, 30}, {false, 1, 2, 3, 0}, {true, 0, 10, 0, 0}}},
                     {3, eight},
                     {3, {{true, 99, 99, 99, 0}, {false, 0, 0, 0, 1}}},
                     {0, {{true, 250, 75, 61, 0}}},
                     {3, {{false, 4294967295u, 0, 0, 4294967295u}}},
                     {200, {{true, 0, 0, 1, 0}}}},
                    true);

    const EditorState state = StateFromProgram(program);
    ASSERT_EQ(state.panels.size(), 4u) << "one timer per run of blocks with one number";
    EXPECT_EQ(state.panels[0].timerNumber, 3);
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 3, 11}));
    EXPECT_EQ(state.panels[0].rows[0], (Row(true, "00:00:05:30", true)));
    EXPECT_EQ(state.panels[0].rows[1], (Row(false, "01:02:03", false)));
    EXPECT_EQ(state.panels[2].timerNumber, 3);
    EXPECT_TRUE(state.startup);
    EXPECT_EQ(state.selection, (EditorSelection{0, -1}));

    const TimerProgram back = ProgramFromState(state);
    EXPECT_EQ(Describe(back), Describe(program));
    EXPECT_TRUE(back.GetStartup());

    const EditorState empty = StateFromProgram(TimerProgram{});
    EXPECT_TRUE(empty.panels.empty());
    EXPECT_EQ(empty.selection, (EditorSelection{-1, -1}));
}

TEST(EditorStateProgram, WhatDoesNotFitIsLeftOut) {
    using namespace testing_support;
    // Timer 0 with 56 intervals, then 32 more timers of one.
    std::vector<BlockData> blocks;
    for (int b = 0; b < 7; ++b) {
        blocks.push_back({0, std::vector<Step>(8, Step{true, 0, 0, 1, 0})});
    }
    for (int timer = 1; timer <= 32; ++timer) {
        blocks.push_back({timer, {{false, 0, 0, 2, 0}}});
    }
    const EditorState state = StateFromProgram(MakeProgram(blocks));
    ASSERT_EQ(static_cast<int>(state.panels.size()), kTimerCount);
    EXPECT_EQ(state.panels.back().timerNumber, kTimerCount - 1);
    ASSERT_EQ(static_cast<int>(state.panels[0].rows.size()), kMaxIntervalsPerTimer);
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 8, 16, 24, 32, 40, 48}));

    const std::vector<BlockData> back = Describe(ProgramFromState(state));
    ASSERT_EQ(back.size(), 7u + kTimerCount - 1);
    EXPECT_EQ(back[6].steps.size(), 1u) << "the 49th interval alone in the last block";
}

TEST(EditorStateBlockStart, RefusesWhereTheRuleWouldPutTheBoxBackAndAClearedBoxMayNeedAnother) {
    EditorState state{{TimerRows(4, 16), TimerRows(5, 12)}, false, {1, -1}};
    const EditorState before = state;
    EXPECT_EQ(SetBlockStart(state, 0, 0, false), EditRefusal::BlockFirstInterval);
    EXPECT_EQ(SetBlockStart(state, 0, 8, false), EditRefusal::BlockTooLong)
        << "rows 0 to 15 in one block";
    EXPECT_EQ(SetBlockStart(state, 0, 16, true), EditRefusal::NoSuchInterval);
    EXPECT_EQ(SetBlockStart(state, 2, 0, true), EditRefusal::NoSuchInterval);
    EXPECT_EQ(SetBlockStart(state, 0, -1, true), EditRefusal::NoSuchInterval);
    EXPECT_TRUE(state.SameProgram(before));
    EXPECT_EQ(state.selection, before.selection);

    // A block of exactly eight rows is allowed; one more is not.
    ASSERT_EQ(SetBlockStart(state, 1, 4, true), EditRefusal::None);
    EXPECT_EQ(BlockStarts(state.panels[1]), (std::vector<int>{0, 4, 8}));
    EXPECT_EQ(state.selection, (EditorSelection{1, 4}));
    ASSERT_EQ(SetBlockStart(state, 1, 4, false), EditRefusal::None);
    EXPECT_EQ(BlockStarts(state.panels[1]), (std::vector<int>{0, 8}));
    const EditorState eight = state;
    EXPECT_EQ(SetBlockStart(state, 1, 8, false), EditRefusal::BlockTooLong);
    EXPECT_TRUE(state.SameProgram(eight));
    EXPECT_EQ(state.selection, eight.selection);

    // A cleared box may need another one further down.
    ASSERT_EQ(SetBlockStart(state, 0, 3, true), EditRefusal::None);
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 3, 8}));

    // Rows 3 to 15 would be one block: the rule checks row 11, and row 8 stays clear.
    ASSERT_EQ(SetBlockStart(state, 0, 8, false), EditRefusal::None);
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 3, 11}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 8}));

    ASSERT_EQ(SetBlockStart(state, 0, 3, false), EditRefusal::None);
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 8, 11}));
    EXPECT_EQ(MemoryBytes(state), 16 * 3 + 3 + 12 * 3 + 2);
}

TEST(EditorStateRows, TextIsStoredInItsNormalFormAndSwitchFlips) {
    EditorState state{{TimerRows(2, 3), TimerRows(6, 9)}, false, {0, -1}};
    ASSERT_EQ(SetRowText(state, 1, 8, " 0:0:1:2 "), EditRefusal::None);
    EXPECT_EQ(state.panels[1].rows[8], (Row(false, "00:00:01:02", true)))
        << "the block start is not the text's";
    EXPECT_EQ(state.selection, (EditorSelection{1, 8}));

    const EditorState before = state;
    EXPECT_EQ(SetRowText(state, 0, 1, "0:0:0:60"), EditRefusal::Unreadable);
    EXPECT_EQ(SetRowText(state, 0, 3, "1:0:0"), EditRefusal::NoSuchInterval);
    EXPECT_EQ(SwitchRow(state, 2, 0), EditRefusal::NoSuchInterval);
    EXPECT_TRUE(state.SameProgram(before));
    EXPECT_EQ(state.selection, before.selection);

    ASSERT_EQ(SwitchRow(state, 0, 2), EditRefusal::None);
    EXPECT_TRUE(state.panels[0].rows[2].on);
    EXPECT_EQ(state.selection, (EditorSelection{0, 2}));
    ASSERT_EQ(SwitchRow(state, 0, 2), EditRefusal::None);
    EXPECT_FALSE(state.panels[0].rows[2].on);
}

TEST(EditorStateJoin, AppendsTheSecondPlaceToTheFirstKeepingItsBlocksAndTheRule) {
    EditorState state;
    state.panels = {TimerRows(1, 7), TimerRows(2, 1), TimerRows(1, 3)};
    state.panels[2].rows[0].on = true;
    state.selection = {1, -1};
    EXPECT_EQ(TimerToJoin(state), 1) << "the first timer in two places when the selection is not";
    ASSERT_EQ(JoinTimer(state, 1), EditRefusal::None);
    ASSERT_EQ(state.panels.size(), 2u);
    EXPECT_EQ(state.panels[1].timerNumber, 2);
    const PanelState& joined = state.panels[0];
    ASSERT_EQ(joined.rows.size(), 10u);
    EXPECT_TRUE(joined.rows[7].on);
    EXPECT_EQ(RowText(joined.rows[9]), "00:00:12");
    // The second place's block start stays; the rule adds none, as no block passes 8 rows.
    EXPECT_EQ(BlockStarts(joined), (std::vector<int>{0, 7}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 7}));
    EXPECT_EQ(TimerToJoin(state), -1);
    EXPECT_EQ(JoinTimer(state, 1), EditRefusal::NotInTwoPlaces);

    // A second place that started mid-block in the file still gets the rule's boxes.
    EditorState longer;
    longer.panels = {TimerRows(3, 6), TimerRows(3, 6)};
    longer.panels[1].rows[0].blockStart = false;
    ASSERT_EQ(JoinTimer(longer, 3), EditRefusal::None);
    EXPECT_EQ(BlockStarts(longer.panels[0]), (std::vector<int>{0, 8}));
}

TEST(EditorStateJoin, RefusesPastTheRowLimitAndPrefersTheSelectedTimer) {
    EditorState state;
    state.panels = {TimerRows(1, 2), TimerRows(4, 30), TimerRows(1, 1), TimerRows(4, 20)};
    state.selection = {3, 0};
    EXPECT_EQ(TimerToJoin(state), 4);
    const EditorState before = state;
    EXPECT_EQ(JoinTimer(state, 4), EditRefusal::JoinTooLong) << "50 rows";
    EXPECT_TRUE(state.SameProgram(before));
    EXPECT_EQ(state.selection, before.selection);
    EXPECT_EQ(JoinTimer(state, 7), EditRefusal::NotInTwoPlaces);
    ASSERT_EQ(JoinTimer(state, 1), EditRefusal::None);
    EXPECT_EQ(state.panels[0].rows.size(), 3u);
    state.panels[2].rows.pop_back();
    EXPECT_EQ(JoinTimer(state, 4), EditRefusal::None) << "exactly 49 rows";
    EXPECT_EQ(static_cast<int>(state.panels[1].rows.size()), kMaxIntervalsPerTimer);
}

}  // namespace
