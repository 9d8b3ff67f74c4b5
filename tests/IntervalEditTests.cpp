// Reading interval text, and the interval edit's focus-loss check, typing limit and read-back
// on the real widget.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "EditorTestSupport.h"
#include "IntervalEdit.h"
#include "ScriptedPrompter.h"
#include "TimerTexts.h"

namespace {

struct Reading {
    int count;
    std::uint32_t hours, minutes, seconds, ticks;
};

// Reads with every output preset to 77, so untouched outputs show.
Reading Read(const QString& text) {
    Reading r{0, 77, 77, 77, 77};
    r.count = ParseIntervalText(text, r.hours, r.minutes, r.seconds, r.ticks);
    return r;
}

const QString kMessage = kInvalidIntervalMessage;

}  // namespace

TEST(ParseIntervalTextTest, ReadsThreeOrFourNumbersWithTicksZeroUnlessGiven) {
    Reading r = Read(QStringLiteral("00:10:00"));
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.hours, 0u);
    EXPECT_EQ(r.minutes, 10u);
    EXPECT_EQ(r.seconds, 0u);
    EXPECT_EQ(r.ticks, 0u);

    r = Read(QStringLiteral("00:10:00:30"));
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(r.ticks, 30u);

    r = Read(QStringLiteral("123:4:5:6:7"));
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(r.hours, 123u);
    EXPECT_EQ(r.ticks, 6u);
}

TEST(ParseIntervalTextTest, NumbersTheTextDoesNotGiveKeepTheCallersValues) {
    Reading r = Read(QStringLiteral("5"));
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.hours, 5u);
    EXPECT_EQ(r.minutes, 77u);
    EXPECT_EQ(r.seconds, 77u);
    EXPECT_EQ(r.ticks, 0u) << "ticks are always preset to 0";

    r = Read(QStringLiteral("abc"));
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.hours, 77u);

    r = Read(QString());
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.hours, 77u);

    r = Read(QStringLiteral("1:2:3:"));
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.ticks, 0u);

    r = Read(QStringLiteral("1 :2:3"));
    EXPECT_EQ(r.count, 1) << "a blank before a separator stops the reading";

    r = Read(QStringLiteral("1;2:3"));
    EXPECT_EQ(r.count, 1);

    r = Read(QStringLiteral("1:2:-"));
    EXPECT_EQ(r.count, 2) << "a sign without digits is no number";
    EXPECT_EQ(r.seconds, 77u);
}

TEST(ParseIntervalTextTest, ReadsNumbersAsUnsignedConversionDoes) {
    Reading r = Read(QStringLiteral(" 1:\t2: +3"));
    EXPECT_EQ(r.count, 3) << "blanks before a number and a plus sign are read";
    EXPECT_EQ(r.hours, 1u);
    EXPECT_EQ(r.minutes, 2u);
    EXPECT_EQ(r.seconds, 3u);

    r = Read(QStringLiteral("-1:00:00"));
    EXPECT_EQ(r.hours, 4294967295u);
    r = Read(QStringLiteral("-4294967295:00:00"));
    EXPECT_EQ(r.hours, 1u);

    r = Read(QStringLiteral("4294967295:00:00:4294967295"));
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(r.hours, 4294967295u);
    EXPECT_EQ(r.ticks, 4294967295u);

    r = Read(QStringLiteral("4294967296:00:00"));
    EXPECT_EQ(r.hours, 4294967295u) << "too big for 32 bits never wraps to a small number";
    r = Read(QStringLiteral("99999999999999999999999:1:2"));
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.hours, 4294967295u);
    EXPECT_EQ(r.seconds, 2u);
}

TEST(IntervalCheckTest, LimitsHoursMinutesAndSecondsTo99AndIgnoresTicks) {
    for (const char* text :
         {"99:99:99", "00:60:00", "00:00:75", "01:02:03:250", "0:0:0", "1:2:3xyz"}) {
        EXPECT_TRUE(IsAcceptableInterval(QString::fromLatin1(text))) << text;
    }
    for (const char* text :
         {"100:00:00", "00:100:00", "00:00:100", "-1:00:00", "4294967295:00:00"}) {
        EXPECT_FALSE(IsAcceptableInterval(QString::fromLatin1(text))) << text;
    }
}

TEST(IntervalCheckTest, RefusesTextsThatDoNotGiveThreeNumbers) {
    for (const char* text : {"", "5", "abc", "1:2", "1:2:", ":1:2:3", "   "}) {
        EXPECT_FALSE(IsAcceptableInterval(QString::fromLatin1(text))) << '"' << text << '"';
        EXPECT_FALSE(ReadsAsInterval(QString::fromLatin1(text))) << '"' << text << '"';
    }
    EXPECT_TRUE(ReadsAsInterval(u"100:00:00")) << "readable, though the edit would refuse it";
}

