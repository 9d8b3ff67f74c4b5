// The timer list: the edges of its scroll and layout arithmetic, then the real widget: panels
// and ids, layout and the scroll bar, scrolling by bar and wheel, selection, notifications, and
// converting to and from a TimerProgram.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "ColorStatic.h"
#include "EditorTestSupport.h"
#include "IntervalEdit.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "TimerListCtrl.h"
#include "TimerPanel.h"
#include "TimerProgram.h"

using testing_support::BlockData;
using testing_support::Describe;
using testing_support::MakeProgram;
using testing_support::Step;

// What the widgets below cannot reach: a last bottom of exactly the list's height, a thumb past
// the limit, a page step short of the limit, nothing to scroll.
TEST(ListScrollMathTest, EdgesTheWidgetsCannotReach) {
    EXPECT_EQ(ScrollLimit(229, 230), 0);
    EXPECT_EQ(ScrollLimit(230, 230), 1);
    EXPECT_EQ(LayoutWidth(236, 230, 229), 236);
    EXPECT_EQ(LayoutWidth(236, 230, 230), 216) << "at exactly the height the bar shows";
    EXPECT_EQ(ComputeScroll(ScrollCode::ThumbTrack, 0, 11, 50).position, 11);
    EXPECT_EQ(ComputeScroll(ScrollCode::ThumbTrack, 10, 11, 2).NetShift(), 8);
    EXPECT_EQ(ComputeScroll(ScrollCode::PageDown, 0, 100, 0).position, 40);
    EXPECT_EQ(ComputeScroll(ScrollCode::LineDown, 0, 0, 0).NetShift(), 0);
    EXPECT_EQ(ComputeWheel(0, 5, 11).position, 5);
}

// A list as the main window makes it, in a recorder standing in for the main window.
class TimerListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        list = new TimerListCtrl(QRect(11, 50, 236, 230), &window);
        window.resize(260, 300);
    }

    int AddPanelWithRows(int timer, int rows) {
        const int index = list->AddPanel(timer);
        for (int row = 0; row < rows; ++row) {
            list->AddRow(index, row % 2 == 0, 0, 0, static_cast<std::uint32_t>(row), 0, false);
        }
        return index;
    }
    void Layout() {
        list->LayoutPanels();
        list->UpdateScrollInfo();
    }
    // Two panels of 4 and 6 rows, last bottom 240: the bar shows and the limit is 11.
    void MakeScrollable() {
        AddPanelWithRows(1, 4);
        AddPanelWithRows(2, 6);
        Layout();
        ASSERT_EQ(list->GetScrollLimit(), 11);
        ASSERT_TRUE(ShowActive(window));
    }
    int PanelY(int index) const { return list->GetPanel(index)->geometry().y(); }
    int PanelId(int index) const {
        return list->GetPanel(index)->property(ControlIds::kProperty).toInt();
    }
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

TEST_F(TimerListCtrlTest, IsBorderedAndHandsOutPanelIdsFrom2000NeverReusedUpTo31Panels) {
    EXPECT_EQ(list->geometry(), QRect(11, 50, 236, 230));
    EXPECT_EQ(list->frameWidth(), 1);
    EXPECT_EQ(list->GetClient()->geometry(), QRect(1, 1, 234, 228));
    EXPECT_FALSE(list->IsScrollBarShown());

    EXPECT_EQ(list->AddPanel(3), 0);
    EXPECT_EQ(PanelId(0), 2000);
    EXPECT_TRUE(list->DeletePanel(0));
    EXPECT_EQ(list->AddPanel(3), 0);
    EXPECT_EQ(PanelId(0), 2001);
    list->RemoveAllPanels();
    EXPECT_EQ(list->AddPanel(3), 0);
    EXPECT_EQ(PanelId(0), 2002);

    for (int i = 1; i < 31; ++i) {
        ASSERT_EQ(list->AddPanel(i), i);
    }
    EXPECT_EQ(list->AddPanel(31), -1);
    EXPECT_EQ(list->GetPanelCount(), 31);
    EXPECT_EQ(list->AddRow(-1, true, 0, 0, 1, 0, false), -1) << "a refused panel passed on";
}

