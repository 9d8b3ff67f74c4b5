#include "gui/app/FileActions.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "core/DeviceLimits.h"
#include "core/ProgramFit.h"
#include "core/TimerFile.h"
#include "core/TimerProgram.h"
#include "gui/common/Prompter.h"
#include "gui/document/PendingEdits.h"
#include "gui/document/ProgramDocument.h"

namespace {

const QString kRecentKey = QStringLiteral("recentFiles");
constexpr int kRecentCount = 8;
const QString kSuffix = QStringLiteral("tvr");
// A writer may take a few steps; the file is looked at once they are done.
constexpr int kSettleMs = 250;

struct Example {
    const char* file;
    const char* title;
};
// The programs shipped in :/examples, in the order the menu lists them.
constexpr Example kExamples[] = {
    {"hourly-cycle.tvr",
     QT_TRANSLATE_NOOP("FileActions", "&1 Five minutes on, 55 off, every hour")},
    {"blink.tvr", QT_TRANSLATE_NOOP("FileActions", "&2 Blink pattern in sixtieths of a second")},
    {"three-timers.tvr", QT_TRANSLATE_NOOP("FileActions", "&3 Three timers with blocks")},
};

QString FileName(const QString& path) {
    return QFileInfo(path).fileName();
}

QString FileFilter() {
    return FileActions::tr("Tavrel Timer Files (*.tvr);;All Files(*.*)");
}

// What saving over the file named name would leave out of it; empty when nothing.
QString LossesText(const QString& name, int skippedLines, int partsLeftOut) {
    QString text;
    if (skippedLines > 0) {
        text = FileActions::tr("Saving writes %1 without the %n line(s) that could not be read.",
                               nullptr, skippedLines)
                   .arg(name);
    }
    if (partsLeftOut > 0) {
        text += text.isEmpty() ? FileActions::tr(
                                     "Saving writes %1 without the %n part(s) of the program "
                                     "that the editor does not hold.",
                                     nullptr, partsLeftOut)
                                     .arg(name)
                               : u' ' + FileActions::tr(
                                            "It also leaves out the %n part(s) of the program "
                                            "that the editor does not hold.",
                                            nullptr, partsLeftOut);
    }
    return text;
}

}  // namespace

FileActions::FileActions(ProgramDocument& document, QWidget* window, PendingEdits& pending)
    : QObject(window),
      document(document),
      window(window),
      pending(pending),
      watcher(new QFileSystemWatcher(this)),
      settle(new QTimer(this)) {
    settle->setSingleShot(true);
    settle->setInterval(kSettleMs);
    connect(watcher, &QFileSystemWatcher::fileChanged, settle, qOverload<>(&QTimer::start));
    connect(settle, &QTimer::timeout, this, &FileActions::CheckDiskChange);
    connect(&document, &ProgramDocument::pathChanged, this, &FileActions::Watch);
}

void FileActions::Watch() {
    if (!watcher->files().isEmpty()) {
        watcher->removePaths(watcher->files());
    }
    if (!document.GetPath().isEmpty() && QFileInfo::exists(document.GetPath())) {
        watcher->addPath(document.GetPath());
    }
}

void FileActions::CheckDiskChange() {
    // A file replaced by renaming is no longer the one watched: watch the new one.
    Watch();
    const QString path = document.GetPath();
    if (askingAboutDisk || path.isEmpty() || document.CheckDisk() != FileCheck::Changed) {
        return;
    }
    QFile file(path);
    const std::uint64_t hash =
        file.open(QIODevice::ReadOnly) ? StampOf(file.readAll().toStdString(), 0).hash : 0;
    if (hash == toldHash) {
        return;
    }
    toldHash = hash;
    askingAboutDisk = true;
    if (!document.IsModified()) {
        if (Prompter::Current().AskYesNo(
                window, tr("%1 was changed by another program.\nReload it?").arg(FileName(path)))) {
            OpenFile(path);
        }
    } else {
        Prompter::Current().ShowMessage(
            window, tr("%1 was changed by another program.").arg(FileName(path)),
            tr("Your unsaved changes here are kept. When you save, you will be asked whether to "
               "replace the other change or to save under another name."));
    }
    askingAboutDisk = false;
}

