#pragma once

#include <QObject>
#include <QString>

#include "gui/document/ProgramDocument.h"

class QAction;
class QMenu;
class QWidget;
struct RowState;

// The editing commands of the main window and the changes the user makes on the rows, each
// turned into one named step of the program document. Every command first commits the typing
// in progress; one that cannot act says why and what to do.
class EditActions : public QObject {
    Q_OBJECT

public:
    // window is where questions and messages appear.
    EditActions(ProgramDocument& document, QWidget* window);

    void OnAddTimer();
    void OnAddInterval();
    void OnInsertInterval();
    void OnDelete();
    // delta -1 moves the selected row up, +1 down.
    void OnMoveRow(int delta);
    // delta -1 moves the selected timer up, +1 down.
    void OnMoveTimer(int delta);
    void OnDuplicateTimer();
    // The timer at index, or the selected one for -1.
    void OnChangeTimerNumber(int index = -1);
    void OnUndo();
    void OnRedo();
    // Joins the second place of the timer TimerToJoin names into its first.
    void OnJoinTimer();
    // Lists what the device check finds and selects the first problem that has a row or timer.
    void OnShowProblems();
    // Adds Join Timer and Show Problems to menu; Join Timer's text names its timer.
    void AddProblemActions(QMenu* menu);

    // What the user did on the rows and the startup box.
    void OnRowTextCommitted(int panel, int row, const QString& text);
    void OnRowSwitched(int panel, int row);
    void OnBlockStartClicked(int panel, int row);
    void OnStartupClicked(bool checked);

signals:
    // A command or an undo or redo step changed the program: keyboard work goes on at the
    // selection it left.
    void stepDone();
    // Why a change the user made on the rows did not happen, for the status line.
    void refused(const QString& why);

private:
    // Commits the typing in progress, then gives the selection for a command, or a message
    // saying what to select. needRow: a row, not only a timer.
    bool GetTarget(const QString& command, bool needRow, int& panel, int& row);
    // The number of the timer at a valid index.
    int TimerNumber(int panel) const;
    // The row, or nullptr when the document has no such row.
    const RowState* FindRow(int panel, int row) const;
    // Applies a command's step on the timer at panel (and its row) and tells the window when it
    // was taken, or the user why not.
    void Perform(const QString& name, int panel, int row, const ProgramDocument::Edit& edit);

    ProgramDocument& document;
    QWidget* window;
};
