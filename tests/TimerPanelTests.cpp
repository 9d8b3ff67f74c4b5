// The timer panel on the real widgets: rows, the block rule, memory, layout, selection and the
// user's clicks and focus changes with the notifications they send.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "ColorCheckBox.h"
#include "ColorStatic.h"
#include "EditorTestSupport.h"
#include "IntervalEdit.h"
#include "ScriptedPrompter.h"
#include "SystemColors.h"
#include "TimerPanel.h"
#include "TimerTexts.h"

namespace {

// The palette is the application's, so these are read once it exists.
ColorRef Active() {
    return GetSysColor(SysColor::ActiveCaption);
}
ColorRef HighlightText() {
    return GetSysColor(SysColor::HighlightText);
}
ColorRef Inactive() {
    return GetSysColor(SysColor::InactiveCaption);
}
ColorRef InactiveText() {
    return GetSysColor(SysColor::InactiveCaptionText);
}

std::vector<int> CheckedRows(const TimerPanel& panel) {
    std::vector<int> rows;
    for (int row = 0; row < panel.GetRowCount(); ++row) {
        if (panel.IsBlockStart(row)) {
            rows.push_back(row);
        }
    }
    return rows;
}

// Row r: ON for even rows, r seconds.
void AddRows(TimerPanel& panel, int count) {
    for (int i = 0; i < count; ++i) {
        const int row = panel.GetRowCount();
        ASSERT_EQ(panel.AddRow(row % 2 == 0, 0, 0, static_cast<std::uint32_t>(row), 0, false), row);
    }
}

::testing::AssertionResult RowColored(const TimerPanel& panel, int row, ColorRef background,
                                      ColorRef text) {
    const ColorStatic* label = panel.GetLabel(row);
    const IntervalEdit* edit = panel.GetEdit(row);
    const ColorCheckBox* box = panel.GetCheckBox(row);
    if (label->GetBackgroundColor() != background || label->GetTextColor() != text ||
        edit->GetBackgroundColor() != background || edit->GetTextColor() != text ||
        box->GetBackgroundColor() != background || box->GetTextColor() != text) {
        return ::testing::AssertionFailure() << "row " << row << " has other colours";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

// A panel for timer 5 in a recorder that stands in for the list.
class TimerPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Takes the first focus when the window shows, so no edit is entered by itself.
        (new QPushButton(QStringLiteral("elsewhere"), &list))->setGeometry(0, 380, 90, 20);
        panel = new TimerPanel(5, 2000, &list, 40, 236);
    }

    // Lays the panel out and shows it in an active window, so clicks and focus work.
    void Show() {
        panel->Move(0, 236);
        ASSERT_TRUE(ShowActive(list));
    }
    int Modified() const { return list.Count(WMU_PROGRAM_MODIFIED); }
    int Activating() const { return list.Count(WMU_PANEL_ACTIVATING); }

    ScriptedPrompter prompter;
    EventRecorder list;
    TimerPanel* panel = nullptr;
};

TEST_F(TimerPanelTest, StartsWithAnInactiveCaptionAndNoRows) {
    EXPECT_EQ(panel->GetCaption()->text(), QStringLiteral("Timer 5"));
    EXPECT_EQ(panel->GetCaption()->property(ControlIds::kProperty).toInt(), ControlIds::kCaption);
    EXPECT_EQ(panel->property(ControlIds::kProperty).toInt(), 2000);
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Inactive());
    EXPECT_EQ(panel->GetCaption()->GetTextColor(), InactiveText());
    EXPECT_FALSE(panel->IsActive());
    EXPECT_EQ(panel->GetRowCount(), 0);
    EXPECT_EQ(panel->GetSelectedRow(), -1);
    EXPECT_EQ(panel->GetBottom(), 60);
    EXPECT_EQ(panel->GetMemoryBytes(), 0);
}

