// The timer panel on the real widgets: the block rule, memory, reading rows, placing, and the
// user's clicks and focus changes with the notifications they send.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPushButton>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "gui/common/SystemColors.h"
#include "gui/editor/ColorCheckBox.h"
#include "gui/editor/ColorStatic.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerPanel.h"

namespace {

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

bool RowColored(const TimerPanel& panel, int row, ColorRef background, ColorRef text) {
    return panel.GetLabel(row)->GetBackgroundColor() == background &&
           panel.GetEdit(row)->GetBackgroundColor() == background &&
           panel.GetCheckBox(row)->GetBackgroundColor() == background &&
           panel.GetEdit(row)->GetTextColor() == text;
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
    // The palette is the application's, so these are read once it exists.
    ColorRef Active() const { return GetSysColor(SysColor::ActiveCaption); }
    ColorRef HighlightText() const { return GetSysColor(SysColor::HighlightText); }

    ScriptedPrompter prompter;
    EventRecorder list;
    TimerPanel* panel = nullptr;
};

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

    // A deletion that leaves a run too long is mended the same way.
    EXPECT_TRUE(panel->DeleteRow(8));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(panel->GetEdit(8)->text(), QStringLiteral("00:00:09")) << "row 9 moved up";
}

TEST_F(TimerPanelTest, MovePlacesTheRowsInPixelsAndShowsRowsAddedOnScreen) {
    Show(3);
    EXPECT_EQ(panel->GetLabel(2)->geometry(), QRect(0, 60, 50, 20));
    EXPECT_EQ(panel->GetEdit(2)->geometry(), QRect(50, 60, 168, 20));

    AddRows(*panel, 1);
    panel->Move(40, 236);
    EXPECT_TRUE(panel->GetEdit(3)->isVisible()) << "a row added on screen shows with the move";
    EXPECT_EQ(panel->GetEdit(3)->geometry(), QRect(50, 80, 168, 20));
    panel->Move(100, 216);
    EXPECT_EQ(panel->GetEdit(2)->geometry(), QRect(50, 60, 148, 20)) << "placed again";
    EXPECT_EQ(panel->GetCheckBox(3)->geometry(), QRect(198, 80, 18, 20));
}

TEST_F(TimerPanelTest, ALabelsFirstClickSelectsItsSecondTogglesAndACommittedTextNotifies) {
    Show(3);
    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(RowColored(*panel, 1, Active(), HighlightText()));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("OFF"));
    EXPECT_TRUE(panel->GetLabel(1)->hasFocus()) << "so an edit left for it checks its text";

    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("ON"));
    Click(panel->GetLabel(1));
    EXPECT_EQ(panel->GetLabel(1)->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Modified(), 2);

    Click(panel->GetLabel(2));
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("ON"));
    EXPECT_TRUE(RowColored(*panel, 1, kWhite, kBlack));
    Click(panel->GetCaption());
    EXPECT_EQ(panel->GetSelectedRow(), -1);
    EXPECT_TRUE(RowColored(*panel, 2, kWhite, kBlack));
    EXPECT_EQ(Modified(), 2);

    // A focus entry into an edit selects its row and changes nothing; a typed text is
    // reported once, when it is committed by Enter or by leaving the edit.
    IntervalEdit* edit = panel->GetEdit(1);
    Click(edit);
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    panel->GetCaption()->setFocus();
    Click(edit);
    EXPECT_EQ(Modified(), 2);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("00:00:12"));
    EXPECT_EQ(Modified(), 2);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Modified(), 3);
    QTest::keyClicks(edit, QStringLiteral(":30"));
    panel->GetCaption()->setFocus();
    EXPECT_EQ(Modified(), 4);
    Click(edit);
    panel->GetCaption()->setFocus();
    EXPECT_EQ(Modified(), 4) << "left unchanged";
}

