// The timer list: scroll and layout arithmetic on its own, then the real widget: panels and
// ids, layout and the scroll bar, scrolling by bar and wheel, selection, notifications, and
// converting to and from a TimerProgram.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "ColorCheckBox.h"
#include "ColorStatic.h"
#include "EditorTestSupport.h"
#include "IntervalEdit.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "TimerListCtrl.h"
#include "TimerPanel.h"
#include "TimerProgram.h"

using testing_support::BlockSpec;
using testing_support::Describe;
using testing_support::MakeProgram;
using testing_support::Step;

namespace {

::testing::AssertionResult IsStep(const ScrollStep& step, int first, int second, int position) {
    if (step.firstShift != first || step.secondShift != second || step.position != position) {
        return ::testing::AssertionFailure()
               << "shifts " << step.firstShift << ", " << step.secondShift << " to "
               << step.position << "; expected " << first << ", " << second << " to " << position;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(ListScrollMathTest, LimitIsRangeLessPageLessOne) {
    EXPECT_EQ(ScrollLimit(240, 230), 11);
    EXPECT_EQ(ScrollLimit(230, 230), 1);
    EXPECT_EQ(ScrollLimit(229, 230), 0);
    EXPECT_EQ(ScrollLimit(220, 230), 0);
    EXPECT_EQ(ScrollLimit(0, 230), 0);
}

TEST(ListScrollMathTest, LineAndPageStepsClampAtBothEnds) {
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::LineDown, 8, 11, 0), -5, 2, 11));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::PageUp, 11, 11, 0), 40, -29, 0));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::LineUp, 0, 11, 0), 0, 0, 0));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::LineDown, 11, 11, 0), 0, 0, 11));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::LineDown, 0, 11, 0), -5, 0, 5));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::LineUp, 5, 11, 0), 5, 0, 0));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::PageDown, 0, 100, 0), -40, 0, 40));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::PageDown, 0, 11, 0), -40, 29, 11));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::LineDown, 0, 0, 0), 0, 0, 0))
        << "nothing to scroll";
}

TEST(ListScrollMathTest, ThumbIsFollowedOtherCodesDoNothing) {
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::ThumbTrack, 3, 11, 10), -7, 0, 10));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::ThumbTrack, 10, 11, 2), 8, 0, 2));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::ThumbTrack, 0, 11, 50), -11, 0, 11));
    EXPECT_TRUE(IsStep(ComputeScroll(ScrollCode::Other, 7, 11, 0), 0, 0, 7));
}

TEST(ListScrollMathTest, EachWheelEventMovesOneStepWhateverItsDelta) {
    EXPECT_TRUE(IsStep(ComputeWheel(120, 0, 11), 0, 0, 0));
    EXPECT_TRUE(IsStep(ComputeWheel(-120, 0, 11), -10, 0, 10));
    EXPECT_TRUE(IsStep(ComputeWheel(-1, 0, 11), -10, 0, 10));
    EXPECT_TRUE(IsStep(ComputeWheel(-480, 10, 11), -10, 9, 11));
    EXPECT_TRUE(IsStep(ComputeWheel(1, 10, 11), 10, 0, 0));
    EXPECT_TRUE(IsStep(ComputeWheel(0, 5, 11), 0, 0, 5));
}

