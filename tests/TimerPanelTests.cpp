// The timer panel on the real widgets: showing the rows it is given, placing, and the user's
// clicks, keys and focus changes with the signals they send. The panel changes no row itself:
// the program document answers the signals, and the panel shows its answer.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPushButton>
#include <vector>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "gui/common/Language.h"
#include "gui/common/SystemColors.h"
#include "gui/common/TimerTexts.h"
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

// Row r: ON for even rows, r seconds, no block start.
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

// Replaces an edit's text as a user does: select all, then type.
void Retype(IntervalEdit* edit, const QString& text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

}  // namespace

// A panel for timer 5 in a window standing in for the list.
class TimerPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Takes the first focus when the window shows, so no edit is entered by itself.
        (new QPushButton(QStringLiteral("elsewhere"), &window))->setGeometry(0, 380, 90, 20);
        panel = new TimerPanel(5, 2000, &window, 40, 236);
    }

    // Adds rows, lays the panel out and shows it in an active window, so clicks and focus work.
    void Show(int rows) {
        AddRows(*panel, rows);
        panel->Move(0, 236);
        ASSERT_TRUE(ShowActive(window));
    }
    // The palette is the application's, so these are read once it exists.
    ColorRef Active() const { return GetSysColor(SysColor::ActiveCaption); }
    ColorRef HighlightText() const { return GetSysColor(SysColor::HighlightText); }

    // Declared first, so it still answers while the window goes.
    ScriptedPrompter prompter;
    HostWindow window;
    TimerPanel* panel = nullptr;
};

TEST_F(TimerPanelTest, RowsShowExactlyTheBoxesGivenAndDeletingMovesTheRowsBelowUp) {
    // No block rule runs here: a first row without a start and a run of ten stay as given.
    for (int row = 0; row < 10; ++row) {
        ASSERT_EQ(panel->AddRow(row % 2 == 0, 0, 0, static_cast<std::uint32_t>(row),
                                row == 4 ? 5 : 0, row == 3 || row == 6),
                  row);
    }
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{3, 6}));
    EXPECT_EQ(panel->GetRowText(4), QStringLiteral("00:00:04:05"));

    // Label, text and box of each row below move up one place together.
    EXPECT_TRUE(panel->DeleteRow(1));
    EXPECT_EQ(panel->GetRowCount(), 9);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{2, 5}));
    EXPECT_TRUE(panel->IsRowOn(1));
    EXPECT_EQ(panel->GetRowText(1), QStringLiteral("00:00:02"));
    EXPECT_EQ(panel->GetRowText(3), QStringLiteral("00:00:04:05"));
    EXPECT_EQ(panel->GetEdit(9), nullptr) << "the last row's controls went";
    EXPECT_FALSE(panel->DeleteRow(9));

    panel->SetRow(2, true, QStringLiteral("12:30:00"), false);
    EXPECT_EQ(CheckedRows(*panel), (std::vector<int>{5})) << "SetRow clears a box the same way";
    EXPECT_TRUE(panel->IsRowOn(2));
    EXPECT_EQ(panel->GetRowText(2), QStringLiteral("12:30:00"));
    EXPECT_FALSE(panel->GetEdit(2)->HasPendingChange()) << "the program's text, not the user's";

    AddRows(*panel, TimerPanel::kMaxRows - panel->GetRowCount());
    EXPECT_EQ(panel->AddRow(true, 0, 0, 1, 0, false), -1) << "a full panel takes no more";
}

TEST_F(TimerPanelTest, AnEditReportsOnlyTheUsersChanges) {
    Show(3);
    QSignalSpy committed(panel, &TimerPanel::rowTextCommitted);
    IntervalEdit* edit = panel->GetEdit(1);
    // Entering selects the row; entering and leaving unchanged reports nothing, nor does a text
    // the document puts into the focused edit.
    Click(edit);
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    panel->GetCaption()->setFocus();
    Click(edit);
    panel->SetRow(1, false, QStringLiteral("00:07:00"), false);
    panel->GetCaption()->setFocus();
    EXPECT_EQ(committed.count(), 0);
}

TEST_F(TimerPanelTest, ActivatingArrivesBeforeTheCaptionTurnsActiveAndNeverFromTheActivePanel) {
    Show(2);
    std::vector<ColorRef> captionAtSignal;
    QObject::connect(panel, &TimerPanel::activating,
                     [&] { captionAtSignal.push_back(panel->GetCaption()->GetBackgroundColor()); });
    ColorStatic* label = panel->GetLabel(0);
    ColorCheckBox* box = panel->GetCheckBox(1);
    for (QWidget* control :
         std::initializer_list<QWidget*>{panel->GetCaption(), label, box, panel->GetEdit(1)}) {
        Click(control);
    }
    EXPECT_EQ(panel->GetCaption()->GetBackgroundColor(), Active());
    EXPECT_EQ(captionAtSignal.size(), 1U);

    // Each way into an inactive panel sends it first.
    for (QWidget* way : std::initializer_list<QWidget*>{label, box, panel->GetEdit(0)}) {
        panel->Deactivate();
        panel->GetCaption()->setFocus();  // so the edit's focus-in is a new one
        Click(way);
        EXPECT_TRUE(panel->IsActive());
    }
    EXPECT_EQ(captionAtSignal, std::vector<ColorRef>(4, GetSysColor(SysColor::InactiveCaption)));
}

