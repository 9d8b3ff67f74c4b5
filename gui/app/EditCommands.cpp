#include "gui/app/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QUndoStack>
#include <algorithm>
#include <vector>

#include "core/DeviceLimits.h"
#include "core/EditorState.h"
#include "core/ProgramClipboard.h"
#include "core/TimerProgram.h"
#include "gui/app/EditTimeDialog.h"
#include "gui/common/Prompter.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"

namespace {

QString Name(const std::string& name) {
    return QString::fromStdString(name);
}

}  // namespace

EditCommands::EditCommands(ProgramDocument& document, QWidget* window)
    : QObject(window), document(document), window(window) {}

template <typename Edit>
void EditCommands::Perform(const QString& name, const Edit& edit) {
    if (document.Apply(name, edit)) {
        emit stepDone();
    }
}

int EditCommands::TimerNumber(int panel) const {
    return document.GetState().panels[static_cast<std::size_t>(panel)].timerNumber;
}

bool EditCommands::GetTarget(const QString& command, bool needRow, int& panel, int& row) {
    if (!CommitFocusedTyping()) {
        return false;
    }
    const EditorSelection selection = document.GetState().selection;
    panel = selection.panel;
    row = selection.row;
    if (panel != -1 && (row != -1 || !needRow)) {
        return true;
    }
    Prompter::Current().ShowMessage(
        window,
        (needRow ? tr("%1 needs an interval to work on.") : tr("%1 needs a timer to work on."))
            .arg(command),
        (needRow ? tr("Click an interval's ON/OFF label to select it, then choose %1 again.")
                 : tr("Click a timer's caption or one of its intervals, then choose %1 again."))
            .arg(command));
    return false;
}

void EditCommands::ShowTimersFull() {
    Prompter::Current().ShowMessage(
        window, tr("The program already has %1 timers.").arg(kEditorMaxTimers),
        tr("That is the most the editor holds. Delete a timer before adding another one."));
}

void EditCommands::ShowRowsFull(int panel) {
    const int bytesUsed = MemoryBytes(document.GetState());
    // Another timer only helps while the device has memory left for it.
    const QString detail =
        bytesUsed < kDeviceMemoryBytes
            ? tr("That is the most one timer holds. Add another timer for more steps.")
            : tr("That is the most one timer holds, and the program already needs "
                 "%1 of the device's %2 bytes, so there is no room for more steps.")
                  .arg(bytesUsed)
                  .arg(kDeviceMemoryBytes);
    Prompter::Current().ShowMessage(window,
                                    tr("%1 already has %2 intervals.")
                                        .arg(Name(TimerName(TimerNumber(panel))))
                                        .arg(kEditorMaxRows),
                                    detail);
}

void EditCommands::OnAddTimer() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const EditorState& state = document.GetState();
    // The dialog offers the free numbers only: with none, it does not open.
    const std::vector<int> free = FreeTimerNumbers(state);
    if (static_cast<int>(state.panels.size()) >= kEditorMaxTimers || free.empty()) {
        ShowTimersFull();
        return;
    }
    EditTimeDialog dialog(window);
    dialog.SetFreeNumbers(QList<int>(free.begin(), free.end()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int number = dialog.GetTimerNumber();
    const std::string text = FormatIntervalTime(dialog.GetHours(), dialog.GetMinutes(),
                                                dialog.GetSeconds(), dialog.GetTicks());
    Perform(tr("Add %1").arg(Name(TimerName(number))),
            [&](EditorState& after) { return AddTimer(after, number, dialog.IsOn(), text); });
}

void EditCommands::OnAddInterval() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Add Interval"), false, panel, row)) {
        return;
    }
    EditorState probe = document.GetState();
    if (!AppendRow(probe, panel)) {
        ShowRowsFull(panel);
        return;
    }
    Perform(tr("Add Interval to %1").arg(Name(TimerName(TimerNumber(panel)))),
            [&](EditorState& after) { return AppendRow(after, panel); });
}

void EditCommands::OnInsertInterval() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Insert Interval"), true, panel, row)) {
        return;
    }
    if (document.GetState().panels[static_cast<std::size_t>(panel)].rows.size() >=
        static_cast<std::size_t>(kEditorMaxRows)) {
        ShowRowsFull(panel);
        return;
    }
    Perform(tr("Insert %1").arg(Name(IntervalName(TimerNumber(panel), row + 1))),
            [&](EditorState& after) { return InsertRowBelow(after, panel, row); });
}

