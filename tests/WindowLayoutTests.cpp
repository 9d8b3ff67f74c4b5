// The main window and its dialogs at the default font and at a 14-point font: no text cut off,
// no control over another, and a name for every control a screen reader can reach.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSettings>
#include <QTest>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/TransferFrame.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/AddTimerDialog.h"
#include "gui/app/HelpDialog.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Language.h"
#include "gui/editor/TimerListModel.h"
#include "gui/editor/TimerListView.h"
#include "gui/transfer/ProgramDialog.h"

namespace {

// The text a control shows, without its mnemonic marks.
QString Shown(const QWidget* widget) {
    QString text;
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text = button->text();
    } else if (auto* label = qobject_cast<const QLabel*>(widget)) {
        text = label->text();
    }
    return text.remove(u'&');
}

// Every visible text control is wide and tall enough for its text, and no two controls that
// sit side by side in one parent overlap.
void ExpectNothingCut(QWidget* root, const char* where) {
    SCOPED_TRACE(where);
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!widget->isVisible() || Shown(widget).isEmpty()) {
            continue;
        }
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && (label->wordWrap() || label->textFormat() == Qt::RichText)) {
            continue;
        }
        const QFontMetrics metrics(widget->font());
        const QRect needed = metrics.boundingRect(QRect(0, 0, 10000, 10000), 0, Shown(widget));
        EXPECT_LE(needed.width(), widget->contentsRect().width()) << Shown(widget).toStdString();
        EXPECT_LE(metrics.height(), widget->contentsRect().height()) << Shown(widget).toStdString();
    }
    for (QWidget* a : widgets) {
        for (QWidget* b : widgets) {
            if (a < b && a->parentWidget() == b->parentWidget() && a->isVisible() &&
                b->isVisible() && !Shown(a).isEmpty() && !Shown(b).isEmpty()) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << Shown(a).toStdString() << " and " << Shown(b).toStdString();
            }
        }
    }
}

// Every text the list paints fits its cell: the caption, the ON/OFF label, the interval.
void ExpectListTextsFit(const TimerListView& list) {
    const QFontMetrics metrics(list.font());
    const TimerListModel& model = *list.ListModel();
    int checked = 0;
    for (int panel = 0; panel < model.PanelCount(); ++panel) {
        for (int row = -1; row < model.RowCount(panel); ++row) {
            for (int column : {kStateColumn, kIntervalColumn}) {
                const QModelIndex index = model.IndexOf(panel, row, column);
                const QString text = index.data().toString();
                if (text.isEmpty()) {
                    continue;
                }
                // A caption is a bar across the row.
                const QRect cell = row == -1 ? list.visualRect(index).united(list.visualRect(
                                                   model.IndexOf(panel, row, kBlockColumn)))
                                             : list.visualRect(index);
                EXPECT_LE(metrics.horizontalAdvance(text) + 4, cell.width()) << text.toStdString();
                EXPECT_LE(metrics.height(), cell.height()) << text.toStdString();
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

// In the programming dialog every wrapped text gets the height its width needs, and the panes
// lie whole below them at no less than their least size.
void ExpectPanesClearOfTexts(ProgramDialog& dialog, const char* where) {
    SCOPED_TRACE(where);
    QCoreApplication::processEvents();
    const PaneRects panes = dialog.GetPaneRects();
    const QRect both = panes.left.united(panes.right);
    EXPECT_TRUE(dialog.rect().contains(both));
    EXPECT_FALSE(panes.left.intersects(panes.right));
    const QSize least = PanesLeastSize(dialog.fontMetrics());
    EXPECT_GE(both.width(), least.width());
    EXPECT_GE(both.height(), least.height());
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisible() && label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << Shown(label).toStdString();
            EXPECT_LT(label->geometry().bottom(), both.top()) << Shown(label).toStdString();
        }
    }
}

// Controls a screen reader reaches that say nothing about themselves.
QStringList Unnamed(QWidget* root) {
    QStringList unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) != nullptr ||
                             qobject_cast<QLineEdit*>(widget) != nullptr ||
                             qobject_cast<QComboBox*>(widget) != nullptr ||
                             qobject_cast<QProgressBar*>(widget) != nullptr;
        if (!control || !widget->isVisible()) {
            continue;
        }
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed.append(QString::fromLatin1(widget->metaObject()->className()) + u' ' +
                           widget->objectName());
        }
    }
    return unnamed;
}

// A font size (0: the application's default) and a language.
class WindowLayoutTest : public ::testing::TestWithParam<std::tuple<int, const char*>> {
protected:
    void SetUp() override {
        QSettings().clear();
        saved = QApplication::font();
        if (const int points = std::get<0>(GetParam()); points > 0) {
            QFont font = saved;
            font.setPointSize(points);
            QApplication::setFont(font);
        }
    }
    void TearDown() override { QApplication::setFont(saved); }

    QFont saved;
    const AppLanguage language{QString::fromLatin1(std::get<1>(GetParam()))};
    ScriptedPrompter prompter;
    testing_support::TempDir dir;
};

TEST_P(WindowLayoutTest, NoTextIsCutAndEveryControlHasAName) {
    testing_support::WriteFile(dir.File("p.tvr"),
                               "TVRX\r\n1000\r\nTimer 3\r\nON - 00:00:05\r\nOFF - 00:10:00:30\r\n");
    MainWindow window;
    ASSERT_TRUE(ShowActive(window));
    const ScreenReaderOn reader;
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(dir.File("p.tvr"))));
    QCoreApplication::processEvents();
    ExpectNothingCut(&window, "main window");
    ExpectListTextsFit(*window.GetTimerList());
    EXPECT_EQ(Unnamed(&window), QStringList());
    // Texts set after the reader came, as the opened file's, are heard as shown.
    for (QWidget* control : window.findChildren<QWidget*>()) {
        EXPECT_TRUE(ExposesItsText(control));
    }

    AddTimerDialog editTime(&window);
    editTime.show();
    ExpectNothingCut(&editTime, "new-timer dialog");
    EXPECT_EQ(Unnamed(&editTime), QStringList());

    AboutDialog about(&window);
    about.SetBody(
        QStringLiteral("Programmable Timer 1.0.0\n\u00A9 2026 Tavrel\nwww.tavrel.example"));
    about.show();
    ExpectNothingCut(&about, "about box");

    const std::vector<std::uint8_t> frame{0x55, 0x02, 0x81, 0x20, 0xA1};
    ProgramDialog programming(frame.data(), static_cast<int>(frame.size()), kZeroTimeUs, kOneTimeUs,
                              kSyncTimeUs, &window);
    programming.show();
    ExpectNothingCut(&programming, "programming dialog");
    EXPECT_EQ(Unnamed(&programming), QStringList());
    ExpectPanesClearOfTexts(programming, "programming dialog");
    programming.SetWarnings(QStringList(4, QStringLiteral("Timer 0, interval 2 has 75 sixtieths "
                                                          "of a second; the device runs it as "
                                                          "00:00:02:15.")));
    ExpectPanesClearOfTexts(programming, "with warnings");
    programming.resize(programming.minimumSize());
    ExpectPanesClearOfTexts(programming, "with warnings, at its least size");

    HelpDialog help(&window);
    help.show();
    EXPECT_EQ(Unnamed(&help), QStringList());
}

// German texts are the longer ones. 0: the application's default font.
INSTANTIATE_TEST_SUITE_P(FontsAndLanguages, WindowLayoutTest,
                         ::testing::Combine(::testing::Values(0, 14),
                                            ::testing::Values("en", "de")));

}  // namespace