TEST_F(TimerListCtrlTest, IndicesOutsideThePanelsAreRefusedWithoutChange) {
    AddPanelWithRows(4, 2);
    EXPECT_EQ(list->AddRow(1, true, 0, 0, 1, 0, false), -1);
    EXPECT_EQ(list->GetRowCount(-1), -1);
    EXPECT_EQ(list->GetTimerNumber(1), -1);
    EXPECT_FALSE(list->IsBlockStart(0, 2));
    EXPECT_FALSE(list->DeletePanel(1));
    EXPECT_FALSE(list->DeleteRow(-1, 0));
    EXPECT_FALSE(list->DeleteRow(0, 2));
    EXPECT_EQ(list->GetRowCount(0), 2);
}

TEST_F(TimerListCtrlTest, LaysOutFullWidthUntilThePanelsOutgrowTheList) {
    AddPanelWithRows(1, 4);
    AddPanelWithRows(2, 5);
    Layout();
    EXPECT_EQ(list->GetPanel(0)->geometry(), QRect(0, 0, 236, 100));
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 100, 236, 120));
    EXPECT_FALSE(list->IsScrollBarShown());

    list->AddRow(1, true, 0, 0, 9, 0, false);
    Layout();
    EXPECT_EQ(list->GetPanel(0)->GetWidth(), 216);
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 100, 216, 140));
    EXPECT_TRUE(list->IsScrollBarShown());
    EXPECT_EQ(list->GetScrollLimit(), 11);
    EXPECT_EQ(list->GetScrollBar()->maximum(), 11);
    EXPECT_EQ(list->GetScrollBar()->pageStep(), 230);
    EXPECT_EQ(list->GetClient()->width(), 216) << "the panels fit beside the bar";

    EXPECT_TRUE(list->DeleteRow(1, 0));
    EXPECT_EQ(list->GetPanel(1)->GetWidth(), 236);
    EXPECT_FALSE(list->IsScrollBarShown());
}

TEST_F(TimerListCtrlTest, AGrowingPanelAboveTheLastStillMakesRoomForTheBar) {
    AddPanelWithRows(1, 5);
    AddPanelWithRows(2, 4);
    Layout();
    // The last panel's bottom is out of date until the layout moves it down.
    list->AddRow(0, true, 0, 0, 9, 0, false);
    Layout();
    EXPECT_EQ(list->GetPanel(1)->GetBottom(), 240);
    EXPECT_TRUE(list->IsScrollBarShown());
    EXPECT_EQ(list->GetPanel(1)->GetWidth(), 216);
}

TEST_F(TimerListCtrlTest, TheBarScrollsByTheListsStepsAndClamps) {
    MakeScrollable();
    QScrollBar* bar = list->GetScrollBar();
    struct Case {
        QAbstractSlider::SliderAction action;
        int position;
    };
    // Line 5, page 40, clamped to 0..11; the thumb is followed.
    for (const Case& c :
         {Case{QAbstractSlider::SliderSingleStepAdd, 5}, Case{QAbstractSlider::SliderMove, 8},
          Case{QAbstractSlider::SliderSingleStepAdd, 11},
          Case{QAbstractSlider::SliderPageStepSub, 0},
          Case{QAbstractSlider::SliderSingleStepSub, 0},
          Case{QAbstractSlider::SliderPageStepAdd, 11},
          Case{QAbstractSlider::SliderToMinimum, 11}}) {
        if (c.action == QAbstractSlider::SliderMove) {
            bar->setSliderPosition(c.position);  // dragging the thumb
        } else {
            bar->triggerAction(c.action);
        }
        EXPECT_EQ(list->GetScrollPosition(), c.position) << "action " << c.action;
        EXPECT_EQ(bar->value(), c.position) << "action " << c.action;
        EXPECT_EQ(PanelY(0), -c.position) << "action " << c.action;
        EXPECT_EQ(PanelY(1), 100 - c.position) << "action " << c.action;
    }
    EXPECT_EQ(list->GetPanel(1)->GetTop(), 100) << "panels keep their laid-out tops";
}

