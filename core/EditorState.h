#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/TimerProgram.h"

// The whole editor as a plain value: every timer with its rows, the startup flag and the
// selection. A row holds its interval as numbers; typing that does not read never reaches it.
// The program document owns one; the edit commands are functions from one to the next.

struct RowState {
    bool on = false;
    // As typed or read: not normalised, so 90 minutes stays 90 minutes.
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t ticks = 0;
    bool blockStart = false;

    bool operator==(const RowState&) const = default;
};

// "00:00:05" or "01:02:03:30": the row as the list and the clipboard show it.
std::string RowText(const RowState& row);
// The row's interval for the device image.
Interval RowInterval(const RowState& row);

struct PanelState {
    int timerNumber = 0;
    std::vector<RowState> rows;

    bool operator==(const PanelState&) const = default;
};

// The active timer and its selected row; -1 for none. A timer with no selected row shows its
// caption as selected. Several rows of one timer (Shift+click, Shift+Up/Down) run from anchor,
// where the range was started, to row; anchor is -1 for row alone.
struct EditorSelection {
    int panel = -1;
    int row = -1;
    int anchor = -1;

    int FirstRow() const { return anchor == -1 || row < anchor ? row : anchor; }
    int LastRow() const { return anchor == -1 || row > anchor ? row : anchor; }

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

// "Timer 3 Interval 2" for row 1: people count intervals from 1.
std::string IntervalName(int timerNumber, int row);

// The program the editor saves and sends for this state: a block at row 0 and at every other
// checked block start.
TimerProgram ProgramFromState(const EditorState& state);
// The editor's view of a program: one timer per run of blocks with one number, a block start at
// each block's first interval, and at most kTimerCount timers of kMaxIntervalsPerTimer rows (what
// does not fit is left out; DescribeWhatDoesNotFit names it). The first timer is selected.
EditorState StateFromProgram(const TimerProgram& program);
struct TimerRun;
// One timer of a program with all its rows, however many: a block start at each block's first.
PanelState PanelFromRun(const TimerRun& run);

// What differs between two states, so a view updates only that: panels [first, first + removed)
// of the old state became [first, first + added) of the new one.
struct EditorChange {
    int first = 0;
    int removed = 0;
    int added = 0;
    bool startup = false;
    bool selection = false;
    // Another program took the place of the one shown (open, close): views start afresh.
    bool replaced = false;

    bool Panels() const { return removed != 0 || added != 0; }
    bool Program() const { return Panels() || startup; }
    bool Any() const { return Program() || selection; }
};
EditorChange CompareStates(const EditorState& before, const EditorState& after);
// Every panel of before replaced by every panel of after: for a new program.
EditorChange WholeChange(const EditorState& before, const EditorState& after);

// Row 0 starts a block and no block is longer than kIntervalsPerBlock rows: the boxes the rule
// needs are checked, none is cleared.
void ApplyBlockRule(PanelState& panel);

// The device memory the program needs (DeviceMemoryUsed): 3 bytes per row, 1 per block start.
int MemoryBytes(const EditorState& state);

// The index of the first timer with this number, or -1.
int FindTimer(const EditorState& state, int timerNumber);
// The lowest timer number of the device that no timer has, or -1 when all are taken.
int LowestFreeTimerNumber(const EditorState& state);
// The device's timer numbers that no timer has, in order.
std::vector<int> FreeTimerNumbers(const EditorState& state);

// Why an edit did not change the state. Each has its words in DescribeRefusal, so the window
// tells the user without checking a limit itself.
enum class EditRefusal {
    None,
    NoSuchTimer,
    NoSuchInterval,
    TimersFull,          // kTimerCount timers already
    TimerFull,           // kMaxIntervalsPerTimer intervals already
    NoFreeNumber,        // every number from kFirstTimerNumber to kLastTimerNumber in use
    FirstInterval,       // cannot move up
    LastInterval,        // cannot move down
    FirstTimer,          // cannot move up
    LastTimer,           // cannot move down
    NotInTwoPlaces,      // nothing to join
    JoinTooLong,         // the joined timer would pass kMaxIntervalsPerTimer
    Unreadable,          // typed text that does not read as an interval
    BlockFirstInterval,  // the first interval always starts a block
    BlockTooLong,        // clearing the box would make a block longer than kIntervalsPerBlock
};

// What the user is told about a refusal: what happened, then what to do.
struct RefusalWords {
    std::string text;
    std::string detail;
};
// The words for a refusal of an edit on the panel's timer and its 0-based row, as the state
// stood when the edit was refused.
RefusalWords DescribeRefusal(EditRefusal refusal, const EditorState& state, int panel, int row);

// The edit commands. Each returns why it could not act, leaving the state as it was, or None.
// On success the selection is where the user expects to go on working.

// A new timer at the end with one row; its caption is selected.
EditRefusal AddTimer(EditorState& state, int timerNumber, const RowState& row);
// An OFF 00:00:00 row at the end of the timer, selected.
EditRefusal AppendRow(EditorState& state, int panel);
// An OFF 00:00:00 row below row, selected.
EditRefusal InsertRowBelow(EditorState& state, int panel, int row);
// Removes a row; the row that took its place is selected, or the one above when it was last.
// The timer's only row goes with its timer (DeleteTimer).
EditRefusal DeleteRow(EditorState& state, int panel, int row);
// Removes rows first..last, the same way; all of a timer's rows take the timer with them.
EditRefusal DeleteRows(EditorState& state, int panel, int first, int last);
// Removes a timer; the timer that took its place is selected, or the one above.
EditRefusal DeleteTimer(EditorState& state, int panel);
// Swaps the timer with its neighbour (delta -1 up, +1 down); it stays selected.
EditRefusal MoveTimer(EditorState& state, int panel, int delta);
// Swaps the row's interval with its neighbour's (delta -1 up, +1 down). Block starts stay where
// they are, so the memory the timer needs does not change; the moved row stays selected.
EditRefusal MoveRow(EditorState& state, int panel, int row, int delta);
// A copy of the timer under the lowest free number, right after it, selected.
EditRefusal DuplicateTimer(EditorState& state, int panel);
EditRefusal RenumberTimer(EditorState& state, int panel, int timerNumber);

// The rows of the timer's second place appended to its first place, which keeps its block
// starts and the block rule; the second place goes. The first joined row is selected.
EditRefusal JoinTimer(EditorState& state, int timerNumber);
// The timer Join Timer works on: the selected one when it is in two places, otherwise the
// first that is; -1 when none is.
int TimerToJoin(const EditorState& state);

// The changes a user makes on the rows themselves; the row becomes the selection.
// A typed text, read as the editor reads typing (ReadTypedInterval).
EditRefusal SetRowText(EditorState& state, int panel, int row, std::string_view text);
// ON becomes OFF and OFF becomes ON.
EditRefusal SwitchRow(EditorState& state, int panel, int row);
// Checks or clears the row's block start; the rest of the timer keeps the block rule. Refused
// where the rule would put the box straight back.
EditRefusal SetBlockStart(EditorState& state, int panel, int row, bool start);
