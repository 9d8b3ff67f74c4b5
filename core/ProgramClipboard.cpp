#include "core/ProgramClipboard.h"

#include <algorithm>

#include "core/TimerProgram.h"
#include "core/Translate.h"

namespace {

bool IsPanel(const EditorState& state, int panel) {
    return panel >= 0 && panel < static_cast<int>(state.panels.size());
}

// The text begins with the file's magic word, as a file does.
bool HasHeader(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n\v\f");
    if (start == std::string_view::npos || text.compare(start, 4, "TVRX") != 0) {
        return false;
    }
    const std::size_t after = start + 4;
    return after == text.size() ||
           std::string_view(" \t\r\n\v\f").find(text[after]) != std::string_view::npos;
}

}  // namespace

ProgramClip CopySelection(const EditorState& state) {
    ProgramClip clip;
    const EditorSelection& selection = state.selection;
    if (!IsPanel(state, selection.panel)) {
        return clip;
    }
    const PanelState& panel = state.panels[static_cast<std::size_t>(selection.panel)];
    if (selection.row == -1) {
        clip.timers.push_back(panel);
        return clip;
    }
    const int first = selection.FirstRow();
    const int last = std::min(selection.LastRow(), static_cast<int>(panel.rows.size()) - 1);
    if (first >= 0 && first <= last) {
        clip.rows.assign(panel.rows.begin() + first, panel.rows.begin() + last + 1);
    }
    return clip;
}

EditRefusal CutSelection(EditorState& state) {
    const EditorSelection selection = state.selection;
    if (selection.row == -1) {
        return DeleteTimer(state, selection.panel);
    }
    return DeleteRows(state, selection.panel, selection.FirstRow(), selection.LastRow());
}

std::string ClipText(const ProgramClip& clip) {
    EditorState state;
    state.panels = clip.timers;
    if (clip.timers.empty() && !clip.rows.empty()) {
        state.panels.push_back(PanelState{0, clip.rows});
    }
    // The writer's own lines, less the header, and for intervals alone less the timer lines.
    const std::string file = FormatTimerFile(ProgramFromState(state));
    std::string out;
    int lineIndex = 0;
    for (std::size_t start = 0; start < file.size(); ++lineIndex) {
        const std::size_t end = file.find('\n', start) + 1;
        const std::string_view line = std::string_view(file).substr(start, end - start);
        start = end;
        const bool timerLine = line.substr(0, 6) == "Timer ";
        if (lineIndex >= 2 && !(timerLine && clip.timers.empty())) {
            out.append(line);
        }
    }
    return out;
}

std::string ClipBlockStarts(const ProgramClip& clip) {
    if (!clip.timers.empty()) {
        return {};
    }
    std::string starts;
    for (const RowState& row : clip.rows) {
        starts += row.blockStart ? '1' : '0';
    }
    return starts;
}

ClipReading ReadClipText(std::string_view text, std::string_view blockStarts) {
    ClipReading reading;
    const std::vector<std::string_view> lines = SplitTimerLines(text);
    const bool header = HasHeader(text);
    const bool timers = std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
        return ReadTimerLine(line).kind == TimerLine::Kind::Timer;
    });
    if (header || timers) {
        // The reader itself, with the header it needs put in front when the text has none.
        std::string full = header ? std::string() : std::string("TVRX\r\n1000\r\n");
        const std::size_t added = header ? 0 : 2;
        full.append(text);
        TimerProgram program;
        reading.load = ParseTimerFile(full, program);
        for (SkippedLine& line : reading.load.skipped) {
            line.number -= added;
        }
        for (const TimerRun& run : GetTimerRuns(program)) {
            if (run.intervals > 0) {
                reading.clip.timers.push_back(PanelFromRun(run));
            }
        }
        return reading;
    }
    if (text.size() > kMaxTimerFileSize) {
        reading.load.status = LoadStatus::TooLarge;
        return reading;
    }
    // Intervals alone: the reader's line rules, without its eight to a timer line.
    bool unknownTimer = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TimerLine read = ReadTimerLine(lines[i]);
        if (read.kind == TimerLine::Kind::TooLong) {
            SkipLine(reading.load, i + 1, lines[i], SkipReason::TooLong);
            unknownTimer = unknownTimer || MayBeTimerLine(lines[i]);
        } else if (read.kind == TimerLine::Kind::Unreadable) {
            SkipLine(reading.load, i + 1, lines[i], SkipReason::NotTimerOrInterval);
            unknownTimer = unknownTimer || MayBeTimerLine(lines[i]);
        } else if (read.kind == TimerLine::Kind::Interval && unknownTimer) {
            SkipLine(reading.load, i + 1, lines[i], SkipReason::UnderSkippedTimer);
        } else if (read.kind == TimerLine::Kind::Interval) {
            reading.clip.rows.push_back(
                RowState{read.on, read.hours, read.minutes, read.seconds, read.ticks, false});
        }
    }
    // The block starts belong to these rows only when they are the rows that were copied.
    if (blockStarts.size() == reading.clip.rows.size() &&
        blockStarts.find_first_not_of("01") == std::string_view::npos) {
        for (std::size_t i = 0; i < blockStarts.size(); ++i) {
            reading.clip.rows[i].blockStart = blockStarts[i] == '1';
        }
    }
    return reading;
}