bool FileActions::Saved(const SaveResult& result) {
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(window, tr("Unable to save to file"),
                                        QString::fromStdString(result.Message()));
        return false;
    }
    RememberFile(document.GetPath());
    toldHash = 0;
    Watch();
    return true;
}

bool FileActions::OnFileSave() {
    if (document.GetPath().isEmpty()) {
        return OnFileSaveAs();
    }
    if (!pending.CommitPendingEdits()) {
        return false;
    }
    const FileCheck disk = document.CheckDisk();
    // A file read whole and not changed since is left alone: writing it again could only
    // change its bytes (its line ends, say), never its program.
    if (!document.IsModified() && (disk == FileCheck::Unchanged || disk == FileCheck::Touched)) {
        return true;
    }
    // A file deleted meanwhile is written again; only another program's bytes are asked about,
    // then what writing over the file leaves out of it.
    Prompter::Answer answer = Prompter::Answer::Replace;
    if (disk == FileCheck::Changed) {
        answer = Prompter::Current().AskReplaceChanged(
            window, tr("%1 was changed by another program since you opened it.")
                        .arg(FileName(document.GetPath())));
    }
    if (answer == Prompter::Answer::Replace && !document.GetLosses().isEmpty()) {
        answer = AskLosing();
    }
    switch (answer) {
        case Prompter::Answer::Replace:
            return Saved(document.Save());
        case Prompter::Answer::SaveAs:
            return OnFileSaveAs();
        default:
            return false;
    }
}

Prompter::Answer FileActions::AskLosing() {
    return Prompter::Current().AskSaveLosing(
        window, document.GetLosses(),
        tr("Save writes only what the editor holds. Save As\u2026 keeps %1 as it is and writes "
           "the program to another file.")
            .arg(FileName(document.GetPath())));
}

bool FileActions::OnFileSaveAs() {
    if (!pending.CommitPendingEdits()) {
        return false;
    }
    const QString fileName = AskSaveName(window, FileFilter(), kSuffix);
    if (fileName.isEmpty()) {
        return false;
    }
    // Save As onto the opened file itself is a Save over it.
    if (!document.GetLosses().isEmpty() && QFileInfo(fileName) == QFileInfo(document.GetPath()) &&
        AskLosing() != Prompter::Answer::Replace) {
        return false;
    }
    return Saved(document.SaveAs(fileName));
}

bool FileActions::MaybeSave(bool saveAs) {
    if (!pending.CommitPendingEdits()) {
        return false;
    }
    if (!document.IsModified()) {
        return true;
    }
    if (document.GetState().panels.empty()) {
        // Saving cannot succeed, so the only real choices are these two.
        return Prompter::Current().AskDiscard(
            window, tr("The program is empty and cannot be saved."),
            tr("Every timer was deleted. Discard the change and go on, or cancel and use Undo "
               "to get the timers back."));
    }
    // An untitled program has no name to give.
    const QString question =
        document.GetPath().isEmpty()
            ? tr("Save changes?")
            : tr("Save changes to %1?").arg(QFileInfo(document.GetPath()).fileName());
    switch (Prompter::Current().AskSaveChanges(window, question)) {
        case Prompter::Answer::Yes:
            return saveAs ? OnFileSaveAs() : OnFileSave();
        case Prompter::Answer::No:
            return true;
        default:
            return false;
    }
}

bool FileActions::OnFileClose() {
    if (!MaybeSave(true)) {
        return false;
    }
    // A closed program has no file: a later Save must ask where to, not overwrite this one.
    document.Close();
    return true;
}

bool FileActions::OnFileNew() {
    return OnFileClose();
}

bool FileActions::OpenExample(const QString& resource) {
    if (!pending.CommitPendingEdits()) {
        return false;
    }
    QFile file(resource);
    TimerProgram program;
    if (!file.open(QIODevice::ReadOnly) ||
        !ParseTimerFile(file.readAll().toStdString(), program).Ok()) {
        Prompter::Current().ShowMessage(window, tr("The example could not be read."),
                                        tr("The application may be damaged. Install it again."));
        return false;
    }
    if (!MaybeSave(true)) {
        return false;
    }
    // An Untitled copy: saving asks for a name, so the example stays as shipped.
    document.Open(QString(), program);
    return true;
}

