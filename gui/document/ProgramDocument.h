#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/EditorState.h"
#include "core/ProgramFacts.h"
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
    // A change of a copy of the state; a refusal leaves the state as it was.
    using Edit = std::function<EditRefusal(EditorState& state)>;

    explicit ProgramDocument(QObject* parent = nullptr);
    ~ProgramDocument() override;

    const EditorState& GetState() const { return state; }
    // The program that Save writes and Program sends.
    TimerProgram GetProgram() const;
    QUndoStack* GetHistory() const { return history; }
    // The file the program was opened from or saved to; empty for a new program.
    const QString& GetPath() const { return path; }
    // The history is not where the program was opened or last saved, or opening left part of
    // the file out.
    bool IsModified() const;
    // The program's size, transfer time and device check, computed once per change, before
    // stateChanged is emitted.
    const ProgramFacts& GetFacts() const { return facts; }
    const std::vector<DeviceProblem>& GetProblems() const { return facts.findings; }
    // What saving over the file it was opened from would leave out of it, in a sentence or
    // two for the user; empty when a save writes all the file held.
    const QString& GetLosses() const { return losses; }

    // One undo step named name; its refusal, or None. A program left as it was is no step; a
    // new selection the edit made is taken all the same, as no step.
    EditRefusal Apply(const QString& name, const Edit& edit);
    // The same, for a step whose name says what the edit did: name is asked once it has run.
    EditRefusal ApplyNamed(const std::function<QString()>& name, const Edit& edit);
    // Moving the selection is not a change of the program, so it is no step.
    void SetSelection(const EditorSelection& selection);

    // The program read from path replaces this one, with a new history; stamp is what the file
    // held when it was read. losses names what the program lacks of the file (GetLosses); then
    // the program opens as changed, so closing asks and saving over the file is asked first.
    void Open(const QString& path, const TimerProgram& program, const FileStamp& stamp = {},
              const QString& losses = {});
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

    // The facts again after the program changed.
    void ComputeFacts();

    EditorState state;
    ProgramFacts facts;
    QString losses;
    QUndoStack* history;
    QString path;
    FileStamp stamp;
};
