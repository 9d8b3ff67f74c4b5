#include "gui/editor/TimerListModel.h"

#include <algorithm>

#include "core/TimerProgram.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/TimerListLayout.h"

namespace {

// A caption's internal id; an interval's is its panel + 1.
constexpr quintptr kCaptionId = 0;

}  // namespace

QString OnOffText(bool on) {
    return on ? TimerListModel::tr("ON") : TimerListModel::tr("OFF");
}

QString RowDisplayText(const RowState& row) {
    return QString::fromStdString(RowText(row));
}

TimerListModel::TimerListModel(ProgramDocument& document, QObject* parent)
    : QAbstractItemModel(parent), document(document) {
    const EditorState& state = document.GetState();
    shown.assign(state.panels.begin(), state.panels.end());
    marks.resize(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        marks[i].resize(shown[i].rows.size());
    }
    FollowMarks();
    activePanel = state.selection.panel;
    connect(&document, &ProgramDocument::stateChanged, this, &TimerListModel::Follow);
}

int TimerListModel::PanelOf(const QModelIndex& index) {
    if (!index.isValid()) {
        return -1;
    }
    return index.internalId() == kCaptionId ? index.row()
                                            : static_cast<int>(index.internalId() - 1);
}

int TimerListModel::RowOf(const QModelIndex& index) {
    return index.isValid() && index.internalId() != kCaptionId ? index.row() : -1;
}

int TimerListModel::RowCount(int panel) const {
    return panel >= 0 && panel < PanelCount()
               ? static_cast<int>(shown[static_cast<std::size_t>(panel)].rows.size())
               : 0;
}

QModelIndex TimerListModel::IndexOf(int panel, int row, int column) const {
    if (panel < 0 || panel >= PanelCount()) {
        return {};
    }
    if (row == -1) {
        return createIndex(panel, column, kCaptionId);
    }
    if (row < 0 || row >= RowCount(panel)) {
        return {};
    }
    return createIndex(row, column, static_cast<quintptr>(panel) + 1);
}

QModelIndex TimerListModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= kListColumnCount) {
        return {};
    }
    if (!parent.isValid()) {
        return IndexOf(row, -1, column);
    }
    return RowOf(parent) == -1 ? IndexOf(parent.row(), row, column) : QModelIndex();
}

QModelIndex TimerListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kCaptionId) {
        return {};
    }
    return createIndex(PanelOf(child), 0, kCaptionId);
}

int TimerListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return PanelCount();
    }
    return RowOf(parent) == -1 && parent.column() == 0 ? RowCount(parent.row()) : 0;
}

int TimerListModel::columnCount(const QModelIndex&) const {
    return kListColumnCount;
}

Qt::ItemFlags TimerListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (RowOf(index) == -1) {
        return result;
    }
    if (index.column() == kIntervalColumn) {
        result |= Qt::ItemIsEditable;
    }
    if (index.column() == kBlockColumn) {
        result |= Qt::ItemIsUserCheckable;
    }
    return result | Qt::ItemNeverHasChildren;
}

QString TimerListModel::AccessibleName(int panel, int row) const {
    if (panel < 0 || panel >= PanelCount()) {
        return {};
    }
    const PanelState& timer = shown[static_cast<std::size_t>(panel)];
    if (row == -1) {
        return QString::fromStdString(TimerName(timer.timerNumber));
    }
    if (row < 0 || row >= RowCount(panel)) {
        return {};
    }
    const RowState& value = timer.rows[static_cast<std::size_t>(row)];
    //: %1 timer, %2 interval, %3 ON or OFF, %4 the interval's time.
    const QString name = tr("Timer %1, interval %2, %3, %4")
                             .arg(timer.timerNumber)
                             .arg(row + 1)
                             .arg(OnOffText(value.on), RowDisplayText(value));
    return value.blockStart ? tr("%1, starts a block").arg(name) : name;
}

QVariant TimerListModel::data(const QModelIndex& index, int role) const {
    const int panel = PanelOf(index);
    const int row = RowOf(index);
    if (panel < 0 || panel >= PanelCount() || (row != -1 && row >= RowCount(panel))) {
        return {};
    }
    const PanelState& timer = shown[static_cast<std::size_t>(panel)];
    if (row == -1) {
        switch (role) {
            case Qt::DisplayRole:
                return index.column() == 0 ? QString::fromStdString(TimerName(timer.timerNumber))
                                           : QString();
            case Qt::AccessibleTextRole:
                return QString::fromStdString(TimerName(timer.timerNumber));
            case Qt::ToolTipRole:
                return tr("Double-click to change the timer's number");
            case ActiveRole:
                return panel == activePanel;
            default:
                return {};
        }
    }
    const RowState& value = timer.rows[static_cast<std::size_t>(row)];
    const RowMark& found = marks[static_cast<std::size_t>(panel)][static_cast<std::size_t>(row)];
    const QString& mark = found.text;
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == kStateColumn) {
                return OnOffText(value.on);
            }
            return index.column() == kIntervalColumn ? RowDisplayText(value) : QString();
        case Qt::EditRole:
            return index.column() == kIntervalColumn ? RowDisplayText(value) : QVariant();
        case Qt::CheckStateRole:
            return index.column() == kBlockColumn
                       ? QVariant(value.blockStart ? Qt::Checked : Qt::Unchecked)
                       : QVariant();
        case Qt::AccessibleTextRole:
            return AccessibleName(panel, row);
        case Qt::AccessibleDescriptionRole:
            return mark;
        case Qt::ToolTipRole:
            if (index.column() == kStateColumn) {
                return tr("Click or press Space to switch between ON and OFF");
            }
            if (index.column() == kBlockColumn) {
                return tr(
                    "Starts a new block of this timer in the device (at most 8 intervals a "
                    "block, 1 byte each)");
            }
            return mark.isEmpty() ? QVariant() : QVariant(mark);
        case ProblemRole:
            return mark;
        case WarningRole:
            return found.warning;
        case OnRole:
            return value.on;
        case BlockStartRole:
            return value.blockStart;
        default:
            return {};
    }
}

