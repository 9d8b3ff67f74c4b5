// The timer list on the real widgets: layout and the scroll bar, scrolling by bar and wheel,
// selection, showing the program document's state, and the user's actions it reports.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <ostream>
#include <string>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/EditorState.h"
#include "gui/common/SystemColors.h"
#include "gui/editor/ColorCheckBox.h"
#include "gui/editor/ColorStatic.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListCtrl.h"
#include "gui/editor/TimerPanel.h"

void PrintTo(const PanelState& panel, std::ostream* os) {
    *os << "Timer " << panel.timerNumber << " {";
    for (const RowState& row : panel.rows) {
        *os << (row.on ? " ON " : " OFF ") << RowText(row) << (row.blockStart ? " (block)" : "");
    }
    *os << " }";
}

namespace {

// What the list shows, read back from its widgets.
std::vector<PanelState> Shown(const TimerListCtrl& list) {
    std::vector<PanelState> panels;
    for (int index = 0; index < list.GetPanelCount(); ++index) {
        const TimerPanel* panel = list.GetPanel(index);
        PanelState& shown = panels.emplace_back();
        shown.timerNumber = panel->GetTimerNumber();
        for (int row = 0; row < panel->GetRowCount(); ++row) {
            shown.rows.push_back(Row(panel->IsRowOn(row), panel->GetRowText(row).toStdString(),
                                     panel->IsBlockStart(row)));
        }
    }
    return panels;
}

EditorSelection ShownSelection(const TimerListCtrl& list) {
    EditorSelection selection;
    list.GetSelection(selection.panel, selection.row);
    selection.anchor = list.GetSelectionAnchor();
    return selection;
}

// Timers 1, 2, ... with these many intervals each: row r is ON for even r and lasts r seconds.
EditorState StateWithRows(std::initializer_list<int> rowCounts) {
    EditorState state;
    for (int rows : rowCounts) {
        PanelState& panel = state.panels.emplace_back();
        panel.timerNumber = static_cast<int>(state.panels.size());
        for (int row = 0; row < rows; ++row) {
            panel.rows.push_back(Row(row % 2 == 0, "00:00:0" + std::to_string(row), row == 0));
        }
    }
    return state;
}

}  // namespace

// A list as the main window makes it, in a plain window standing in for the main window.
class TimerListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { list = new TimerListCtrl(QRect(11, 50, 236, 230), &window); }

    // Panels of these sizes, laid out and shown in an active window.
    void Show(std::initializer_list<int> rowCounts) { ShowWhole(StateWithRows(rowCounts)); }
    int PanelY(int index) const { return list->GetPanel(index)->geometry().y(); }
    // Sends a wheel event to a widget inside the list, as the platform would.
    void Wheel(QWidget* target, int delta) {
        const QPointF at = target->rect().center();
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        // Delivered as QTest delivers input: spontaneous, so unhandled it goes to the parents.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }

    // Shows the state whole in an active window.
    void ShowWhole(const EditorState& state) {
        list->ShowState(state);
        ASSERT_TRUE(ShowActive(window));
    }

    ScriptedPrompter prompter;
    HostWindow window;
    TimerListCtrl* list = nullptr;
};

TEST_F(TimerListCtrlTest, LaysOutFullWidthUntilThePanelsOutgrowTheList) {
    Show({4, 5});
    // The inside of the one-pixel border is 234 wide.
    EXPECT_EQ(list->GetPanel(0)->geometry(), QRect(0, 0, 234, 100));
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 100, 234, 120));
    EXPECT_FALSE(list->IsScrollBarShown());

    list->AddRow(1, true, 0, 0, 9, 0, false);
    list->LayoutPanels();
    list->UpdateScrollInfo();
    EXPECT_EQ(list->GetPanel(0)->GetWidth(), 216);
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 100, 216, 140));
    EXPECT_TRUE(list->IsScrollBarShown());
    // The page is the inside of the border, 228: at the limit the last row shows whole.
    EXPECT_EQ(list->GetScrollBar()->maximum(), 13);
    EXPECT_EQ(list->GetClient()->width(), 216) << "the panels fit beside the bar";

    EXPECT_TRUE(list->DeleteRow(1, 0));
    EXPECT_EQ(list->GetPanel(1)->GetWidth(), 234) << "back to full width";
    // A panel above the last grows: the last one's bottom is out of date until it is moved.
    list->AddRow(0, true, 0, 0, 9, 0, false);
    list->LayoutPanels();
    list->UpdateScrollInfo();
    EXPECT_TRUE(list->IsScrollBarShown());
    EXPECT_EQ(list->GetPanel(1)->GetWidth(), 216);
}

