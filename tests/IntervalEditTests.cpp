// The interval edit on the real widget: reading its text back, its focus-loss check, its typing
// limit, and the message box that check raises. The rules for the text itself are tested on
// their own in IntervalTextTests.cpp.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "EditorTestSupport.h"
#include "IntervalEdit.h"
#include "ScriptedPrompter.h"
#include "TimerTexts.h"

namespace {

const QString kMessage = kInvalidIntervalMessage;

// Two interval edits in an active window, and a button that takes the first focus when the
// window shows, so every entry into an edit is the test's own.
struct TwoEdits {
    TwoEdits() {
        window.resize(300, 100);
        (new QPushButton(QStringLiteral("elsewhere"), &window))->setGeometry(200, 0, 90, 20);
        first = new IntervalEdit(&window);
        first->setGeometry(0, 0, 150, 20);
        first->SetTypingLimit(kIntervalTypingLimit);
        second = new IntervalEdit(&window);
        second->setGeometry(0, 40, 150, 20);
        second->setText(QStringLiteral("00:00:01"));
    }

    // Enters the edit, replaces its text as a user does (select all, type), and leaves for the
    // other edit.
    void Edit(IntervalEdit* edit, const QString& text) {
        Click(edit);
        ASSERT_TRUE(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, text);
        }
        Click(edit == first ? second : first);
    }

    QWidget window;
    IntervalEdit* first = nullptr;
    IntervalEdit* second = nullptr;
};

class IntervalEditFocusTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ShowActive(edits.window)); }
    void Edit(IntervalEdit* edit, const QString& text) { edits.Edit(edit, text); }

    // Declared first, so it still answers while the window goes.
    ScriptedPrompter prompter;
    TwoEdits edits;
    IntervalEdit* first = edits.first;
    IntervalEdit* second = edits.second;
};

}  // namespace

TEST(IntervalEditReadTest, ReadsTheWholeTextTicksZeroUnlessGiven) {
    IntervalEdit edit;
    edit.setText(QStringLiteral("4294967295:00:59:30"));
    std::uint32_t hours = 1, minutes = 2, seconds = 3, ticks = 4;
    EXPECT_EQ(edit.ReadInterval(hours, minutes, seconds, ticks), 4);
    EXPECT_EQ(hours, 4294967295u);
    EXPECT_EQ(seconds, 59u);
    EXPECT_EQ(ticks, 30u);

    edit.setText(QStringLiteral("5"));
    EXPECT_EQ(edit.ReadInterval(hours, minutes, seconds, ticks), 1);
    EXPECT_EQ(hours, 5u);
    EXPECT_EQ(minutes, 0u) << "kept from before";
    EXPECT_EQ(seconds, 59u) << "kept from before";
    EXPECT_EQ(ticks, 0u) << "ticks are always preset to 0";

    EXPECT_TRUE(ReadsAsInterval(u"100:00:00")) << "readable, though the edit would refuse it";
    for (const char* text : {"", "5", "1:2", ":1:2:3", "abc"}) {
        EXPECT_FALSE(ReadsAsInterval(QString::fromLatin1(text))) << '"' << text << '"';
    }
}

TEST_F(IntervalEditFocusTest, KeepsAnAcceptableTextAndRefusesOthersRestoringTheTextOnEntry) {
    struct Case {
        const char* typed;
        bool kept;
    };
    for (const Case& c :
         {Case{"99:99:99", true}, Case{"01:02:03:250", true}, Case{"00:100:00", false},
          Case{"-1:00:00", false}, Case{"", false}, Case{"12:30", false}, Case{"abc", false}}) {
        const QString typed = QString::fromLatin1(c.typed);
        first->setText(QStringLiteral("01:02:03:04"));
        prompter.messages.clear();
        Edit(first, typed);
        EXPECT_EQ(first->text(), c.kept ? typed : QStringLiteral("01:02:03:04")) << c.typed;
        EXPECT_EQ(prompter.messages, c.kept ? QStringList() : QStringList{kMessage}) << c.typed;
        EXPECT_TRUE(second->hasFocus()) << "the focus still goes where the user sent it";
    }
}

