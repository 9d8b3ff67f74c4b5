#include "gui/app/EditStep.h"

#include <utility>

EditStep::EditStep(EditorView& view, const QString& text, EditorState before, EditorState after,
                   bool done)
    : QUndoCommand(text),
      view(view),
      before(std::move(before)),
      after(std::move(after)),
      skipRedo(done) {}

void EditStep::undo() {
    view.ShowState(before);
}

void EditStep::redo() {
    if (skipRedo) {
        skipRedo = false;
        return;
    }
    view.ShowState(after);
}