// One list through random programs in turn: panels and rows come and go as each needs.
TEST_F(TimerListCtrlTest, ShowsEveryTimerRowAndBoxOfTheStateAndFollowsAnotherWhole) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        EditorState next = StateFromProgram(testing_support::RandomProgram(seed));
        if (!next.panels.empty()) {
            next.selection = {static_cast<int>(next.panels.size()) - 1,
                              next.panels.back().rows.empty() ? -1 : 0};
        }
        list->ShowState(next);
        EXPECT_EQ(Shown(*list), next.panels) << "seed " << seed;
        EXPECT_EQ(ShownSelection(*list), next.selection) << "seed " << seed;
    }
}

TEST_F(TimerListCtrlTest, ShowingAChangeReplacesOnlyThePanelsInItsRangeQuietlyAndKeepsTheScroll) {
    EditorState state = StateWithRows({3, 4, 2, 3, 4});
    ShowWhole(state);
    list->OnVScroll(ScrollCode::ThumbTrack, 20);
    ASSERT_EQ(list->GetScrollPosition(), 20);
    QSignalSpy selection(list, &TimerListCtrl::selectionChanged);
    QSignalSpy switched(list, &TimerListCtrl::rowSwitched);
    QSignalSpy committed(list, &TimerListCtrl::rowTextCommitted);
    QSignalSpy boxes(list, &TimerListCtrl::blockStartClicked);
    QSignalSpy captions(list, &TimerListCtrl::captionDoubleClicked);

    struct Step {
        const char* name;
        std::function<EditRefusal(EditorState&)> edit;
    };
    const std::vector<Step> steps = {
        {"a row inserted", [](EditorState& s) { return InsertRowBelow(s, 3, 0); }},
        {"a timer inserted", [](EditorState& s) { return DuplicateTimer(s, 0); }},
        {"a timer deleted", [](EditorState& s) { return DeleteTimer(s, 2); }},
        {"the selection alone",
         [](EditorState& s) {
             s.selection = {0, 1};
             return EditRefusal::None;
         }},
    };
    for (const Step& step : steps) {
        EditorState after = state;
        ASSERT_EQ(step.edit(after), EditRefusal::None) << step.name;
        const EditorChange change = CompareStates(state, after);
        std::vector<TimerPanel*> panelsBefore;
        std::vector<IntervalEdit*> editsBefore;
        for (int i = 0; i < list->GetPanelCount(); ++i) {
            panelsBefore.push_back(list->GetPanel(i));
            editsBefore.push_back(list->GetPanel(i)->GetEdit(0));
        }

        list->ShowState(after, change);
        EXPECT_EQ(Shown(*list), after.panels) << step.name;
        EXPECT_EQ(ShownSelection(*list), after.selection) << step.name;
        // Outside the range every panel, and the edit of its first row, is the one that was there.
        for (int i = 0; i < list->GetPanelCount(); ++i) {
            if (i >= change.first && i < change.first + change.added) {
                continue;
            }
            const auto old =
                static_cast<std::size_t>(i < change.first ? i : i - change.added + change.removed);
            EXPECT_EQ(list->GetPanel(i), panelsBefore[old]) << step.name << ", panel " << i;
            EXPECT_EQ(list->GetPanel(i)->GetEdit(0), editsBefore[old])
                << step.name << ", panel " << i;
        }
        // Stacked anew wherever a panel grew or shrank, the scroll place kept.
        std::vector<int> rowCounts;
        for (const PanelState& panel : after.panels) {
            rowCounts.push_back(static_cast<int>(panel.rows.size()));
        }
        const std::vector<int> tops = LayoutTops(rowCounts, kMinRowHeight);
        for (int i = 0; i < list->GetPanelCount(); ++i) {
            EXPECT_EQ(PanelY(i), tops[static_cast<std::size_t>(i)] - 20)
                << step.name << ", panel " << i;
        }
        EXPECT_EQ(list->GetScrollLimit(), ScrollLimit(tops.back(), 228)) << step.name;
        EXPECT_EQ(list->GetScrollPosition(), 20) << step.name;
        state = after;
    }
    EXPECT_EQ(
        selection.count() + switched.count() + committed.count() + boxes.count() + captions.count(),
        0)
        << "the document's own changes are not reported back";
}

