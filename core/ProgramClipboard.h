#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/EditorState.h"
#include "core/TimerFile.h"

// What Cut and Copy take from the program and Paste puts back: whole timers, or intervals of
// one timer. On the clipboard it is timer-file text (the lines Save writes), and for intervals
// also their block starts, which the text alone cannot carry.
struct ProgramClip {
    std::vector<PanelState> timers;
    // Intervals alone, when there are no timers.
    std::vector<RowState> rows;

    bool Empty() const { return timers.empty() && rows.empty(); }
};

// The private clipboard type of the block starts of copied intervals.
inline constexpr char kBlockStartsMimeType[] = "application/x-tavrel-timer-block-starts";

// The selection: a caption's whole timer, or the selected rows. Empty when nothing is selected.
ProgramClip CopySelection(const EditorState& state);
// Removes what CopySelection takes; rows that are all of their timer take the timer with them.
EditRefusal CutSelection(EditorState& state);

// The lines the timer file has for the clip, without the file's header: "Timer 4" lines (one
// per block) and their intervals, or the intervals alone, with the file's CR LF line ends.
std::string ClipText(const ProgramClip& clip);
// "1" or "0" for each row, whether it starts a block; empty for timers.
std::string ClipBlockStarts(const ProgramClip& clip);

struct ClipReading {
    ProgramClip clip;
    // The reader's verdict, with the lines it skipped numbered as in the text.
    LoadResult load;
};
// Reads clipboard text by the timer file's rules. The header lines are optional; text with
// them is read exactly as Open reads a file. Without a timer line the intervals are taken as
// intervals alone, as many as there are. blockStarts, from ClipBlockStarts, gives the rows
// their block starts back when it matches them.
ClipReading ReadClipText(std::string_view text, std::string_view blockStarts = {});

struct PasteOutcome {
    // The number each pasted timer had and the number it was added under.
    std::vector<std::pair<int, int>> timers;
    int timersLeftOut = 0;
    // Intervals: the timer they went into, how many went in and how many did not fit.
    int panel = -1;
    int timerNumber = -1;
    int rowsPasted = 0;
    int rowsLeftOut = 0;
    // Intervals with no timer selected to put them in.
    bool needsTimer = false;

    bool Changed() const { return !timers.empty() || rowsPasted > 0; }
};
// Timers are added after the selected timer (at the end when none is), each under its own
// number when that is free, else under the lowest free one, while the editor holds more; the
// last one is selected. Intervals go below the selected row (at the end of a timer whose caption
// is selected) while the timer holds more, keeping their block starts and the block rule; they
// are selected.
PasteOutcome PasteClip(EditorState& state, const ProgramClip& clip);
// For the status line: what was pasted, under which numbers, and what did not fit and why.
std::string DescribePaste(const PasteOutcome& outcome);
