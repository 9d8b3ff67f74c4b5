#include "gui/editor/TimerListView.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

#include "gui/common/Prompter.h"
#include "gui/common/TimerTexts.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListDelegate.h"
#include "gui/editor/TimerListModel.h"

TimerListView::TimerListView(ProgramDocument& document, QWidget* parent)
    : QTreeView(parent),
      document(document),
      listModel(new TimerListModel(document, this)),
      delegate(new TimerListDelegate(this)) {
    setObjectName(QStringLiteral("timerList"));
    setAccessibleName(tr("Timers"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    // A screen reader's select action reaches the document through the selection model.
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Fields open from the view's own clicks and keys, which know about unreadable typing.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setItemDelegate(delegate);
    setModel(listModel);
    header()->setStretchLastSection(false);
    // The widths are the list's own arithmetic (ListColumnWidths), never the header's minimum.
    header()->setMinimumSectionSize(0);
    header()->setSectionResizeMode(QHeaderView::Fixed);

    connect(delegate, &TimerListDelegate::editorCreated, this, &TimerListView::OnEditorCreated);
    connect(listModel, &TimerListModel::followed, this, &TimerListView::Follow);
    connect(listModel, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid()) {
                    ExpandTimers(first, last);
                }
            });
    connect(listModel, &QAbstractItemModel::modelReset, this,
            [this] { ExpandTimers(0, listModel->PanelCount() - 1); });
    connect(listModel, &QAbstractItemModel::dataChanged, this, &TimerListView::RepaintCaptions);
    UpdateMetrics();
    ExpandTimers(0, listModel->PanelCount() - 1);
    ShowSelection();
}

TimerListView::~TimerListView() {
    // The fields' signals must not reach a half-destroyed view.
    for (const OpenField& field : fields) {
        if (field.edit != nullptr) {
            field.edit->disconnect(this);
        }
    }
}

void TimerListView::ExpandTimers(int first, int last) {
    for (int panel = first; panel <= last; ++panel) {
        expand(listModel->IndexOf(panel, -1, 0));
    }
}

void TimerListView::drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                            const QModelIndex& index) const {
    if (TimerListModel::RowOf(index) != -1) {
        QTreeView::drawRow(painter, options, index);
        return;
    }
    // A caption is one bar across the row. Painted here rather than through the tree's
    // spanned columns, which look each row up among persistent indexes at every paint.
    QStyleOptionViewItem bar = options;
    bar.rect = QRect(0, options.rect.y(), viewport()->width(), options.rect.height());
    itemDelegate()->paint(painter, bar, index.siblingAtColumn(0));
}

void TimerListView::RepaintCaptions(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    if (!topLeft.isValid() || TimerListModel::RowOf(topLeft) != -1) {
        return;
    }
    // drawRow paints a caption as one bar across the row; the tree repaints only the cells
    // that changed, which would leave the rest of the bar in its old colours or number.
    for (int panel = topLeft.row(); panel <= bottomRight.row(); ++panel) {
        const QRect cell = visualRect(listModel->IndexOf(panel, -1, 0));
        viewport()->update(QRect(0, cell.y(), viewport()->width(), cell.height()));
    }
}

QSize TimerListView::sizeHint() const {
    // The room the list had from the first: the window's default size follows from it.
    return {236, 230};
}

void TimerListView::UpdateMetrics() {
    const QFontMetrics font = fontMetrics();
    const int onOff =
        std::max(font.horizontalAdvance(OnOffText(true)), font.horizontalAdvance(OnOffText(false)));
    metrics = ListMetricsFor(font.height(), onOff,
                             style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this));
    delegate->SetMetrics(metrics);
    FitColumns();
    scheduleDelayedItemsLayout();
}

ColumnWidths TimerListView::Widths() const {
    return ListColumnWidths(viewport()->width(), metrics);
}

void TimerListView::FitColumns() {
    const ColumnWidths widths = Widths();
    header()->resizeSection(kStateColumn, widths.label);
    header()->resizeSection(kIntervalColumn, widths.interval);
    header()->resizeSection(kBlockColumn, widths.box);
}

bool TimerListView::viewportEvent(QEvent* event) {
    const bool result = QTreeView::viewportEvent(event);
    if (event->type() == QEvent::Resize) {
        FitColumns();
    }
    return result;
}

void TimerListView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        UpdateMetrics();
    }
}

QRect TimerListView::PartRect(int panel, int row, RowPart part) const {
    const int column = part == RowPart::Label ? kStateColumn
                       : part == RowPart::Box ? kBlockColumn
                                              : kIntervalColumn;
    return visualRect(listModel->IndexOf(panel, row, row == -1 ? 0 : column));
}

void TimerListView::Select(const EditorSelection& selection) {
    document.SetSelection(selection);
}

