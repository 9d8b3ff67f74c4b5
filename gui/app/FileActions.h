#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ProgramDocument;
class QMenu;
class QMimeData;
class QWidget;
struct SaveResult;

// The file commands of the main window: open (from the dialog, the recent list, a drop or the
// command line), save, save as, close, and the "Save changes?" question before the program is
// replaced. Each first commits the typing in progress, so what is saved is what shows.
class FileActions : public QObject {
    Q_OBJECT

public:
    // window is where questions and messages appear.
    FileActions(ProgramDocument& document, QWidget* window);

    void OnFileOpen();
    // Opens a timer file: it is read first, and only a file that loaded replaces the program,
    // after the "Save changes?" question. False when the program was kept.
    bool OpenFile(const QString& fileName);
    // Save and Save As return whether the program was saved.
    bool OnFileSave();
    bool OnFileSaveAs();
    // False when the user cancelled and the program was kept.
    bool OnFileClose();
    // Asks "Save changes?" when the program is modified. False when the user cancelled, or
    // chose to save and the save did not happen.
    bool MaybeSave(bool saveAs);

    // The files opened or saved last, newest first, without those that are gone.
    QStringList GetRecentFiles() const;
    // Fills menu with the recent files, each opening its file.
    void FillRecentMenu(QMenu* menu);
    // The one local file among dropped things, or an empty string.
    static QString DroppedFile(const QMimeData* data);

private:
    bool Saved(const SaveResult& result);
    void RememberFile(const QString& fileName);

    ProgramDocument& document;
    QWidget* window;
};
