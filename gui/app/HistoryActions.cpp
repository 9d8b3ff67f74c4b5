#include "gui/app/HistoryActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QUndoStack>

#include "gui/app/EditActions.h"

QAction* MakeStandardAction(QMenu* menu, const QString& text, const char* name,
                            QKeySequence::StandardKey key, const char* fallback) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) {
        keys.append(QKeySequence(QString::fromLatin1(fallback)));
    }
    action->setShortcuts(keys);
    return action;
}

namespace {

QString UndoText(const QString& step) {
    return step.isEmpty() ? QCoreApplication::translate("HistoryActions", "&Undo")
                          : QCoreApplication::translate("HistoryActions", "&Undo %1").arg(step);
}

QString RedoText(const QString& step) {
    return step.isEmpty() ? QCoreApplication::translate("HistoryActions", "&Redo")
                          : QCoreApplication::translate("HistoryActions", "&Redo %1").arg(step);
}

}  // namespace

void AddHistoryActions(QMenu* menu, QUndoStack& history, EditActions& edits) {
    QAction* undoAction =
        MakeStandardAction(menu, UndoText(QString()), "editUndo", QKeySequence::Undo, "Ctrl+Z");
    QAction* redoAction = MakeStandardAction(menu, RedoText(QString()), "editRedo",
                                             QKeySequence::Redo, "Ctrl+Shift+Z");
    // Both common redo keys, whichever the platform prefers.
    QList<QKeySequence> redoKeys = redoAction->shortcuts();
    for (const char* key : {"Ctrl+Shift+Z", "Ctrl+Y"}) {
        if (!redoKeys.contains(QKeySequence(QString::fromLatin1(key)))) {
            redoKeys.append(QKeySequence(QString::fromLatin1(key)));
        }
    }
    redoAction->setShortcuts(redoKeys);
    QObject::connect(undoAction, &QAction::triggered, &edits, &EditActions::OnUndo);
    QObject::connect(redoAction, &QAction::triggered, &edits, &EditActions::OnRedo);
    // The actions are the receivers: the stack outlives them when the window is destroyed.
    QObject::connect(&history, &QUndoStack::undoTextChanged, undoAction,
                     [undoAction](const QString& step) { undoAction->setText(UndoText(step)); });
    QObject::connect(&history, &QUndoStack::redoTextChanged, redoAction,
                     [redoAction](const QString& step) { redoAction->setText(RedoText(step)); });
    QObject::connect(&history, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    QObject::connect(&history, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
}