void TimerListView::ShowSelection() {
    const EditorSelection selection = document.GetState().selection;
    const int panel = selection.panel;
    QItemSelection items;
    QModelIndex current;
    if (panel >= 0 && panel < listModel->PanelCount()) {
        if (selection.row == -1) {
            current = listModel->IndexOf(panel, -1, 0);
            items.select(current, listModel->IndexOf(panel, -1, kListColumnCount - 1));
        } else {
            const int last = listModel->RowCount(panel) - 1;
            const QModelIndex top =
                listModel->IndexOf(panel, std::clamp(selection.FirstRow(), 0, last), 0);
            const QModelIndex bottom = listModel->IndexOf(
                panel, std::clamp(selection.LastRow(), 0, last), kListColumnCount - 1);
            if (top.isValid() && bottom.isValid()) {
                items.select(top, bottom);
            }
            current = listModel->IndexOf(panel, selection.row, kIntervalColumn);
        }
    }
    showing = true;
    if (items != selectionModel()->selection()) {
        selectionModel()->select(items, QItemSelectionModel::ClearAndSelect);
    }
    if (current != currentIndex()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
    showing = false;
}

void TimerListView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    if (showing || listModel->IsFollowing()) {
        return;
    }
    // Made on the selection model by someone else: rows of the first timer selected, the
    // current row their moving end.
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty()) {
        Select({});
        return;
    }
    const int panel = TimerListModel::PanelOf(indexes.front());
    int first = -1;
    int last = -1;
    for (const QModelIndex& index : indexes) {
        const int row = TimerListModel::RowOf(index);
        if (TimerListModel::PanelOf(index) != panel || row == -1) {
            continue;
        }
        first = first == -1 ? row : std::min(first, row);
        last = std::max(last, row);
    }
    if (first == -1) {
        Select({panel, -1, -1});
        return;
    }
    const int current = TimerListModel::PanelOf(currentIndex()) == panel
                            ? TimerListModel::RowOf(currentIndex())
                            : -1;
    const int row = current == first || current == last ? current : last;
    const int anchor = first == last ? -1 : (row == first ? last : first);
    Select({panel, row, anchor});
}

int TimerListView::AccessibleChild(const QModelIndex& index) const {
    const int panel = TimerListModel::PanelOf(index);
    if (panel < 0) {
        return -1;
    }
    // Every timer is expanded: its caption, then its rows, in the order they show.
    int line = 1;  // the header, hidden or not
    for (int before = 0; before < panel; ++before) {
        line += 1 + listModel->RowCount(before);
    }
    line += TimerListModel::RowOf(index) + 1;
    return line * kListColumnCount + index.column();
}

void TimerListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QList<int>& roles) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    if (!QAccessible::isActive() || !topLeft.isValid()) {
        return;
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
            QAccessibleEvent event(this, QAccessible::NameChanged);
            event.setChild(AccessibleChild(topLeft.siblingAtRow(row).siblingAtColumn(column)));
            QAccessible::updateAccessibility(&event);
        }
    }
}

void TimerListView::Follow(const EditorChange& change) {
    ShowSelection();
    const auto gone = std::remove_if(fields.begin(), fields.end(), [](const OpenField& field) {
        return field.edit == nullptr || !field.index.isValid();
    });
    const bool lost = gone != fields.end();
    fields.erase(gone, fields.end());
    if (lost || change.Panels()) {
        emit unreadableChanged();
    }
    if (change.replaced) {
        scrollToTop();
    }
}

void TimerListView::EnsureVisible(int panel, int row) {
    if (row == -1) {
        // As much of the timer as fits, from its caption.
        const QModelIndex last = listModel->IndexOf(panel, listModel->RowCount(panel) - 1, 0);
        if (last.isValid()) {
            scrollTo(last);
        }
        scrollTo(listModel->IndexOf(panel, -1, 0));
        return;
    }
    const QModelIndex index = listModel->IndexOf(panel, row, kIntervalColumn);
    if (index.isValid()) {
        scrollTo(index);
    }
}

void TimerListView::FocusSelection() {
    const EditorSelection selection = document.GetState().selection;
    EnsureVisible(selection.panel, selection.row);
    QWidget* focus = QApplication::focusWidget();
    // Keyboard work on the rows goes on at the row the step left selected.
    if (focus != nullptr && focus != this && !isAncestorOf(focus)) {
        return;
    }
    CloseReadableFields();
    if (auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
        edit != nullptr && edit->IsUnreadable()) {
        return;
    }
    setFocus(Qt::OtherFocusReason);
}

void TimerListView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    // Tab into a list with nothing selected claims the first timer, as a click would.
    if (event->reason() != Qt::MouseFocusReason && document.GetState().selection.panel == -1 &&
        listModel->PanelCount() > 0) {
        Select({0, -1, -1});
    }
}