void EditCommands::OnDelete() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Delete"), false, panel, row)) {
        return;
    }
    const int number = TimerNumber(panel);
    const EditorSelection selection = document.GetState().selection;
    if (row != -1 && selection.FirstRow() != selection.LastRow()) {
        Perform(tr("Delete %1 Intervals %2-%3")
                    .arg(Name(TimerName(number)))
                    .arg(selection.FirstRow() + 1)
                    .arg(selection.LastRow() + 1),
                CutSelection);
        return;
    }
    // A timer's only interval goes with its timer: a timer without intervals cannot be sent.
    if (row == -1 || document.GetState().panels[static_cast<std::size_t>(panel)].rows.size() < 2) {
        Perform(tr("Delete %1").arg(Name(TimerName(number))),
                [&](EditorState& after) { return DeleteTimer(after, panel); });
    } else {
        Perform(tr("Delete %1").arg(Name(IntervalName(number, row))),
                [&](EditorState& after) { return DeleteRow(after, panel, row); });
    }
}

void EditCommands::OnMoveRow(int delta) {
    const QString command = delta < 0 ? tr("Move Up") : tr("Move Down");
    int panel = -1;
    int row = -1;
    if (!GetTarget(command, true, panel, row)) {
        return;
    }
    const int number = TimerNumber(panel);
    const int target = row + delta;
    if (target < 0 ||
        target >= static_cast<int>(
                      document.GetState().panels[static_cast<std::size_t>(panel)].rows.size())) {
        Prompter::Current().ShowMessage(
            window,
            (delta < 0 ? tr("Interval %1 is already the first of %2.")
                       : tr("Interval %1 is already the last of %2."))
                .arg(row + 1)
                .arg(Name(TimerName(number))),
            tr("Intervals move within their timer. To move steps to another timer, add them "
               "there."));
        return;
    }
    Perform(
        (delta < 0 ? tr("Move Up %1") : tr("Move Down %1")).arg(Name(IntervalName(number, row))),
        [&](EditorState& after) { return MoveRow(after, panel, row, delta); });
}

void EditCommands::OnMoveTimer(int delta) {
    const QString command = delta < 0 ? tr("Move Timer Up") : tr("Move Timer Down");
    int panel = -1;
    int row = -1;
    if (!GetTarget(command, false, panel, row)) {
        return;
    }
    const int target = panel + delta;
    if (target < 0 || target >= static_cast<int>(document.GetState().panels.size())) {
        Prompter::Current().ShowMessage(
            window,
            (delta < 0 ? tr("%1 is already the first timer.") : tr("%1 is already the last timer."))
                .arg(Name(TimerName(TimerNumber(panel)))),
            tr("Select another timer to move, or move this one the other way."));
        return;
    }
    Perform((delta < 0 ? tr("Move Timer Up %1") : tr("Move Timer Down %1"))
                .arg(Name(TimerName(TimerNumber(panel)))),
            [&](EditorState& after) { return MoveTimer(after, panel, delta); });
}

void EditCommands::OnDuplicateTimer() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Duplicate Timer"), false, panel, row)) {
        return;
    }
    if (static_cast<int>(document.GetState().panels.size()) >= kEditorMaxTimers) {
        ShowTimersFull();
        return;
    }
    const int number = LowestFreeTimerNumber(document.GetState());
    if (number == -1) {
        Prompter::Current().ShowMessage(
            window, tr("Every timer number from 0 to 31 is in use."),
            tr("Delete a timer or change its number before duplicating one."));
        return;
    }
    Perform(tr("Duplicate %1 as %2").arg(Name(TimerName(TimerNumber(panel)))).arg(number),
            [&](EditorState& after) { return DuplicateTimer(after, panel, number); });
}

void EditCommands::OnChangeTimerNumber(int panel) {
    int row = -1;
    if (panel == -1) {
        if (!GetTarget(tr("Change Timer Number"), false, panel, row)) {
            return;
        }
    } else if (!CommitFocusedTyping()) {
        return;
    }
    const int number = TimerNumber(panel);
    const std::vector<int> free = FreeTimerNumbers(document.GetState());
    if (free.empty()) {
        Prompter::Current().ShowMessage(window, tr("Every timer number from 0 to 31 is in use."),
                                        tr("Delete a timer first to free its number."));
        return;
    }
    QList<int> choices(free.begin(), free.end());
    const int chosen = Prompter::Current().AskTimerNumber(
        window, tr("New number for %1:").arg(Name(TimerName(number))), choices, choices.front());
    if (chosen < 0 || chosen == number) {
        return;
    }
    if (!choices.contains(chosen)) {
        Prompter::Current().ShowMessage(
            window, tr("%1 is already in the program.").arg(Name(TimerName(chosen))),
            tr("Each timer number can be used once. Choose a free number."));
        return;
    }
    Perform(tr("Renumber %1 as %2").arg(Name(TimerName(number))).arg(chosen),
            [&](EditorState& after) { return RenumberTimer(after, panel, chosen); });
}

void EditCommands::OnUndo() {
    // Typing not yet committed is the newest change: undo takes it back first.
    auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
    if (edit != nullptr && edit->HasPendingChange()) {
        edit->RevertPendingChange();
        return;
    }
    if (document.GetHistory()->canUndo()) {
        document.GetHistory()->undo();
        emit stepDone();
    }
}

void EditCommands::OnRedo() {
    if (CommitFocusedTyping() && document.GetHistory()->canRedo()) {
        document.GetHistory()->redo();
        emit stepDone();
    }
}

