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

    // Adds rows, lays the panel out and shows it in an active window, so clicks and focus work.
    void Show(int rows) {
        AddRows(*panel, rows);
        panel->Move(0, 236);
        ASSERT_TRUE(ShowActive(list));
    }
    int Modified() const { return list.Count(WMU_PROGRAM_MODIFIED); }

    ScriptedPrompter prompter;
    EventRecorder list;
    TimerPanel* panel = nullptr;
};

TEST_F(TimerPanelTest, RowsShowTheirStateAndIntervalAndCarryTheirIds) {
    EXPECT_EQ(panel->GetCaption()->text(), QStringLiteral("Timer 5"));
    EXPECT_EQ(panel->GetCaption()->property(ControlIds::kProperty).toInt(), ControlIds::kCaption);
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Inactive());

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

    EXPECT_EQ(FindById<IntervalEdit>(panel, ControlIds::EditId(3)), panel->GetEdit(3));
    EXPECT_EQ(Modified(), 0) << "adding a row sends nothing";
    EXPECT_EQ(panel->GetSelectedRow(), -1) << "nor selects it";
}

TEST_F(TimerPanelTest, BlockRuleStartsRowZeroAndEveryNinthRowOfARunAndMemoryCountsThem) {
    AddRows(*panel, 1);
    EXPECT_EQ(CheckedRows(*panel), std::vector<int>{0});
    EXPECT_EQ(panel->GetMemoryBytes(), 4);
    AddRows(*panel, 8);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(panel->GetMemoryBytes(), 29);
    AddRows(*panel, 1);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(panel->GetMemoryBytes(), 32);
    AddRows(*panel, 39);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8, 16, 24, 32, 40, 48}));
    EXPECT_EQ(panel->AddRow(true, 0, 0, 1, 0, false), -1) << "the fiftieth row";
    EXPECT_EQ(panel->GetRowCount(), 49);

    // Starts the caller asks for are kept.
    TimerPanel other(6, 2001, &list, 0, 236);
    other.AddRow(true, 0, 0, 1, 0, true);
    other.AddRow(true, 0, 0, 1, 0, false);
    other.AddRow(true, 0, 0, 1, 0, true);
    EXPECT_EQ(CheckedRows(other), (std::vector<int>{0, 2}));
    EXPECT_EQ(other.GetMemoryBytes(), 11);
}

TEST_F(TimerPanelTest, MovePlacesThePanelAndItsRowsInPixelsAndShowsNewRows) {
    Show(3);
    panel->Move(40, 236);
    EXPECT_EQ(panel->geometry(), QRect(0, 40, 236, 80));
    EXPECT_EQ(panel->GetBottom(), 120);
    EXPECT_EQ(panel->GetCaption()->geometry(), QRect(0, 0, 236, 20));
    EXPECT_EQ(panel->GetLabel(2)->geometry(), QRect(0, 60, 50, 20));
    EXPECT_EQ(panel->GetEdit(2)->geometry(), QRect(50, 60, 168, 20));
    EXPECT_EQ(panel->GetCheckBox(2)->geometry(), QRect(218, 60, 18, 20));

    AddRows(*panel, 1);
    panel->Move(40, 236);
    EXPECT_TRUE(panel->GetLabel(3)->isVisible()) << "a row added on screen shows with the move";
    EXPECT_TRUE(panel->GetEdit(3)->isVisible());
    EXPECT_TRUE(panel->GetCheckBox(3)->isVisible());
    EXPECT_EQ(panel->GetEdit(3)->geometry(), QRect(50, 80, 168, 20));

    panel->Move(100, 216);
    EXPECT_EQ(panel->geometry(), QRect(0, 100, 216, 100));
    EXPECT_EQ(panel->GetEdit(2)->geometry(), QRect(50, 60, 148, 20));
    EXPECT_EQ(panel->GetCheckBox(3)->geometry(), QRect(198, 80, 18, 20));
}

TEST_F(TimerPanelTest, FirstClickOnALabelSelectsTheSecondTogglesACaptionClickClears) {
    Show(3);
    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(RowColored(*panel, 1, Active(), HighlightText()));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Modified(), 0);
    EXPECT_TRUE(panel->GetLabel(1)->hasFocus()) << "so an edit left for it checks its text";

    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("ON"));
    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Modified(), 2);

    Click(panel->GetLabel(2));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("ON"));
    EXPECT_TRUE(RowColored(*panel, 1, kWhite, kBlack));

    Click(panel->GetCaption());
    EXPECT_EQ(panel->GetSelectedRow(), -1);
    EXPECT_TRUE(RowColored(*panel, 2, kWhite, kBlack));
    EXPECT_TRUE(panel->IsActive());
    EXPECT_EQ(Modified(), 2);
}

