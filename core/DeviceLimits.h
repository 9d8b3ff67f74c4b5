#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TimerProgram;
struct EditorState;

// What the device can hold and run.
inline constexpr int kDeviceMemoryBytes = 128;
// The longest interval whose length leaves bit 23 of its word free for the ON flag.
inline constexpr std::uint32_t kMaxIntervalTicks = 8'388'607;
inline constexpr int kFirstTimerNumber = 0;
inline constexpr int kLastTimerNumber = 31;

struct DeviceProblem {
    // StartupWithoutTimer is the editor's warning: the device takes such a program.
    enum class Kind {
        OutOfMemory,
        IntervalTooLong,
        BadTimerNumber,
        EmptyBlock,
        TimerInPlaces,
        StartupWithoutTimer
    };

    Kind kind;
    int timer = 0;     // timer number the problem is in; 0 for OutOfMemory
    int interval = 0;  // 1-based position inside its timer, 0 when not about one interval
    std::string message;
    int run = -1;  // index of the timer's run (GetTimerRuns); -1 for the whole program
    // Where the editor shows it (CheckEditorState): its timer and 0-based row, -1 for none.
    int panel = -1;
    int row = -1;
};

// Who reads the advice: tvrtool's users, or the editor's, who have its commands.
enum class ProblemAdvice { Tool, Editor };

// Device memory the program needs: 3 bytes per interval and 1 per block (the gauge's count).
int DeviceMemoryUsed(const TimerProgram& program);

// Every reason the device cannot take the program exactly as it stands, in plain words that
// name the timer and the interval. Empty when the program can be sent.
std::vector<DeviceProblem> CheckDeviceLimits(const TimerProgram& program,
                                             ProblemAdvice advice = ProblemAdvice::Tool);

// The same check on the program the editor's state saves, each problem placed at its panel
// and row, with the editor's advice; then the startup flag set without a timer 0.
std::vector<DeviceProblem> CheckEditorState(const EditorState& state);
// True for a problem that stops the device taking the program (not a warning).
bool StopsProgramming(const DeviceProblem& problem);
// A few words for the status line: "Timer 5, interval 1 is longer than the device takes".
std::string ShortProblemText(const DeviceProblem& problem);