const RowState* EditCommands::FindRow(int panel, int row) const {
    const EditorState& state = document.GetState();
    if (panel < 0 || panel >= static_cast<int>(state.panels.size())) {
        return nullptr;
    }
    const std::vector<RowState>& rows = state.panels[static_cast<std::size_t>(panel)].rows;
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row)]
                                                           : nullptr;
}

void EditCommands::OnRowTextCommitted(int panel, int row, const QString& text) {
    if (FindRow(panel, row) == nullptr) {
        return;
    }
    const std::string typed = text.toStdString();
    document.Apply(tr("Edit %1").arg(Name(IntervalName(TimerNumber(panel), row))),
                   [&](EditorState& after) { return SetRowText(after, panel, row, typed); });
}

void EditCommands::OnRowSwitched(int panel, int row) {
    const RowState* target = FindRow(panel, row);
    if (target == nullptr) {
        return;
    }
    const bool on = !target->on;
    document.Apply((on ? tr("Switch %1 to ON") : tr("Switch %1 to OFF"))
                       .arg(Name(IntervalName(TimerNumber(panel), row))),
                   [&](EditorState& after) { return SwitchRow(after, panel, row); });
}

void EditCommands::OnBlockStartClicked(int panel, int row) {
    const RowState* target = FindRow(panel, row);
    if (target == nullptr) {
        return;
    }
    const bool start = !target->blockStart;
    const QString where = Name(IntervalName(TimerNumber(panel), row));
    // A box the block rule keeps checked stays as it is, and the status line says why.
    BlockStartRefusal refusal = BlockStartRefusal::None;
    document.Apply((start ? tr("Start Block at %1") : tr("Join Block at %1")).arg(where),
                   [&](EditorState& after) {
                       refusal = SetBlockStart(after, panel, row, start);
                       return refusal == BlockStartRefusal::None;
                   });
    if (refusal == BlockStartRefusal::FirstRow) {
        emit refused(tr("The first interval always starts a block"));
    } else if (refusal == BlockStartRefusal::BlockTooLong) {
        emit refused(tr("A block holds at most 8 intervals"));
    }
}

void EditCommands::OnJoinTimer() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const int number = TimerToJoin(document.GetState());
    if (number == -1) {
        Prompter::Current().ShowMessage(
            window, tr("No timer is in more than one place."),
            tr("Join Timer moves the intervals of a timer that a file has in two places into "
               "its first place."));
        return;
    }
    const QString name = Name(TimerName(number));
    EditorState probe = document.GetState();
    if (!JoinTimer(probe, number)) {
        Prompter::Current().ShowMessage(
            window, tr("%1 cannot be joined into one place.").arg(name),
            tr("Together its places have more than %1 intervals, the most one timer holds. "
               "Delete intervals or give one place another number.")
                .arg(kEditorMaxRows));
        return;
    }
    Perform(tr("Join %1").arg(name), [&](EditorState& after) { return JoinTimer(after, number); });
}

void EditCommands::OnShowProblems() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const std::vector<DeviceProblem>& problems = document.GetProblems();
    if (problems.empty()) {
        Prompter::Current().ShowMessage(window, tr("The program has no problems."),
                                        tr("The device can take it as it is."));
        return;
    }
    QStringList lines;
    for (const DeviceProblem& problem : problems) {
        lines.append(QString::fromStdString(problem.message));
    }
    Prompter::Current().ShowMessage(
        window, tr("The program has %n problem(s).", nullptr, static_cast<int>(problems.size())),
        lines.join(u'\n'));
    for (const DeviceProblem& problem : problems) {
        if (problem.panel >= 0) {
            document.SetSelection({problem.panel, problem.row});
            emit stepDone();
            return;
        }
    }
}

void EditCommands::AddProblemActions(QMenu* menu) {
    QAction* join = menu->addAction(tr("&Join Timer"));
    join->setObjectName(QStringLiteral("editJoinTimer"));
    connect(join, &QAction::triggered, this, &EditCommands::OnJoinTimer);
    // Named before the menu shows, from the program as it is then.
    connect(menu, &QMenu::aboutToShow, join, [this, join] {
        const int number = TimerToJoin(document.GetState());
        join->setText(number == -1 ? tr("&Join Timer")
                                   : tr("&Join %1").arg(Name(TimerName(number))));
    });
    QAction* show = menu->addAction(tr("S&how Problems"));
    show->setObjectName(QStringLiteral("editShowProblems"));
    show->setShortcut(QKeySequence(Qt::Key_F8));
    connect(show, &QAction::triggered, this, &EditCommands::OnShowProblems);
}

void EditCommands::OnStartupClicked(bool checked) {
    document.Apply(checked ? tr("Run Timer 0 on Power Up") : tr("Do Not Run Timer 0 on Power Up"),
                   [&](EditorState& after) {
                       after.startup = checked;
                       return true;
                   });
}
