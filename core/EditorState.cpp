#include "core/EditorState.h"

#include <algorithm>
#include <array>

namespace {

bool IsPanel(const EditorState& state, int panel) {
    return panel >= 0 && panel < static_cast<int>(state.panels.size());
}

bool IsRow(const EditorState& state, int panel, int row) {
    return IsPanel(state, panel) && row >= 0 &&
           row < static_cast<int>(state.panels[static_cast<std::size_t>(panel)].rows.size());
}

PanelState& Panel(EditorState& state, int panel) {
    return state.panels[static_cast<std::size_t>(panel)];
}

RowState NewRow() {
    return RowState{false, kNewIntervalText, false};
}

std::string Where(const EditorState& state, int panel, int row) {
    return "Timer " + std::to_string(state.panels[static_cast<std::size_t>(panel)].timerNumber) +
           " Interval " + std::to_string(row + 1);
}

}  // namespace

void ApplyBlockRule(PanelState& panel) {
    int run = 1;
    for (std::size_t row = 0; row < panel.rows.size(); ++row) {
        RowState& state = panel.rows[row];
        if (row == 0 || run > kEditorRowsPerBlock) {
            state.blockStart = true;
        }
        if (state.blockStart) {
            run = 1;
        }
        ++run;
    }
}

int MemoryBytes(const EditorState& state) {
    int bytes = 0;
    for (const PanelState& panel : state.panels) {
        for (const RowState& row : panel.rows) {
            bytes += row.blockStart ? 4 : 3;
        }
    }
    return bytes;
}

int FindTimer(const EditorState& state, int timerNumber) {
    for (std::size_t i = 0; i < state.panels.size(); ++i) {
        if (state.panels[i].timerNumber == timerNumber) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<int> FreeTimerNumbers(const EditorState& state) {
    std::array<bool, kTimerNumberCount> used{};
    for (const PanelState& panel : state.panels) {
        if (panel.timerNumber >= 0 && panel.timerNumber < kTimerNumberCount) {
            used[static_cast<std::size_t>(panel.timerNumber)] = true;
        }
    }
    std::vector<int> free;
    for (int number = 0; number < kTimerNumberCount; ++number) {
        if (!used[static_cast<std::size_t>(number)]) {
            free.push_back(number);
        }
    }
    return free;
}

int LowestFreeTimerNumber(const EditorState& state) {
    const std::vector<int> free = FreeTimerNumbers(state);
    return free.empty() ? -1 : free.front();
}

bool AddTimer(EditorState& state, int timerNumber, bool on, const std::string& text) {
    if (static_cast<int>(state.panels.size()) >= kEditorMaxTimers) {
        return false;
    }
    state.panels.push_back(PanelState{timerNumber, {RowState{on, text, true}}});
    state.selection = {static_cast<int>(state.panels.size()) - 1, -1};
    return true;
}

bool AppendRow(EditorState& state, int panel) {
    if (!IsPanel(state, panel)) {
        return false;
    }
    return InsertRowBelow(state, panel, static_cast<int>(Panel(state, panel).rows.size()) - 1);
}

bool InsertRowBelow(EditorState& state, int panel, int row) {
    if (!IsPanel(state, panel)) {
        return false;
    }
    PanelState& timer = Panel(state, panel);
    const int count = static_cast<int>(timer.rows.size());
    // row -1 is only reachable for a timer without rows, which a file can give.
    if (row < -1 || row >= count || count >= kEditorMaxRows) {
        return false;
    }
    timer.rows.insert(timer.rows.begin() + row + 1, NewRow());
    ApplyBlockRule(timer);
    state.selection = {panel, row + 1};
    return true;
}

bool DeleteRow(EditorState& state, int panel, int row) {
    if (!IsRow(state, panel, row) || Panel(state, panel).rows.size() < 2) {
        return false;
    }
    PanelState& timer = Panel(state, panel);
    timer.rows.erase(timer.rows.begin() + row);
    ApplyBlockRule(timer);
    state.selection = {panel, std::min(row, static_cast<int>(timer.rows.size()) - 1)};
    return true;
}

bool DeleteTimer(EditorState& state, int panel) {
    if (!IsPanel(state, panel)) {
        return false;
    }
    state.panels.erase(state.panels.begin() + panel);
    const int count = static_cast<int>(state.panels.size());
    state.selection = {count == 0 ? -1 : std::min(panel, count - 1), -1};
    return true;
}

bool MoveRow(EditorState& state, int panel, int row, int delta) {
    const int target = row + delta;
    if (!IsRow(state, panel, row) || !IsRow(state, panel, target) || delta == 0) {
        return false;
    }
    PanelState& timer = Panel(state, panel);
    RowState& from = timer.rows[static_cast<std::size_t>(row)];
    RowState& to = timer.rows[static_cast<std::size_t>(target)];
    std::swap(from.on, to.on);
    std::swap(from.text, to.text);
    state.selection = {panel, target};
    return true;
}

bool DuplicateTimer(EditorState& state, int panel, int timerNumber) {
    if (!IsPanel(state, panel) || static_cast<int>(state.panels.size()) >= kEditorMaxTimers) {
        return false;
    }
    PanelState copy = Panel(state, panel);
    copy.timerNumber = timerNumber;
    state.panels.insert(state.panels.begin() + panel + 1, std::move(copy));
    state.selection = {panel + 1, -1};
    return true;
}

bool RenumberTimer(EditorState& state, int panel, int timerNumber) {
    if (!IsPanel(state, panel)) {
        return false;
    }
    Panel(state, panel).timerNumber = timerNumber;
    state.selection = {panel, -1};
    return true;
}

std::string DescribeChange(const EditorState& before, const EditorState& after) {
    if (before.startup != after.startup) {
        return after.startup ? "Run Timer 0 on Power Up" : "Do Not Run Timer 0 on Power Up";
    }
    const std::size_t panels = std::min(before.panels.size(), after.panels.size());
    for (std::size_t p = 0; p < panels; ++p) {
        const PanelState& was = before.panels[p];
        const PanelState& is = after.panels[p];
        if (was == is) {
            continue;
        }
        const std::size_t rows = std::min(was.rows.size(), is.rows.size());
        for (std::size_t r = 0; r < rows && was.rows.size() == is.rows.size(); ++r) {
            const RowState& row = was.rows[r];
            const RowState& now = is.rows[r];
            const std::string where = Where(after, static_cast<int>(p), static_cast<int>(r));
            if (row.text != now.text) {
                return "Edit " + where;
            }
            if (row.on != now.on) {
                return "Switch " + where + (now.on ? " to ON" : " to OFF");
            }
            if (row.blockStart != now.blockStart) {
                return (now.blockStart ? "Start Block at " : "Join Block at ") + where;
            }
        }
        return "Change Timer " + std::to_string(is.timerNumber);
    }
    return before.panels.size() == after.panels.size() ? std::string() : "Change Timers";
}
