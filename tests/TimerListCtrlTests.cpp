// The timer list on the real widgets: panel ids, layout and the scroll bar, scrolling by bar and
// wheel, selection, and converting to and from a TimerProgram.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "gui/editor/ColorCheckBox.h"
#include "gui/editor/ColorStatic.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListCtrl.h"
#include "gui/editor/TimerPanel.h"

using testing_support::BlockData;
using testing_support::Describe;
using testing_support::MakeProgram;

// A list as the main window makes it, in a recorder standing in for the main window.
class TimerListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { list = new TimerListCtrl(QRect(11, 50, 236, 230), &window); }

    void AddPanelWithRows(int timer, int rows) {
        const int index = list->AddPanel(timer);
        for (int row = 0; row < rows; ++row) {
            list->AddRow(index, row % 2 == 0, 0, 0, static_cast<std::uint32_t>(row), 0, false);
        }
    }
    // Panels of these sizes, laid out and shown in an active window.
    void Show(std::initializer_list<int> rowCounts) {
        int timer = 0;
        for (int rows : rowCounts) {
            AddPanelWithRows(++timer, rows);
        }
        list->LayoutPanels();
        list->UpdateScrollInfo();
        ASSERT_TRUE(ShowActive(window));
    }
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

    ScriptedPrompter prompter;
    EventRecorder window;
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

TEST_F(TimerListCtrlTest, TheBarScrollsByTheListsStepsAndClamps) {
    Show({4, 6});
    ASSERT_EQ(list->GetScrollLimit(), 13);
    QScrollBar* bar = list->GetScrollBar();
    using S = QAbstractSlider;
    // Line 5, page 40, clamped to 0..13; the thumb is followed; other actions do nothing.
    for (auto [action, position] :
         std::vector<std::pair<S::SliderAction, int>>{{S::SliderSingleStepAdd, 5},
                                                      {S::SliderMove, 8},
                                                      {S::SliderSingleStepAdd, 13},
                                                      {S::SliderPageStepSub, 0},
                                                      {S::SliderSingleStepSub, 0},
                                                      {S::SliderPageStepAdd, 13},
                                                      {S::SliderToMinimum, 13}}) {
        if (action == S::SliderMove) {
            bar->setSliderPosition(position);  // dragging the thumb
        } else {
            bar->triggerAction(action);
        }
        EXPECT_EQ(list->GetScrollPosition(), position) << "action " << action;
        EXPECT_EQ(bar->value(), position) << "action " << action;
        EXPECT_EQ(PanelY(1), 100 - position) << "action " << action;
    }
}

TEST_F(TimerListCtrlTest, ChangesKeepTheScrollPlaceUnlessItIsPastTheEnd) {
    Show({4, 6, 3, 3});
    list->GetScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(PanelY(0), -40) << "a whole page when the limit allows it";
    EXPECT_TRUE(list->DeletePanel(3));
    EXPECT_EQ(list->GetScrollPosition(), 40);
    EXPECT_EQ(PanelY(1), 60);
    list->AddRow(0, true, 0, 0, 1, 0, false);
    list->LayoutPanels();
    list->UpdateScrollInfo();
    EXPECT_EQ(PanelY(1), 80) << "laid out below the grown panel, still scrolled";
    // 340 high, so the limit is 113; fewer panels leave less to scroll.
    EXPECT_TRUE(list->DeletePanel(2));
    EXPECT_EQ(list->GetScrollBar()->value(), 33);
    EXPECT_EQ(PanelY(0), -33);
    EXPECT_EQ(PanelY(1), 87);
}

TEST_F(TimerListCtrlTest, ShowingARowScrollsAsLittleAsNeededAndFocusBringsRowsIntoView) {
    // Pure arithmetic first: a view of 100 at 50 shows 50..150.
    EXPECT_EQ(ScrollToShow(50, 500, 100, 60, 80), 50) << "already shown";
    EXPECT_EQ(ScrollToShow(50, 500, 100, 140, 160), 60) << "bottom edge brought up";
    EXPECT_EQ(ScrollToShow(50, 500, 100, 20, 40), 20) << "top edge brought down";
    EXPECT_EQ(ScrollToShow(50, 500, 100, 200, 400), 200) << "too tall: its top";
    EXPECT_EQ(ScrollToShow(50, 30, 100, 200, 220), 30) << "never past the limit";

    Show({4, 6, 3, 3});
    list->EnsureVisible(3, 2);
    EXPECT_EQ(list->GetScrollPosition(), 400 - 228) << "the row's bottom at the view's";
    list->EnsureVisible(0, -1);
    EXPECT_EQ(list->GetScrollPosition(), 0);

    // Tab into a row below the view scrolls it into sight.
    IntervalEdit* edit = list->GetPanel(2)->GetEdit(2);
    edit->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
    const QRect area(edit->mapTo(list->GetClient(), QPoint(0, 0)), edit->size());
    EXPECT_TRUE(list->GetClient()->rect().contains(area)) << area.y();
    EXPECT_GT(list->GetScrollPosition(), 0);
}

