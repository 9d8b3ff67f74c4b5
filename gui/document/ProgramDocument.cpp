#include "gui/document/ProgramDocument.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "core/TimerProgram.h"

namespace {

// Each step keeps only the panels it changed, so a few hundred steps of the largest program
// stay small.
constexpr int kHistoryLimit = 500;

}  // namespace

// One change of the program: the panels it replaced and the panels it put in their place, with
// the startup flag and the selection on both sides.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(ProgramDocument& document, const QString& name, const EditorState& before,
                 EditorState&& after, const EditorChange& change)
        : QUndoCommand(name),
          document(document),
          first(change.first),
          oldStartup(before.startup),
          newStartup(after.startup),
          oldSelection(before.selection),
          newSelection(after.selection) {
        const auto from = before.panels.begin() + first;
        oldPanels.assign(from, from + change.removed);
        const auto to = after.panels.begin() + first;
        newPanels.assign(std::make_move_iterator(to), std::make_move_iterator(to + change.added));
    }

    void undo() override {
        document.Replace(first, static_cast<int>(newPanels.size()), oldPanels, oldStartup,
                         oldSelection);
    }

    void redo() override {
        document.Replace(first, static_cast<int>(oldPanels.size()), newPanels, newStartup,
                         newSelection);
    }

private:
    ProgramDocument& document;
    int first;
    std::vector<PanelState> oldPanels;
    std::vector<PanelState> newPanels;
    bool oldStartup;
    bool newStartup;
    EditorSelection oldSelection;
    EditorSelection newSelection;
};

ProgramDocument::ProgramDocument(QObject* parent) : QObject(parent), history(new QUndoStack(this)) {
    history->setUndoLimit(kHistoryLimit);
    connect(history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

ProgramDocument::~ProgramDocument() {
    // The stack goes with the document's children and announces its clearing; nobody may hear
    // it from a half-destroyed document.
    history->disconnect();
}

TimerProgram ProgramDocument::GetProgram() const {
    return ProgramFromState(state);
}

bool ProgramDocument::IsModified() const {
    return !history->isClean();
}

EditRefusal ProgramDocument::Apply(const QString& name, const Edit& edit) {
    return ApplyNamed([&name] { return name; }, edit);
}

EditRefusal ProgramDocument::ApplyNamed(const std::function<QString()>& name, const Edit& edit) {
    EditorState after = state;
    if (const EditRefusal refusal = edit(after); refusal != EditRefusal::None) {
        return refusal;
    }
    const EditorChange change = CompareStates(state, after);
    if (!change.Program()) {
        SetSelection(after.selection);
        return EditRefusal::None;
    }
    history->push(new DocumentStep(*this, name(), state, std::move(after), change));
    return EditRefusal::None;
}

void ProgramDocument::SetSelection(const EditorSelection& selection) {
    if (selection == state.selection) {
        return;
    }
    state.selection = selection;
    EditorChange change;
    change.selection = true;
    emit stateChanged(change);
}

void ProgramDocument::Replace(int first, int removed, const std::vector<PanelState>& panels,
                              bool startup, const EditorSelection& selection) {
    EditorChange change;
    change.first = first;
    change.removed = removed;
    change.added = static_cast<int>(panels.size());
    change.startup = startup != state.startup;
    change.selection = selection != state.selection;
    const auto at = state.panels.begin() + first;
    const std::size_t common = std::min(panels.size(), static_cast<std::size_t>(removed));
    std::copy(panels.begin(), panels.begin() + static_cast<std::ptrdiff_t>(common), at);
    if (panels.size() > common) {
        state.panels.insert(at + static_cast<std::ptrdiff_t>(common),
                            panels.begin() + static_cast<std::ptrdiff_t>(common), panels.end());
    } else {
        state.panels.erase(at + static_cast<std::ptrdiff_t>(common), at + removed);
    }
    state.startup = startup;
    state.selection = selection;
    ComputeFacts();
    emit stateChanged(change);
}

void ProgramDocument::ComputeFacts() {
    facts = ::ComputeFacts(state);
}

void ProgramDocument::Reset(EditorState newState, const QString& newPath) {
    const EditorChange change = WholeChange(state, newState);
    state = std::move(newState);
    // The old steps refer to panels that are gone. Clearing makes the history clean, which
    // tells the views the program is unmodified.
    history->clear();
    ComputeFacts();
    emit stateChanged(change);
    if (newPath != path) {
        path = newPath;
        emit pathChanged(path);
    }
}

void ProgramDocument::Open(const QString& newPath, const TimerProgram& program,
                           const FileStamp& newStamp, const QString& newLosses) {
    stamp = newStamp;
    losses = newLosses;
    Reset(StateFromProgram(program), newPath);
    if (!losses.isEmpty()) {
        // No step leads back to the file as it was: the program is changed from the start.
        history->resetClean();
    }
}

void ProgramDocument::Close() {
    stamp = {};
    losses.clear();
    Reset(EditorState{}, QString());
}

FileCheck ProgramDocument::CheckDisk() const {
    return path.isEmpty() ? FileCheck::Unchanged : CheckFile(path.toStdString(), stamp);
}

SaveResult ProgramDocument::Save() {
    const SaveResult result = WriteTimerFile(path.toStdString(), GetProgram());
    if (result.Ok()) {
        stamp = result.stamp;
        losses.clear();
        history->setClean();
    }
    return result;
}

SaveResult ProgramDocument::SaveAs(const QString& newPath) {
    // The program keeps its old file until a save under the new one has worked.
    const SaveResult result = WriteTimerFile(newPath.toStdString(), GetProgram());
    if (result.Ok()) {
        stamp = result.stamp;
        // The opened file keeps what this program lacks; the new one holds all there is.
        losses.clear();
        history->setClean();
        if (newPath != path) {
            path = newPath;
            emit pathChanged(path);
        }
    }
    return result;
}