TEST_F(TimerPanelTest, RowsShowTheirStateAndIntervalAndCarryTheirIds) {
    EXPECT_EQ(panel->AddRow(true, 1, 2, 3, 0, false), 0);
    EXPECT_EQ(panel->AddRow(true, 1, 2, 3, 4, false), 1);
    EXPECT_EQ(panel->AddRow(false, 123, 0, 0, 0, false), 2);
    EXPECT_EQ(panel->AddRow(false, 4294967295u, 4294967295u, 4294967295u, 4294967295u, false), 3);

    EXPECT_EQ(panel->GetLabel(0)->text(), QStringLiteral("ON"));
    EXPECT_EQ(panel->GetEdit(0)->text(), QStringLiteral("01:02:03"));
    EXPECT_EQ(panel->GetEdit(1)->text(), QStringLiteral("01:02:03:04"));
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(panel->GetEdit(2)->text(), QStringLiteral("123:00:00"));
    EXPECT_EQ(panel->GetEdit(3)->text(),
              QStringLiteral("4294967295:4294967295:4294967295:4294967295"))
        << "numbers from a file are never cut";

    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(FindById<ColorStatic>(panel, ControlIds::LabelId(row)), panel->GetLabel(row));
        EXPECT_EQ(FindById<IntervalEdit>(panel, ControlIds::EditId(row)), panel->GetEdit(row));
        EXPECT_EQ(FindById<ColorCheckBox>(panel, ControlIds::BlockStartId(row)),
                  panel->GetCheckBox(row));
    }
    EXPECT_EQ(Modified(), 0) << "adding a row sends nothing";
    EXPECT_EQ(panel->GetSelectedRow(), -1) << "nor selects it";
}

TEST_F(TimerPanelTest, BlockRuleStartsRowZeroAndEveryNinthRowOfARun) {
    AddRows(*panel, 1);
    EXPECT_EQ(CheckedRows(*panel), std::vector<int>{0});
    EXPECT_EQ(panel->GetMemoryBytes(), 4);

    AddRows(*panel, 8);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(panel->GetMemoryBytes(), 29);

    AddRows(*panel, 1);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(panel->GetMemoryBytes(), 32);

    AddRows(*panel, 8);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8, 16}));
}

TEST_F(TimerPanelTest, BlockStartsFromTheCallerAreKept) {
    panel->AddRow(true, 0, 0, 1, 0, true);
    panel->AddRow(true, 0, 0, 1, 0, false);
    panel->AddRow(true, 0, 0, 1, 0, true);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 2}));
    EXPECT_EQ(panel->GetMemoryBytes(), 11);
}

TEST_F(TimerPanelTest, TheFiftiethRowIsRefused) {
    AddRows(*panel, TimerPanel::kMaxRows);
    EXPECT_EQ(panel->AddRow(true, 0, 0, 1, 0, false), -1);
    EXPECT_EQ(panel->GetRowCount(), 49);
    EXPECT_EQ(panel->GetLabel(49), nullptr);
}

TEST_F(TimerPanelTest, MovePlacesThePanelAndItsRowsInPixels) {
    AddRows(*panel, 3);
    panel->Move(40, 236);
    EXPECT_EQ(panel->geometry(), QRect(0, 40, 236, 80));
    EXPECT_EQ(panel->GetTop(), 40);
    EXPECT_EQ(panel->GetWidth(), 236);
    EXPECT_EQ(panel->GetBottom(), 120);
    EXPECT_EQ(panel->GetCaption()->geometry(), QRect(0, 0, 236, 20));
    for (int row = 0; row < 3; ++row) {
        const int top = 20 * (row + 1);
        EXPECT_EQ(panel->GetLabel(row)->geometry(), QRect(0, top, 50, 20));
        EXPECT_EQ(panel->GetEdit(row)->geometry(), QRect(50, top, 168, 20));
        EXPECT_EQ(panel->GetCheckBox(row)->geometry(), QRect(218, top, 18, 20));
    }

    panel->Move(100, 216);
    EXPECT_EQ(panel->geometry(), QRect(0, 100, 216, 80));
    EXPECT_EQ(panel->GetCaption()->geometry(), QRect(0, 0, 216, 20));
    EXPECT_EQ(panel->GetEdit(2)->geometry(), QRect(50, 60, 148, 20));
    EXPECT_EQ(panel->GetCheckBox(2)->geometry(), QRect(198, 60, 18, 20));
}

