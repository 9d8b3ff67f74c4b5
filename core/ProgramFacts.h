#pragma once

#include <vector>

#include "core/DeviceLimits.h"
#include "core/EditorState.h"
#include "core/ProgramSummary.h"

// What the editor knows about its program after a change, computed once from the state and read
// by every view: its size and transfer time, and the device check's findings placed at their
// timers and rows.
struct ProgramFacts {
    ProgramSummary summary;
    std::vector<DeviceProblem> findings;
    FindingCounts counts;
};

ProgramFacts ComputeFacts(const EditorState& state);

// A finding shown on its interval, in the list and on the timeline.
bool MarksRow(const DeviceProblem& finding);
