#include "gui/app/FileActions.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "core/ProgramFit.h"
#include "core/TimerFile.h"
#include "core/TimerProgram.h"
#include "gui/common/Prompter.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"

namespace {

const QString kRecentKey = QStringLiteral("recentFiles");
constexpr int kRecentCount = 8;
const QString kFileFilter = QStringLiteral("Tavrel Timer Files (*.tvr);;All Files(*.*)");
const QString kSuffix = QStringLiteral("tvr");

}  // namespace

FileActions::FileActions(ProgramDocument& document, QWidget* window)
    : QObject(window), document(document), window(window) {}

bool FileActions::Saved(const SaveResult& result) {
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(window, QStringLiteral("Unable to save to file"),
                                        QString::fromStdString(result.Message()));
        return false;
    }
    RememberFile(document.GetPath());
    return true;
}

bool FileActions::OnFileSave() {
    if (document.GetPath().isEmpty()) {
        return OnFileSaveAs();
    }
    return CommitFocusedTyping() && Saved(document.Save());
}

bool FileActions::OnFileSaveAs() {
    if (!CommitFocusedTyping()) {
        return false;
    }
    const QString fileName = AskSaveName(window, kFileFilter, kSuffix);
    return !fileName.isEmpty() && Saved(document.SaveAs(fileName));
}

bool FileActions::MaybeSave(bool saveAs) {
    if (!CommitFocusedTyping()) {
        return false;
    }
    if (!document.IsModified()) {
        return true;
    }
    if (document.GetState().panels.empty()) {
        // Saving cannot succeed, so the only real choices are these two.
        return Prompter::Current().AskDiscard(
            window, QStringLiteral("The program is empty and cannot be saved."),
            QStringLiteral("Every timer was deleted. Discard the change and go on, or cancel "
                           "and use Undo to get the timers back."));
    }
    // An untitled program has no name to give.
    const QString question =
        document.GetPath().isEmpty()
            ? QStringLiteral("Save changes?")
            : QStringLiteral("Save changes to %1?").arg(QFileInfo(document.GetPath()).fileName());
    switch (Prompter::Current().AskYesNoCancel(window, question)) {
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

void FileActions::OnFileOpen() {
    if (!CommitFocusedTyping()) {
        return;
    }
    const QString fileName = Prompter::Current().GetOpenFileName(window, kFileFilter);
    if (!fileName.isEmpty()) {
        OpenFile(fileName);
    }
}

bool FileActions::OpenFile(const QString& fileName) {
    if (!CommitFocusedTyping()) {
        return false;
    }
    TimerProgram program;
    const LoadResult result = ReadTimerFile(fileName.toStdString(), program);
    if (!result.Ok()) {
        Prompter::Current().ShowMessage(
            window,
            QStringLiteral("Unable to open %1: %2")
                .arg(QFileInfo(fileName).fileName(), QString::fromStdString(result.Reason())),
            QString::fromStdString(result.Message()));
        return false;
    }
    // Asked only now, with a program ready to take the place of this one.
    if (!MaybeSave(true)) {
        return false;
    }
    // Only a file that loaded becomes the program's file, so a later Save never overwrites a
    // file that could not be read.
    document.Open(fileName, program);
    RememberFile(fileName);
    const std::string name = QFileInfo(fileName).fileName().toStdString();
    if (result.skippedCount > 0) {
        Prompter::Current().ShowMessage(
            window,
            QStringLiteral("%1 was opened, but not every line of it could be read.")
                .arg(QString::fromStdString(name)),
            QString::fromStdString(FormatSkippedLines(result, name)));
    }
    QStringList leftOut;
    for (const std::string& line :
         DescribeWhatDoesNotFit(program, kEditorMaxTimers, kEditorMaxRows)) {
        leftOut.append(QString::fromStdString(line));
    }
    if (!leftOut.isEmpty()) {
        Prompter::Current().ShowMessage(
            window, QStringLiteral("Part of the program could not be shown."),
            QStringLiteral("The editor holds %1 timers of up to %2 intervals each. Left out:\n")
                    .arg(kEditorMaxTimers)
                    .arg(kEditorMaxRows) +
                leftOut.join(u'\n') +
                QStringLiteral(
                    "\nThe file itself is unchanged; saving writes only what is shown."));
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
        menu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
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