TEST_F(TimerPanelTest, ARowAddedOnScreenShowsWithTheNextMove) {
    AddRows(*panel, 2);
    Show();
    EXPECT_TRUE(panel->GetEdit(1)->isVisible());

    AddRows(*panel, 1);
    panel->Move(0, 236);
    for (QWidget* control : std::initializer_list<QWidget*>{panel->GetLabel(2), panel->GetEdit(2),
                                                            panel->GetCheckBox(2)}) {
        EXPECT_TRUE(control->isVisible());
    }
    EXPECT_EQ(panel->GetEdit(2)->geometry(), QRect(50, 60, 168, 20));
    EXPECT_EQ(panel->geometry().height(), 80);
}

TEST_F(TimerPanelTest, FirstClickOnALabelSelectsTheSecondToggles) {
    AddRows(*panel, 3);
    Show();
    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(RowColored(*panel, 1, Active(), HighlightText()));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Modified(), 0);
    EXPECT_TRUE(panel->GetLabel(1)->hasFocus());

    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("ON"));
    EXPECT_EQ(Modified(), 1);
    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Modified(), 2);

    Click(panel->GetLabel(2));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("ON"));
    EXPECT_TRUE(RowColored(*panel, 1, kWhite, kBlack));
    EXPECT_EQ(Modified(), 2);
}

TEST_F(TimerPanelTest, ActivatingArrivesBeforeTheCaptionTurnsActive) {
    AddRows(*panel, 2);
    Show();
    std::vector<bool> activeAtNotice;
    std::vector<ColorRef> captionAtNotice;
    list.onEvent = [&](QEvent::Type type) {
        if (type == WMU_PANEL_ACTIVATING) {
            activeAtNotice.push_back(panel->IsActive());
            captionAtNotice.push_back(panel->GetCaption()->GetBackgroundColor());
        }
    };

    Click(panel->GetCaption());
    ASSERT_EQ(activeAtNotice, std::vector<bool>{false});
    EXPECT_EQ(captionAtNotice[0], Inactive());
    EXPECT_TRUE(panel->IsActive());
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Active());
    EXPECT_EQ(panel->GetCaption()->GetTextColor(), HighlightText());

    // Nothing in the active panel sends it again.
    Click(panel->GetCaption());
    Click(panel->GetLabel(0));
    Click(panel->GetCheckBox(1));
    Click(panel->GetEdit(1));
    EXPECT_EQ(Activating(), 1);

    // Each way into an inactive panel sends it first.
    const std::vector<QWidget*> ways = {panel->GetLabel(0), panel->GetCheckBox(1),
                                        panel->GetEdit(0)};
    for (QWidget* way : ways) {
        panel->Deactivate();
        panel->GetCaption()->setFocus();  // so the edit's focus-in is a new one
        Click(way);
        EXPECT_TRUE(panel->IsActive());
    }
    EXPECT_EQ(activeAtNotice, (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Activating(), 4);
    // Each notice comes before whatever the same action reports as modified.
    EXPECT_EQ(list.received.front(), WMU_PANEL_ACTIVATING);
}

TEST_F(TimerPanelTest, EveryFocusEntryIntoAnEditNotifies) {
    AddRows(*panel, 2);
    Show();
    Click(panel->GetEdit(0));
    EXPECT_EQ(panel->GetSelectedRow(), 0);
    Click(panel->GetEdit(1));
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(RowColored(*panel, 1, Active(), HighlightText()));
    Click(panel->GetEdit(0));
    EXPECT_EQ(Modified(), 3);
    QTest::keyClicks(panel->GetEdit(0), QStringLiteral("12"));
    EXPECT_EQ(Modified(), 3) << "typing sends nothing";
}

