#include "core/EditorState.h"

#include <algorithm>
#include <array>
#include <memory>

#include "core/DeviceLimits.h"
#include "core/IntervalText.h"
#include "core/TimerProgram.h"
#include "core/Translate.h"

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

}  // namespace

std::string IntervalName(int timerNumber, int row) {
    return FillArgs(Translate("EditorState", "%1 Interval %2"),
                    {TimerName(timerNumber), std::to_string(row + 1)});
}

TimerProgram ProgramFromState(const EditorState& state) {
    TimerProgram program;
    program.SetStartup(state.startup);
    for (const PanelState& panel : state.panels) {
        auto block = std::make_unique<TimerBlock>();
        block->SetTimerNumber(panel.timerNumber);
        for (std::size_t r = 0; r < panel.rows.size(); ++r) {
            const RowState& row = panel.rows[r];
            if (r != 0 && row.blockStart) {
                program.AddBlock(std::move(block));
                block = std::make_unique<TimerBlock>();
                block->SetTimerNumber(panel.timerNumber);
            }
            std::uint32_t hours = 0, minutes = 0, seconds = 0, ticks = 0;
            ScanIntervalText(row.text, hours, minutes, seconds, ticks);
            Interval interval;
            interval.Set(row.on, hours, minutes, seconds, ticks);
            block->AddInterval(interval);
        }
        program.AddBlock(std::move(block));
    }
    return program;
}

PanelState PanelFromRun(const TimerRun& run) {
    PanelState panel;
    panel.timerNumber = run.timer;
    const TimerBlock* block = run.first;
    for (int b = 0; b < run.blocks; ++b, block = block->GetNext()) {
        for (int i = 0; i < block->GetCount(); ++i) {
            const Interval* interval = block->GetInterval(i);
            panel.rows.push_back(
                RowState{interval->IsOn(),
                         FormatIntervalTime(interval->GetHours(), interval->GetMinutes(),
                                            interval->GetSeconds(), interval->GetTicks()),
                         i == 0});
        }
    }
    return panel;
}

EditorState StateFromProgram(const TimerProgram& program) {
    EditorState state;
    state.startup = program.GetStartup();
    for (const TimerRun& run : GetTimerRuns(program)) {
        if (static_cast<int>(state.panels.size()) >= kEditorMaxTimers) {
            break;
        }
        PanelState& panel = state.panels.emplace_back(PanelFromRun(run));
        if (static_cast<int>(panel.rows.size()) > kEditorMaxRows) {
            panel.rows.resize(static_cast<std::size_t>(kEditorMaxRows));
        }
    }
    state.selection = {state.panels.empty() ? -1 : 0, -1};
    return state;
}

EditorChange CompareStates(const EditorState& before, const EditorState& after) {
    EditorChange change;
    change.startup = before.startup != after.startup;
    change.selection = before.selection != after.selection;
    // The panels alike at both ends stay; what lies between them changed.
    const std::size_t had = before.panels.size();
    const std::size_t has = after.panels.size();
    std::size_t head = 0;
    while (head < had && head < has && before.panels[head] == after.panels[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < had - head && tail < has - head &&
           before.panels[had - 1 - tail] == after.panels[has - 1 - tail]) {
        ++tail;
    }
    change.first = static_cast<int>(head);
    change.removed = static_cast<int>(had - head - tail);
    change.added = static_cast<int>(has - head - tail);
    return change;
}

EditorChange WholeChange(const EditorState& before, const EditorState& after) {
    return EditorChange{0,
                        static_cast<int>(before.panels.size()),
                        static_cast<int>(after.panels.size()),
                        true,
                        true,
                        true};
}

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
    // Counted on the program the state sends, so the editor and the device check agree.
    return DeviceMemoryUsed(ProgramFromState(state));
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

bool DeleteRows(EditorState& state, int panel, int first, int last) {
    if (!IsRow(state, panel, first) || !IsRow(state, panel, last) || first > last) {
        return false;
    }
    PanelState& timer = Panel(state, panel);
    if (last - first + 1 >= static_cast<int>(timer.rows.size())) {
        return false;
    }
    timer.rows.erase(timer.rows.begin() + first, timer.rows.begin() + last + 1);
    ApplyBlockRule(timer);
    state.selection = {panel, std::min(first, static_cast<int>(timer.rows.size()) - 1)};
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

bool MoveTimer(EditorState& state, int panel, int delta) {
    const int target = panel + delta;
    if (!IsPanel(state, panel) || !IsPanel(state, target) || delta == 0) {
        return false;
    }
    std::swap(Panel(state, panel), Panel(state, target));
    state.selection = {target, -1};
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

bool JoinTimer(EditorState& state, int timerNumber) {
    const int first = FindTimer(state, timerNumber);
    int second = -1;
    for (int p = first + 1; first != -1 && p < static_cast<int>(state.panels.size()); ++p) {
        if (Panel(state, p).timerNumber == timerNumber) {
            second = p;
            break;
        }
    }
    if (second == -1) {
        return false;
    }
    PanelState& target = Panel(state, first);
    const std::vector<RowState>& moved = Panel(state, second).rows;
    if (target.rows.size() + moved.size() > static_cast<std::size_t>(kEditorMaxRows)) {
        return false;
    }
    const int joinedAt = moved.empty() ? -1 : static_cast<int>(target.rows.size());
    target.rows.insert(target.rows.end(), moved.begin(), moved.end());
    ApplyBlockRule(target);
    state.panels.erase(state.panels.begin() + second);
    state.selection = {first, joinedAt};
    return true;
}

int TimerToJoin(const EditorState& state) {
    const auto places = [&state](int number) {
        return std::count_if(state.panels.begin(), state.panels.end(),
                             [number](const PanelState& p) { return p.timerNumber == number; });
    };
    const int selected = state.selection.panel;
    if (IsPanel(state, selected) &&
        places(state.panels[static_cast<std::size_t>(selected)].timerNumber) > 1) {
        return state.panels[static_cast<std::size_t>(selected)].timerNumber;
    }
    for (const PanelState& panel : state.panels) {
        if (places(panel.timerNumber) > 1) {
            return panel.timerNumber;
        }
    }
    return -1;
}

bool SetRowText(EditorState& state, int panel, int row, std::string_view text) {
    if (!IsRow(state, panel, row)) {
        return false;
    }
    const std::optional<std::string> normal = NormalIntervalText(text);
    if (!normal) {
        return false;
    }
    Panel(state, panel).rows[static_cast<std::size_t>(row)].text = *normal;
    state.selection = {panel, row};
    return true;
}

bool SwitchRow(EditorState& state, int panel, int row) {
    if (!IsRow(state, panel, row)) {
        return false;
    }
    RowState& target = Panel(state, panel).rows[static_cast<std::size_t>(row)];
    target.on = !target.on;
    state.selection = {panel, row};
    return true;
}

BlockStartRefusal SetBlockStart(EditorState& state, int panel, int row, bool start) {
    if (!IsRow(state, panel, row)) {
        return BlockStartRefusal::NoSuchRow;
    }
    if (row == 0 && !start) {
        return BlockStartRefusal::FirstRow;
    }
    PanelState changed = Panel(state, panel);
    changed.rows[static_cast<std::size_t>(row)].blockStart = start;
    ApplyBlockRule(changed);
    if (changed.rows[static_cast<std::size_t>(row)].blockStart != start) {
        return BlockStartRefusal::BlockTooLong;
    }
    Panel(state, panel) = std::move(changed);
    state.selection = {panel, row};
    return BlockStartRefusal::None;
}
