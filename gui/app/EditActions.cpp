#include "gui/app/EditActions.h"

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
#include "gui/app/AddTimerDialog.h"
#include "gui/common/Prompter.h"
#include "gui/common/TimerTexts.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"

namespace {

QString Name(const std::string& name) {
    return QString::fromStdString(name);
}

}  // namespace

EditActions::EditActions(ProgramDocument& document, QWidget* window)
    : QObject(window), document(document), window(window) {}

void EditActions::Perform(const QString& name, int panel, int row,
                          const ProgramDocument::Edit& edit) {
    // The words describe the program as it stood when the edit was refused.
    const EditorState before = document.GetState();
    const EditRefusal refusal = document.Apply(name, edit);
    if (refusal == EditRefusal::None) {
        emit stepDone();
        return;
    }
    const RefusalWords words = DescribeRefusal(refusal, before, panel, row);
    Prompter::Current().ShowMessage(window, Name(words.text), Name(words.detail));
}

int EditActions::TimerNumber(int panel) const {
    return document.GetState().panels[static_cast<std::size_t>(panel)].timerNumber;
}

bool EditActions::GetTarget(const QString& command, bool needRow, int& panel, int& row) {
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

void EditActions::OnAddTimer() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const EditorState& state = document.GetState();
    // The dialog offers the free numbers only: with none, it does not open.
    const std::vector<int> free = FreeTimerNumbers(state);
    if (static_cast<int>(state.panels.size()) >= kTimerCount || free.empty()) {
        const bool full = static_cast<int>(state.panels.size()) >= kTimerCount;
        const RefusalWords words = DescribeRefusal(
            full ? EditRefusal::TimersFull : EditRefusal::NoFreeNumber, state, -1, -1);
        Prompter::Current().ShowMessage(window, Name(words.text), Name(words.detail));
        return;
    }
    AddTimerDialog dialog(window);
    dialog.SetFreeNumbers(QList<int>(free.begin(), free.end()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int number = dialog.GetTimerNumber();
    const RowState row{dialog.IsOn(), dialog.GetHours(), dialog.GetMinutes(), dialog.GetSeconds(),
                       dialog.GetTicks()};
    Perform(tr("Add %1").arg(Name(TimerName(number))), -1, -1,
            [&](EditorState& after) { return AddTimer(after, number, row); });
}

void EditActions::OnAddInterval() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Add Interval"), false, panel, row)) {
        return;
    }
    Perform(tr("Add Interval to %1").arg(Name(TimerName(TimerNumber(panel)))), panel, row,
            [&](EditorState& after) { return AppendRow(after, panel); });
}

void EditActions::OnInsertInterval() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Insert Interval"), true, panel, row)) {
        return;
    }
    Perform(tr("Insert %1").arg(Name(IntervalName(TimerNumber(panel), row + 1))), panel, row,
            [&](EditorState& after) { return InsertRowBelow(after, panel, row); });
}

void EditActions::OnDelete() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Delete"), false, panel, row)) {
        return;
    }
    const int number = TimerNumber(panel);
    const EditorSelection selection = document.GetState().selection;
    const auto rows =
        static_cast<int>(document.GetState().panels[static_cast<std::size_t>(panel)].rows.size());
    // Only the step's name depends on what goes: all of a timer's rows take the timer along.
    QString name;
    if (row == -1 || selection.LastRow() - selection.FirstRow() + 1 >= rows) {
        name = tr("Delete %1").arg(Name(TimerName(number)));
    } else if (selection.FirstRow() != selection.LastRow()) {
        name = tr("Delete %1 Intervals %2-%3")
                   .arg(Name(TimerName(number)))
                   .arg(selection.FirstRow() + 1)
                   .arg(selection.LastRow() + 1);
    } else {
        name = tr("Delete %1").arg(Name(IntervalName(number, row)));
    }
    Perform(name, panel, row, CutSelection);
}

void EditActions::OnMoveRow(int delta) {
    const QString command = delta < 0 ? tr("Move Up") : tr("Move Down");
    int panel = -1;
    int row = -1;
    if (!GetTarget(command, true, panel, row)) {
        return;
    }
    Perform((delta < 0 ? tr("Move Up %1") : tr("Move Down %1"))
                .arg(Name(IntervalName(TimerNumber(panel), row))),
            panel, row, [&](EditorState& after) { return MoveRow(after, panel, row, delta); });
}

void EditActions::OnMoveTimer(int delta) {
    const QString command = delta < 0 ? tr("Move Timer Up") : tr("Move Timer Down");
    int panel = -1;
    int row = -1;
    if (!GetTarget(command, false, panel, row)) {
        return;
    }
    Perform((delta < 0 ? tr("Move Timer Up %1") : tr("Move Timer Down %1"))
                .arg(Name(TimerName(TimerNumber(panel)))),
            panel, row, [&](EditorState& after) { return MoveTimer(after, panel, delta); });
}

void EditActions::OnDuplicateTimer() {
    int panel = -1;
    int row = -1;
    if (!GetTarget(tr("Duplicate Timer"), false, panel, row)) {
        return;
    }
    const int number = LowestFreeTimerNumber(document.GetState());
    Perform(tr("Duplicate %1 as %2").arg(Name(TimerName(TimerNumber(panel)))).arg(number), panel,
            row, [&](EditorState& after) { return DuplicateTimer(after, panel); });
}