TEST_F(TimerPanelTest, CaptionClickClearsTheRowAndSendsNoModification) {
    AddRows(*panel, 3);
    Show();
    Click(panel->GetLabel(1));
    Click(panel->GetCaption());
    EXPECT_EQ(panel->GetSelectedRow(), -1);
    EXPECT_TRUE(RowColored(*panel, 1, kWhite, kBlack));
    EXPECT_TRUE(panel->IsActive());
    EXPECT_TRUE(panel->GetCaption()->hasFocus());
    EXPECT_EQ(Modified(), 0);
}

TEST_F(TimerPanelTest, ClickingARowsBoxSelectsItAppliesTheRuleAndNotifies) {
    AddRows(*panel, 12);
    Show();
    ASSERT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));

    Click(panel->GetCheckBox(3));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 3, 8}));
    EXPECT_EQ(panel->GetSelectedRow(), 3);
    EXPECT_TRUE(panel->GetCheckBox(3)->hasFocus());
    EXPECT_EQ(Modified(), 1);

    // The block from row 3 now runs through row 10, and row 11 starts the next.
    Click(panel->GetCheckBox(8));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 3, 11}));
    EXPECT_EQ(Modified(), 2);
}

TEST_F(TimerPanelTest, UncheckingAStartTheRuleNeedsIsUndoneButStillNotifies) {
    AddRows(*panel, 9);
    Show();
    Click(panel->GetCheckBox(8));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(Modified(), 1);
    Click(panel->GetCheckBox(0));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(Modified(), 2);
    EXPECT_EQ(panel->GetSelectedRow(), 0);
}

TEST_F(TimerPanelTest, MovingTheFocusToALabelMakesTheEditCheckItsText) {
    AddRows(*panel, 2);
    Show();
    Click(panel->GetEdit(0));
    QTest::keyClick(panel->GetEdit(0), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(panel->GetEdit(0), QStringLiteral("00:100:00"));
    Click(panel->GetLabel(1));
    EXPECT_EQ(prompter.messages, QStringList{kInvalidIntervalMessage});
    EXPECT_EQ(panel->GetEdit(0)->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(panel->GetSelectedRow(), 1);
}

TEST_F(TimerPanelTest, DeletingTheHighlightedRowKeepsTheHighlightInPlace) {
    AddRows(*panel, 5);
    Show();
    panel->Activate();
    panel->SelectRow(2);
    EXPECT_TRUE(panel->DeleteRow(2));
    EXPECT_EQ(panel->GetRowCount(), 4);
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_TRUE(RowColored(*panel, 2, Active(), HighlightText()));
    EXPECT_EQ(panel->GetEdit(2)->text(), QStringLiteral("00:00:03")) << "row 3 moved up";
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(panel->GetEdit(3)->text(), QStringLiteral("00:00:04"));

    panel->SelectRow(3);
    EXPECT_TRUE(panel->DeleteRow(3));
    EXPECT_EQ(panel->GetSelectedRow(), -1) << "the highlighted row was the last";
    EXPECT_EQ(panel->GetEdit(3), nullptr);
    EXPECT_EQ(FindById<IntervalEdit>(panel, ControlIds::EditId(3)), nullptr);
    EXPECT_EQ(panel->GetMemoryBytes(), 3 * 3 + 1);
    EXPECT_EQ(Modified(), 0) << "the caller reports a deletion";
}

TEST_F(TimerPanelTest, DeletingARowKeepsTheBlockRule) {
    AddRows(*panel, 10);
    EXPECT_TRUE(panel->DeleteRow(8));
    EXPECT_EQ(panel->GetRowCount(), 9);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}))
        << "the row that moved into place 8 would be the ninth of the first block";
    EXPECT_EQ(panel->GetEdit(8)->text(), QStringLiteral("00:00:09"));

    EXPECT_TRUE(panel->DeleteRow(0));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 7}));
    EXPECT_EQ(panel->GetEdit(0)->text(), QStringLiteral("00:00:01"));

    EXPECT_FALSE(panel->DeleteRow(-1));
    EXPECT_FALSE(panel->DeleteRow(8));
    EXPECT_EQ(panel->GetRowCount(), 8);
}

