#pragma once

#include <string>
#include <vector>

// The whole editor as a plain value: every timer with its rows as the user sees them (raw
// texts, which need not read as intervals), the startup flag and the selection. Undo keeps two
// of these per step; the edit commands are functions from one to the next.

struct RowState {
    bool on = false;
    std::string text;
    bool blockStart = false;

    bool operator==(const RowState&) const = default;
};

struct PanelState {
    int timerNumber = 0;
    std::vector<RowState> rows;

    bool operator==(const PanelState&) const = default;
};

// The active timer and its selected row; -1 for none. A timer with no selected row shows its
// caption as selected.
struct EditorSelection {
    int panel = -1;
    int row = -1;

    bool operator==(const EditorSelection&) const = default;
};

struct EditorState {
    std::vector<PanelState> panels;
    bool startup = false;
    EditorSelection selection;

    // The program alone: what is saved and sent, not where the selection is.
    bool SameProgram(const EditorState& other) const {
        return panels == other.panels && startup == other.startup;
    }
};

inline constexpr int kEditorMaxTimers = 31;
inline constexpr int kEditorMaxRows = 49;
inline constexpr int kEditorRowsPerBlock = 8;
inline constexpr int kTimerNumberCount = 32;
inline constexpr char kNewIntervalText[] = "00:00:00";

// Row 0 starts a block and no block is longer than kEditorRowsPerBlock rows: the boxes the rule
// needs are checked, none is cleared.
void ApplyBlockRule(PanelState& panel);

// 3 bytes per row and 1 per block start, as the device stores them.
int MemoryBytes(const EditorState& state);

// The index of the first timer with this number, or -1.
int FindTimer(const EditorState& state, int timerNumber);
// The lowest number from 0 to 31 that no timer has, or -1 when all are taken.
int LowestFreeTimerNumber(const EditorState& state);
// The numbers from 0 to 31 that no timer has, in order.
std::vector<int> FreeTimerNumbers(const EditorState& state);

// The edit commands. Each returns false and leaves the state as it was when it cannot act (no
// such timer or row, a full timer, too many timers); callers check the reason first to tell the
// user. On success the selection is where the user expects to go on working.

// A new timer at the end with one row; its caption is selected.
bool AddTimer(EditorState& state, int timerNumber, bool on, const std::string& text);
// An OFF 00:00:00 row at the end of the timer, selected.
bool AppendRow(EditorState& state, int panel);
// An OFF 00:00:00 row below row, selected.
bool InsertRowBelow(EditorState& state, int panel, int row);
// Removes a row; the row that took its place is selected, or the one above when it was last.
// The timer's only row cannot be deleted this way: that deletes the timer.
bool DeleteRow(EditorState& state, int panel, int row);
// Removes a timer; the timer that took its place is selected, or the one above.
bool DeleteTimer(EditorState& state, int panel);
// Swaps the row's interval with its neighbour's (delta -1 up, +1 down). Block starts stay where
// they are, so the memory the timer needs does not change; the moved row stays selected.
bool MoveRow(EditorState& state, int panel, int row, int delta);
// A copy of the timer under timerNumber, right after it, selected.
bool DuplicateTimer(EditorState& state, int panel, int timerNumber);
bool RenumberTimer(EditorState& state, int panel, int timerNumber);

// "Edit Timer 3 Interval 2", "Switch Timer 3 Interval 2 to ON": a name for a change the user
// made directly on the rows, found by comparing the states. Empty when nothing differs.
std::string DescribeChange(const EditorState& before, const EditorState& after);
