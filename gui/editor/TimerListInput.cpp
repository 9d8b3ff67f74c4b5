// The timer list's answers to the keyboard and the mouse, and the keys its fields pass on.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListModel.h"
#include "gui/editor/TimerListView.h"

namespace {

// Up -1, Down +1, else 0.
int Direction(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Up) {
        return -1;
    }
    return key.key() == Qt::Key_Down ? 1 : 0;
}

Qt::KeyboardModifiers Modifiers(const QKeyEvent& key) {
    return key.modifiers() & ~Qt::KeypadModifier;
}

}  // namespace

bool TimerListView::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<IntervalEdit*>(watched);
    if (edit != nullptr && FindField(edit) != nullptr) {
        if (event->type() == QEvent::KeyPress && FieldKey(edit, static_cast<QKeyEvent*>(event))) {
            return true;
        }
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // Once the field has committed its typing on the way out, it closes unless the
            // typing does not read.
            QTimer::singleShot(0, this, [this, field = QPointer<IntervalEdit>(edit)] {
                if (field != nullptr && !field->hasFocus()) {
                    CloseField(field);
                }
            });
        }
    }
    return QTreeView::eventFilter(watched, event);
}

bool TimerListView::FieldKey(IntervalEdit* edit, QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = Modifiers(*key);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
            break;
        case Qt::Key_Escape:
            // Typing is taken back by the field itself; with none, Esc leaves it.
            if (edit->HasPendingChange() || edit->IsUnreadable()) {
                return false;
            }
            CloseField(edit);
            setFocus(Qt::OtherFocusReason);
            return true;
        default:
            return false;
    }
    if (Direction(*key) != 0 && modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) {
        return false;  // Alt+Up and the like are the window's commands
    }
    // Enter, Tab and the arrows stay in a field whose typing does not read.
    if (!edit->CommitPendingChange()) {
        return true;
    }
    CloseField(edit);
    setFocus(Qt::OtherFocusReason);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        focusNextPrevChild(key->key() == Qt::Key_Tab && (modifiers & Qt::ShiftModifier) == 0);
    } else if (Direction(*key) != 0) {
        keyPressEvent(key);
    }
    return true;
}

void TimerListView::MoveSelection(int direction) {
    const int panels = listModel->PanelCount();
    if (panels == 0) {
        return;
    }
    const EditorSelection selection = document.GetState().selection;
    int panel = selection.panel;
    int row = selection.row;
    if (panel < 0 || panel >= panels) {
        Select(direction > 0 ? EditorSelection{0, -1, -1}
                             : EditorSelection{panels - 1, listModel->RowCount(panels - 1) - 1});
        return;
    }
    // Captions and rows in the order they show.
    if (direction > 0) {
        if (row + 1 < listModel->RowCount(panel)) {
            ++row;
        } else if (panel + 1 < panels) {
            ++panel;
            row = -1;
        }
    } else if (row > -1) {
        --row;
    } else if (panel > 0) {
        --panel;
        row = listModel->RowCount(panel) - 1;
    }
    Select({panel, row, -1});
}

void TimerListView::ExtendSelection(int direction) {
    const EditorSelection selection = document.GetState().selection;
    const int target = selection.row + direction;
    if (selection.row == -1 || target < 0 || target >= listModel->RowCount(selection.panel)) {
        return;
    }
    const int anchor = selection.anchor == -1 ? selection.row : selection.anchor;
    Select({selection.panel, target, anchor == target ? -1 : anchor});
}

void TimerListView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = Modifiers(*event);
    const EditorSelection selection = document.GetState().selection;
    const bool onRow = selection.panel != -1 && selection.row != -1;
    event->accept();
    if (const int direction = Direction(*event); direction != 0) {
        if (modifiers == Qt::NoModifier) {
            MoveSelection(direction);
            return;
        }
        if (modifiers == Qt::ShiftModifier) {
            ExtendSelection(direction);
            return;
        }
    }
    switch (event->key()) {
        case Qt::Key_Space:
            if (modifiers == Qt::NoModifier && onRow && !event->isAutoRepeat()) {
                emit rowSwitched(selection.panel, selection.row);
            }
            return;
        case Qt::Key_F2:
            if (onRow) {
                OpenEditor(selection.panel, selection.row);
            }
            return;
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const CursorAction action = event->key() == Qt::Key_Home     ? MoveHome
                                        : event->key() == Qt::Key_End    ? MoveEnd
                                        : event->key() == Qt::Key_PageUp ? MovePageUp
                                                                         : MovePageDown;
            const QModelIndex target = moveCursor(action, Qt::NoModifier);
            if (target.isValid()) {
                Select({TimerListModel::PanelOf(target), TimerListModel::RowOf(target), -1});
            }
            return;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
            return;
        default:
            break;
    }
    const QString text = event->text();
    const bool typing =
        !text.isEmpty() && text.front().isPrint() &&
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    if (typing && onRow) {
        // Typing over the selected interval: its field opens with the text selected, so the
        // first key replaces it.
        if (IntervalEdit* edit = OpenEditor(selection.panel, selection.row)) {
            edit->selectAll();
            QCoreApplication::sendEvent(edit, event);
        }
        return;
    }
    event->ignore();
}

void TimerListView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        return;
    }
    const int panel = TimerListModel::PanelOf(index);
    const int row = TimerListModel::RowOf(index);
    if (row == -1) {
        Select({panel, -1, -1});
        return;
    }
    const EditorSelection selection = document.GetState().selection;
    switch (RowPartAt(pos.x() + horizontalOffset(), Widths())) {
        case RowPart::Label:
            if ((event->modifiers() & Qt::ShiftModifier) != 0 && selection.panel == panel &&
                selection.row != -1) {
                const int anchor = selection.anchor == -1 ? selection.row : selection.anchor;
                Select({panel, row, anchor == row ? -1 : anchor});
            } else if (selection.panel == panel && selection.row == row && selection.anchor == -1) {
                emit rowSwitched(panel, row);  // the second click on a row switches it
            } else {
                Select({panel, row, -1});
            }
            break;
        case RowPart::Interval:
            if (IntervalEdit* edit = OpenEditor(panel, row)) {
                edit->deselect();
                edit->setCursorPosition(edit->cursorPositionAt(edit->mapFrom(viewport(), pos)));
            }
            break;
        case RowPart::Box:
            Select({panel, row, -1});
            emit blockStartClicked(panel, row);
            break;
        case RowPart::None:
            break;
    }
}

void TimerListView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        return;
    }
    if (TimerListModel::RowOf(index) == -1) {
        Select({TimerListModel::PanelOf(index), -1, -1});
        emit captionDoubleClicked(TimerListModel::PanelOf(index));
        return;
    }
    // A box takes each click; a label's second click belongs to the double click.
    if (RowPartAt(pos.x() + horizontalOffset(), Widths()) == RowPart::Box) {
        mousePressEvent(event);
    }
}

void TimerListView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void TimerListView::mouseMoveEvent(QMouseEvent* event) {
    // No drag selection: rows are selected by click and Shift+click.
    event->accept();
}
