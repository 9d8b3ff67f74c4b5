// The interval edit on the real widget: what it commits, what it marks and keeps, when, and its
// typing limit.
// The rules for the text itself are tested in IntervalTextTests.cpp.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "gui/common/TimerTexts.h"
#include "gui/editor/IntervalEdit.h"

namespace {

// Two interval edits in an active window, and a button that takes the first focus when the
// window shows, so every entry into an edit is the test's own.
class IntervalEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        elsewhere->setGeometry(200, 0, 90, 20);
        first->setGeometry(0, 0, 150, 20);
        first->SetTypingLimit(kIntervalTypingLimit);
        second->setGeometry(0, 40, 150, 20);
        second->setText(QStringLiteral("00:00:01"));
        ASSERT_TRUE(ShowActive(window));
    }

    // Enters the first edit, replaces its text as a user does and leaves for the second.
    void Edit(const QString& text) {
        Click(first);
        ASSERT_TRUE(first->hasFocus());
        QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(first, Qt::Key_Delete);
        QTest::keyClicks(first, text);
        Click(second);
    }

    // Declared first, so it still answers while the window goes.
    ScriptedPrompter prompter;
    QWidget window;
    QPushButton* elsewhere = new QPushButton(QStringLiteral("elsewhere"), &window);
    IntervalEdit* first = new IntervalEdit(&window);
    IntervalEdit* second = new IntervalEdit(&window);
};

}  // namespace

TEST_F(IntervalEditTest, AnUnreadableTextStaysMarkedWhileTheTextOfEntryStaysTheValue) {
    const QString fromFile = QStringLiteral("4294967295:00:00:4294967295");
    const QString kept = QStringLiteral("01:02:03:45");
    first->setText(fromFile);
    EXPECT_EQ(first->text(), fromFile) << "a text set by the program is not cut";
    // It stays editable but does not grow.
    Click(first);
    QTest::keyClick(first, Qt::Key_End);
    QTest::keyClick(first, Qt::Key_1);
    EXPECT_EQ(first->text(), fromFile);
    struct Case {
        QString typed;
        bool reads;
        QString value;
    };
    // Each accepted entry becomes the value; a refusal keeps what was typed, marked.
    for (const Case& c : {Case{"100:0:0", false, fromFile}, Case{"1:2:3:45", true, kept},
                          Case{"abc", false, kept}}) {
        Edit(c.typed);
        EXPECT_EQ(first->text(), c.reads ? kept : c.typed) << c.typed.toStdString();
        EXPECT_EQ(first->IsUnreadable(), !c.reads) << c.typed.toStdString();
        EXPECT_EQ(first->IsMarked(), !c.reads);
        EXPECT_EQ(first->GetSavedText(), c.value) << c.typed.toStdString();
        EXPECT_TRUE(second->hasFocus()) << "a click still goes where the user sent it";
        if (!c.reads) {
            EXPECT_TRUE(first->toolTip().contains(IntervalFormsText()));
            EXPECT_TRUE(first->toolTip().contains(c.typed));
        }
    }
    EXPECT_TRUE(prompter.messages.isEmpty()) << "no message box";

    // Back in the field, Esc takes the typing back to the value, and the mark goes.
    Click(first);
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_EQ(first->text(), kept);
    EXPECT_FALSE(first->IsUnreadable());
    EXPECT_TRUE(first->toolTip().isEmpty());
}

TEST_F(IntervalEditTest, EnterTabAndArrowsKeepTheFocusInAFieldThatDoesNotRead) {
    QSignalSpy changed(first, &IntervalEdit::unreadableChanged);
    first->SetProgramText(QStringLiteral("00:00:09"));
    Click(first);
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("1:2"));
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_TRUE(first->IsUnreadable());
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(first->hasFocus()) << "Tab stays";
    QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(first->hasFocus()) << "Shift+Tab stays";
    EXPECT_EQ(first->text(), QStringLiteral("1:2"));
    EXPECT_EQ(changed.count(), 1) << "marked once, not at every refusal";

    // Typing on until it reads takes the mark away at once; Tab then commits and moves on.
    QTest::keyClicks(first, QStringLiteral(":3"));
    EXPECT_FALSE(first->IsUnreadable());
    EXPECT_EQ(changed.count(), 2);
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_FALSE(first->hasFocus());
    EXPECT_EQ(first->text(), QStringLiteral("01:02:03"));
}

TEST_F(IntervalEditTest, ATextTheTypingLimitCutCountsOnceTheUserShortensIt) {
    QSignalSpy committed(first, &IntervalEdit::textCommitted);
    first->SetProgramText(QStringLiteral("00:00:09"));
    // Cut, then shortened by the user: what shows is all that was typed, so it counts.
    Click(first);
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("00:00:00:0012"));
    EXPECT_TRUE(first->WasTypingCut());
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_FALSE(first->WasTypingCut());
    Click(second);
    EXPECT_EQ(first->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(committed.count(), 1);
}

TEST_F(IntervalEditTest, TheProgramsTextClearsTheMarkAndAnEntryKeepsTheValueOfTheFirst) {
    first->setText(QStringLiteral("00:00:09"));
    Edit(QStringLiteral("abc"));
    Click(first);
    Click(second);
    EXPECT_EQ(first->GetSavedText(), QStringLiteral("00:00:09"))
        << "entering again does not make the refused text the value";
    first->SetProgramText(QStringLiteral("00:00:07"));
    EXPECT_FALSE(first->IsUnreadable());
    EXPECT_EQ(first->text(), QStringLiteral("00:00:07"));
    first->SetLimitProblem(QStringLiteral("too long"));
    EXPECT_TRUE(first->IsMarked());
    EXPECT_EQ(first->toolTip(), QStringLiteral("too long"));
    first->SetLimitProblem({});
    EXPECT_FALSE(first->IsMarked());
}

TEST_F(IntervalEditTest, ItsOwnContextMenuNeitherChecksNorCountsAsEntry) {
    first->setText(QStringLiteral("00:00:01"));
    Click(first);
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("abc"));
    for (QEvent::Type type : {QEvent::FocusOut, QEvent::FocusIn}) {
        QFocusEvent popup(type, Qt::PopupFocusReason);
        QApplication::sendEvent(first, &popup);
    }
    EXPECT_FALSE(first->IsUnreadable()) << "not checked";
    Click(second);
    EXPECT_TRUE(first->IsUnreadable());
    EXPECT_EQ(first->GetSavedText(), QStringLiteral("00:00:01")) << "the text of the real entry";
}
