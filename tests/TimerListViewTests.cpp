// The timer list on the real view, wired to the real edit commands: the mouse, the keyboard,
// the fields, the selection both ways, what a screen reader hears and the colours it paints.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QItemSelectionModel>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <QVBoxLayout>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "gui/app/EditActions.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListModel.h"
#include "gui/editor/TimerListView.h"

using namespace testing_support;

namespace {

// Notes what a widget repainted.
class PaintRegions : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    QRegion painted;
};

// Timer 1 of three rows (ON 5 s, OFF 10 s, ON 1 min) and timer 4 of two, in a window with a
// button before the list to take the focus from it.
class TimerListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        document.Open(
            QStringLiteral("p.tvr"),
            MakeProgram({{1, {{true, 0, 0, 5, 0}, {false, 0, 0, 10, 0}, {true, 0, 1, 0, 0}}},
                         {4, {{false, 0, 0, 2, 0}, {true, 0, 0, 3, 0}}}}));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(list);
        QObject::connect(list, &TimerListView::rowSwitched, &edits, &EditActions::OnRowSwitched);
        QObject::connect(list, &TimerListView::rowTextCommitted, &edits,
                         &EditActions::OnRowTextCommitted);
        QObject::connect(list, &TimerListView::blockStartClicked, &edits,
                         &EditActions::OnBlockStartClicked);
        QObject::connect(&edits, &EditActions::stepDone, list, &TimerListView::FocusSelection);
        window.resize(300, 400);
        ASSERT_TRUE(ShowActive(window));
    }

    void ClickPart(int panel, int row, RowPart part, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys,
                          list->PartRect(panel, row, part).center());
    }
    const EditorState& State() const { return document.GetState(); }
    const RowState& Row(int panel, int row) const {
        return State()
            .panels.at(static_cast<std::size_t>(panel))
            .rows.at(static_cast<std::size_t>(row));
    }
    // Keys as a user types them: each to whatever has the focus then.
    static void Type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    ScriptedPrompter prompter;
    QWidget window;
    ProgramDocument document;
    EditActions edits{document, &window};
    QPushButton* before = new QPushButton(QStringLiteral("before"), &window);
    TimerListView* list = new TimerListView(document, &window);
};

}  // namespace

TEST_F(TimerListViewTest, ALabelClickSelectsTheSecondSwitchesAndShiftSelectsRowsOfOneTimer) {
    ClickPart(0, 1, RowPart::Label);
    EXPECT_EQ(State().selection, (EditorSelection{0, 1, -1}));
    EXPECT_FALSE(Row(0, 1).on) << "the first click only selects";
    ClickPart(0, 1, RowPart::Label);
    EXPECT_TRUE(Row(0, 1).on);
    EXPECT_TRUE(list->hasFocus());

    // Shift+click and Shift+Up/Down: rows of the timer from where the range started.
    ClickPart(0, 2, RowPart::Label, Qt::ShiftModifier);
    EXPECT_EQ(State().selection, (EditorSelection{0, 2, 1}));
    Press(Qt::Key_Up, Qt::ShiftModifier);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(State().selection, (EditorSelection{0, 0, 1}));
    Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(State().selection, (EditorSelection{0, 0, 1})) << "never past the timer";
    ClickPart(1, 0, RowPart::Label, Qt::ShiftModifier);
    EXPECT_EQ(State().selection, (EditorSelection{1, 0, -1})) << "another timer starts afresh";

    // Up and Down go through captions and rows in the order they show; Space switches.
    Press(Qt::Key_Up);
    EXPECT_EQ(State().selection, (EditorSelection{1, -1, -1}));
    Press(Qt::Key_Up);
    EXPECT_EQ(State().selection, (EditorSelection{0, 2, -1}));
    Press(Qt::Key_Space);
    EXPECT_FALSE(Row(0, 2).on);
}