TEST_F(TimerListCtrlTest, EachWheelEventScrollsTenPixels) {
    MakeScrollable();
    IntervalEdit* edit = list->GetPanel(0)->GetEdit(1);
    Wheel(edit, 120);
    EXPECT_EQ(list->GetScrollPosition(), 0);
    Wheel(edit, -120);
    EXPECT_EQ(PanelY(0), -10);
    Wheel(edit, 120);
    Wheel(edit, -1);
    EXPECT_EQ(list->GetScrollPosition(), 10) << "a small delta moves a whole step";
    Wheel(list->GetScrollBar(), -120);
    EXPECT_EQ(list->GetScrollPosition(), 11) << "over the bar too, clamped at the limit";
    EXPECT_EQ(PanelY(0), -11);
    EXPECT_EQ(list->GetScrollBar()->value(), 11);
}

TEST_F(TimerListCtrlTest, AStructuralChangeWhileScrolledReturnsToTheTop) {
    AddPanelWithRows(1, 4);
    AddPanelWithRows(2, 6);
    AddPanelWithRows(3, 3);
    Layout();
    ASSERT_TRUE(ShowActive(window));
    list->OnMouseWheel(-120);
    list->OnMouseWheel(-120);
    ASSERT_EQ(PanelY(0), -20);

    EXPECT_TRUE(list->DeletePanel(2));
    EXPECT_EQ(list->GetScrollPosition(), 0);
    EXPECT_EQ(list->GetScrollBar()->value(), 0);
    EXPECT_EQ(PanelY(0), 0);
    EXPECT_EQ(PanelY(1), 100);

    list->OnVScroll(ScrollCode::PageDown, 0);
    ASSERT_EQ(PanelY(0), -11);
    EXPECT_TRUE(list->DeleteRow(1, 5));
    EXPECT_EQ(list->GetScrollPosition(), 0);
    EXPECT_EQ(PanelY(0), 0);
}

TEST_F(TimerListCtrlTest, SelectActivatesOnePanelAndRow) {
    AddPanelWithRows(1, 3);
    AddPanelWithRows(2, 3);
    int index = 5, row = 5;
    EXPECT_EQ(list->GetSelection(index, row), -1);
    EXPECT_EQ(row, -1);

    EXPECT_TRUE(list->Select(1, 2));
    EXPECT_EQ(list->GetSelection(index, row), 1);
    EXPECT_EQ(row, 2);

    EXPECT_FALSE(list->Select(0, 99));
    EXPECT_EQ(list->GetSelection(index, row), 0) << "the panel is active all the same";
    EXPECT_EQ(row, -1);
    EXPECT_FALSE(list->GetPanel(1)->IsActive());
    EXPECT_EQ(list->GetPanel(1)->GetSelectedRow(), -1);

    EXPECT_FALSE(list->Select(2, 0));
    EXPECT_FALSE(list->Select(-2, 0));
    EXPECT_EQ(list->GetActivePanel(), 0) << "an index out of range changes nothing";

    EXPECT_TRUE(list->Select(-1, 5));
    EXPECT_EQ(list->GetSelection(index, row), -1);
}

TEST_F(TimerListCtrlTest, ClickingIntoAnotherPanelLeavesExactlyOneActiveAndPassesEditsOn) {
    AddPanelWithRows(1, 2);
    AddPanelWithRows(2, 2);
    Layout();
    ASSERT_TRUE(ShowActive(window));
    list->Select(0, 1);

    Click(list->GetPanel(1)->GetCaption());
    EXPECT_EQ(list->GetActivePanel(), 1);
    EXPECT_FALSE(list->GetPanel(0)->IsActive());
    EXPECT_EQ(list->GetPanel(0)->GetSelectedRow(), -1);

    Click(list->GetPanel(0)->GetEdit(0));
    int index = -1, row = -1;
    EXPECT_EQ(list->GetSelection(index, row), 0);
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(list->GetPanel(1)->IsActive());
    EXPECT_EQ(window.Count(WMU_PANEL_ACTIVATING), 0) << "the list keeps that to itself";
    EXPECT_EQ(window.Count(WMU_PROGRAM_MODIFIED), 1) << "the edit's focus entry, passed on";
}