void EditActions::OnChangeTimerNumber(int panel) {
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
        const RefusalWords words =
            DescribeRefusal(EditRefusal::NoFreeNumber, document.GetState(), panel, -1);
        Prompter::Current().ShowMessage(window, Name(words.text), Name(words.detail));
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
    Perform(tr("Renumber %1 as %2").arg(Name(TimerName(number))).arg(chosen), panel, -1,
            [&](EditorState& after) { return RenumberTimer(after, panel, chosen); });
}

void EditActions::OnUndo() {
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

void EditActions::OnRedo() {
    if (CommitFocusedTyping() && document.GetHistory()->canRedo()) {
        document.GetHistory()->redo();
        emit stepDone();
    }
}

const RowState* EditActions::FindRow(int panel, int row) const {
    const EditorState& state = document.GetState();
    if (panel < 0 || panel >= static_cast<int>(state.panels.size())) {
        return nullptr;
    }
    const std::vector<RowState>& rows = state.panels[static_cast<std::size_t>(panel)].rows;
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row)]
                                                           : nullptr;
}

void EditActions::OnRowTextCommitted(int panel, int row, const QString& text) {
    if (FindRow(panel, row) == nullptr) {
        return;
    }
    const std::string typed = text.toStdString();
    document.Apply(tr("Edit %1").arg(Name(IntervalName(TimerNumber(panel), row))),
                   [&](EditorState& after) { return SetRowText(after, panel, row, typed); });
}

void EditActions::OnRowSwitched(int panel, int row) {
    const RowState* target = FindRow(panel, row);
    if (target == nullptr) {
        return;
    }
    const bool on = !target->on;
    document.Apply((on ? tr("Switch %1 to ON") : tr("Switch %1 to OFF"))
                       .arg(Name(IntervalName(TimerNumber(panel), row))),
                   [&](EditorState& after) { return SwitchRow(after, panel, row); });
}

void EditActions::OnBlockStartClicked(int panel, int row) {
    const RowState* target = FindRow(panel, row);
    if (target == nullptr) {
        return;
    }
    const bool start = !target->blockStart;
    const QString where = Name(IntervalName(TimerNumber(panel), row));
    // A box the block rule keeps checked stays as it is, and the status line says why.
    const EditorState before = document.GetState();
    const EditRefusal refusal =
        document.Apply((start ? tr("Start Block at %1") : tr("Join Block at %1")).arg(where),
                       [&](EditorState& after) { return SetBlockStart(after, panel, row, start); });
    if (refusal != EditRefusal::None) {
        emit refused(Name(DescribeRefusal(refusal, before, panel, row).text));
    }
}

void EditActions::OnJoinTimer() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const int number = TimerToJoin(document.GetState());
    const int panel = FindTimer(document.GetState(), number);
    Perform(tr("Join %1").arg(Name(TimerName(number))), panel, -1,
            [&](EditorState& after) { return JoinTimer(after, number); });
}

void EditActions::OnShowProblems() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const ProgramFacts& facts = document.GetFacts();
    if (facts.findings.empty()) {
        Prompter::Current().ShowMessage(window, tr("The program has no problems."),
                                        tr("The device can take it as it is."));
        return;
    }
    QStringList lines;
    for (const DeviceProblem& finding : facts.findings) {
        lines.append(FindingLine(finding));
    }
    const QString title = facts.counts.problems == 0
                              ? tr("The program has %n warning(s).", nullptr, facts.counts.warnings)
                          : facts.counts.warnings == 0
                              ? tr("The program has %n problem(s).", nullptr, facts.counts.problems)
                              //: %1 is "N problem(s)", %2 "N warning(s)".
                              : tr("The program has %1 and %2.")
                                    .arg(tr("%n problem(s)", nullptr, facts.counts.problems),
                                         tr("%n warning(s)", nullptr, facts.counts.warnings));
    Prompter::Current().ShowMessage(window, title, ShortList(lines), lines.join(u'\n'));
    for (const DeviceProblem& finding : facts.findings) {
        if (finding.panel >= 0) {
            document.SetSelection({finding.panel, finding.row});
            emit stepDone();
            return;
        }
    }
}

void EditActions::AddProblemActions(QMenu* menu) {
    QAction* join = menu->addAction(tr("&Join Timer"));
    join->setObjectName(QStringLiteral("editJoinTimer"));
    connect(join, &QAction::triggered, this, &EditActions::OnJoinTimer);
    // Named before the menu shows, from the program as it is then.
    connect(menu, &QMenu::aboutToShow, join, [this, join] {
        const int number = TimerToJoin(document.GetState());
        join->setText(number == -1 ? tr("&Join Timer")
                                   : tr("&Join %1").arg(Name(TimerName(number))));
    });
    QAction* show = menu->addAction(tr("S&how Problems"));
    show->setObjectName(QStringLiteral("editShowProblems"));
    show->setShortcut(QKeySequence(Qt::Key_F8));
    connect(show, &QAction::triggered, this, &EditActions::OnShowProblems);
}

void EditActions::OnStartupClicked(bool checked) {
    document.Apply(checked ? tr("Run Timer 0 on Power Up") : tr("Do Not Run Timer 0 on Power Up"),
                   [&](EditorState& after) {
                       after.startup = checked;
                       return EditRefusal::None;
                   });
}
