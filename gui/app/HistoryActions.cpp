#include "gui/app/HistoryActions.h"

#include <QAction>
#include <QMenu>
#include <QUndoStack>

#include "gui/app/EditCommands.h"
#include "res/ControlIds.h"

QAction* MakeStandardAction(QMenu* menu, const QString& text, int id, QKeySequence::StandardKey key,
                            const char* fallback) {
    QAction* action = menu->addAction(text);
    action->setProperty(ControlIds::kProperty, id);
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) {
        keys.append(QKeySequence(QString::fromLatin1(fallback)));
    }
    action->setShortcuts(keys);
    return action;
}

void AddHistoryActions(QMenu* menu, QUndoStack& history, EditCommands& edits) {
    QAction* undoAction = MakeStandardAction(menu, QStringLiteral("&Undo"), ControlIds::kEditUndo,
                                             QKeySequence::Undo, "Ctrl+Z");
    QAction* redoAction = MakeStandardAction(menu, QStringLiteral("&Redo"), ControlIds::kEditRedo,
                                             QKeySequence::Redo, "Ctrl+Shift+Z");
    // Both common redo keys, whichever the platform prefers.
    QList<QKeySequence> redoKeys = redoAction->shortcuts();
    for (const char* key : {"Ctrl+Shift+Z", "Ctrl+Y"}) {
        if (!redoKeys.contains(QKeySequence(QString::fromLatin1(key)))) {
            redoKeys.append(QKeySequence(QString::fromLatin1(key)));
        }
    }
    redoAction->setShortcuts(redoKeys);
    QObject::connect(undoAction, &QAction::triggered, &edits, &EditCommands::OnUndo);
    QObject::connect(redoAction, &QAction::triggered, &edits, &EditCommands::OnRedo);
    auto nameAction = [](QAction* action, const QString& verb, const QString& step) {
        action->setText(step.isEmpty() ? verb : verb + u' ' + step);
    };
    // The actions are the receivers: the stack outlives them when the window is destroyed.
    QObject::connect(&history, &QUndoStack::undoTextChanged, undoAction,
                     [undoAction, nameAction](const QString& step) {
                         nameAction(undoAction, QStringLiteral("&Undo"), step);
                     });
    QObject::connect(&history, &QUndoStack::redoTextChanged, redoAction,
                     [redoAction, nameAction](const QString& step) {
                         nameAction(redoAction, QStringLiteral("&Redo"), step);
                     });
    QObject::connect(&history, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    QObject::connect(&history, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
}