TEST_F(TimerListCtrlTest, LoadsOnePanelPerRunOfBlocksAndBuildsThemBack) {
    const std::vector<BlockData> blocks = {
        {2, {{true, 0, 0, 1, 0}, {false, 0, 0, 2, 0}, {true, 0, 0, 3, 5}}},
        {2, {{false, 1, 2, 3, 0}, {true, 99, 99, 99, 0}}},
        {5, {{true, 0, 10, 0, 0}}},
    };
    TimerProgram program = MakeProgram(blocks);
    list->LoadProgram(program);

    ASSERT_EQ(list->GetPanelCount(), 2);
    EXPECT_EQ(list->GetTimerNumber(0), 2);
    EXPECT_EQ(list->GetRowCount(0), 5);
    EXPECT_EQ(list->GetTimerNumber(1), 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->IsBlockStart(0, row), row == 0 || row == 3) << row;
    }
    EXPECT_EQ(list->GetPanel(0)->GetEdit(2)->text(), QStringLiteral("00:00:03:05"));
    EXPECT_EQ(list->GetPanel(0)->GetLabel(3)->text(), QStringLiteral("OFF"));
    int index = -1, row = 0;
    EXPECT_EQ(list->GetSelection(index, row), 0);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 120, 236, 40)) << "laid out";
    EXPECT_EQ(list->GetMemoryUsed(), 3 * 6 + 3);

    TimerProgram built;
    list->BuildProgram(built);
    EXPECT_EQ(Describe(built), blocks);
    EXPECT_FALSE(built.GetStartup());
}

TEST_F(TimerListCtrlTest, RunsAreSplitWhereTheTimerNumberChangesAndLoadingAdds) {
    TimerProgram program = MakeProgram(
        {{2, {{true, 0, 0, 1, 0}}}, {5, {{true, 0, 0, 2, 0}}}, {2, {{true, 0, 0, 3, 0}}}});
    list->LoadProgram(program);
    ASSERT_EQ(list->GetPanelCount(), 3);
    EXPECT_EQ(list->GetTimerNumber(1), 5);
    EXPECT_EQ(list->GetPanel(2)->GetCaption()->text(), QStringLiteral("Timer 2"));
    list->LoadProgram(program);
    EXPECT_EQ(list->GetPanelCount(), 6) << "loading adds to what is there";
}

TEST_F(TimerListCtrlTest, BuildsABlockAtEveryCheckedBoxAndOneForAnEmptyPanel) {
    TimerProgram empty;
    list->BuildProgram(empty);
    EXPECT_EQ(empty.GetBlockCount(), 0);

    AddPanelWithRows(7, 10);
    list->AddPanel(9);
    TimerProgram built;
    list->BuildProgram(built);
    const std::vector<BlockData> blocks = Describe(built);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].steps.size(), 8u);
    EXPECT_EQ(blocks[1].timer, 7);
    EXPECT_EQ(blocks[1].steps.size(), 2u);
    EXPECT_EQ(blocks[1].steps[1], (Step{false, 0, 0, 9, 0}));
    EXPECT_EQ(blocks[2].timer, 9);
    EXPECT_TRUE(blocks[2].steps.empty());
}

TEST_F(TimerListCtrlTest, ProgramsComeBackUnchanged) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        // Blocks without intervals have no rows to show, so they cannot come back.
        std::vector<BlockData> expected;
        for (const BlockData& block : Describe(testing_support::RandomProgram(seed))) {
            if (!block.steps.empty()) {
                expected.push_back(block);
            }
        }
        TimerProgram program = MakeProgram(expected);
        list->RemoveAllPanels();
        list->LoadProgram(program);
        TimerProgram built;
        list->BuildProgram(built);
        EXPECT_EQ(Describe(built), expected) << "seed " << seed;
    }
}

TEST_F(TimerListCtrlTest, NamesTheFirstRowThatDoesNotReadAsAnInterval) {
    AddPanelWithRows(1, 3);
    AddPanelWithRows(2, 4);
    int index = 9, row = 9;
    EXPECT_FALSE(list->FindUnreadableRow(index, row));
    EXPECT_EQ(index, -1);

    list->GetPanel(1)->GetEdit(3)->setText(QStringLiteral("12:30"));
    list->GetPanel(1)->GetEdit(2)->setText(QStringLiteral("5"));
    EXPECT_TRUE(list->FindUnreadableRow(index, row));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(row, 2);

    // Built anyway, such a row holds zeros where the text gave nothing.
    TimerProgram built;
    list->BuildProgram(built);
    EXPECT_EQ(Describe(built)[1].steps[2], (Step{true, 5, 0, 0, 0}));
    EXPECT_EQ(Describe(built)[1].steps[3], (Step{false, 12, 30, 0, 0}));
}