TEST_F(TimerListCtrlTest, SelectAndClicksLeaveOnePanelActive) {
    Show({3, 3});
    int index = 5, row = 5;
    EXPECT_TRUE(list->Select(1, 2));
    EXPECT_EQ(list->GetSelection(index, row), 1);
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(list->Select(0, 99));
    EXPECT_EQ(list->GetSelection(index, row), 0) << "the panel is active all the same";
    EXPECT_EQ(row, -1);
    EXPECT_FALSE(list->Select(2, 0));
    EXPECT_EQ(list->GetActivePanel(), 0) << "an index out of range changes nothing";
    EXPECT_TRUE(list->Select(-1, 5));
    EXPECT_EQ(list->GetSelection(index, row), -1);

    list->Select(0, 1);
    Click(list->GetPanel(1)->GetCaption());
    EXPECT_EQ(list->GetSelection(index, row), 1) << "and no other";
    EXPECT_EQ(list->GetPanel(0)->GetSelectedRow(), -1);
    EXPECT_TRUE(window.received.empty()) << "the list keeps the activation to itself";
}

TEST_F(TimerListCtrlTest, LoadsOnePanelPerRunOfBlocksAndBuildsThemBack) {
    const std::vector<BlockData> blocks = {
        {2, {{true, 0, 0, 1, 0}, {false, 0, 0, 2, 0}, {true, 0, 0, 3, 5}}},
        {2, {{false, 1, 2, 3, 0}, {true, 4294967295u, 99, 99, 0}}},  // read back whole
        {5, {{true, 0, 10, 0, 0}}},
    };
    TimerProgram program = MakeProgram(blocks), built;
    list->LoadProgram(program);
    ASSERT_EQ(list->GetPanelCount(), 2);
    EXPECT_EQ(list->GetPanel(1)->GetCaption()->text(), QStringLiteral("Timer 5"));
    int index = -1, row = 0;
    EXPECT_EQ(list->GetSelection(index, row), 0);
    list->BuildProgram(built);
    EXPECT_EQ(Describe(built), blocks);

    // Random programs too, less blocks without intervals, which have no rows to show.
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        std::vector<BlockData> expected = Describe(testing_support::RandomProgram(seed));
        std::erase_if(expected, [](const BlockData& block) { return block.steps.empty(); });
        TimerProgram random = MakeProgram(expected), rebuilt;
        list->RemoveAllPanels();
        list->LoadProgram(random);
        list->BuildProgram(rebuilt);
        EXPECT_EQ(Describe(rebuilt), expected) << "seed " << seed;
    }
}

TEST_F(TimerListCtrlTest, NamesTheFirstRowThatDoesNotReadAsAnInterval) {
    AddPanelWithRows(1, 3);
    AddPanelWithRows(2, 4);
    int index = 9, row = 9;
    EXPECT_FALSE(list->FindUnreadableRow(index, row));
    list->GetPanel(1)->GetEdit(3)->setText(QStringLiteral("12:30"));
    list->GetPanel(1)->GetEdit(2)->setText(QStringLiteral("5"));
    EXPECT_TRUE(list->FindUnreadableRow(index, row));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(row, 2);
}

namespace {

// Every accessible object under face, depth first.
void CollectAccessible(QAccessibleInterface* face, std::vector<QAccessibleInterface*>& out) {
    if (face == nullptr || !face->isValid()) {
        return;
    }
    out.push_back(face);
    for (int i = 0; i < face->childCount(); ++i) {
        CollectAccessible(face->child(i), out);
    }
}

}  // namespace

TEST_F(TimerListCtrlTest, UpAndDownMoveToTheSameControlInTheNextRowAcrossPanelsAndScroll) {
    Show({2, 0, 6, 5});
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
    EXPECT_EQ(list->GetPanel(3)->GetLabel(4)->text(), QStringLiteral("ON")) << "not switched";
    EXPECT_EQ(list->GetScrollPosition(),
              list->GetPanel(3)->GetBottom() - list->GetClient()->height());

    // Boxes to boxes, captions to captions; a modifier leaves the keys to the window.
    list->GetPanel(2)->GetCheckBox(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(0)->GetCheckBox(1));
    EXPECT_FALSE(list->GetPanel(0)->GetCheckBox(1)->isChecked()) << "not clicked";
    list->GetPanel(0)->GetEdit(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(0)->GetEdit(0));
    list->GetPanel(0)->GetCaption()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), list->GetPanel(1)->GetCaption());
    EXPECT_EQ(list->GetSelection(index, row), 1);
    EXPECT_EQ(row, -1) << "a whole timer, as a caption click selects it";
    EXPECT_EQ(window.Count(WMU_PROGRAM_MODIFIED), 0) << "moving changes nothing";
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
