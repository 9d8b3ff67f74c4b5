#include "gui/app/ClipboardActions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "core/ProgramClipboard.h"
#include "gui/app/HistoryActions.h"
#include "gui/common/Prompter.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"

namespace {

const QString kBlockStarts = QString::fromLatin1(kBlockStartsMimeType);

QString Name(const std::string& name) {
    return QString::fromStdString(name);
}

// "Timer 4" or "Timer 4 Intervals 2-5": what a cut takes, for its undo step.
QString ClipName(const EditorState& state) {
    const EditorSelection& selection = state.selection;
    const int number = state.panels[static_cast<std::size_t>(selection.panel)].timerNumber;
    if (selection.row == -1) {
        return Name(TimerName(number));
    }
    if (selection.FirstRow() == selection.LastRow()) {
        return Name(IntervalName(number, selection.row));
    }
    return ClipboardActions::tr("%1 Intervals %2-%3")
        .arg(Name(TimerName(number)))
        .arg(selection.FirstRow() + 1)
        .arg(selection.LastRow() + 1);
}

}  // namespace

ClipboardActions::ClipboardActions(ProgramDocument& document, QWidget* window)
    : QObject(window), document(document), window(window) {}

void ClipboardActions::AddActions(QMenu* menu) {
    // A text field with the focus claims these keys for its own text before the shortcuts.
    connect(MakeStandardAction(menu, tr("&Cut"), "editCut", QKeySequence::Cut, "Ctrl+X"),
            &QAction::triggered, this, &ClipboardActions::OnCut);
    connect(MakeStandardAction(menu, tr("C&opy"), "editCopy", QKeySequence::Copy, "Ctrl+C"),
            &QAction::triggered, this, &ClipboardActions::OnCopy);
    connect(MakeStandardAction(menu, tr("Pa&ste"), "editPaste", QKeySequence::Paste, "Ctrl+V"),
            &QAction::triggered, this, &ClipboardActions::OnPaste);
}

QMimeData* ClipboardActions::MakeMimeData(const ProgramClip& clip) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(ClipText(clip)));
    const std::string starts = ClipBlockStarts(clip);
    if (!starts.empty()) {
        data->setData(kBlockStarts, QByteArray::fromStdString(starts));
    }
    return data;
}

bool ClipboardActions::HasSelection(const QString& command) {
    if (!CommitFocusedTyping()) {
        return false;
    }
    if (document.GetState().selection.panel != -1) {
        return true;
    }
    Prompter::Current().ShowMessage(
        window, tr("%1 needs a timer or intervals to work on.").arg(command),
        tr("Click a timer's caption for the whole timer, or an interval's ON/OFF label "
           "(Shift+click for several), then choose %1 again.")
            .arg(command));
    return false;
}

void ClipboardActions::OnCopy() {
    if (HasSelection(tr("Copy"))) {
        QGuiApplication::clipboard()->setMimeData(MakeMimeData(CopySelection(document.GetState())));
    }
}

void ClipboardActions::OnCut() {
    if (!HasSelection(tr("Cut"))) {
        return;
    }
    const EditorState& state = document.GetState();
    QGuiApplication::clipboard()->setMimeData(MakeMimeData(CopySelection(state)));
    if (document.Apply(tr("Cut %1").arg(ClipName(state)), CutSelection) == EditRefusal::None) {
        emit stepDone();
    }
}

void ClipboardActions::OnPaste() {
    if (CommitFocusedTyping()) {
        Paste(QGuiApplication::clipboard()->mimeData());
    }
}

void ClipboardActions::Paste(const QMimeData* data) {
    const QString text = data != nullptr && data->hasText() ? data->text() : QString();
    const QByteArray starts = data != nullptr ? data->data(kBlockStarts) : QByteArray();
    const ClipReading reading = ReadClipText(text.toStdString(), starts.toStdString());
    if (reading.load.status == LoadStatus::TooLarge) {
        // A paste is no file: its own words, not the file reader's.
        Prompter::Current().ShowMessage(
            window, tr("Nothing was pasted."),
            tr("The clipboard holds more than %1 MiB of text, far more than any timer program "
               "takes. Copy only the timers or intervals you need, then paste again.")
                .arg(kMaxTimerFileSize / (1024 * 1024)));
        return;
    }
    if (!reading.load.Ok()) {
        Prompter::Current().ShowMessage(window, tr("Nothing was pasted."),
                                        QString::fromStdString(reading.load.Message()));
        return;
    }
    if (reading.clip.Empty()) {
        Prompter::Current().ShowMessage(
            window, tr("The clipboard holds no timer or interval, so nothing was pasted."),
            tr("Copy a timer or intervals here, or text with lines such as \"Timer 4\" and "
               "\"OFF - 00:02:00\", then paste again."));
        return;
    }
    PasteOutcome outcome;
    // The step is named after what the paste did.
    const auto name = [&outcome] {
        if (outcome.timers.size() == 1) {
            return tr("Paste %1").arg(Name(TimerName(outcome.timers.front().second)));
        }
        if (!outcome.timers.empty()) {
            // Always two or more, so the English needs no "(s)".
            return tr("Paste %n Timers", nullptr, static_cast<int>(outcome.timers.size()));
        }
        return tr("Paste %n Interval(s) into %1", nullptr, outcome.rowsPasted)
            .arg(Name(TimerName(outcome.timerNumber)));
    };
    document.ApplyNamed(name, [&](EditorState& after) {
        outcome = PasteClip(after, reading.clip);
        return EditRefusal::None;
    });
    const QString said = QString::fromStdString(DescribePaste(outcome));
    if (outcome.Changed()) {
        emit stepDone();
        emit message(said);
    } else {
        Prompter::Current().ShowMessage(window, said);
    }
    // Lines the reader skipped are reported as for Open.
    if (reading.load.skippedCount > 0) {
        //: Stands where a file's name would: "2 lines of <name> could not be read".
        const std::string source = tr("the pasted text").toStdString();
        Prompter::Current().ShowMessage(
            window, tr("Not every line of the pasted text could be read."),
            QString::fromStdString(FormatSkippedLines(reading.load, source,
                                                      tr("The rest was pasted.").toStdString())));
    }
}
