#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeView>
#include <vector>

#include "core/EditorState.h"
#include "gui/document/PendingEdits.h"
#include "gui/editor/TimerListLayout.h"

class IntervalEdit;
class ProgramDocument;
class TimerListDelegate;
class TimerListModel;

// The timer list: a stock tree over TimerListModel, painted by TimerListDelegate. The selection
// is the document's: a click or a key sets it there, and the selection model follows every
// change of it (and a change made on the selection model, as a screen reader may, reaches the
// document). What the user does on a row is reported as signals the window turns into commands.
//
// Mouse: a click on a label selects its row, a second click switches it; Shift+click selects
// rows of one timer; a click on an interval opens its field; a click on a box asks for the other
// state; a double click on a caption asks for another timer number. Keyboard: the list is one
// Tab stop; Up and Down go from row to row across timers, Shift+Up and Shift+Down select rows of
// one timer, Space switches the row, and typing over a selected interval opens its field with
// the typing in it. In the field Enter commits, Esc takes the typing back, and typing that does
// not read stays there, framed, until it reads or is taken back.
class TimerListView : public QTreeView, public PendingEdits {
    Q_OBJECT

public:
    explicit TimerListView(ProgramDocument& document, QWidget* parent = nullptr);
    ~TimerListView() override;

    TimerListModel* ListModel() const { return listModel; }
    const ListMetrics& Metrics() const { return metrics; }
    ColumnWidths Widths() const;

    bool CommitPendingEdits() override;
    // The open field of the row, or nullptr.
    IntervalEdit* Editor(int panel, int row) const;
    // Selects the row and opens its field with the focus in it; nullptr for no such row.
    IntervalEdit* OpenEditor(int panel, int row);
    // The row whose typing does not read: the focused field first. False for none.
    bool FindUnreadableRow(int& panel, int& row) const;
    // Which row does not read and how to type it; empty for none.
    QString DescribeUnreadableRow() const;
    // Scrolls to that row and puts the focus in its field; false for none.
    bool FocusUnreadableRow();
    // Scrolls as little as needed to show the row, or the timer from its caption for row -1.
    void EnsureVisible(int panel, int row);
    // After a command: the selection in view and, when the keyboard was working in the list,
    // the focus on the list, where the next typing opens the selected interval's field.
    void FocusSelection();
    // The cell's place among the tree's accessible children (its header row counts first).
    int AccessibleChild(const QModelIndex& index) const;
    // Where a row's part is on screen, in viewport coordinates; empty for no such row.
    QRect PartRect(int panel, int row, RowPart part) const;

    QSize sizeHint() const override;

signals:
    void captionDoubleClicked(int panel);
    void rowSwitched(int panel, int row);
    void rowTextCommitted(int panel, int row, const QString& text);
    void blockStartClicked(int panel, int row);
    // A row's typing stopped or started reading, or such a field went.
    void unreadableChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                 const QModelIndex& index) const override;
    void focusInEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    // A screen reader hears a cell's new name, as it heard a label's new text.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;

private:
    struct OpenField {
        QPersistentModelIndex index;
        QPointer<IntervalEdit> edit;
    };

    void Select(const EditorSelection& selection);
    // The selection model shows the document's selection.
    void ShowSelection();
    void Follow(const EditorChange& change);
    void OnEditorCreated(IntervalEdit* edit, const QModelIndex& index);
    // Closes the field unless its typing does not read; true when it closed.
    bool CloseField(IntervalEdit* edit);
    // Closes every field that holds nothing the user must still correct.
    void CloseReadableFields();
    const OpenField* FindField(const QObject* edit) const;
    // Keys a field passes on once its typing is committed: Enter, Esc, Tab, Up and Down.
    bool FieldKey(IntervalEdit* edit, QKeyEvent* key);
    void MoveSelection(int direction);
    void ExtendSelection(int direction);
    void UpdateMetrics();
    // The header's sections to the list's own widths at the viewport's width.
    void FitColumns();
    void ExpandTimers(int first, int last);
    void RepaintCaptions(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    ProgramDocument& document;
    TimerListModel* listModel;
    TimerListDelegate* delegate;
    ListMetrics metrics;
    std::vector<OpenField> fields;
    // Set while the selection model is made to show the document's selection.
    bool showing = false;
};