TEST_F(TimerPanelTest, ABoxClickOrSpaceAsksForTheOtherStateSelectsTheRowAndLeavesTheBox) {
    Show(4);
    panel->SetRow(0, true, panel->GetRowText(0), true);
    QSignalSpy clicked(panel, &TimerPanel::blockStartClicked);

    Click(panel->GetCheckBox(2));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_TRUE(panel->IsActive());
    EXPECT_TRUE(panel->GetCheckBox(2)->hasFocus());
    Click(panel->GetCheckBox(0));
    EXPECT_EQ(panel->GetSelectedRow(), 0);

    // From the keyboard: Tab in selects the row, Space asks.
    panel->GetCheckBox(3)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(panel->GetSelectedRow(), 3);
    EXPECT_EQ(clicked.count(), 2) << "reaching a box asks nothing";
    QTest::keyClick(panel->GetCheckBox(3), Qt::Key_Space);

    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 0);
    EXPECT_EQ(clicked.at(2).at(0).toInt(), 3);
    EXPECT_EQ(CheckedRows(*panel), std::vector<int>{0}) << "the document decides";
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

TEST_F(TimerPanelTest, ALabelAsksToSwitchOnAClickOrSpaceOnceItsRowIsSelectedOrOnAnAssistivePress) {
    Show(3);
    ColorStatic* label = panel->GetLabel(1);
    // What the panel reports, in order.
    QStringList heard;
    QObject::connect(panel, &TimerPanel::rowSwitched,
                     [&](int row) { heard.append(QStringLiteral("switch %1").arg(row)); });
    QObject::connect(panel, &TimerPanel::rowTextCommitted, [&](int row, const QString& text) {
        heard.append(QStringLiteral("text %1 %2").arg(row).arg(text));
    });
    // Tab into the label selects its row, as a first click would, and asks nothing.
    label->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(panel->GetSelectedRow(), 1);
    EXPECT_TRUE(panel->IsActive());
    EXPECT_TRUE(heard.isEmpty());

    Click(label);
    QTest::keyClick(label, Qt::Key_Space);
    QTest::keyClick(label, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(heard, QStringList(2, QStringLiteral("switch 1"))) << "a click and a plain Space";
    EXPECT_EQ(label->text(), QStringLiteral("OFF")) << "the document decides";

    // Another row's first click only selects it.
    Click(panel->GetLabel(2));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_TRUE(RowColored(*panel, 2, Active(), HighlightText()));
    EXPECT_TRUE(RowColored(*panel, 1, kWhite, kBlack));
    EXPECT_TRUE(panel->GetLabel(2)->hasFocus()) << "so an edit left for it commits its text";
    Click(panel->GetCaption());
    EXPECT_EQ(panel->GetSelectedRow(), -1);
    EXPECT_TRUE(RowColored(*panel, 2, kWhite, kBlack));
    EXPECT_EQ(heard.size(), 2);

    // A screen reader's press asks at once, even for a row that was not selected; a text
    // being typed in an edit is committed first, as its own change.
    heard.clear();
    IntervalEdit* edit = panel->GetEdit(0);
    Click(edit);
    Retype(edit, QStringLiteral("0:0:42"));
    ASSERT_TRUE(PressAccessibly(panel->GetLabel(2)));
    EXPECT_EQ(panel->GetSelectedRow(), 2);
    EXPECT_EQ(panel->GetLabel(2)->text(), QStringLiteral("ON"));
    EXPECT_EQ(edit->text(), QStringLiteral("00:00:42"));
    EXPECT_EQ(heard, (QStringList{QStringLiteral("text 0 00:00:42"), QStringLiteral("switch 2")}));
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
    EXPECT_EQ(names(1)[0], QStringLiteral("Timer 12, interval 2, OFF"));
}

// The same panel with the interface in German, there before the panel is made.
class GermanTimerPanelTest : public TimerPanelTest {
protected:
    GermanTimerPanelTest() : german(QStringLiteral("de")) {}
    const AppLanguage german;
};

TEST_F(GermanTimerPanelTest, LabelsSayEinAndAusWhileEachRowKeepsItsStateAndNamesAreGerman) {
    const ScreenReaderOn reader;
    Show(3);  // ON, OFF, ON
    auto shown = [&] {
        QStringList texts;
        for (int row = 0; row < panel->GetRowCount(); ++row) {
            texts.append(panel->GetLabel(row)->text() +
                         (panel->IsRowOn(row) ? QStringLiteral("=on") : QStringLiteral("=off")));
        }
        return texts;
    };
    EXPECT_EQ(shown(), (QStringList{"EIN=on", "AUS=off", "EIN=on"}));
    EXPECT_EQ(AccessibleName(panel->GetCheckBox(1)),
              QStringLiteral("Intervall 2 von Timer 5 beginnt einen Block"));
    // The document switches the state; the word follows it.
    panel->SetRow(0, false, QStringLiteral("00:00:01"), false);
    EXPECT_EQ(shown(), (QStringList{"AUS=off", "AUS=off", "EIN=on"}));
}
