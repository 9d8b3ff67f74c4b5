#pragma once

#include <QUndoCommand>

#include "core/EditorState.h"

// Whatever shows the editor: an edit step hands it the state to show on undo and redo.
class EditorView {
public:
    virtual ~EditorView() = default;
    virtual void ShowState(const EditorState& state) = 0;
};

// One undoable change of the program, kept as the whole editor before and after it: exact for
// every kind of change, and the view only rebuilds the timers that differ.
class EditStep : public QUndoCommand {
public:
    // done: the change is already on screen (the user made it on the rows), so the first redo,
    // which QUndoStack::push runs, has nothing to do.
    EditStep(EditorView& view, const QString& text, EditorState before, EditorState after,
             bool done);

    void undo() override;
    void redo() override;

private:
    EditorView& view;
    EditorState before;
    EditorState after;
    bool skipRedo;
};