TEST_F(TimerPanelTest, ActivatingArrivesBeforeTheCaptionTurnsActiveAndNeverFromTheActivePanel) {
    Show(2);
    std::vector<ColorRef> captionAtNotice;
    list.onEvent = [&](QEvent::Type type) {
        if (type == WMU_PANEL_ACTIVATING) {
            captionAtNotice.push_back(panel->GetCaption()->GetBackgroundColor());
        }
    };
    ColorStatic* label = panel->GetLabel(0);
    ColorCheckBox* box = panel->GetCheckBox(1);
    for (QWidget* control :
         std::initializer_list<QWidget*>{panel->GetCaption(), label, box, panel->GetEdit(1)}) {
        Click(control);
    }
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Active());
    EXPECT_EQ(list.Count(WMU_PANEL_ACTIVATING), 1);

    // Each way into an inactive panel sends it first.
    for (QWidget* way : std::initializer_list<QWidget*>{label, box, panel->GetEdit(0)}) {
        panel->Deactivate();
        panel->GetCaption()->setFocus();  // so the edit's focus-in is a new one
        Click(way);
        EXPECT_TRUE(panel->IsActive());
    }
    EXPECT_EQ(captionAtNotice, std::vector<ColorRef>(4, GetSysColor(SysColor::InactiveCaption)));
}

TEST_F(TimerPanelTest, BoxClicksKeepTheBlockRuleSelectTheRowAndAlwaysNotify) {
    Show(9);
    // Unchecking a start the rule needs is undone, and still reported.
    Click(panel->GetCheckBox(8));
    Click(panel->GetCheckBox(0));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 8}));
    EXPECT_EQ(Modified(), 2);
    EXPECT_EQ(panel->GetSelectedRow(), 0);

    AddRows(*panel, 3);
    panel->Move(0, 236);
    Click(panel->GetCheckBox(3));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 3, 8}));
    EXPECT_EQ(panel->GetSelectedRow(), 3);
    EXPECT_TRUE(panel->GetCheckBox(3)->hasFocus());
    // The block from row 3 may now run through row 10, and row 11 starts the next.
    Click(panel->GetCheckBox(8));
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{0, 3, 11}));
    EXPECT_EQ(Modified(), 4);
}