TEST_F(TimerListViewTest, TheSelectionModelAndTheDocumentFollowEachOther) {
    QItemSelectionModel& selection = *list->selectionModel();
    const TimerListModel& model = *list->ListModel();
    document.SetSelection({0, 2, 0});
    EXPECT_TRUE(selection.isRowSelected(0, model.IndexOf(0, -1, 0)));
    EXPECT_TRUE(selection.isRowSelected(2, model.IndexOf(0, -1, 0)));
    EXPECT_FALSE(selection.isRowSelected(0, model.IndexOf(1, -1, 0)));
    EXPECT_EQ(list->currentIndex(), model.IndexOf(0, 2, kIntervalColumn));
    document.SetSelection({1, -1});
    EXPECT_TRUE(selection.isRowSelected(1, {}));
    EXPECT_FALSE(selection.isRowSelected(0, model.IndexOf(0, -1, 0)));
    // A caption is one bar across the row: a change of its first cell repaints all of it.
    QCoreApplication::processEvents();
    PaintRegions paints;
    list->viewport()->installEventFilter(&paints);
    const QModelIndex caption = model.IndexOf(0, -1, 0);
    emit list->ListModel()->dataChanged(caption, caption, {TimerListModel::ActiveRole});
    QCoreApplication::processEvents();
    EXPECT_TRUE(paints.painted.contains(
        QPoint(list->viewport()->width() - 2, list->visualRect(caption).center().y())));
    list->viewport()->removeEventFilter(&paints);

    // A change made on the selection model, as a screen reader's select action makes it.
    selection.select(model.IndexOf(1, 1, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(State().selection, (EditorSelection{1, 1, -1}));

    // Rows going and coming back through undo leave the selection model as the document says.
    ASSERT_EQ(EditRefusal::None,
              document.Apply("delete", [](EditorState& s) { return DeleteRow(s, 0, 0); }));
    document.GetHistory()->undo();
    EXPECT_EQ(selection.selectedIndexes().size(), 3);
    EXPECT_EQ(TimerListModel::PanelOf(selection.selectedIndexes().front()),
              State().selection.panel);
}

TEST_F(TimerListViewTest, TypingOverARowOpensItsFieldEnterCommitsAndEscTakesBack) {
    ClickPart(0, 0, RowPart::Label);
    Type(QStringLiteral("0:7:0"));
    IntervalEdit* edit = list->Editor(0, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->text(), "0:7:0") << "the first key replaces the text";
    EXPECT_EQ(edit->accessibleName(), "Timer 1, interval 1, ON, 00:00:05, starts a block");
    Press(Qt::Key_Return);
    EXPECT_EQ(RowText(Row(0, 0)), "00:07:00");
    EXPECT_TRUE(list->hasFocus()) << "the field closes and the next typing opens it again";

    Type(QStringLiteral("1"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(list->Editor(0, 0)->text(), "00:07:00");
    Press(Qt::Key_Escape);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(RowText(Row(0, 0)), "00:07:00");

    // Down commits and goes on to the next row.
    Type(QStringLiteral("2:0:0"));
    Press(Qt::Key_Down);
    EXPECT_EQ(RowText(Row(0, 0)), "02:00:00");
    EXPECT_EQ(State().selection, (EditorSelection{0, 1, -1}));
}

TEST_F(TimerListViewTest, TypingThatDoesNotReadStaysFramedInItsFieldUntilPutRight) {
    ClickPart(0, 1, RowPart::Interval);
    IntervalEdit* edit = list->Editor(0, 1);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    Type(QStringLiteral("01.30.00"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Down}) {
        Press(key);
        EXPECT_TRUE(edit->hasFocus()) << key;
    }
    EXPECT_TRUE(edit->IsMarked());
    EXPECT_EQ(RowText(Row(0, 1)), "00:00:10") << "the last good value";

    // Another row's change and a click elsewhere leave the typing where it is.
    ClickPart(1, 0, RowPart::Label);
    ClickPart(1, 0, RowPart::Label);
    QCoreApplication::processEvents();
    ASSERT_EQ(list->Editor(0, 1), edit);
    EXPECT_EQ(edit->text(), "01.30.00");
    int panel = -1, row = -1;
    EXPECT_TRUE(list->FindUnreadableRow(panel, row));
    EXPECT_EQ(list->DescribeUnreadableRow().left(37), "Timer 1, interval 2 does not read. HH");

    // A whole-program command names it and puts the focus back in it.
    EXPECT_FALSE(list->CommitPendingEdits());
    EXPECT_EQ(prompter.messages, QStringList{"Timer 1, interval 2 does not read as an interval."});
    EXPECT_TRUE(edit->hasFocus());
    edit->selectAll();
    Type(QStringLiteral("1:30:0"));
    Press(Qt::Key_Return);
    EXPECT_EQ(RowText(Row(0, 1)), "01:30:00");
    EXPECT_FALSE(list->FindUnreadableRow(panel, row));
    EXPECT_TRUE(list->CommitPendingEdits());
}

TEST_F(TimerListViewTest, ACaptionDoubleClickAsksForANumberAndABoxClickForTheOtherState) {
    QSignalSpy renumber(list, &TimerListView::captionDoubleClicked);
    const QPoint caption = list->PartRect(1, -1, RowPart::Label).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, caption);
    ASSERT_EQ(renumber.count(), 1);
    EXPECT_EQ(renumber[0][0].toInt(), 1);
    EXPECT_EQ(State().selection, (EditorSelection{1, -1, -1}));

    ClickPart(0, 2, RowPart::Box);
    EXPECT_TRUE(Row(0, 2).blockStart);
    EXPECT_EQ(State().selection, (EditorSelection{0, 2, -1}));
    // A double click on a label acts once: its first click selects, its second is no click.
    ClickPart(0, 1, RowPart::Label);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->PartRect(0, 1, RowPart::Label).center());
    EXPECT_EQ(State().selection, (EditorSelection{0, 1, -1}));
    EXPECT_FALSE(Row(0, 1).on);
}

TEST_F(TimerListViewTest, AScreenReaderFindsEachCellByNameWithItsValue) {
    const ScreenReaderOn reader;
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->text(QAccessible::Name), "Timers");
    // The cells' names are the model's. A change is announced on the cell's place among the
    // tree's children: that place holds the cell.
    const QModelIndex label = list->ListModel()->IndexOf(1, 1, kStateColumn);
    QAccessibleInterface* cell = tree->child(list->AccessibleChild(label));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "Timer 4, interval 2, ON, 00:00:03");
}