TEST_F(IntervalEditFocusTest, RestoresALongTextFromAFileWhole) {
    const QString fromFile = QStringLiteral("4294967295:00:00:4294967295");
    first->setText(fromFile);
    EXPECT_EQ(first->text(), fromFile) << "a text set by the program is not cut";
    Edit(first, QStringLiteral("100:0:0"));
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(first->text(), fromFile);
}

TEST_F(IntervalEditFocusTest, RemembersTheTextEachTimeItGetsTheFocus) {
    first->setText(QStringLiteral("00:00:01"));
    Edit(first, QStringLiteral("00:00:02"));
    Edit(first, QStringLiteral("abc"));
    EXPECT_EQ(first->text(), QStringLiteral("00:00:02"));
    EXPECT_EQ(first->GetSavedText(), QStringLiteral("00:00:02"));
}

TEST_F(IntervalEditFocusTest, ItsOwnContextMenuNeitherChecksNorCountsAsEntry) {
    first->setText(QStringLiteral("00:00:01"));
    Click(first);
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("abc"));
    int entries = 0;
    QObject::connect(first, &IntervalEdit::focusEntered, [&entries] { ++entries; });

    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(first, &out);
    QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(first, &in);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(first->text(), QStringLiteral("abc"));
    EXPECT_EQ(entries, 0);

    Click(second);
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(first->text(), QStringLiteral("00:00:01"));
}

TEST_F(IntervalEditFocusTest, TypingStopsAtTwelveCharactersButALongTextCanBeShortened) {
    Click(first);
    QTest::keyClicks(first, QStringLiteral("123456789012345"));
    EXPECT_EQ(first->text(), QStringLiteral("123456789012"));

    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("1"));
    QApplication::clipboard()->setText(QStringLiteral("2345678901234"));
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(first->text(), QStringLiteral("1")) << "a paste that goes past the limit is refused";

    const QString fromFile = QStringLiteral("4294967295:00:00");  // 16 characters
    first->setText(fromFile);
    QTest::keyClick(first, Qt::Key_End);
    QTest::keyClick(first, Qt::Key_1);
    EXPECT_EQ(first->text(), fromFile);
    QTest::keyClick(first, Qt::Key_Backspace);
    QTest::keyClick(first, Qt::Key_5);
    EXPECT_EQ(first->text(), QStringLiteral("4294967295:00:05"));
}

// A message box takes the focus and gives it back when it closes, inside the focus change that
// raised it. This prompter does that to the edit being checked.
class FocusReturningPrompter : public ScriptedPrompter {
public:
    QWidget* returnTo = nullptr;
    void ShowMessage(QWidget* parent, const QString& text, const QString& detail) override {
        ScriptedPrompter::ShowMessage(parent, text, detail);
        if (returnTo != nullptr) {
            returnTo->setFocus(Qt::ActiveWindowFocusReason);
            returnTo->clearFocus();
            returnTo->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
};

TEST(IntervalEditReentryTest, AFocusChangeDuringTheMessageDoesNotCheckAgainOrLoseTheSavedText) {
    FocusReturningPrompter prompter;
    TwoEdits edits;
    edits.first->setText(QStringLiteral("00:00:09"));
    ASSERT_TRUE(ShowActive(edits.window));

    prompter.returnTo = edits.first;
    edits.Edit(edits.first, QStringLiteral("abc"));
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(edits.first->text(), QStringLiteral("00:00:09"));
    EXPECT_EQ(edits.first->GetSavedText(), QStringLiteral("00:00:09"))
        << "an entry during the check must not save the refused text";

    prompter.returnTo = nullptr;
    edits.Edit(edits.first, QStringLiteral("1"));
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(edits.first->text(), QStringLiteral("00:00:09"));
}

TEST(IntervalEditReentryTest, TheRealMessageBoxShowsOnceAndTheTextComesBack) {
    TwoEdits edits;
    edits.first->setText(QStringLiteral("00:00:09"));
    ASSERT_TRUE(ShowActive(edits.window));

    QStringList shown;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown.append(box->text());
            box->done(QMessageBox::Ok);
        }
    });
    closer.start();
    edits.Edit(edits.first, QStringLiteral("100:00:00"));
    closer.stop();

    EXPECT_EQ(shown, QStringList{kMessage});
    EXPECT_EQ(edits.first->text(), QStringLiteral("00:00:09"));
    EXPECT_EQ(edits.second->text(), QStringLiteral("00:00:01"));
}