void FileActions::AddExamplesMenu(QMenu* menu) {
    for (const Example& example : kExamples) {
        const QString resource = QStringLiteral(":/examples/") + QString::fromLatin1(example.file);
        QAction* action = menu->addAction(tr(example.title));
        action->setData(resource);
        connect(action, &QAction::triggered, this, [this, resource] { OpenExample(resource); });
    }
}

void FileActions::OnFileOpen() {
    if (!pending.CommitPendingEdits()) {
        return;
    }
    const QString fileName = Prompter::Current().GetOpenFileName(window, FileFilter());
    if (!fileName.isEmpty()) {
        OpenFile(fileName);
    }
}

bool FileActions::OpenFile(const QString& fileName) {
    if (!pending.CommitPendingEdits()) {
        return false;
    }
    TimerProgram program;
    const LoadResult result = ReadTimerFile(fileName.toStdString(), program);
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(
            window,
            tr("Unable to open %1: %2")
                .arg(QFileInfo(fileName).fileName(), QString::fromStdString(result.Reason())),
            QString::fromStdString(result.Message()));
        return false;
    }
    // Asked only now, with a program ready to take the place of this one.
    if (!MaybeSave(true)) {
        return false;
    }
    QStringList leftOut;
    for (const std::string& line :
         DescribeWhatDoesNotFit(program, kTimerCount, kMaxIntervalsPerTimer)) {
        leftOut.append(QString::fromStdString(line));
    }
    // Only a file that loaded becomes the program's file, so a later Save never overwrites a
    // file that could not be read.
    document.Open(fileName, program, result.stamp,
                  LossesText(FileName(fileName), static_cast<int>(result.skippedCount),
                             static_cast<int>(leftOut.size())));
    toldHash = 0;
    Watch();
    RememberFile(fileName);
    const std::string name = QFileInfo(fileName).fileName().toStdString();
    // What the file's own layout gets wrong is said now, with the lines that were skipped; the
    // status line goes on counting it.
    QStringList layout;
    for (const DeviceProblem& problem : document.GetProblems()) {
        if (problem.kind == DeviceProblem::Kind::TimerInPlaces ||
            problem.kind == DeviceProblem::Kind::StartupWithoutTimer) {
            layout.append(QString::fromStdString(problem.message));
        }
    }
    if (result.skippedCount > 0 || !layout.isEmpty()) {
        QStringList detail = layout;
        if (result.skippedCount > 0) {
            detail.prepend(QString::fromStdString(FormatSkippedLines(result, name)));
        }
        Prompter::Current().ShowMessage(
            window,
            (result.skippedCount > 0 ? tr("%1 was opened, but not every line of it could be read.")
                                     : tr("%1 was opened, but it has problems to put right."))
                .arg(QString::fromStdString(name)),
            detail.join(QStringLiteral("\n\n")));
    }
    if (!leftOut.isEmpty()) {
        Prompter::Current().ShowMessage(
            window, tr("Part of the program could not be shown."),
            tr("The editor holds %1 timers of up to %2 intervals each. Left out:\n%3\n"
               "The file itself is unchanged; saving writes only what is shown.")
                .arg(QString::number(kTimerCount), QString::number(kMaxIntervalsPerTimer),
                     ShortList(leftOut)),
            leftOut.join(u'\n'));
    }
    return true;
}

QStringList FileActions::GetRecentFiles() const {
    QStringList files;
    for (const QString& file : QSettings().value(kRecentKey).toStringList()) {
        if (QFileInfo::exists(file) && !files.contains(file)) {
            files.append(file);
        }
    }
    return files.mid(0, kRecentCount);
}

void FileActions::RememberFile(const QString& fileName) {
    QStringList files = GetRecentFiles();
    const QString full = QFileInfo(fileName).absoluteFilePath();
    files.removeAll(full);
    files.prepend(full);
    QSettings().setValue(kRecentKey, files.mid(0, kRecentCount));
}

void FileActions::FillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList files = GetRecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        // &1 to &8: each entry has its number as its key.
        QAction* action =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
        action->setToolTip(file);
        action->setData(file);
        connect(action, &QAction::triggered, this, [this, file] { OpenFile(file); });
    }
    if (files.isEmpty()) {
        menu->addAction(tr("No recent files"))->setEnabled(false);
    }
    // Gone files are dropped from the stored list too.
    QSettings().setValue(kRecentKey, files);
}

QString FileActions::DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}
