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
    return RowState{};
}

}  // namespace

std::string RowText(const RowState& row) {
    return FormatIntervalTime(row.hours, row.minutes, row.seconds, row.ticks);
}

Interval RowInterval(const RowState& row) {
    Interval interval;
    interval.Set(row.on, row.hours, row.minutes, row.seconds, row.ticks);
    return interval;
}

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
            block->AddInterval(RowInterval(row));
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
            panel.rows.push_back(RowState{interval->IsOn(), interval->GetHours(),
                                          interval->GetMinutes(), interval->GetSeconds(),
                                          interval->GetTicks(), i == 0});
        }
    }
    return panel;
}

EditorState StateFromProgram(const TimerProgram& program) {
    EditorState state;
    state.startup = program.GetStartup();
    for (const TimerRun& run : GetTimerRuns(program)) {
        if (static_cast<int>(state.panels.size()) >= kTimerCount) {
            break;
        }
        PanelState& panel = state.panels.emplace_back(PanelFromRun(run));
        if (static_cast<int>(panel.rows.size()) > kMaxIntervalsPerTimer) {
            panel.rows.resize(static_cast<std::size_t>(kMaxIntervalsPerTimer));
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
        if (row == 0 || run > kIntervalsPerBlock) {
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
    std::array<bool, kTimerCount> used{};
    for (const PanelState& panel : state.panels) {
        if (panel.timerNumber >= 0 && panel.timerNumber < kTimerCount) {
            used[static_cast<std::size_t>(panel.timerNumber)] = true;
        }
    }
    std::vector<int> free;
    for (int number = 0; number < kTimerCount; ++number) {
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

EditRefusal AddTimer(EditorState& state, int timerNumber, const RowState& row) {
    if (static_cast<int>(state.panels.size()) >= kTimerCount) {
        return EditRefusal::TimersFull;
    }
    RowState first = row;
    first.blockStart = true;
    state.panels.push_back(PanelState{timerNumber, {first}});
    state.selection = {static_cast<int>(state.panels.size()) - 1, -1};
    return EditRefusal::None;
}

EditRefusal AppendRow(EditorState& state, int panel) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    return InsertRowBelow(state, panel, static_cast<int>(Panel(state, panel).rows.size()) - 1);
}

EditRefusal InsertRowBelow(EditorState& state, int panel, int row) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    PanelState& timer = Panel(state, panel);
    const int count = static_cast<int>(timer.rows.size());
    // row -1 is only reachable for a timer without rows, which a file can give.
    if (row < -1 || row >= count) {
        return EditRefusal::NoSuchInterval;
    }
    if (count >= kMaxIntervalsPerTimer) {
        return EditRefusal::TimerFull;
    }
    timer.rows.insert(timer.rows.begin() + row + 1, NewRow());
    ApplyBlockRule(timer);
    state.selection = {panel, row + 1};
    return EditRefusal::None;
}

EditRefusal DeleteRow(EditorState& state, int panel, int row) {
    return DeleteRows(state, panel, row, row);
}

EditRefusal DeleteRows(EditorState& state, int panel, int first, int last) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    if (!IsRow(state, panel, first) || !IsRow(state, panel, last) || first > last) {
        return EditRefusal::NoSuchInterval;
    }
    PanelState& timer = Panel(state, panel);
    // A timer without intervals cannot be sent: its last ones take it with them.
    if (last - first + 1 >= static_cast<int>(timer.rows.size())) {
        return DeleteTimer(state, panel);
    }
    timer.rows.erase(timer.rows.begin() + first, timer.rows.begin() + last + 1);
    ApplyBlockRule(timer);
    state.selection = {panel, std::min(first, static_cast<int>(timer.rows.size()) - 1)};
    return EditRefusal::None;
}

EditRefusal DeleteTimer(EditorState& state, int panel) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    state.panels.erase(state.panels.begin() + panel);
    const int count = static_cast<int>(state.panels.size());
    state.selection = {count == 0 ? -1 : std::min(panel, count - 1), -1};
    return EditRefusal::None;
}

EditRefusal MoveRow(EditorState& state, int panel, int row, int delta) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    if (!IsRow(state, panel, row) || delta == 0) {
        return EditRefusal::NoSuchInterval;
    }
    const int target = row + delta;
    if (!IsRow(state, panel, target)) {
        return delta < 0 ? EditRefusal::FirstInterval : EditRefusal::LastInterval;
    }
    PanelState& timer = Panel(state, panel);
    RowState& from = timer.rows[static_cast<std::size_t>(row)];
    RowState& to = timer.rows[static_cast<std::size_t>(target)];
    // The block starts stay in their places.
    std::swap(from.blockStart, to.blockStart);
    std::swap(from, to);
    state.selection = {panel, target};
    return EditRefusal::None;
}

