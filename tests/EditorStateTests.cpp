// The edit commands as functions on the editor's state: what each does to the rows, the block
// starts and the selection, and when each refuses.
#include <gtest/gtest.h>

#include "core/EditorState.h"

namespace {

PanelState Timer(int number, int rows, bool on = false) {
    PanelState panel{number, {}};
    for (int i = 0; i < rows; ++i) {
        panel.rows.push_back({on, "00:00:" + std::to_string(10 + i), false});
    }
    ApplyBlockRule(panel);
    return panel;
}

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
    EditorState state{{Timer(2, 8), Timer(5, 3)}, false, {}};
    EXPECT_EQ(BlockStarts(state.panels[0]), std::vector<int>{0});

    // A ninth row in one run needs a new block start.
    ASSERT_TRUE(InsertRowBelow(state, 0, 3));
    EXPECT_EQ(state.panels[0].rows[4], (RowState{false, kNewIntervalText, false}));
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 8}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 4}));
    EXPECT_EQ(MemoryBytes(state), 9 * 3 + 2 + 3 * 3 + 1);

    // Deleting row 0 moves the block start the rule needs onto the new first row.
    ASSERT_TRUE(DeleteRow(state, 0, 0));
    EXPECT_EQ(state.panels[0].rows[0].text, "00:00:11");
    EXPECT_EQ(BlockStarts(state.panels[0]), (std::vector<int>{0, 7}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 0})) << "the row that took its place";
    ASSERT_TRUE(DeleteRow(state, 1, 2));
    EXPECT_EQ(state.selection, (EditorSelection{1, 1})) << "the last row: the one above";

    // Moving swaps intervals, not block starts, so the memory does not change.
    const int bytes = MemoryBytes(state);
    const RowState moved = state.panels[0].rows[6];
    ASSERT_TRUE(MoveRow(state, 0, 6, 1));
    EXPECT_EQ(state.panels[0].rows[7].text, moved.text);
    EXPECT_TRUE(state.panels[0].rows[7].blockStart);
    EXPECT_FALSE(state.panels[0].rows[6].blockStart);
    EXPECT_EQ(MemoryBytes(state), bytes);
    EXPECT_EQ(state.selection, (EditorSelection{0, 7}));

    ASSERT_TRUE(AppendRow(state, 1));
    EXPECT_EQ(state.selection, (EditorSelection{1, 2}));
}

TEST(EditorState, RefusalsLeaveTheStateAsItWas) {
    EditorState state{{Timer(0, kEditorMaxRows), Timer(1, 1)}, true, {1, 0}};
    const EditorState before = state;
    EXPECT_FALSE(AppendRow(state, 0)) << "full timer";
    EXPECT_FALSE(InsertRowBelow(state, 0, 3)) << "full timer";
    EXPECT_FALSE(InsertRowBelow(state, 1, 1)) << "no such row";
    EXPECT_FALSE(DeleteRow(state, 1, 0)) << "a timer's only row";
    EXPECT_FALSE(MoveRow(state, 1, 0, -1));
    EXPECT_FALSE(MoveRow(state, 0, kEditorMaxRows - 1, 1));
    EXPECT_FALSE(DeleteTimer(state, 2));
    EXPECT_FALSE(DuplicateTimer(state, -1, 3));
    EXPECT_FALSE(RenumberTimer(state, 2, 3));
    EXPECT_TRUE(state.SameProgram(before));
    EXPECT_EQ(state.selection, before.selection);

    EditorState full;
    for (int i = 0; i < kEditorMaxTimers; ++i) {
        ASSERT_TRUE(AddTimer(full, i, true, "00:00:01"));
    }
    EXPECT_FALSE(AddTimer(full, 31, true, "00:00:01"));
    EXPECT_FALSE(DuplicateTimer(full, 0, 31));
}

TEST(EditorState, TimerCommandsUseFreeNumbersAndSelectTheNewPlace) {
    EditorState state{{Timer(0, 2), Timer(3, 1), Timer(1, 4)}, false, {}};
    EXPECT_EQ(LowestFreeTimerNumber(state), 2);
    EXPECT_EQ(FindTimer(state, 1), 2);
    EXPECT_EQ(FindTimer(state, 7), -1);
    // Numbers a file may hold outside 0..31 take no number from the free ones.
    state.panels.push_back(Timer(-4, 1));
    EXPECT_EQ(FreeTimerNumbers(state).size(), 29u);

    ASSERT_TRUE(DuplicateTimer(state, 0, 2));
    ASSERT_EQ(state.panels.size(), 5u);
    EXPECT_EQ(state.panels[1].timerNumber, 2);
    EXPECT_EQ(state.panels[1].rows, state.panels[0].rows);
    EXPECT_EQ(state.selection, (EditorSelection{1, -1}));

    ASSERT_TRUE(DeleteTimer(state, 4));
    EXPECT_EQ(state.selection, (EditorSelection{3, -1})) << "the last timer: the one above";
    ASSERT_TRUE(AddTimer(state, 9, true, "00:00:05:30"));
    EXPECT_EQ(state.panels.back(), (PanelState{9, {{true, "00:00:05:30", true}}}));
    EXPECT_EQ(state.selection, (EditorSelection{4, -1}));

    EditorState one{{Timer(6, 1)}, false, {0, 0}};
    ASSERT_TRUE(DeleteTimer(one, 0));
    EXPECT_EQ(one.selection, (EditorSelection{-1, -1}));
    for (int i = 0; i < kTimerNumberCount; ++i) {
        one.panels.push_back(Timer(i, 1));
    }
    EXPECT_EQ(LowestFreeTimerNumber(one), -1);
}

TEST(EditorState, AChangeOnTheRowsIsNamedForWhatChanged) {
    const EditorState before{{Timer(0, 2), Timer(7, 3)}, false, {}};
    auto named = [&](auto change) {
        EditorState after = before;
        change(after);
        return DescribeChange(before, after);
    };
    EXPECT_EQ(named([](EditorState& s) { s.panels[1].rows[2].text = "1:0:0"; }),
              "Edit Timer 7 Interval 3");
    EXPECT_EQ(named([](EditorState& s) { s.panels[1].rows[0].on = true; }),
              "Switch Timer 7 Interval 1 to ON");
    EXPECT_EQ(named([](EditorState& s) { s.panels[0].rows[1].blockStart = true; }),
              "Start Block at Timer 0 Interval 2");
    EXPECT_EQ(named([](EditorState& s) { s.startup = true; }), "Run Timer 0 on Power Up");
    EXPECT_EQ(named([](EditorState&) {}), "");
}

}  // namespace