TEST(ListLayoutMathTest, PanelsGiveUpRoomForTheBarExactlyWhenItShows) {
    EXPECT_EQ(LayoutWidth(236, 230, 220), 236);
    EXPECT_EQ(LayoutWidth(236, 230, 240), 216);
    EXPECT_EQ(LayoutWidth(236, 230, 230), 216) << "at exactly the height the bar shows";
    EXPECT_EQ(LayoutTops({4, 5}), (std::vector<int>{0, 100, 220}));
    EXPECT_EQ(LayoutTops({}), std::vector<int>{0});
    EXPECT_EQ(LayoutTops({0, 0, 49}), (std::vector<int>{0, 20, 40, 1040}));
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

TEST_F(TimerListCtrlTest, MeasuresItsBorderedRectangleWhenMade) {
    EXPECT_EQ(list->geometry(), QRect(11, 50, 236, 230));
    EXPECT_EQ(list->GetWidth(), 236);
    EXPECT_EQ(list->GetHeight(), 230);
    EXPECT_EQ(list->frameWidth(), 1);
    EXPECT_EQ(list->property(ControlIds::kProperty).toInt(), ControlIds::kTimerList);
    EXPECT_FALSE(list->IsScrollBarShown());
    EXPECT_EQ(list->GetScrollLimit(), 0);
    EXPECT_EQ(list->GetNextPanelId(), ControlIds::kFirstPanelId);
    EXPECT_EQ(list->GetClient()->geometry(), QRect(1, 1, 234, 228));
}

TEST_F(TimerListCtrlTest, PanelIdsCountFrom2000AndAreNeverReused) {
    EXPECT_EQ(list->AddPanel(3), 0);
    EXPECT_EQ(list->GetPanel(0)->property(ControlIds::kProperty).toInt(), 2000);
    EXPECT_TRUE(list->DeletePanel(0));
    EXPECT_EQ(list->AddPanel(3), 0);
    EXPECT_EQ(list->GetPanel(0)->property(ControlIds::kProperty).toInt(), 2001);
    list->RemoveAllPanels();
    EXPECT_EQ(list->GetPanelCount(), 0);
    EXPECT_EQ(list->AddPanel(3), 0);
    EXPECT_EQ(list->GetPanel(0)->property(ControlIds::kProperty).toInt(), 2002);
    EXPECT_EQ(FindById<TimerPanel>(list, 2002), list->GetPanel(0));
}

TEST_F(TimerListCtrlTest, HoldsAtMost31Panels) {
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(list->AddPanel(i), i);
    }
    EXPECT_EQ(list->AddPanel(30), 30);
    EXPECT_EQ(list->AddPanel(31), -1);
    EXPECT_EQ(list->GetPanelCount(), 31);
    EXPECT_EQ(list->GetNextPanelId(), 2031);
    EXPECT_EQ(list->AddRow(-1, true, 0, 0, 1, 0, false), -1) << "a refused panel passed on";
    EXPECT_TRUE(list->Select(-1, -1));
}

TEST_F(TimerListCtrlTest, IndicesOutsideThePanelsAreRefusedWithoutChange) {
    AddPanelWithRows(4, 2);
    EXPECT_EQ(list->AddRow(-1, true, 0, 0, 1, 0, false), -1);
    EXPECT_EQ(list->AddRow(1, true, 0, 0, 1, 0, false), -1);
    EXPECT_EQ(list->GetRowCount(-1), -1);
    EXPECT_EQ(list->GetRowCount(1), -1);
    EXPECT_EQ(list->GetTimerNumber(1), -1);
    EXPECT_FALSE(list->IsBlockStart(1, 0));
    EXPECT_FALSE(list->IsBlockStart(0, 2));
    EXPECT_FALSE(list->DeletePanel(1));
    EXPECT_FALSE(list->DeleteRow(-1, 0));
    EXPECT_FALSE(list->DeleteRow(0, 2));
    EXPECT_EQ(list->GetRowCount(0), 2);
    EXPECT_EQ(list->GetTimerNumber(0), 4);
    EXPECT_TRUE(list->IsBlockStart(0, 0));
}

TEST_F(TimerListCtrlTest, LaysOutFullWidthUntilThePanelsOutgrowTheList) {
    AddPanelWithRows(1, 4);
    AddPanelWithRows(2, 5);
    Layout();
    EXPECT_EQ(list->GetPanel(0)->geometry(), QRect(0, 0, 236, 100));
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 100, 236, 120));
    EXPECT_EQ(list->GetPanel(1)->GetBottom(), 220);
    EXPECT_FALSE(list->IsScrollBarShown());

    list->AddRow(1, true, 0, 0, 9, 0, false);
    Layout();
    EXPECT_EQ(list->GetPanel(0)->GetWidth(), 216);
    EXPECT_EQ(list->GetPanel(1)->geometry(), QRect(0, 100, 216, 140));
    EXPECT_EQ(list->GetPanel(1)->GetBottom(), 240);
    EXPECT_TRUE(list->IsScrollBarShown());
    EXPECT_EQ(list->GetScrollLimit(), 11);
    EXPECT_EQ(list->GetScrollBar()->maximum(), 11);
    EXPECT_EQ(list->GetScrollBar()->pageStep(), 230);
    EXPECT_EQ(list->GetClient()->width(), 216) << "the panels fit beside the bar";
    EXPECT_EQ(list->GetScrollBar()->geometry().left(), 1 + 216);

    EXPECT_TRUE(list->DeleteRow(1, 0));
    EXPECT_EQ(list->GetPanel(1)->GetWidth(), 236);
    EXPECT_FALSE(list->IsScrollBarShown());
}