TEST_F(TimerListCtrlTest, ClicksAndShiftSelectRowsOfOneTimerShowThemAndReportTheRange) {
    EditorState state = StateWithRows({4, 2});
    ShowWhole(state);
    QSignalSpy selection(list, &TimerListCtrl::selectionChanged);
    auto last = [&] { return selection.isEmpty() ? QList<QVariant>{} : selection.last(); };
    TimerPanel* first = list->GetPanel(0);
    auto highlighted = [&](int row) {
        return first->GetLabel(row)->GetBackgroundColor() == GetSysColor(SysColor::ActiveCaption);
    };
    Click(list->GetPanel(1)->GetLabel(1));
    EXPECT_EQ(last(), (QList<QVariant>{1, 1, -1})) << "another timer's row";
    Click(list->GetPanel(1)->GetCaption());
    EXPECT_EQ(last(), (QList<QVariant>{1, -1, -1})) << "a caption";

    Click(first->GetLabel(1));
    QTest::keyClick(first->GetLabel(1), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(first->GetLabel(2), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(last(), (QList<QVariant>{0, 3, 1})) << "Shift+Down twice from row 1";
    EXPECT_EQ(QApplication::focusWidget(), first->GetLabel(3));
    EXPECT_TRUE(highlighted(1) && highlighted(2) && highlighted(3));
    EXPECT_FALSE(highlighted(0));
    QTest::keyClick(first->GetLabel(3), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(last(), (QList<QVariant>{0, 3, 1})) << "past the last row the range stays";
    QTest::keyClick(first->GetLabel(3), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(last(), (QList<QVariant>{0, 2, 1})) << "Shift+Up shrinks it";
    EXPECT_FALSE(highlighted(3));

    QTest::mouseClick(first->GetLabel(0), Qt::LeftButton, Qt::ShiftModifier,
                      first->GetLabel(0)->rect().center());
    EXPECT_EQ(last(), (QList<QVariant>{0, 0, 1})) << "Shift+click keeps the anchor";
    Click(first->GetLabel(2));
    EXPECT_EQ(last(), (QList<QVariant>{0, 2, -1})) << "a plain click selects one row";
    EXPECT_FALSE(highlighted(0) || highlighted(1));

    // The document's range, shown, is not the user's.
    selection.clear();
    EditorState ranged = state;
    ranged.selection = {0, 3, 1};
    list->ShowState(ranged, CompareStates(state, ranged));
    EXPECT_EQ(ShownSelection(*list), ranged.selection);
    EXPECT_TRUE(highlighted(1) && highlighted(2) && highlighted(3));
    EXPECT_EQ(selection.count(), 0);
}

TEST_F(TimerListCtrlTest, TheUsersActionsArriveWithThePanelsIndexAtThatMoment) {
    EditorState state = StateWithRows({2, 3});
    ShowWhole(state);
    // A timer shown above moves the second panel down one place.
    TimerPanel* moved = list->GetPanel(1);
    EditorState after = state;
    ASSERT_EQ(DuplicateTimer(after, 0), EditRefusal::None);
    list->ShowState(after, CompareStates(state, after));
    ASSERT_EQ(list->GetPanel(2), moved);

    QSignalSpy switched(list, &TimerListCtrl::rowSwitched);
    QSignalSpy committed(list, &TimerListCtrl::rowTextCommitted);
    QSignalSpy boxes(list, &TimerListCtrl::blockStartClicked);
    QSignalSpy captions(list, &TimerListCtrl::captionDoubleClicked);
    Click(moved->GetLabel(1));
    Click(moved->GetLabel(1));
    Click(moved->GetCheckBox(2));
    IntervalEdit* edit = moved->GetEdit(0);
    Click(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("1:2:3"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::mouseDClick(moved->GetCaption(), Qt::LeftButton, Qt::NoModifier,
                       moved->GetCaption()->rect().center());

    EXPECT_EQ(switched, (QList<QList<QVariant>>{{2, 1}}));
    EXPECT_EQ(boxes, (QList<QList<QVariant>>{{2, 2}}));
    EXPECT_EQ(committed, (QList<QList<QVariant>>{{2, 0, QStringLiteral("01:02:03")}}));
    EXPECT_EQ(captions, (QList<QList<QVariant>>{{2}}));
}

TEST_F(TimerListCtrlTest, UpAndDownMoveToTheSameControlInTheNextRowAcrossPanelsAndScroll) {
    Show({2, 0, 6, 5});
    QSignalSpy switched(list, &TimerListCtrl::rowSwitched);
    QSignalSpy committed(list, &TimerListCtrl::rowTextCommitted);
    QSignalSpy boxes(list, &TimerListCtrl::blockStartClicked);
    // The edit: Down to row 1, then past the empty panel into the next.
    Click(list->GetPanel(0)->GetEdit(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(0)->GetEdit(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(2)->GetEdit(0));
    int index = -1, row = -1;
    EXPECT_EQ(list->GetSelection(index, row), 2);
    EXPECT_EQ(row, 0) << "selected as a click would";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(0)->GetEdit(1));
    EXPECT_EQ(list->GetSelection(index, row), 0);
    EXPECT_EQ(row, 1);

    // Labels go to labels, switching nothing, to the last row; each one comes into view.
    list->GetPanel(0)->GetLabel(1)->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 12; ++i) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused, Qt::Key_Down);
        const QRect area(QApplication::focusWidget()->mapTo(list->GetClient(), QPoint(0, 0)),
                         QApplication::focusWidget()->size());
        EXPECT_TRUE(list->GetClient()->rect().contains(area)) << "step " << i;
    }
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(3)->GetLabel(4)) << "stays at the end";
    EXPECT_EQ(list->GetSelection(index, row), 3);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(list->GetScrollPosition(),
              list->GetPanel(3)->GetBottom() - list->GetClient()->height());

    // Boxes to boxes, captions to captions; a modifier leaves the keys to the window.
    list->GetPanel(2)->GetCheckBox(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(0)->GetCheckBox(1));
    list->GetPanel(0)->GetEdit(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(0)->GetEdit(0));
    list->GetPanel(0)->GetCaption()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(1)->GetCaption());
    EXPECT_EQ(list->GetSelection(index, row), 1);
    EXPECT_EQ(row, -1) << "a whole timer, as a caption click selects it";
    EXPECT_EQ(switched.count() + committed.count() + boxes.count(), 0) << "moving asks nothing";
}

TEST_F(TimerListCtrlTest, TabRunsThroughThePanelsControlsInDisplayOrder) {
    Show({1, 1});
    // A panel put between the others, and a row added to the first, are made last.
    const int inserted = list->InsertPanel(1, 9);
    list->AddRow(inserted, true, 0, 0, 1, 0, false);
    list->AddRow(0, true, 0, 0, 2, 0, false);
    list->LayoutPanels();
    list->UpdateScrollInfo();
    std::vector<QWidget*> expected;
    for (int i = 0; i < list->GetPanelCount(); ++i) {
        TimerPanel* panel = list->GetPanel(i);
        expected.push_back(panel->GetCaption());
        for (int r = 0; r < panel->GetRowCount(); ++r) {
            for (RowPart part : {RowPart::Label, RowPart::Edit, RowPart::CheckBox}) {
                expected.push_back(panel->GetPart(part, r));
            }
        }
    }
    expected.front()->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{QApplication::focusWidget()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), expected[expected.size() - 2]);
}

TEST_F(TimerListCtrlTest, ABiggerFontMakesTallerRowsTheLayoutAndScrollingFollow) {
    Show({2, 3, 4});
    EXPECT_EQ(list->GetRowHeight(), kMinRowHeight) << "the default font keeps 20-pixel rows";
    QFont big = list->font();
    big.setPointSize(14);
    list->setFont(big);
    const int height = list->GetRowHeight();
    ASSERT_GT(height, kMinRowHeight);
    const std::vector<int> tops = LayoutTops({2, 3, 4}, height);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list->GetPanel(i)->GetRowHeight(), height);
        EXPECT_EQ(PanelY(i), tops[static_cast<std::size_t>(i)]) << "panel " << i;
    }
    EXPECT_EQ(list->GetScrollLimit(), ScrollLimit(tops.back(), 228));
    EXPECT_TRUE(list->IsScrollBarShown());

    list->EnsureVisible(2, 3);
    EXPECT_EQ(list->GetScrollPosition(), tops.back() - list->GetClient()->height())
        << "the whole taller row shows";
    list->EnsureVisible(0, -1);
    Wheel(list->GetPanel(0)->GetEdit(0), -120);
    EXPECT_EQ(list->GetScrollPosition(), ScrollStepsFor(height).wheel);
}