IntervalEdit* TimerListView::Editor(int panel, int row) const {
    for (const OpenField& field : fields) {
        if (field.edit != nullptr && TimerListModel::PanelOf(field.index) == panel &&
            TimerListModel::RowOf(field.index) == row) {
            return field.edit;
        }
    }
    return nullptr;
}

const TimerListView::OpenField* TimerListView::FindField(const QObject* edit) const {
    for (const OpenField& field : fields) {
        if (field.edit == edit) {
            return &field;
        }
    }
    return nullptr;
}

IntervalEdit* TimerListView::OpenEditor(int panel, int row) {
    const QModelIndex index = listModel->IndexOf(panel, row, kIntervalColumn);
    if (!index.isValid()) {
        return nullptr;
    }
    IntervalEdit* edit = Editor(panel, row);
    if (edit == nullptr) {
        openPersistentEditor(index);
        edit = Editor(panel, row);
    }
    if (edit == nullptr) {
        return nullptr;
    }
    scrollTo(index);
    // The focus moves first, so typing open in another field is committed as its own step.
    edit->setFocus(Qt::OtherFocusReason);
    Select({panel, row, -1});
    return edit;
}

void TimerListView::OnEditorCreated(IntervalEdit* edit, const QModelIndex& index) {
    fields.push_back({QPersistentModelIndex(index), edit});
    // One Tab stop for the whole list: a field is reached through its row.
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->installEventFilter(this);
    connect(edit, &IntervalEdit::textCommitted, this, [this, edit] {
        const OpenField* field = FindField(edit);
        if (field != nullptr && field->index.isValid()) {
            emit rowTextCommitted(TimerListModel::PanelOf(field->index),
                                  TimerListModel::RowOf(field->index), edit->text());
        }
    });
    connect(edit, &IntervalEdit::unreadableChanged, this, &TimerListView::unreadableChanged);
}

bool TimerListView::CloseField(IntervalEdit* edit) {
    if (edit == nullptr || edit->IsUnreadable()) {
        return false;
    }
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [edit](const OpenField& field) { return field.edit == edit; });
    if (found == fields.end()) {
        return false;
    }
    const QPersistentModelIndex index = found->index;
    fields.erase(found);
    edit->disconnect(this);
    if (index.isValid()) {
        closePersistentEditor(index);
    }
    return true;
}

void TimerListView::CloseReadableFields() {
    std::vector<IntervalEdit*> edits;
    for (const OpenField& field : fields) {
        edits.push_back(field.edit);
    }
    for (IntervalEdit* edit : edits) {
        CloseField(edit);
    }
}

bool TimerListView::FindUnreadableRow(int& panel, int& row) const {
    const OpenField* found = nullptr;
    for (const OpenField& field : fields) {
        if (field.edit != nullptr && field.index.isValid() && field.edit->IsUnreadable() &&
            (found == nullptr || field.edit->hasFocus())) {
            found = &field;
        }
    }
    if (found == nullptr) {
        panel = row = -1;
        return false;
    }
    panel = TimerListModel::PanelOf(found->index);
    row = TimerListModel::RowOf(found->index);
    return true;
}

QString TimerListView::DescribeUnreadableRow() const {
    int panel = -1;
    int row = -1;
    if (!FindUnreadableRow(panel, row)) {
        return {};
    }
    //: %3 is the forms an interval is typed in.
    return tr("Timer %1, interval %2 does not read. %3. Esc takes the typing back.")
        .arg(document.GetState().panels[static_cast<std::size_t>(panel)].timerNumber)
        .arg(row + 1)
        .arg(IntervalFormsText());
}

bool TimerListView::FocusUnreadableRow() {
    int panel = -1;
    int row = -1;
    if (!FindUnreadableRow(panel, row)) {
        return false;
    }
    OpenEditor(panel, row);
    return true;
}

bool TimerListView::CommitPendingEdits() {
    if (auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
        edit != nullptr && FindField(edit) != nullptr) {
        edit->CommitPendingChange();
    }
    int panel = -1;
    int row = -1;
    if (!FindUnreadableRow(panel, row)) {
        return true;
    }
    // Said before the focus moves, so the message's window is the one it refers to.
    Prompter::Current().ShowMessage(
        window(),
        tr("Timer %1, interval %2 does not read as an interval.")
            .arg(document.GetState().panels[static_cast<std::size_t>(panel)].timerNumber)
            .arg(row + 1),
        //: %1 is the forms an interval is typed in.
        tr("Until it does, the program keeps its last good value and this command waits. Type "
           "it as %1, or press Esc in it to take the typing back.")
            .arg(IntervalFormsText()));
    FocusUnreadableRow();
    return false;
}