TEST_F(TimerListCtrlTest, AGrowingPanelAboveTheLastStillMakesRoomForTheBar) {
    AddPanelWithRows(1, 5);
    AddPanelWithRows(2, 4);
    Layout();
    ASSERT_EQ(list->GetPanel(1)->GetBottom(), 220);
    // The last panel's bottom is out of date until the layout moves it down.
    list->AddRow(0, true, 0, 0, 9, 0, false);
    Layout();
    EXPECT_EQ(list->GetPanel(1)->GetBottom(), 240);
    EXPECT_TRUE(list->IsScrollBarShown());
    EXPECT_EQ(list->GetPanel(0)->GetWidth(), 216);
    EXPECT_EQ(list->GetPanel(1)->GetWidth(), 216);
}

TEST_F(TimerListCtrlTest, TheBarScrollsByTheListsStepsAndClamps) {
    MakeScrollable();
    ASSERT_TRUE(ShowActive(window));
    QScrollBar* bar = list->GetScrollBar();

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(list->GetScrollPosition(), 5);
    EXPECT_EQ(PanelY(0), -5);
    EXPECT_EQ(PanelY(1), 95);

    bar->setSliderPosition(8);  // dragging the thumb
    EXPECT_EQ(list->GetScrollPosition(), 8);
    EXPECT_EQ(PanelY(0), -8);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(list->GetScrollPosition(), 11);
    EXPECT_EQ(PanelY(0), -11);
    EXPECT_EQ(bar->value(), 11);

    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(list->GetScrollPosition(), 0);
    EXPECT_EQ(PanelY(0), 0);
    EXPECT_EQ(bar->value(), 0);

    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(PanelY(0), 0);

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(list->GetScrollPosition(), 11);
    EXPECT_EQ(PanelY(1), 100 - 11);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(list->GetScrollPosition(), 11) << "codes the list does not answer move nothing";
    EXPECT_EQ(bar->value(), 11);
    EXPECT_EQ(PanelY(0), -11);
    EXPECT_EQ(list->GetPanel(1)->GetTop(), 100) << "panels keep their laid-out tops";
}

TEST_F(TimerListCtrlTest, EachWheelEventScrollsTenPixels) {
    MakeScrollable();
    ASSERT_TRUE(ShowActive(window));
    IntervalEdit* edit = list->GetPanel(0)->GetEdit(1);

    Wheel(edit, 120);
    EXPECT_EQ(list->GetScrollPosition(), 0);
    EXPECT_EQ(PanelY(0), 0);
    Wheel(edit, -120);
    EXPECT_EQ(list->GetScrollPosition(), 10);
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
    EXPECT_EQ(index, -1);
    EXPECT_EQ(row, -1);

    EXPECT_TRUE(list->Select(1, 2));
    EXPECT_EQ(list->GetSelection(index, row), 1);
    EXPECT_EQ(row, 2);

    EXPECT_FALSE(list->Select(0, 99));
    EXPECT_EQ(list->GetActivePanel(), 0) << "the panel stays active";
    list->GetSelection(index, row);
    EXPECT_EQ(row, -1);
    EXPECT_FALSE(list->GetPanel(1)->IsActive());
    EXPECT_EQ(list->GetPanel(1)->GetSelectedRow(), -1);

    EXPECT_FALSE(list->Select(2, 0));
    EXPECT_FALSE(list->Select(-2, 0));
    EXPECT_EQ(list->GetActivePanel(), 0) << "an index out of range changes nothing";

    EXPECT_TRUE(list->Select(-1, 5));
    EXPECT_EQ(list->GetActivePanel(), -1);
    EXPECT_EQ(list->GetSelection(index, row), -1);
}

