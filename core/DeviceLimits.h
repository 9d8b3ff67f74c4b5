#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Limits.h"

class TimerProgram;
struct EditorState;

// One finding of the device check. A problem stops the device taking the program; a warning
// does not, but the program probably does not do what was meant.
struct DeviceProblem {
    enum class Kind {
        OutOfMemory,
        IntervalTooLong,
        BadTimerNumber,
        EmptyBlock,
        TimerInPlaces,
        // Warnings.
        StartupWithoutTimer,
        SixtiethsOverSecond,
    };

    Kind kind;
    int timer = 0;     // timer number the problem is in; 0 for OutOfMemory
    int interval = 0;  // 1-based position inside its timer, 0 when not about one interval
    std::string message;
    int run = -1;  // index of the timer's run (GetTimerRuns); -1 for the whole program
    // Where the editor shows it (CheckEditorState): its timer and 0-based row, -1 for none.
    int panel = -1;
    int row = -1;

    bool IsWarning() const {
        return kind == Kind::StartupWithoutTimer || kind == Kind::SixtiethsOverSecond;
    }
};

// Who reads the advice: tvrtool's users, or the editor's, who have its commands.
enum class ProblemAdvice { Tool, Editor };

// Device memory the program needs: 3 bytes per interval and 1 per block (the gauge's count).
int DeviceMemoryUsed(const TimerProgram& program);

// The device check: every reason the device cannot take the program exactly as it stands, then
// every warning, in plain words that name the timer and the interval. Every place that tells
// the user about the program (the status line, Show Problems, Program, the report, tvrtool)
// prints this list.
std::vector<DeviceProblem> CheckDeviceLimits(const TimerProgram& program,
                                             ProblemAdvice advice = ProblemAdvice::Tool);

// The same check on the program the editor's state saves, each finding placed at its panel
// and row, with the editor's advice.
std::vector<DeviceProblem> CheckEditorState(const EditorState& state);
// The same for the program already built from the state (ProgramFromState).
std::vector<DeviceProblem> CheckEditorState(const EditorState& state, const TimerProgram& program);
// How many findings are problems and how many warnings.
struct FindingCounts {
    int problems = 0;
    int warnings = 0;
};
FindingCounts CountFindings(const std::vector<DeviceProblem>& findings);
// "38:50:10:07": the longest interval the device takes, as the editor writes intervals.
std::string LongestIntervalText();
// A few words for the status line: "Timer 5, interval 1 is longer than the device takes".
std::string ShortProblemText(const DeviceProblem& problem);