EditRefusal MoveTimer(EditorState& state, int panel, int delta) {
    if (!IsPanel(state, panel) || delta == 0) {
        return EditRefusal::NoSuchTimer;
    }
    const int target = panel + delta;
    if (!IsPanel(state, target)) {
        return delta < 0 ? EditRefusal::FirstTimer : EditRefusal::LastTimer;
    }
    std::swap(Panel(state, panel), Panel(state, target));
    state.selection = {target, -1};
    return EditRefusal::None;
}

EditRefusal DuplicateTimer(EditorState& state, int panel) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    if (static_cast<int>(state.panels.size()) >= kTimerCount) {
        return EditRefusal::TimersFull;
    }
    const int number = LowestFreeTimerNumber(state);
    if (number == -1) {
        return EditRefusal::NoFreeNumber;
    }
    PanelState copy = Panel(state, panel);
    copy.timerNumber = number;
    state.panels.insert(state.panels.begin() + panel + 1, std::move(copy));
    state.selection = {panel + 1, -1};
    return EditRefusal::None;
}

EditRefusal RenumberTimer(EditorState& state, int panel, int timerNumber) {
    if (!IsPanel(state, panel)) {
        return EditRefusal::NoSuchTimer;
    }
    Panel(state, panel).timerNumber = timerNumber;
    state.selection = {panel, -1};
    return EditRefusal::None;
}

EditRefusal JoinTimer(EditorState& state, int timerNumber) {
    const int first = FindTimer(state, timerNumber);
    int second = -1;
    for (int p = first + 1; first != -1 && p < static_cast<int>(state.panels.size()); ++p) {
        if (Panel(state, p).timerNumber == timerNumber) {
            second = p;
            break;
        }
    }
    if (second == -1) {
        return EditRefusal::NotInTwoPlaces;
    }
    PanelState& target = Panel(state, first);
    const std::vector<RowState>& moved = Panel(state, second).rows;
    if (target.rows.size() + moved.size() > static_cast<std::size_t>(kMaxIntervalsPerTimer)) {
        return EditRefusal::JoinTooLong;
    }
    const int joinedAt = moved.empty() ? -1 : static_cast<int>(target.rows.size());
    target.rows.insert(target.rows.end(), moved.begin(), moved.end());
    ApplyBlockRule(target);
    state.panels.erase(state.panels.begin() + second);
    state.selection = {first, joinedAt};
    return EditRefusal::None;
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

EditRefusal SetRowText(EditorState& state, int panel, int row, std::string_view text) {
    if (!IsRow(state, panel, row)) {
        return EditRefusal::NoSuchInterval;
    }
    const std::optional<IntervalTime> time = ReadTypedInterval(text);
    if (!time) {
        return EditRefusal::Unreadable;
    }
    RowState& target = Panel(state, panel).rows[static_cast<std::size_t>(row)];
    target.hours = time->hours;
    target.minutes = time->minutes;
    target.seconds = time->seconds;
    target.ticks = time->ticks;
    state.selection = {panel, row};
    return EditRefusal::None;
}

EditRefusal SwitchRow(EditorState& state, int panel, int row) {
    if (!IsRow(state, panel, row)) {
        return EditRefusal::NoSuchInterval;
    }
    RowState& target = Panel(state, panel).rows[static_cast<std::size_t>(row)];
    target.on = !target.on;
    state.selection = {panel, row};
    return EditRefusal::None;
}

EditRefusal SetBlockStart(EditorState& state, int panel, int row, bool start) {
    if (!IsRow(state, panel, row)) {
        return EditRefusal::NoSuchInterval;
    }
    if (row == 0 && !start) {
        return EditRefusal::BlockFirstInterval;
    }
    PanelState changed = Panel(state, panel);
    changed.rows[static_cast<std::size_t>(row)].blockStart = start;
    ApplyBlockRule(changed);
    if (changed.rows[static_cast<std::size_t>(row)].blockStart != start) {
        return EditRefusal::BlockTooLong;
    }
    Panel(state, panel) = std::move(changed);
    state.selection = {panel, row};
    return EditRefusal::None;
}