// Two interval edits in an active window; the user moves between them with the mouse.
class IntervalEditFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        // Takes the first focus when the window shows, so every entry into an edit is the
        // test's own.
        (new QPushButton(QStringLiteral("elsewhere"), &window))->setGeometry(200, 0, 90, 20);
        first = new IntervalEdit(&window);
        first->setGeometry(0, 0, 150, 20);
        first->SetTypingLimit(kIntervalTypingLimit);
        second = new IntervalEdit(&window);
        second->setGeometry(0, 40, 150, 20);
        second->SetTypingLimit(kIntervalTypingLimit);
        second->setText(QStringLiteral("00:00:01"));
        ASSERT_TRUE(ShowActive(window));
    }

    void Enter(IntervalEdit* edit) {
        Click(edit);
        ASSERT_TRUE(edit->hasFocus());
    }
    // Replaces the text as a user does: select all, type.
    void Type(IntervalEdit* edit, const QString& text) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, text);
        }
    }
    // Enters the first edit, types, and leaves for the second.
    void EditFirst(const QString& text) {
        Enter(first);
        Type(first, text);
        Click(second);
    }

    ScriptedPrompter prompter;
    QWidget window;
    IntervalEdit* first = nullptr;
    IntervalEdit* second = nullptr;
};

TEST_F(IntervalEditFocusTest, AcceptsLargeButValidFieldsSilently) {
    first->setText(QStringLiteral("00:00:05"));
    for (const char* raw : {"99:99:99", "00:60:00", "00:00:75", "01:02:03:250"}) {
        const QString text = QString::fromLatin1(raw);
        EditFirst(text);
        EXPECT_EQ(first->text(), text);
    }
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(IntervalEditFocusTest, RefusesAFieldAbove99AndRestoresTheTextItHadOnEntry) {
    for (const char* raw : {"100:00:00", "00:100:00", "00:00:100", "-1:00:00"}) {
        const QString text = QString::fromLatin1(raw);
        first->setText(QStringLiteral("01:02:03:04"));
        prompter.messages.clear();
        EditFirst(text);
        EXPECT_EQ(prompter.messages, QStringList{kMessage}) << text.toStdString();
        EXPECT_EQ(first->text(), QStringLiteral("01:02:03:04")) << text.toStdString();
        EXPECT_TRUE(second->hasFocus()) << "the focus still goes where the user sent it";
    }
}

TEST_F(IntervalEditFocusTest, RefusesATextThatIsNotThreeNumbers) {
    for (const char* raw : {"", "5", "abc", "12:30"}) {
        const QString text = QString::fromLatin1(raw);
        first->setText(QStringLiteral("00:10:00"));
        prompter.messages.clear();
        EditFirst(text);
        EXPECT_EQ(prompter.messages, QStringList{kMessage}) << '"' << text.toStdString() << '"';
        EXPECT_EQ(first->text(), QStringLiteral("00:10:00"));
    }
}

TEST_F(IntervalEditFocusTest, RestoresALongTextFromAFileWhole) {
    const QString fromFile = QStringLiteral("4294967295:00:00:4294967295");
    first->setText(fromFile);
    EXPECT_EQ(first->text(), fromFile) << "a text set by the program is not cut";
    EditFirst(QStringLiteral("100:0:0"));
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(first->text(), fromFile);
}

TEST_F(IntervalEditFocusTest, RemembersTheTextEachTimeItGetsTheFocus) {
    first->setText(QStringLiteral("00:00:01"));
    EditFirst(QStringLiteral("00:00:02"));
    EXPECT_EQ(first->text(), QStringLiteral("00:00:02"));
    EditFirst(QStringLiteral("abc"));
    EXPECT_EQ(first->text(), QStringLiteral("00:00:02"));
    EXPECT_EQ(first->GetSavedText(), QStringLiteral("00:00:02"));
}

TEST_F(IntervalEditFocusTest, ReportsEveryFocusEntry) {
    QSignalSpy entries(first, &IntervalEdit::focusEntered);
    first->setText(QStringLiteral("00:00:01"));
    Enter(first);
    Click(second);
    Enter(first);
    EXPECT_EQ(entries.count(), 2);
    QTest::keyClicks(first, QStringLiteral("5"));
    EXPECT_EQ(entries.count(), 2) << "typing is no entry";
}

TEST_F(IntervalEditFocusTest, ItsOwnContextMenuNeitherChecksNorCountsAsEntry) {
    first->setText(QStringLiteral("00:00:01"));
    Enter(first);
    Type(first, QStringLiteral("abc"));
    QSignalSpy entries(first, &IntervalEdit::focusEntered);

    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(first, &out);
    QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(first, &in);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(first->text(), QStringLiteral("abc"));
    EXPECT_EQ(entries.count(), 0);
    EXPECT_EQ(first->GetSavedText(), QStringLiteral("00:00:01"));

    Click(second);
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(first->text(), QStringLiteral("00:00:01"));
}

TEST_F(IntervalEditFocusTest, TypingStopsAtTwelveCharacters) {
    Enter(first);
    QTest::keyClicks(first, QStringLiteral("123456789012345"));
    EXPECT_EQ(first->text(), QStringLiteral("123456789012"));

    Type(first, QStringLiteral("1"));
    QApplication::clipboard()->setText(QStringLiteral("2345678901234"));
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(first->text(), QStringLiteral("1")) << "a paste that goes past the limit is refused";
    QApplication::clipboard()->setText(QStringLiteral(":00:00"));
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(first->text(), QStringLiteral("1:00:00"));
}

TEST_F(IntervalEditFocusTest, ALongTextCanBeShortenedButNotLengthened) {
    const QString fromFile = QStringLiteral("4294967295:00:00");  // 16 characters
    first->setText(fromFile);
    Enter(first);
    QTest::keyClick(first, Qt::Key_End);
    QTest::keyClick(first, Qt::Key_1);
    EXPECT_EQ(first->text(), fromFile);
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(first->text(), QStringLiteral("4294967295:00:0"));
    QTest::keyClick(first, Qt::Key_5);
    EXPECT_EQ(first->text(), QStringLiteral("4294967295:00:05"));
}

TEST_F(IntervalEditFocusTest, ReadIntervalReadsTheWholeText) {
    first->setText(QStringLiteral("4294967295:00:59:30"));
    std::uint32_t hours = 1, minutes = 2, seconds = 3, ticks = 4;
    EXPECT_EQ(first->ReadInterval(hours, minutes, seconds, ticks), 4);
    EXPECT_EQ(hours, 4294967295u);
    EXPECT_EQ(minutes, 0u);
    EXPECT_EQ(seconds, 59u);
    EXPECT_EQ(ticks, 30u);

    first->setText(QStringLiteral("5"));
    EXPECT_EQ(first->ReadInterval(hours, minutes, seconds, ticks), 1);
    EXPECT_EQ(hours, 5u);
    EXPECT_EQ(minutes, 0u) << "kept from before";
    EXPECT_EQ(seconds, 59u) << "kept from before";
    EXPECT_EQ(ticks, 0u);
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
    QWidget window;
    window.resize(300, 100);
    (new QPushButton(QStringLiteral("elsewhere"), &window))->setGeometry(200, 0, 90, 20);
    auto* edit = new IntervalEdit(&window);
    edit->setGeometry(0, 0, 150, 20);
    auto* other = new IntervalEdit(&window);
    other->setGeometry(0, 40, 150, 20);
    other->setText(QStringLiteral("00:00:01"));
    edit->setText(QStringLiteral("00:00:09"));
    ASSERT_TRUE(ShowActive(window));

    Click(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("abc"));
    prompter.returnTo = edit;
    Click(other);
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("00:00:09"));
    EXPECT_EQ(edit->GetSavedText(), QStringLiteral("00:00:09"))
        << "an entry during the check must not save the refused text";

    prompter.returnTo = nullptr;
    Click(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("1"));
    Click(other);
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(edit->text(), QStringLiteral("00:00:09"));
}

TEST(IntervalEditReentryTest, TheRealMessageBoxShowsOnceAndTheTextComesBack) {
    QWidget window;
    window.resize(300, 100);
    (new QPushButton(QStringLiteral("elsewhere"), &window))->setGeometry(200, 0, 90, 20);
    auto* edit = new IntervalEdit(&window);
    edit->setGeometry(0, 0, 150, 20);
    auto* other = new IntervalEdit(&window);
    other->setGeometry(0, 40, 150, 20);
    edit->setText(QStringLiteral("00:00:09"));
    other->setText(QStringLiteral("00:00:01"));
    ASSERT_TRUE(ShowActive(window));

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

    Click(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("100:00:00"));
    Click(other);
    closer.stop();

    EXPECT_EQ(shown, QStringList{kMessage});
    EXPECT_EQ(edit->text(), QStringLiteral("00:00:09"));
    EXPECT_EQ(other->text(), QStringLiteral("00:00:01"));
}
