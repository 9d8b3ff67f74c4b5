// The list's item model over the program document: after any sequence of edits, undos and
// redos it shows exactly the document's state, keeps Qt's model rules, and moves rows with the
// smallest signals, so an open field and the selection stay on their rows.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QUndoStack>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "core/TimerProgram.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/TimerListModel.h"

using namespace testing_support;

namespace {

// Timers 2 (3 rows), 5 (9 rows, two blocks) and 7 (1 row, over the device's interval limit).
TimerProgram Sample() {
    std::vector<Step> five;
    for (std::uint32_t i = 0; i < 9; ++i) {
        five.push_back({i % 2 == 0, 0, 0, i + 1, 0});
    }
    // Timer 2 ends in a row the device runs otherwise (a warning), timer 7 in one too long.
    return MakeProgram(
        {{2, {{true, 0, 0, 5, 0}, {false, 0, 1, 0, 0}, {true, 1, 0, 0, 30}, {false, 0, 0, 1, 75}}},
         {5, {five.begin(), five.begin() + 8}},
         {5, {five.begin() + 8, five.end()}},
         {7, {{true, 45, 0, 0, 0}}}});
}

// Every cell of the model against the document, and the device check's marks.
::testing::AssertionResult ShowsTheDocument(const TimerListModel& model,
                                            const ProgramDocument& document) {
    const EditorState& state = document.GetState();
    if (model.rowCount() != static_cast<int>(state.panels.size())) {
        return ::testing::AssertionFailure()
               << model.rowCount() << " timers shown, " << state.panels.size() << " held";
    }
    for (int panel = 0; panel < model.rowCount(); ++panel) {
        const PanelState& timer = state.panels[static_cast<std::size_t>(panel)];
        const QModelIndex caption = model.index(panel, 0);
        if (caption.data().toString() != QStringLiteral("Timer %1").arg(timer.timerNumber) ||
            caption.data(TimerListModel::ActiveRole).toBool() != (state.selection.panel == panel)) {
            return ::testing::AssertionFailure() << "caption " << panel;
        }
        if (model.rowCount(caption) != static_cast<int>(timer.rows.size())) {
            return ::testing::AssertionFailure() << "rows of timer " << panel;
        }
        for (int row = 0; row < model.rowCount(caption); ++row) {
            const RowState& value = timer.rows[static_cast<std::size_t>(row)];
            const QModelIndex label = model.index(row, kStateColumn, caption);
            const QModelIndex interval = model.index(row, kIntervalColumn, caption);
            const QModelIndex box = model.index(row, kBlockColumn, caption);
            QString mark;
            bool warning = false;
            for (const DeviceProblem& problem : document.GetProblems()) {
                if (MarksRow(problem) && problem.panel == panel && problem.row == row) {
                    mark = QString::fromStdString(problem.message);
                    warning = problem.IsWarning();
                }
            }
            if (label.data().toString() != (value.on ? "ON" : "OFF") ||
                interval.data().toString() != QString::fromStdString(RowText(value)) ||
                (box.data(Qt::CheckStateRole) == Qt::Checked) != value.blockStart ||
                interval.data(TimerListModel::ProblemRole).toString() != mark ||
                interval.data(TimerListModel::WarningRole).toBool() != warning) {
                return ::testing::AssertionFailure() << "timer " << panel << " row " << row;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class TimerListModelTest : public ::testing::Test {
protected:
    void SetUp() override { document.Open(QStringLiteral("sample.tvr"), Sample()); }

    ProgramDocument document;
    TimerListModel model{document};
    // Checks Qt's model rules at every signal; a breach ends the test binary.
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

}  // namespace

// Each undo and redo must also give back the exact state of its step: a step keeps only the
// panels it changed, with the startup flag and the selection on both sides.
TEST_F(TimerListModelTest, FollowsARandomRunOfEditsUndosAndRedos) {
    ASSERT_TRUE(ShowsTheDocument(model, document));
    std::mt19937 random(25);
    auto pick = [&](int count) {
        return count <= 0 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    QUndoStack& history = *document.GetHistory();
    // Each step's state before and after it; history.index() of them are done.
    std::vector<std::pair<EditorState, EditorState>> steps;
    auto isState = [&](const EditorState& expected) {
        const EditorState& now = document.GetState();
        return now.SameProgram(expected) && now.selection == expected.selection;
    };
    for (int step = 0; step < 600; ++step) {
        const EditorState& state = document.GetState();
        const EditorState before = state;
        const int panels = static_cast<int>(state.panels.size());
        const int panel = pick(panels);
        const int rows =
            panels == 0
                ? 0
                : static_cast<int>(state.panels[static_cast<std::size_t>(panel)].rows.size());
        const int row = pick(rows);
        const int kind = pick(17);
        const std::string text = std::to_string(pick(100)) + ":" + std::to_string(pick(60)) + ":0";
        const int done = history.index();
        ProgramDocument::Edit edit;
        switch (kind) {
            case 0:
                if (done > 0) {
                    history.undo();
                    ASSERT_TRUE(isState(steps[static_cast<std::size_t>(done - 1)].first))
                        << "undo at step " << step;
                }
                break;
            case 1:
                if (done < history.count()) {
                    history.redo();
                    ASSERT_TRUE(isState(steps[static_cast<std::size_t>(done)].second))
                        << "redo at step " << step;
                }
                break;
            case 2:
                edit = [&](EditorState& s) { return AppendRow(s, panel); };
                break;
            case 3:
                edit = [&](EditorState& s) { return InsertRowBelow(s, panel, row); };
                break;
            case 4:
                edit = [&](EditorState& s) { return DeleteRow(s, panel, row); };
                break;
            case 5:
                edit = [&](EditorState& s) { return DeleteRows(s, panel, 0, row); };
                break;
            case 6:
                edit = [&](EditorState& s) { return DeleteTimer(s, panel); };
                break;
            case 7:
                edit = [&](EditorState& s) {
                    return AddTimer(s, LowestFreeTimerNumber(s), Row(true, "00:00:01"));
                };
                break;
            case 8:
                edit = [&](EditorState& s) { return MoveTimer(s, panel, pick(2) * 2 - 1); };
                break;
            case 9:
                edit = [&](EditorState& s) { return MoveRow(s, panel, row, pick(2) * 2 - 1); };
                break;
            case 10:
                edit = [&](EditorState& s) { return SwitchRow(s, panel, row); };
                break;
            case 11:
                edit = [&](EditorState& s) { return SetRowText(s, panel, row, text); };
                break;
            case 12:
                edit = [&](EditorState& s) { return SetBlockStart(s, panel, row, pick(2) == 0); };
                break;
            case 13:
                edit = [&](EditorState& s) { return DuplicateTimer(s, panel); };
                break;
            case 14:
                edit = [&](EditorState& s) { return RenumberTimer(s, panel, pick(32)); };
                break;
            case 15:
                edit = [](EditorState& s) {
                    s.startup = !s.startup;
                    return EditRefusal::None;
                };
                break;
            default:
                if (pick(20) == 0) {
                    document.Open(QStringLiteral("sample.tvr"), Sample());
                    steps.clear();
                } else {
                    document.SetSelection({panel, pick(rows + 1) - 1});
                }
                break;
        }
        if (edit) {
            document.Apply("step", edit);
            if (history.index() != done) {
                steps.resize(static_cast<std::size_t>(done));
                steps.emplace_back(before, document.GetState());
            } else {
                ASSERT_TRUE(document.GetState().SameProgram(before)) << "step " << step;
            }
        }
        ASSERT_EQ(history.count(), static_cast<int>(steps.size())) << "step " << step;
        ASSERT_TRUE(ShowsTheDocument(model, document))
            << "after step " << step << ", kind " << kind;
    }
}

TEST_F(TimerListModelTest, AChangeSignalsOnlyWhatItChangedAndRowsKeepTheirIndexes) {
    document.SetSelection({1, 3});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    // A field open on timer 5's seventh row, and the selection on its eighth.
    const QPersistentModelIndex field = model.IndexOf(1, 6);
    const QPersistentModelIndex last = model.IndexOf(1, 8);

    ASSERT_EQ(EditRefusal::None,
              document.Apply("text", [](EditorState& s) { return SetRowText(s, 1, 3, "1:0:0"); }));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model.IndexOf(1, 3, kStateColumn));
    EXPECT_EQ(changed[0][1].value<QModelIndex>(), model.IndexOf(1, 3, kBlockColumn));

    // Deleting a row above removes that row, not the timer's last: the others move up by one.
    ASSERT_EQ(EditRefusal::None,
              document.Apply("delete", [](EditorState& s) { return DeleteRow(s, 1, 2); }));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(field.row(), 5);
    EXPECT_EQ(last.row(), 7);
    document.GetHistory()->undo();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 2);
    EXPECT_EQ(field.row(), 6);
    EXPECT_EQ(field.data().toString(), "00:00:07");

    // Moving a timer touches the two places; opening a file starts afresh.
    ASSERT_EQ(EditRefusal::None,
              document.Apply("move", [](EditorState& s) { return MoveTimer(s, 0, 1); }));
    EXPECT_EQ(reset.count(), 0);
    document.Open(QStringLiteral("again.tvr"), Sample());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_TRUE(ShowsTheDocument(model, document));
}

TEST_F(TimerListModelTest, AScreenReaderHearsEachCellWithItsValueAndTheCaptionByItsTimer) {
    EXPECT_EQ(model.IndexOf(0, -1, 0).data(Qt::AccessibleTextRole).toString(), "Timer 2");
    for (int column : {kStateColumn, kIntervalColumn, kBlockColumn}) {
        EXPECT_EQ(model.IndexOf(0, 0, column).data(Qt::AccessibleTextRole).toString(),
                  "Timer 2, interval 1, ON, 00:00:05, starts a block");
    }
    EXPECT_EQ(model.IndexOf(0, 1).data(Qt::AccessibleTextRole).toString(),
              "Timer 2, interval 2, OFF, 00:01:00");
    // The reason of a mark is the cell's description and its tooltip.
    const QModelIndex over = model.IndexOf(2, 0);
    EXPECT_FALSE(over.data(Qt::AccessibleDescriptionRole).toString().isEmpty());
    EXPECT_EQ(over.data(Qt::ToolTipRole), over.data(TimerListModel::ProblemRole));
}