TEST_F(TimerPanelTest, ActivatingArrivesBeforeTheCaptionTurnsActive) {
    Show(2);
    std::vector<bool> activeAtNotice;
    std::vector<ColorRef> captionAtNotice;
    list.onEvent = [&](QEvent::Type type) {
        if (type == WMU_PANEL_ACTIVATING) {
            activeAtNotice.push_back(panel->IsActive());
            captionAtNotice.push_back(panel->GetCaption()->GetBackgroundColor());
        }
    };

    Click(panel->GetCaption());
    EXPECT_TRUE(panel->IsActive());
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Active());
    EXPECT_EQ(panel->GetCaption()->GetTextColor(), HighlightText());

    // Nothing in the active panel sends it again.
    Click(panel->GetCaption());
    Click(panel->GetLabel(0));
    Click(panel->GetCheckBox(1));
    Click(panel->GetEdit(1));
    EXPECT_EQ(list.Count(WMU_PANEL_ACTIVATING), 1);

    // Each way into an inactive panel sends it first.
    for (QWidget* way :
         {static_cast<QWidget*>(panel->GetLabel(0)), static_cast<QWidget*>(panel->GetCheckBox(1)),
          static_cast<QWidget*>(panel->GetEdit(0))}) {
        panel->Deactivate();
        panel->GetCaption()->setFocus();  // so the edit's focus-in is a new one
        Click(way);
        EXPECT_TRUE(panel->IsActive());
    }
    EXPECT_EQ(activeAtNotice, (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(captionAtNotice, std::vector<ColorRef>(4, Inactive()));
    // Each notice comes before whatever the same action reports as modified.
    EXPECT_EQ(list.received.front(), WMU_PANEL_ACTIVATING);
}

TEST_F(TimerPanelTest, EveryFocusEntryIntoAnEditNotifies) {
    Show(2);
    Click(panel->GetEdit(0));
    Click(panel->GetEdit(1));
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(RowColored(*panel, 1, Active(), HighlightText()));
    Click(panel->GetEdit(0));
    EXPECT_EQ(Modified(), 3);
    QTest::keyClicks(panel->GetEdit(0), QStringLiteral("12"));
    EXPECT_EQ(Modified(), 3) << "typing sends nothing";
}

TEST_F(TimerPanelTest, ClickingARowsBoxSelectsItAppliesTheRuleAndNotifies) {
    Show(12);
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
    Show(9);
    Click(panel->GetCheckBox(8));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(Modified(), 1);
    Click(panel->GetCheckBox(0));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(Modified(), 2);
    EXPECT_EQ(panel->GetSelectedRow(), 0);
}

TEST_F(TimerPanelTest, DeletingTheHighlightedRowKeepsTheHighlightInPlace) {
    Show(5);
    panel->Activate();
    panel->SelectRow(2);
    EXPECT_TRUE(panel->DeleteRow(2));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_TRUE(RowColored(*panel, 2, Active(), HighlightText()));
    EXPECT_EQ(panel->GetEdit(2)->text(), QStringLiteral("00:00:03")) << "row 3 moved up";
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("OFF"));

    panel->SelectRow(3);
    EXPECT_TRUE(panel->DeleteRow(3));
    EXPECT_EQ(panel->GetSelectedRow(), -1) << "the highlighted row was the last";
    EXPECT_EQ(FindById<IntervalEdit>(panel, ControlIds::EditId(3)), nullptr);
    EXPECT_EQ(panel->GetMemoryBytes(), 3 * 3 + 1);
    EXPECT_EQ(Modified(), 0) << "the caller reports a deletion";
}

TEST_F(TimerPanelTest, DeletingARowKeepsTheBlockRule) {
    AddRows(*panel, 10);
    EXPECT_TRUE(panel->DeleteRow(8));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}))
        << "the row that moved into place 8 would be the ninth of the first block";
    EXPECT_EQ(panel->GetEdit(8)->text(), QStringLiteral("00:00:09"));

    EXPECT_TRUE(panel->DeleteRow(0));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 7}));
    EXPECT_FALSE(panel->DeleteRow(-1));
    EXPECT_FALSE(panel->DeleteRow(8));
    EXPECT_EQ(panel->GetRowCount(), 8);
}

TEST_F(TimerPanelTest, DeletingTheRowWithTheFocusRunsNoCheck) {
    Show(3);
    Click(panel->GetEdit(2));
    QTest::keyClicks(panel->GetEdit(2), QStringLiteral("xyz"));
    const int before = Modified();
    EXPECT_TRUE(panel->DeleteRow(2));
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(Modified(), before);
}

TEST_F(TimerPanelTest, ReadRowGivesTheRowsValuesAndZeroForNumbersTheTextLacks) {
    panel->AddRow(false, 0, 10, 0, 0, false);
    panel->AddRow(true, 1, 2, 3, 45, false);
    panel->AddRow(true, 0, 10, 0, 0, false);
    panel->GetEdit(2)->setText(QStringLiteral("5"));
    bool on = true;
    std::uint32_t h = 9, m = 9, s = 9, t = 9;
    ASSERT_TRUE(panel->ReadRow(0, on, h, m, s, t));
    EXPECT_EQ(std::vector<std::uint32_t>({on, h, m, s, t}),
              (std::vector<std::uint32_t>{0, 0, 10, 0, 0}));
    ASSERT_TRUE(panel->ReadRow(1, on, h, m, s, t));
    EXPECT_EQ(std::vector<std::uint32_t>({on, h, m, s, t}),
              (std::vector<std::uint32_t>{1, 1, 2, 3, 45}));
    ASSERT_TRUE(panel->ReadRow(2, on, h, m, s, t));
    EXPECT_EQ(std::vector<std::uint32_t>({on, h, m, s, t}),
              (std::vector<std::uint32_t>{1, 5, 0, 0, 0}));
    EXPECT_FALSE(panel->IsRowReadable(2));
    EXPECT_TRUE(panel->IsRowReadable(1));

    panel->GetLabel(1)->setText(QStringLiteral("On"));
    ASSERT_TRUE(panel->ReadRow(1, on, h, m, s, t));
    EXPECT_FALSE(on) << "only exactly \"ON\" is on";

    h = 9;
    EXPECT_FALSE(panel->ReadRow(-1, on, h, m, s, t));
    EXPECT_FALSE(panel->ReadRow(3, on, h, m, s, t));
    EXPECT_EQ(h, 9u) << "outputs untouched";
    EXPECT_FALSE(panel->IsRowReadable(3));
}
