#pragma once

#include <QKeySequence>
#include <QString>

class EditActions;
class QAction;
class QMenu;
class QUndoStack;

// A menu action with the platform's keys for a standard command, or the common ones where the
// platform binds none.
QAction* MakeStandardAction(QMenu* menu, const QString& text, const char* name,
                            QKeySequence::StandardKey key, const char* fallback);

// Undo and Redo in menu, named after the step they take back or do again, enabled while there
// is one, and done through edits (which first deals with typing in progress).
void AddHistoryActions(QMenu* menu, QUndoStack& history, EditActions& edits);