TEST_F(TimerListCtrlTest, ClickingIntoAnotherPanelLeavesExactlyOneActive) {
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

TEST_F(TimerListCtrlTest, EditsInAnyPanelReachTheMainWindow) {
    AddPanelWithRows(1, 2);
    AddPanelWithRows(2, 2);
    Layout();
    ASSERT_TRUE(ShowActive(window));
    Click(list->GetPanel(1)->GetLabel(0));
    Click(list->GetPanel(1)->GetLabel(0));
    Click(list->GetPanel(0)->GetCheckBox(1));
    EXPECT_EQ(window.Count(WMU_PROGRAM_MODIFIED), 2);
    EXPECT_EQ(list->GetPanel(1)->GetLabel(0)->text(), QStringLiteral("OFF"));
    EXPECT_TRUE(list->IsBlockStart(0, 1));
    EXPECT_EQ(list->GetMemoryUsed(), 3 * 4 + 3);
}

TEST_F(TimerListCtrlTest, LoadsOnePanelPerRunOfBlocksAndBuildsThemBack) {
    const std::vector<BlockSpec> blocks = {
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
    EXPECT_EQ(list->GetRowCount(1), 1);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->IsBlockStart(0, row), row == 0 || row == 3) << row;
    }
    EXPECT_TRUE(list->IsBlockStart(1, 0));
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

TEST_F(TimerListCtrlTest, RunsAreSplitWhereTheTimerNumberChanges) {
    TimerProgram program = MakeProgram(
        {{2, {{true, 0, 0, 1, 0}}}, {5, {{true, 0, 0, 2, 0}}}, {2, {{true, 0, 0, 3, 0}}}});
    list->LoadProgram(program);
    ASSERT_EQ(list->GetPanelCount(), 3);
    EXPECT_EQ(list->GetTimerNumber(0), 2);
    EXPECT_EQ(list->GetTimerNumber(1), 5);
    EXPECT_EQ(list->GetTimerNumber(2), 2);
    EXPECT_EQ(list->GetPanel(2)->GetCaption()->text(), QStringLiteral("Timer 2"));

    list->LoadProgram(program);
    EXPECT_EQ(list->GetPanelCount(), 6) << "loading adds to what is there";
}

TEST_F(TimerListCtrlTest, RunsBeyondTheLastPanelAreLeftOut) {
    std::vector<BlockSpec> blocks;
    for (int timer = 0; timer < 33; ++timer) {
        blocks.push_back(
            {timer % 2 == 0 ? 1 : 2, {{true, 0, 0, static_cast<std::uint32_t>(timer), 0}}});
    }
    TimerProgram program = MakeProgram(blocks);
    list->LoadProgram(program);
    EXPECT_EQ(list->GetPanelCount(), 31);
    EXPECT_EQ(list->GetActivePanel(), 0);
    EXPECT_EQ(list->GetPanel(30)->GetEdit(0)->text(), QStringLiteral("00:00:30"));
}

TEST_F(TimerListCtrlTest, BuildsABlockAtEveryCheckedBoxAndOneForAnEmptyPanel) {
    TimerProgram empty;
    list->BuildProgram(empty);
    EXPECT_EQ(empty.GetBlockCount(), 0);

    AddPanelWithRows(7, 10);
    EXPECT_EQ(list->GetMemoryUsed(), 32);
    list->AddPanel(9);
    TimerProgram built;
    list->BuildProgram(built);
    const std::vector<BlockSpec> blocks = Describe(built);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].timer, 7);
    EXPECT_EQ(blocks[0].steps.size(), 8u);
    EXPECT_EQ(blocks[1].timer, 7);
    EXPECT_EQ(blocks[1].steps.size(), 2u);
    EXPECT_EQ(blocks[1].steps[1], (Step{false, 0, 0, 9, 0}));
    EXPECT_EQ(blocks[2].timer, 9);
    EXPECT_TRUE(blocks[2].steps.empty());
}

TEST_F(TimerListCtrlTest, ProgramsComeBackUnchanged) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        TimerProgram random = testing_support::RandomProgram(seed);
        // Blocks without intervals have no rows to show, so they cannot come back.
        std::vector<BlockSpec> expected;
        for (const BlockSpec& block : Describe(random)) {
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