TEST_F(TimerPanelTest, DeletingTheRowWithTheFocusRunsNoCheck) {
    AddRows(*panel, 3);
    Show();
    Click(panel->GetEdit(2));
    QTest::keyClicks(panel->GetEdit(2), QStringLiteral("xyz"));
    const int before = Modified();
    EXPECT_TRUE(panel->DeleteRow(2));
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(Modified(), before);
    EXPECT_EQ(panel->GetRowCount(), 2);
}

TEST_F(TimerPanelTest, ReadRowGivesTheRowsValues) {
    panel->AddRow(false, 0, 10, 0, 0, false);
    panel->AddRow(true, 1, 2, 3, 45, false);
    bool on = true;
    std::uint32_t hours = 9, minutes = 9, seconds = 9, ticks = 9;
    ASSERT_TRUE(panel->ReadRow(0, on, hours, minutes, seconds, ticks));
    EXPECT_FALSE(on);
    EXPECT_EQ(hours, 0u);
    EXPECT_EQ(minutes, 10u);
    EXPECT_EQ(seconds, 0u);
    EXPECT_EQ(ticks, 0u);
    ASSERT_TRUE(panel->ReadRow(1, on, hours, minutes, seconds, ticks));
    EXPECT_TRUE(on);
    EXPECT_EQ(ticks, 45u);

    on = false;
    hours = minutes = seconds = ticks = 9;
    EXPECT_FALSE(panel->ReadRow(-1, on, hours, minutes, seconds, ticks));
    EXPECT_FALSE(panel->ReadRow(2, on, hours, minutes, seconds, ticks));
    EXPECT_EQ(hours, 9u) << "outputs untouched";
    EXPECT_FALSE(on);
}

TEST_F(TimerPanelTest, ReadRowGivesZeroForNumbersTheTextLacks) {
    panel->AddRow(true, 0, 10, 0, 0, false);
    panel->AddRow(true, 0, 10, 0, 0, false);
    panel->GetEdit(0)->setText(QStringLiteral("5"));
    panel->GetEdit(1)->setText(QStringLiteral("nonsense"));
    panel->GetLabel(1)->setText(QStringLiteral("On"));
    bool on = false;
    std::uint32_t hours = 77, minutes = 77, seconds = 77, ticks = 77;
    ASSERT_TRUE(panel->ReadRow(0, on, hours, minutes, seconds, ticks));
    EXPECT_EQ(hours, 5u);
    EXPECT_EQ(minutes, 0u);
    EXPECT_EQ(seconds, 0u);
    EXPECT_EQ(ticks, 0u);
    EXPECT_FALSE(panel->IsRowReadable(0));

    ASSERT_TRUE(panel->ReadRow(1, on, hours, minutes, seconds, ticks));
    EXPECT_EQ(hours, 0u);
    EXPECT_FALSE(on) << "only exactly \"ON\" is on";
    EXPECT_FALSE(panel->IsRowReadable(1));

    panel->GetEdit(1)->setText(QStringLiteral("00:00:01"));
    EXPECT_TRUE(panel->IsRowReadable(1));
    EXPECT_FALSE(panel->IsRowReadable(2));
}

TEST_F(TimerPanelTest, DeactivateClearsTheHighlightAndTheCaption) {
    AddRows(*panel, 2);
    panel->Activate();
    panel->SelectRow(1);
    panel->Deactivate();
    EXPECT_FALSE(panel->IsActive());
    EXPECT_EQ(panel->GetSelectedRow(), -1);
    EXPECT_TRUE(RowColored(*panel, 1, kWhite, kBlack));
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Inactive());
    EXPECT_EQ(panel->GetCaption()->GetTextColor(), InactiveText());
    EXPECT_FALSE(panel->GetEdit(0)->HasBackgroundColor())
        << "a row never selected keeps its first colours";
}
