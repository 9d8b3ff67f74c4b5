#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "gui/app/AddTimerDialog.h"
#include "gui/common/FocusFrame.h"
#include "gui/common/Language.h"
#include "gui/common/TimerTexts.h"

namespace {

class AddTimerDialogTest : public ::testing::Test {
protected:
    explicit AddTimerDialogTest(const char* code = "en") : language(QString::fromLatin1(code)) {}

    void SetUp() override {
        ASSERT_TRUE(ShowActive(dialog));
        ok = FindByName<QPushButton>(&dialog, "ok");
        cancel = FindByName<QPushButton>(&dialog, "cancel");
        edit = FindByName<QLineEdit>(&dialog, "intervalEdit");
        onOff = FindByName<QPushButton>(&dialog, "onOffButton");
        combo = FindByName<QComboBox>(&dialog, "timerCombo");
        ASSERT_TRUE(ok && cancel && edit && onOff && combo);
    }

    // Types text into the edit and presses OK; true when the dialog accepted.
    bool Submit(const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::mouseClick(ok, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted && !dialog.isVisible();
    }

    const AppLanguage language;  // there before the dialog is made
    ScriptedPrompter prompter;
    AddTimerDialog dialog;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* onOff = nullptr;
    QComboBox* combo = nullptr;
};

// The main window's suite adds a timer through this dialog (timer 17, OFF, 1:2:3:4); these are
// the dialog's own rules.
TEST_F(AddTimerDialogTest,
       OpensWithTimer0OnZeroAndFocusInTheIntervalTabsTopToBottomAndFramesTheFocusedSwitch) {
    EXPECT_EQ(edit->text(), "00:00:00");
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), "00:00:00") << "typing replaces it";
    // Tab as the keyboard does it, round the dialog and back to the interval.
    std::vector<QWidget*> order{QApplication::focusWidget()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{edit, ok, cancel, combo, onOff, edit}));

    // The switch shows the focus with a frame: its corners in the text colour only while focused.
    const QImage without = onOff->grab().toImage();
    QTest::keyClick(edit, Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), onOff);
    const QImage with = onOff->grab().toImage();
    const QRect frame = FocusFrameRect(onOff->rect());
    ASSERT_FALSE(frame.isEmpty());
    const QColor ink = onOff->palette().color(QPalette::ButtonText);
    for (const QPoint corner : {frame.topLeft(), frame.bottomRight()}) {
        EXPECT_EQ(with.pixelColor(corner), ink);
        EXPECT_NE(without.pixelColor(corner), ink);
    }
    // A click or Space switches it.
    QTest::mouseClick(onOff, Qt::LeftButton);
    EXPECT_EQ(onOff->text(), "OFF");
    QTest::keyClick(onOff, Qt::Key_Space);
    EXPECT_EQ(onOff->text(), "ON");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetTimerNumber(), 0);
    EXPECT_TRUE(dialog.IsOn());
    EXPECT_EQ(dialog.GetHours() + dialog.GetMinutes() + dialog.GetSeconds(), 0u);
}

TEST_F(AddTimerDialogTest, RefusesWhatDoesNotReadKeepsSixtiethsNeverCutsTextAndEnterIsOk) {
    // Which texts read is IntervalTextNormal's; here a refusal keeps the dialog and the text.
    for (const char* text : {"100:00:00", "", "1:2"}) {
        prompter.messages.clear();
        EXPECT_FALSE(Submit(text)) << text;
        EXPECT_TRUE(dialog.isVisible()) << text;
        ASSERT_EQ(prompter.messages, QStringList{InvalidIntervalMessage()}) << text;
        EXPECT_EQ(edit->text(), text);  // left as typed
    }
    ASSERT_TRUE(Submit("00:00:10:30"));
    EXPECT_EQ(edit->text(), "00:00:10:30");
    EXPECT_EQ(dialog.GetSeconds(), 10u);
    EXPECT_EQ(dialog.GetTicks(), 30u);

    // A long text stays whole, whatever its length; OK judges it as the list's edits do.
    dialog.show();
    edit->clear();
    QTest::keyClicks(edit, "00:00:00:00:00");
    EXPECT_EQ(edit->text(), "00:00:00:00:00");
    edit->setText("00:01:00");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetMinutes(), 1u);
    EXPECT_EQ(dialog.GetTicks(), 0u);
}

TEST_F(AddTimerDialogTest, OffersTheFreeNumbersTheLowestFirstAndEnterOnCancelCancels) {
    dialog.SetFreeNumbers({2, 3, 4, 6});
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->currentText(), "2");
    combo->setCurrentIndex(3);
    ASSERT_TRUE(Submit("00:00:05"));
    EXPECT_EQ(dialog.GetTimerNumber(), 6) << "the number shown, not its place in the list";

    dialog.show();
    edit->setText("999:99:99");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(prompter.messages.isEmpty()) << "Cancel never checks the text";
}

class GermanAddTimerDialogTest : public AddTimerDialogTest {
protected:
    GermanAddTimerDialogTest() : AddTimerDialogTest("de") {}
};

TEST_F(GermanAddTimerDialogTest, TheSwitchSaysEinOrAusAndARefusalExplainsTheFormsInGerman) {
    EXPECT_EQ(onOff->text(), "EIN");
    QTest::mouseClick(onOff, Qt::LeftButton);
    EXPECT_EQ(onOff->text(), "AUS");

    EXPECT_FALSE(Submit("1:2"));
    ASSERT_EQ(prompter.messages,
              QStringList{"Das Intervall ist nicht lesbar. Geben Sie es als HH:MM:SS oder "
                          "HH:MM:SS:TT ein."});
    EXPECT_TRUE(
        prompter.details[0].startsWith(IntervalFormsText() + QStringLiteral(", zum Beispiel")))
        << prompter.details[0].toStdString();

    ASSERT_TRUE(Submit("0:0:5"));
    EXPECT_FALSE(dialog.IsOn()) << "the switch's state, whatever its word";
}

}  // namespace