PasteOutcome PasteClip(EditorState& state, const ProgramClip& clip) {
    PasteOutcome outcome;
    const EditorSelection selection = state.selection;
    if (!clip.timers.empty()) {
        int at = IsPanel(state, selection.panel) ? selection.panel + 1
                                                 : static_cast<int>(state.panels.size());
        for (const PanelState& timer : clip.timers) {
            if (static_cast<int>(state.panels.size()) >= kTimerCount) {
                ++outcome.timersLeftOut;
                continue;
            }
            const bool free = timer.timerNumber >= 0 && timer.timerNumber < kTimerCount &&
                              FindTimer(state, timer.timerNumber) == -1;
            PanelState added = timer;
            added.timerNumber = free ? timer.timerNumber : LowestFreeTimerNumber(state);
            if (static_cast<int>(added.rows.size()) > kMaxIntervalsPerTimer) {
                outcome.rowsLeftOut += static_cast<int>(added.rows.size()) - kMaxIntervalsPerTimer;
                added.rows.resize(static_cast<std::size_t>(kMaxIntervalsPerTimer));
            }
            ApplyBlockRule(added);
            outcome.timers.emplace_back(timer.timerNumber, added.timerNumber);
            state.panels.insert(state.panels.begin() + at, std::move(added));
            state.selection = {at, -1};
            ++at;
        }
        return outcome;
    }
    if (clip.rows.empty()) {
        return outcome;
    }
    if (!IsPanel(state, selection.panel)) {
        outcome.needsTimer = true;
        return outcome;
    }
    PanelState& timer = state.panels[static_cast<std::size_t>(selection.panel)];
    const int count = static_cast<int>(timer.rows.size());
    const int below = selection.row == -1 ? count - 1 : std::min(selection.LastRow(), count - 1);
    const int room = std::max(0, kMaxIntervalsPerTimer - count);
    const int taken = std::min(room, static_cast<int>(clip.rows.size()));
    outcome.panel = selection.panel;
    outcome.timerNumber = timer.timerNumber;
    outcome.rowsPasted = taken;
    outcome.rowsLeftOut = static_cast<int>(clip.rows.size()) - taken;
    if (taken == 0) {
        return outcome;
    }
    timer.rows.insert(timer.rows.begin() + below + 1, clip.rows.begin(), clip.rows.begin() + taken);
    ApplyBlockRule(timer);
    state.selection = {selection.panel, below + taken, taken > 1 ? below + 1 : -1};
    return outcome;
}

std::string DescribePaste(const PasteOutcome& outcome) {
    std::string out;
    auto add = [&out](const std::string& sentence) {
        out += out.empty() ? sentence : ' ' + sentence;
    };
    for (const auto& [from, to] : outcome.timers) {
        if (from == to) {
            add(FillArgs(Translate("ProgramClipboard", "Pasted %1."), {TimerName(to)}));
        } else if (from >= 0 && from < kTimerCount) {
            add(FillArgs(
                Translate("ProgramClipboard", "Pasted %1 as %2: %1 is already in the program."),
                {TimerName(from), TimerName(to)}));
        } else {
            add(FillArgs(Translate("ProgramClipboard",
                                   "Pasted %1 as %2: the device numbers its timers %3 to %4."),
                         {TimerName(from), TimerName(to), std::to_string(kFirstTimerNumber),
                          std::to_string(kLastTimerNumber)}));
        }
    }
    if (outcome.timersLeftOut > 0) {
        add(FillArgs(Translate("ProgramClipboard",
                               "%n timer(s) did not fit: the editor holds at most %1 timers. "
                               "Delete a timer and paste again.",
                               nullptr, outcome.timersLeftOut),
                     {std::to_string(kTimerCount)}));
    }
    if (!outcome.timers.empty() && outcome.rowsLeftOut > 0) {
        add(FillArgs(Translate("ProgramClipboard",
                               "%n interval(s) did not fit: a timer holds at most %1 intervals.",
                               nullptr, outcome.rowsLeftOut),
                     {std::to_string(kMaxIntervalsPerTimer)}));
    }
    if (outcome.needsTimer) {
        add(Translate("ProgramClipboard",
                      "Nothing was pasted: select a timer or one of its intervals to paste the "
                      "intervals into, then paste again."));
    } else if (outcome.timers.empty() && outcome.timerNumber != -1) {
        const std::string timer = TimerName(outcome.timerNumber);
        const int total = outcome.rowsPasted + outcome.rowsLeftOut;
        const std::string limit = std::to_string(kMaxIntervalsPerTimer);
        if (outcome.rowsPasted == 0) {
            add(FillArgs(Translate("ProgramClipboard",
                                   "Nothing was pasted: %1 already has %2 "
                                   "intervals, the most a timer holds."),
                         {timer, limit}));
        } else if (outcome.rowsLeftOut == 0) {
            add(FillArgs(
                Translate("ProgramClipboard", "Pasted %n interval(s) into %1.", nullptr, total),
                {timer}));
        } else {
            add(FillArgs(Translate("ProgramClipboard",
                                   "Pasted %1 of %n interval(s) into %2; %3 did not fit: a timer "
                                   "holds at most %4 intervals.",
                                   nullptr, total),
                         {std::to_string(outcome.rowsPasted), timer,
                          std::to_string(outcome.rowsLeftOut), limit}));
        }
    }
    return out;
}
