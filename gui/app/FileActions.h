#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "gui/common/Prompter.h"

class PendingEdits;
class ProgramDocument;
class QFileSystemWatcher;
class QMenu;
class QTimer;
class QMimeData;
class QWidget;
struct SaveResult;

// The file commands of the main window: new, open (from the dialog, the recent list, a drop,
// the command line or the examples), save, save as, close, and the "Save changes?" question
// before the program is replaced. Each first commits the typing in progress, so what is saved
// is what shows. Save never writes over a change another program made to the file unasked, and
// a change on disk while the file is open is offered for reloading.
class FileActions : public QObject {
    Q_OBJECT

public:
    // window is where questions and messages appear; pending is the typing the commands commit
    // first.
    FileActions(ProgramDocument& document, QWidget* window, PendingEdits& pending);

    void OnFileOpen();
    // Opens a timer file: it is read first, and only a file that loaded replaces the program,
    // after the "Save changes?" question. False when the program was kept.
    bool OpenFile(const QString& fileName);
    // Save and Save As return whether the program was saved.
    bool OnFileSave();
    bool OnFileSaveAs();
    // False when the user cancelled and the program was kept.
    bool OnFileClose();
    // An empty program, after the "Save changes?" question; false when the user cancelled.
    bool OnFileNew();
    // Opens a shipped example (a resource path) as an Untitled copy.
    bool OpenExample(const QString& resource);
    // Adds the shipped examples to menu, each opening its example.
    void AddExamplesMenu(QMenu* menu);
    // Asks "Save changes?" when the program is modified. False when the user cancelled, or
    // chose to save and the save did not happen.
    bool MaybeSave(bool saveAs);

    // The files opened or saved last, newest first, without those that are gone.
    QStringList GetRecentFiles() const;
    // Fills menu with the recent files, each opening its file.
    void FillRecentMenu(QMenu* menu);
    // The one local file among dropped things, or an empty string.
    static QString DroppedFile(const QMimeData* data);

    // Looks at the open file now, as the watcher does once a change on disk has settled.
    void CheckDiskChange();

private:
    bool Saved(const SaveResult& result);
    // Saving over the opened file loses part of it: Save (Replace), Save As or Cancel.
    Prompter::Answer AskLosing();
    void RememberFile(const QString& fileName);
    // Watches the document's file; a save replaces the file, so each save watches it anew.
    void Watch();

    ProgramDocument& document;
    QWidget* window;
    PendingEdits& pending;
    QFileSystemWatcher* watcher;
    QTimer* settle;
    // Set while a question about the file on disk is open, so a second change waits for it.
    bool askingAboutDisk = false;
    // The bytes on disk the user was last told about, so one change is reported once.
    std::uint64_t toldHash = 0;
};