TEST_F(TimerListViewTest, ADarkPaletteGivesADarkListWithReadableRowsAndCaptions) {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Mid, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Light, QColor(0x60, 0x60, 0x60));
    dark.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    list->setPalette(dark);
    document.SetSelection({0, 1});
    const QImage shot = list->viewport()->grab().toImage();
    auto at = [&](int panel, int row, RowPart part, int dx) {
        const QRect cell = list->PartRect(panel, row, part);
        return shot.pixelColor(cell.left() + dx, cell.top() + 2);
    };
    EXPECT_EQ(at(0, 0, RowPart::Label, 3), dark.color(QPalette::Base));
    EXPECT_EQ(at(0, 0, RowPart::Box, 1), dark.color(QPalette::Base));
    EXPECT_EQ(at(0, 1, RowPart::Label, 3), dark.color(QPalette::Highlight));
    // The inactive caption's text is the palette colour that stands out on its bar.
    const QRect caption = list->PartRect(1, -1, RowPart::Label);
    bool lightText = false;
    for (int x = 0; x < shot.width(); ++x) {
        lightText = lightText || shot.pixelColor(x, caption.center().y()).lightness() > 200;
    }
    EXPECT_TRUE(lightText);
    EXPECT_EQ(shot.pixelColor(caption.left() + 3, caption.top() + 2), dark.color(QPalette::Mid));
}