void TimerListModel::RowsChanged(int panel, int first, int last) {
    if (first <= last) {
        emit dataChanged(IndexOf(panel, first, 0), IndexOf(panel, last, kListColumnCount - 1));
    }
}

void TimerListModel::FollowPanel(int panel, const PanelState& wanted) {
    PanelState& now = shown[static_cast<std::size_t>(panel)];
    std::vector<RowMark>& rowMarks = marks[static_cast<std::size_t>(panel)];
    if (now.timerNumber != wanted.timerNumber) {
        now.timerNumber = wanted.timerNumber;
        const QModelIndex caption = IndexOf(panel, -1, 0);
        emit dataChanged(caption, caption);
    }
    // Rows equal at both ends stay; only the middle is changed, inserted or removed, so an
    // open editor and the selection stay on their rows.
    const auto& before = now.rows;
    const auto& after = wanted.rows;
    const std::size_t common = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < common && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < common - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    const int first = static_cast<int>(head);
    const int oldMiddle = static_cast<int>(before.size() - head - tail);
    const int newMiddle = static_cast<int>(after.size() - head - tail);
    const int changed = std::min(oldMiddle, newMiddle);
    const QModelIndex parent = IndexOf(panel, -1, 0);
    if (oldMiddle > newMiddle) {
        const int gone = first + changed;
        beginRemoveRows(parent, gone, gone + oldMiddle - newMiddle - 1);
        now.rows.erase(now.rows.begin() + gone, now.rows.begin() + gone + oldMiddle - newMiddle);
        rowMarks.erase(rowMarks.begin() + gone, rowMarks.begin() + gone + oldMiddle - newMiddle);
        endRemoveRows();
    } else if (newMiddle > oldMiddle) {
        const int added = first + changed;
        beginInsertRows(parent, added, added + newMiddle - oldMiddle - 1);
        now.rows.insert(now.rows.begin() + added, after.begin() + added,
                        after.begin() + added + newMiddle - oldMiddle);
        rowMarks.insert(rowMarks.begin() + added, static_cast<std::size_t>(newMiddle - oldMiddle),
                        RowMark());
        endInsertRows();
    }
    std::copy(after.begin() + first, after.begin() + first + changed, now.rows.begin() + first);
    RowsChanged(panel, first, first + changed - 1);
}

void TimerListModel::Follow(const EditorChange& change) {
    following = true;
    FollowState(change);
    following = false;
    emit followed(change);
}

void TimerListModel::FollowState(const EditorChange& change) {
    const EditorState& state = document.GetState();
    if (change.replaced) {
        beginResetModel();
        shown.assign(state.panels.begin(), state.panels.end());
        marks.assign(shown.size(), {});
        for (std::size_t i = 0; i < shown.size(); ++i) {
            marks[i].resize(shown[i].rows.size());
        }
        activePanel = state.selection.panel;
        FollowMarks();
        endResetModel();
        return;
    }
    if (change.Panels()) {
        const int first = std::clamp(change.first, 0, PanelCount());
        const int removed = std::clamp(change.removed, 0, PanelCount() - first);
        const int added =
            std::clamp(change.added, 0, static_cast<int>(state.panels.size()) - first);
        const int common = std::min(removed, added);
        for (int i = first; i < first + common; ++i) {
            FollowPanel(i, state.panels[static_cast<std::size_t>(i)]);
        }
        if (removed > common) {
            beginRemoveRows({}, first + common, first + removed - 1);
            shown.erase(shown.begin() + first + common, shown.begin() + first + removed);
            marks.erase(marks.begin() + first + common, marks.begin() + first + removed);
            endRemoveRows();
        } else if (added > common) {
            beginInsertRows({}, first + common, first + added - 1);
            for (int i = first + common; i < first + added; ++i) {
                const PanelState& panel = state.panels[static_cast<std::size_t>(i)];
                shown.insert(shown.begin() + i, panel);
                marks.insert(marks.begin() + i, std::vector<RowMark>(panel.rows.size()));
            }
            endInsertRows();
        }
    }
    if (change.Program()) {
        FollowMarks();
    }
    FollowActive();
}

void TimerListModel::FollowMarks() {
    std::vector<std::vector<RowMark>> wanted(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        wanted[i].resize(shown[i].rows.size());
    }
    for (const DeviceProblem& problem : document.GetProblems()) {
        if (MarksRow(problem) && problem.panel >= 0 && problem.panel < PanelCount() &&
            problem.row < RowCount(problem.panel)) {
            wanted[static_cast<std::size_t>(problem.panel)][static_cast<std::size_t>(problem.row)] =
                {QString::fromStdString(problem.message), problem.IsWarning()};
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t row = 0; row < wanted[i].size(); ++row) {
            if (marks[i][row] != wanted[i][row]) {
                marks[i][row] = wanted[i][row];
                const QModelIndex cell =
                    IndexOf(static_cast<int>(i), static_cast<int>(row), kIntervalColumn);
                emit dataChanged(cell, cell);
            }
        }
    }
}

void TimerListModel::FollowActive() {
    const int wanted = document.GetState().selection.panel;
    if (wanted == activePanel) {
        return;
    }
    const int before = activePanel;
    activePanel = wanted;
    for (int panel : {before, wanted}) {
        if (panel >= 0 && panel < PanelCount()) {
            const QModelIndex caption = IndexOf(panel, -1, 0);
            emit dataChanged(caption, caption, {ActiveRole});
        }
    }
}
