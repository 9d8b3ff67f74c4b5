#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <vector>

#include "core/EditorState.h"
#include "gui/editor/TimerListLayout.h"

class ProgramDocument;

// The interval as the list shows it. The one place the list reads a row's value, so a change
// of how the core holds a row is adapted here alone.
QString RowDisplayText(const RowState& row);
// "ON" or "OFF", as the list shows them.
QString OnOffText(bool on);

// The program document as Qt's item model: the timers as top-level rows (their caption), each
// timer's intervals as its children, in three columns (ON/OFF, interval, block start). It keeps
// a copy of what it last showed and follows the document's stateChanged with the smallest
// dataChanged, rowsInserted and rowsRemoved that turn one into the other; a new program is a
// reset. Read-only: the user's changes go to the document as commands, and come back here.
class TimerListModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role {
        // The device check's finding on the interval; empty for none.
        ProblemRole = Qt::UserRole + 1,
        // The finding is a warning: the device takes the interval, but not as shown.
        WarningRole,
        OnRole,
        BlockStartRole,
        // On a caption: its timer is the selected one.
        ActiveRole,
    };

    explicit TimerListModel(ProgramDocument& document, QObject* parent = nullptr);

    ProgramDocument& Document() const { return document; }
    // Index helpers: a caption is (panel, -1).
    QModelIndex IndexOf(int panel, int row, int column = kIntervalColumn) const;
    static int PanelOf(const QModelIndex& index);
    static int RowOf(const QModelIndex& index);
    // The cell's name for a screen reader: it stands in for the shown text, so it carries it.
    QString AccessibleName(int panel, int row) const;
    // What the model shows: the document's state after the last change it followed.
    int PanelCount() const { return static_cast<int>(shown.size()); }
    int RowCount(int panel) const;
    // True while the model is turning what it shows into the document's new state: the
    // selection model's changes meanwhile are the model's, not a user's.
    bool IsFollowing() const { return following; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The model has followed change; a view's selection follows now.
    void followed(const EditorChange& change);

private:
    void Follow(const EditorChange& change);
    void FollowState(const EditorChange& change);
    // Turns the shown rows of panel into wanted with the fewest row signals.
    void FollowPanel(int panel, const PanelState& wanted);
    void FollowMarks();
    void FollowActive();
    void RowsChanged(int panel, int first, int last);

    ProgramDocument& document;
    std::vector<PanelState> shown;
    // Per panel and row, the device check's finding; empty for none.
    struct RowMark {
        QString text;
        bool warning = false;
        bool operator==(const RowMark&) const = default;
    };
    std::vector<std::vector<RowMark>> marks;
    int activePanel = -1;
    bool following = false;
};