TEST_F(TimerPanelTest, DeletingKeepsTheHighlightInPlaceOrClearsItWithTheLastRowAndChecksNothing) {
    Show(5);
    // The focus is in the last row, with a text its check would refuse.
    Click(panel->GetEdit(4));
    QTest::keyClick(panel->GetEdit(4), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(panel->GetEdit(4), QStringLiteral("xyz"));
    panel->SelectRow(2);
    const int before = Modified();
    EXPECT_TRUE(panel->DeleteRow(2));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_TRUE(RowColored(*panel, 2, Active(), HighlightText()));
    EXPECT_TRUE(prompter.messages.isEmpty());

    panel->SelectRow(3);
    EXPECT_TRUE(panel->DeleteRow(3));
    EXPECT_EQ(panel->GetSelectedRow(), -1) << "the highlighted row was the last";
    EXPECT_EQ(Modified(), before) << "the caller reports a deletion";
}

namespace {

QString AccessibleName(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

// The assistive tool's press action, as a screen reader would send it.
bool PressAccessibly(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    QAccessibleActionInterface* actions = face != nullptr ? face->actionInterface() : nullptr;
    if (actions == nullptr ||
        !actions->actionNames().contains(QAccessibleActionInterface::pressAction())) {
        return false;
    }
    actions->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

}  // namespace

TEST_F(TimerPanelTest, SpaceAndAnAssistivePressSwitchALabelOnceWithOneNotice) {
    Show(3);
    ColorStatic* label = panel->GetLabel(1);
    EXPECT_TRUE(label->focusPolicy() & Qt::TabFocus) << "reachable with Tab";
    ColorStatic* watched = label;
    std::vector<QString> labelAtNotice;
    list.onEvent = [&](QEvent::Type type) {
        if (type == WMU_PROGRAM_MODIFIED) {
            labelAtNotice.push_back(watched->text());
        }
    };
    // Tab into the label selects its row, as a first click would, and switches nothing.
    label->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(panel->IsActive());
    EXPECT_EQ(label->text(), QStringLiteral("OFF"));

    QTest::keyClick(label, Qt::Key_Space);
    EXPECT_EQ(label->text(), QStringLiteral("ON"));
    EXPECT_EQ(labelAtNotice, std::vector<QString>{QStringLiteral("ON")}) << "after the change";
    QTest::keyClick(label, Qt::Key_Space);
    EXPECT_EQ(label->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Modified(), 2);
    QTest::keyClick(label, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Modified(), 2) << "only a plain Space";

    // A screen reader's press switches at once, even a row that was not selected; a text
    // being typed in an edit is committed first, as its own change.
    IntervalEdit* edit = panel->GetEdit(0);
    Click(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("00:00:42"));
    watched = panel->GetLabel(2);
    ASSERT_TRUE(PressAccessibly(watched));
    EXPECT_EQ(watched->text(), QStringLiteral("OFF"));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_EQ(edit->GetSavedText(), QStringLiteral("00:00:42"));
    // The edit's notice comes while the label still reads ON, then the label's own.
    EXPECT_EQ(labelAtNotice, (std::vector<QString>{"ON", "OFF", "ON", "OFF"}));
}

TEST_F(TimerPanelTest, EveryControlIsNamedForItsTimerAndIntervalAndTheNamesFollowChanges) {
    const ScreenReaderOn reader;
    AddRows(*panel, 3);  // ON, OFF, ON
    auto names = [&](int row) {
        return std::vector<QString>{AccessibleName(panel->GetLabel(row)),
                                    AccessibleName(panel->GetEdit(row)),
                                    AccessibleName(panel->GetCheckBox(row))};
    };
    EXPECT_EQ(names(1), (std::vector<QString>{"Timer 5, interval 2, OFF", "Timer 5, interval 2",
                                              "Timer 5, interval 2 starts a block"}));
    EXPECT_EQ(AccessibleName(panel->GetCaption()), QStringLiteral("Timer 5"));
    // The labels and the caption act, so a screen reader offers them as buttons.
    for (QWidget* control :
         {static_cast<QWidget*>(panel->GetCaption()), static_cast<QWidget*>(panel->GetLabel(0))}) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->role(), QAccessible::Button);
    }
    EXPECT_FALSE(panel->GetLabel(0)->toolTip().isEmpty());
    EXPECT_FALSE(panel->GetCheckBox(0)->toolTip().isEmpty());

    // Rows move up under a delete: the names go by place, the state with the row.
    ASSERT_TRUE(panel->DeleteRow(0));
    EXPECT_EQ(names(0), (std::vector<QString>{"Timer 5, interval 1, OFF", "Timer 5, interval 1",
                                              "Timer 5, interval 1 starts a block"}));
    EXPECT_EQ(AccessibleName(panel->GetLabel(1)), QStringLiteral("Timer 5, interval 2, ON"));
    panel->SetRow(1, false, QStringLiteral("00:00:01"), false);
    EXPECT_EQ(AccessibleName(panel->GetLabel(1)), QStringLiteral("Timer 5, interval 2, OFF"));
    panel->SetTimerNumber(12);
    EXPECT_EQ(AccessibleName(panel->GetCaption()), QStringLiteral("Timer 12"));
    EXPECT_EQ(names(1)[1], QStringLiteral("Timer 12, interval 2"));
    EXPECT_EQ(names(1)[0], QStringLiteral("Timer 12, interval 2, OFF"));

    // A toggle by a click renames the label too.
    panel->Move(0, 236);
    ASSERT_TRUE(ShowActive(list));
    Click(panel->GetLabel(0));
    Click(panel->GetLabel(0));
    EXPECT_EQ(AccessibleName(panel->GetLabel(0)), QStringLiteral("Timer 12, interval 1, ON"));
    EXPECT_EQ(Modified(), 1);
}
