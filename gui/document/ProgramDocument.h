#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/DeviceLimits.h"
#include "core/EditorState.h"
#include "core/TimerFile.h"

class QUndoStack;
class TimerProgram;

// The one owner of the program being edited: its state (timers, rows, startup flag and
// selection), the undo history, the file it belongs to and the point at which it was saved.
// Every change goes through it as a named step; views read the state and follow stateChanged,
// which says what changed so they update only that.
class ProgramDocument : public QObject {
    Q_OBJECT

public:
    // A change of a copy of the state; false refuses it, and nothing is changed.
    using Edit = std::function<bool(EditorState& state)>;

    explicit ProgramDocument(QObject* parent = nullptr);
    ~ProgramDocument() override;

    const EditorState& GetState() const { return state; }
    // The program that Save writes and Program sends.
    TimerProgram GetProgram() const;
    QUndoStack* GetHistory() const { return history; }
    // The file the program was opened from or saved to; empty for a new program.
    const QString& GetPath() const { return path; }
    // The history is not where the program was opened or last saved.
    bool IsModified() const;
    // What the device check (CheckEditorState) finds in the state, kept up to date before
    // stateChanged is emitted.
    const std::vector<DeviceProblem>& GetProblems() const { return problems; }

    // One undo step named name. False when edit refused or left the program as it was; a new
    // selection it made is taken all the same, as no step.
    bool Apply(const QString& name, const Edit& edit);
    // Moving the selection is not a change of the program, so it is no step.
    void SetSelection(const EditorSelection& selection);

    // The program read from path replaces this one, with a new history; stamp is what the file
    // held when it was read.
    void Open(const QString& path, const TimerProgram& program, const FileStamp& stamp = {});
    // Writes the program to its file, or to path, which then becomes its file; the history's
    // saved point moves only when the file was written.
    SaveResult Save();
    SaveResult SaveAs(const QString& path);
    // A new empty program without a file.
    void Close();
    // How the file on disk compares with what was last opened or saved; Unchanged without one.
    FileCheck CheckDisk() const;

signals:
    void stateChanged(const EditorChange& change);
    void pathChanged(const QString& path);
    void modifiedChanged(bool modified);

private:
    friend class DocumentStep;
    // Puts panels [first, first + removed) of the state into panels' place, with the startup
    // flag and the selection, and tells the views.
    void Replace(int first, int removed, const std::vector<PanelState>& panels, bool startup,
                 const EditorSelection& selection);
    // A new state and a new history, the saved point at its start.
    void Reset(EditorState newState, const QString& newPath);

    // The device check again after the program changed.
    void CheckState();

    EditorState state;
    std::vector<DeviceProblem> problems;
    QUndoStack* history;
    QString path;
    FileStamp stamp;
};
