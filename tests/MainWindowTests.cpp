// The application's window end to end: the real MainWindow, its dialogs and its editor, with
// message boxes and file dialogs answered by a script.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "EditorTestSupport.h"
#include "ModalHandler.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/TimerFile.h"
#include "gui/app/EditActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Language.h"
#include "gui/common/TimerTexts.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListModel.h"
#include "gui/editor/TimerListView.h"
#include "gui/timeline/TimelineView.h"

using namespace testing_support;

namespace {

constexpr char kWorkedExample[] =
    "TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 0\r\nON - 00:00:05\r\nOFF - 00:00:10:30\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(const char* code = "en") : language(QString::fromLatin1(code)) {}

    void SetUp() override {
        ASSERT_TRUE(ShowActive(window));
        list = window.GetTimerList();
        addTimer = FindByName<QPushButton>(&window, "addTimer");
        addInterval = FindByName<QPushButton>(&window, "addInterval");
        deleteButton = FindByName<QPushButton>(&window, "delete");
        program = FindByName<QPushButton>(&window, "program");
        startup = FindByName<QCheckBox>(&window, "startupCheck");
        gauge = FindByName<QProgressBar>(&window, "memoryGauge");
        ASSERT_TRUE(list && addTimer && addInterval && deleteButton && program && startup && gauge);
    }

    void TearDown() override { EXPECT_EQ(prompter.unexpected, QStringList()); }

    // Every menu, the window and each dialog it opens: no two things share an Alt letter.
    void ExpectEveryThingHasItsOwnLetter();

    // Add Timer through the real new-timer dialog.
    void AddTimerThroughDialog(int timer, bool on, const QString& text) {
        modal.Expect([=](QDialog& dialog) {
            auto* numbers = FindByName<QComboBox>(&dialog, "timerCombo");
            numbers->setCurrentIndex(numbers->findText(QString::number(timer)));
            if (!on) {
                QTest::mouseClick(FindByName<QPushButton>(&dialog, "onOffButton"), Qt::LeftButton);
            }
            QLineEdit* edit = FindByName<QLineEdit>(&dialog, "intervalEdit");
            edit->clear();
            QTest::keyClicks(edit, text);
            QTest::mouseClick(FindByName<QPushButton>(&dialog, "ok"), Qt::LeftButton);
        });
        QTest::mouseClick(addTimer, Qt::LeftButton);
        ASSERT_TRUE(modal.Seen());
        // Without a window manager nothing gives the activation back after a modal dialog.
        ASSERT_TRUE(ShowActive(window));
    }

    void Trigger(const char* menuId) {
        QAction* action = FindByName<QAction>(&window, menuId);
        ASSERT_NE(action, nullptr) << menuId;
        action->trigger();
    }

    // What the list shows, through its model.
    const TimerListModel& Model() const { return *list->ListModel(); }
    int Panels() const { return Model().PanelCount(); }
    int Rows(int panel) const { return Model().RowCount(panel); }
    int TimerNumber(int panel) const {
        return window.GetDocument()
            .GetState()
            .panels.at(static_cast<std::size_t>(panel))
            .timerNumber;
    }
    QString Shown(int panel, int row, int column = kIntervalColumn) const {
        return Model().IndexOf(panel, row, column).data().toString();
    }
    bool BlockStart(int panel, int row) const {
        return Model().IndexOf(panel, row, kBlockColumn).data(Qt::CheckStateRole) == Qt::Checked;
    }
    void Select(int panel, int row) { window.GetDocument().SetSelection({panel, row}); }
    void ClickPart(int panel, int row, RowPart part, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys,
                          list->PartRect(panel, row, part).center());
    }
    // Keys as a user types them: each to whatever has the focus then.
    static void TypeKeys(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    // Alt and a button's letter: the button clicks itself a moment later.
    void PressMnemonic(Qt::Key key) {
        QTest::keyClick(&window, key, Qt::AltModifier);
        QTest::qWait(250);
    }
    // Types text over the row's text as a user would, without committing it: a click on its
    // label selects the row, and typing in the list opens its field.
    IntervalEdit* TypeOver(int panel, int row, const QString& text) {
        Select(panel, row);
        list->setFocus(Qt::MouseFocusReason);
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
        TypeKeys(text);
        IntervalEdit* edit = list->Editor(panel, row);
        EXPECT_NE(edit, nullptr);
        EXPECT_TRUE(edit != nullptr && edit->hasFocus());
        return edit;
    }
    // The text the document holds for a row.
    std::string Stored(int panel, int row) const {
        const EditorState& state = window.GetDocument().GetState();
        return RowText(state.panels.at(static_cast<std::size_t>(panel))
                           .rows.at(static_cast<std::size_t>(row)));
    }

    // Program, Add Interval and Delete: how many of them are enabled.
    int ButtonsEnabled() const {
        return program->isEnabled() + addInterval->isEnabled() + deleteButton->isEnabled();
    }

    QString Path(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

    // Puts a timer file on disk and opens it the way the Open command does.
    void OpenText(const std::string& text, const std::string& name = "open.tvr") {
        WriteFile(dir.File(name), text);
        prompter.openNames.push_back(Path(name));
        Trigger("fileOpen");
    }

    // The language and no settings (no remembered window place, no recent files) are there
    // before the window is made.
    const AppLanguage language;
    ScriptedPrompter prompter;
    ModalHandler modal;
    TempDir dir;
    const bool fresh = (QSettings().clear(), true);
    MainWindow window;
    TimerListView* list = nullptr;
    QPushButton* addTimer = nullptr;
    QPushButton* addInterval = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* program = nullptr;
    QCheckBox* startup = nullptr;
    QProgressBar* gauge = nullptr;
};

// ---- the window as it opens ---------------------------------------------------------------

TEST_F(MainWindowTest, OpensEmptyEnterAndEscDoNothingAndCtrlQClosesWithoutAsking) {
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_TRUE(addTimer->isEnabled());
    EXPECT_EQ(ButtonsEnabled(), 0);
    EXPECT_EQ(gauge->value(), 0);
    // Some platforms bind no key to Save As, Close or Quit; the window brings its own then.
    for (const char* id : {"fileOpen", "fileSave", "fileSaveAs", "fileClose", "exit"}) {
        EXPECT_FALSE(FindByName<QAction>(&window, id)->shortcut().isEmpty()) << id;
    }
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(addTimer, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Panels(), 0);
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompter.questions.isEmpty());
}

// ---- editing ------------------------------------------------------------------------------

TEST_F(MainWindowTest, AddTimerThroughTheDialogThenIntervalsAndDelete) {
    AddTimerThroughDialog(17, false, "1:2:3:4");
    ASSERT_EQ(Panels(), 1);
    EXPECT_EQ(TimerNumber(0), 17);
    EXPECT_EQ(Shown(0, 0, kStateColumn), "OFF");
    EXPECT_EQ(Shown(0, 0), "01:02:03:04");
    EXPECT_EQ(gauge->value(), 4);
    EXPECT_EQ(ButtonsEnabled(), 3);
    EXPECT_TRUE(window.IsModified());

    // With no row selected, Delete takes the whole timer.
    Select(0, -1);
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    EXPECT_EQ(Panels(), 0);
    EXPECT_EQ(gauge->value(), 0);
    EXPECT_EQ(ButtonsEnabled(), 0);
}

TEST_F(MainWindowTest, AddTimerOffersOnlyTheFreeNumbersTheLowestSelected) {
    OpenText(
        "TVRX\r\n1000\r\nTimer 0\r\nON - 00:00:05\r\nTimer 1\r\nON - 00:00:05\r\n"
        "Timer 3\r\nON - 00:00:05\r\n");
    // The dialog's own handling of the numbers: AddTimerDialogTests.
    modal.Expect([&](QDialog& dialog) {
        auto* numbers = FindByName<QComboBox>(&dialog, "timerCombo");
        EXPECT_EQ(numbers->count(), 29);
        EXPECT_EQ(numbers->findText("3"), -1);
        EXPECT_EQ(numbers->currentText(), "2");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QTest::mouseClick(addTimer, Qt::LeftButton);
    ASSERT_TRUE(modal.Seen());
    EXPECT_EQ(TimerNumber(3), 2) << "Enter adds the proposed one";
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, LimitsAreToldAndTheGaugeIsFullBeyond128) {
    std::vector<BlockData> blocks;
    for (int t = 0; t < 32; ++t) {
        blocks.push_back({t, {{true, 0, 0, 1, 0}}});
    }
    ASSERT_TRUE(MakeProgram(blocks).SaveToFile(dir.File("full.tvr")));
    window.OpenFile(Path("full.tvr"));
    ASSERT_EQ(Panels(), 32);
    // Exactly the device's memory: full, but neither over nor in the warning colour.
    EXPECT_EQ(gauge->format(), "128 of 128 bytes");
    EXPECT_EQ(gauge->palette().color(QPalette::Highlight),
              window.palette().color(QPalette::Highlight));
    EXPECT_FALSE(window.GetSummaryText().contains("problem"));

    QTest::mouseClick(addTimer, Qt::LeftButton);  // no dialog is opened
    EXPECT_EQ(Panels(), 32);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("32 timers")) << prompter.messages[0].toStdString();

    Select(0, -1);
    for (int i = 1; i <= 49; ++i) {
        QTest::mouseClick(addInterval, Qt::LeftButton);
    }
    EXPECT_EQ(Rows(0), 49);
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.messages[1].contains("49 intervals"));
    // 31 timers of one row and one of 49 rows in 7 blocks: 124 + 154 bytes.
    // Past 128 bytes the gauge is full, says by how much, and turns the warning colour; the
    // full timer's message no longer suggests another timer.
    EXPECT_EQ(gauge->value(), 128);
    EXPECT_EQ(gauge->format(), "278 of 128 bytes: 150 over");
    EXPECT_TRUE(gauge->toolTip().startsWith("The program needs 150 bytes more than"));
    EXPECT_NE(gauge->palette().color(QPalette::Highlight),
              window.palette().color(QPalette::Highlight));
    EXPECT_FALSE(prompter.details[1].contains("Add another timer"));
    EXPECT_TRUE(prompter.details[1].contains("278 of the device's 128 bytes"));
}

// ---- the window: size, title, status line -------------------------------------------------

TEST_F(MainWindowTest, ResizingGrowsTheList) {
    OpenText(kWorkedExample);
    const QSize listBefore = list->size();
    window.resize(window.size() + QSize(200, 300));
    QCoreApplication::processEvents();
    EXPECT_EQ(list->size().width(), listBefore.width() + 200);
    EXPECT_GT(list->size().height(), listBefore.height() + 100) << "shared with the timeline";
}

TEST_F(MainWindowTest, TheTimelineShowsFromStartUpAtARememberedSizeWhenChosenOrWhenThereIsRoom) {
    // Remembered large without a choice, and remembered small with it checked.
    for (const auto& [size, chosen] :
         {std::pair{QSize(500, 800), false}, std::pair{QSize(320, 420), true}}) {
        SCOPED_TRACE(chosen ? "chosen" : "by room");
        window.resize(size);
        window.ShowTimeline(true);
        Trigger("exit");
        ASSERT_FALSE(window.isVisible());
        if (!chosen) {
            QSettings().remove(QStringLiteral("view/timeline"));
        }
        MainWindow again;
        ASSERT_TRUE(ShowActive(again));
        QCoreApplication::processEvents();
        EXPECT_EQ(again.size(), size);
        EXPECT_TRUE(again.GetTimeline()->isVisible());
        EXPECT_GT(again.GetTimeline()->height(), 20);
        EXPECT_TRUE(FindByName<QAction>(&again, "viewTimeline")->isChecked());
        window.show();
    }
}

TEST_F(MainWindowTest, ADroppedFileAndARecentFileOpenWithTheSameQuestion) {
    WriteFile(dir.File("dropped.tvr"), kWorkedExample);
    AddTimerThroughDialog(7, true, "00:00:05");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("dropped.tvr"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    prompter.answers.push_back(Prompter::Answer::No);
    QCoreApplication::sendEvent(&window, &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.GetPath() == Path("dropped.tvr"); }));
    EXPECT_EQ(prompter.questions, QStringList{"Save changes?"});
    EXPECT_EQ(TimerNumber(0), 0);

    // The file is now the first recent one; opening it from the menu reads it again.
    Trigger("fileClose");
    ASSERT_EQ(window.GetRecentFiles().value(0), Path("dropped.tvr"));
    QMenu* recent = FindByName<QAction>(&window, "fileRecent")->menu();
    emit recent->aboutToShow();
    ASSERT_FALSE(recent->actions().isEmpty());
    EXPECT_EQ(recent->actions().first()->text(), "&1 dropped.tvr");
    recent->actions().first()->trigger();
    EXPECT_EQ(Panels(), 1);
}

TEST_F(MainWindowTest, RecentFilesKeepTheNewestEightThatStillExist) {
    for (int i = 0; i < 10; ++i) {
        if (window.IsModified()) {
            prompter.answers.push_back(Prompter::Answer::No);
        }
        OpenText(kWorkedExample, QStringLiteral("p%1.tvr").arg(i).toStdString());
    }
    std::filesystem::remove(dir.File("p8.tvr"));
    const QStringList recent = window.GetRecentFiles();
    EXPECT_EQ(recent, (QStringList{Path("p9.tvr"), Path("p7.tvr"), Path("p6.tvr"), Path("p5.tvr"),
                                   Path("p4.tvr"), Path("p3.tvr"), Path("p2.tvr")}));
}

// ---- saving -------------------------------------------------------------------------------

TEST_F(MainWindowTest, SaveAsAddsTheSuffixAndWritesTheExactBytes) {
    AddTimerThroughDialog(0, true, "00:00:05");
    QTest::mouseClick(addInterval, Qt::LeftButton);
    QTest::keyClick(TypeOver(0, 1, "0:0:10:30"), Qt::Key_Tab);
    startup->click();

    prompter.saveNames.push_back(Path("program"));
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);  // never saved: Save asks where
    EXPECT_EQ(ReadFile(dir.File("program.tvr")), kWorkedExample);
    EXPECT_EQ(window.GetPath(), Path("program.tvr"));
    EXPECT_FALSE(window.IsModified());

    // A name with any extension stays as typed.
    prompter.saveNames.push_back(Path("copy.timer"));
    Trigger("fileSaveAs");
    EXPECT_EQ(ReadFile(dir.File("copy.timer")), ReadFile(dir.File("program.tvr")));
    EXPECT_EQ(window.GetPath(), Path("copy.timer"));

    // An existing file is replaced only when the user says so, whether or not the typed name
    // had the suffix.
    prompter.saveNames.push_back(Path("program"));
    prompter.answers.push_back(Prompter::Answer::No);
    QTest::mouseClick(addInterval, Qt::LeftButton);
    Trigger("fileSaveAs");
    EXPECT_EQ(prompter.questions.last(), "program.tvr already exists.\nDo you want to replace it?");
    EXPECT_FALSE(ReadFile(dir.File("program.tvr")).ends_with("OFF - 00:00:00\r\n"));
    EXPECT_EQ(window.GetPath(), Path("copy.timer"));
}

TEST_F(MainWindowTest, TypingSurvivesEveryWayOut) {
    struct Way {
        const char* name;
        std::function<void()> take;
    };
    // Each way out asks "Save changes?" (or opens its dialog) with the typing counted; Cancel
    // keeps the window and the program.
    const std::vector<Way> ways{
        {"Exit button (Alt+X)", [&] { PressMnemonic(Qt::Key_X); }},
        {"Close", [&] { Trigger("fileClose"); }},
        {"Open",
         [&] {
             prompter.answers.pop_back();  // cancelled at the file dialog, before any question
             prompter.openNames.push_back(QString());
             Trigger("fileOpen");
         }},
        {"Program",
         [&] {
             prompter.answers.pop_back();
             modal.Expect([](QDialog& dialog) { dialog.reject(); });
             PressMnemonic(Qt::Key_P);
             ASSERT_TRUE(modal.Seen());
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (window.IsModified()) {
            prompter.answers.push_back(Prompter::Answer::No);
        }
        OpenText(kWorkedExample);
        ASSERT_TRUE(ShowActive(window));
        prompter.questions.clear();
        TypeOver(0, 0, "0:7:0");
        prompter.answers.push_back(Prompter::Answer::Cancel);
        way.take();
        ASSERT_TRUE(ShowActive(window));
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(Stored(0, 0), "00:07:00");
        EXPECT_EQ(Shown(0, 0), "00:07:00");
        EXPECT_TRUE(window.IsModified());
        EXPECT_TRUE(prompter.answers.empty());
    }
}

TEST_F(MainWindowTest, SaveByShortcutChecksTheEditBeingTypedIn) {
    AddTimerThroughDialog(0, true, "00:00:05");
    prompter.saveNames.push_back(Path("p.tvr"));
    Trigger("fileSaveAs");
    ASSERT_TRUE(std::filesystem::exists(dir.File("p.tvr")));
    const std::string saved = ReadFile(dir.File("p.tvr"));

    // Save, Save As and the exports name the typing (its wording: TimerListView), before asking
    // for a name, and write nothing.
    IntervalEdit* edit = TypeOver(0, 0, "150:00:00");
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    for (const char* command : {"fileSaveAs", "fileExportPdf", "fileExportCsv"}) {
        Trigger(command);
    }
    ASSERT_EQ(prompter.messages.size(), 4);
    EXPECT_TRUE(prompter.messages.constLast().startsWith("Timer 0, interval 1 does not read"));
    EXPECT_EQ(edit->text(), "150:00:00");
    EXPECT_EQ(ReadFile(dir.File("p.tvr")), saved);
    EXPECT_EQ(prompter.saveTitles.size(), 1) << "only the first Save As asked for a name";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "nothing but p.tvr was written";
}

// ---- close, open, exit ---------------------------------------------------------------------

TEST_F(MainWindowTest, CloseOnYesAsksForANameAndSavesUnderIt) {
    AddTimerThroughDialog(0, true, "00:00:05");
    // Yes always asks for a name; cancelling that keeps the program.
    prompter.answers.push_back(Prompter::Answer::Yes);
    prompter.saveNames.push_back(QString());
    EXPECT_FALSE(window.Files().OnFileClose());
    EXPECT_EQ(Panels(), 1);

    prompter.answers.push_back(Prompter::Answer::Yes);
    prompter.saveNames.push_back(Path("kept.tvr"));
    startup->click();
    EXPECT_TRUE(window.Files().OnFileClose());
    EXPECT_TRUE(std::filesystem::exists(dir.File("kept.tvr")));
    EXPECT_EQ(Panels(), 0);
    EXPECT_FALSE(startup->isChecked());
    EXPECT_FALSE(window.IsModified());
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedIsNamedWithTheReason) {
    OpenText(kWorkedExample, "talk.tvr");
    startup->click();
    // Named with the reason, also when it came from the command line or a recent list and no
    // dialog showed its name.
    WriteFile(dir.File("new.tvr"), "TVRX\r\n2000\r\n");
    EXPECT_FALSE(window.Files().OpenFile(Path("new.tvr")));
    EXPECT_EQ(prompter.messages,
              QStringList{"Unable to open new.tvr: version 2000 cannot be read"});
    EXPECT_TRUE(window.IsModified());
    EXPECT_EQ(window.GetPath(), Path("talk.tvr"));
}

TEST_F(MainWindowTest, ExitOnAnEmptiedProgramOffersDiscardOrGoingBack) {
    OpenText(kWorkedExample);
    Select(0, -1);
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    ASSERT_EQ(Panels(), 0);
    prompter.answers.push_back(Prompter::Answer::Cancel);
    Trigger("exit");
    EXPECT_EQ(prompter.questions, QStringList{"The program is empty and cannot be saved."});
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompter.saveNames.empty() && prompter.messages.isEmpty());

    prompter.answers.push_back(Prompter::Answer::Yes);  // Discard
    Trigger("exit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadFile(dir.File("open.tvr")), kWorkedExample);
}

// ---- undo and the edit commands ------------------------------------------------------------

using EditHistoryTest = MainWindowTest;

TEST_F(EditHistoryTest, CtrlZInAFieldTakesBackTheTypingThenTheLastStepAndTypingGoesOnThere) {
    OpenText(kWorkedExample);
    QTest::keyClick(TypeOver(0, 0, "00:00:07"), Qt::Key_Return);
    ASSERT_TRUE(window.IsModified());
    IntervalEdit* edit = TypeOver(0, 0, "9");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "00:00:07") << "the field's own undo while typing";
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shown(0, 0), "00:00:05") << "then the program's";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Shown(0, 0), "00:00:07");
    // After either, the next typing and Enter land in the selected row's field.
    TypeKeys("0:0:3");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Stored(0, 0), "00:00:03");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    TypeKeys("0:0:4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Stored(0, 0), "00:00:04");
}

TEST_F(EditHistoryTest, EveryViewFollowsAChangeMadeOnTheDocumentAlone) {
    OpenText(
        "TVRX\r\n1000\r\nTimer 0\r\nON - 00:00:05\r\nTimer 4\r\nON - 00:00:01\r\nTimer 9\r\n"
        "OFF - 00:00:10\r\nOFF - 00:00:11\r\nOFF - 00:00:12\r\n");
    window.resize(700, 800);
    ASSERT_TRUE(window.GetTimeline()->isVisible());
    const QString summary = window.GetSummaryText();
    ProgramDocument& document = window.GetDocument();
    ASSERT_EQ(EditRefusal::None, document.Apply("Test", [](EditorState& state) {
        state.startup = true;
        const EditRefusal typed = SetRowText(state, 1, 0, "1:0:0");
        return typed != EditRefusal::None ? typed : DeleteRow(state, 2, 0);
    }));
    QCoreApplication::processEvents();
    // The list, the startup box, the gauge and status line, the timeline and the title all
    // show the document's state without any widget telling them.
    EXPECT_EQ(Shown(1, 0), "01:00:00");
    EXPECT_EQ(Rows(2), 2);
    EXPECT_TRUE(startup->isChecked());
    EXPECT_NE(window.GetSummaryText(), summary);
    EXPECT_EQ(gauge->value(), MemoryBytes(document.GetState()));
    EXPECT_EQ(window.GetTimeline()->GetLayout().lanes.at(2).bars.size(), 2u);
    EXPECT_TRUE(window.windowTitle().contains("[*]"));
    EXPECT_TRUE(window.isWindowModified());
}

// ---- the keyboard: the Tab round -----------------------------------------------------------

TEST_F(MainWindowTest, TabGoesRoundTheWindowTopToBottomWithTheListAsOneStop) {
    OpenText(kWorkedExample);
    window.ShowTimeline(true);
    const std::vector<QWidget*> round{
        addTimer, addInterval,          deleteButton, startup,
        list,     window.GetTimeline(), program,      FindByName<QPushButton>(&window, "exit")};
    addTimer->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> seen{addTimer};
    for (std::size_t i = 0; i < round.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.push_back(QApplication::focusWidget());
    }
    std::vector<QWidget*> expected = round;
    expected.push_back(addTimer);
    EXPECT_EQ(seen, expected);
}

TEST_F(MainWindowTest, TheWindowsKeysReachTheSelectionFromTheList) {
    OpenText(kWorkedExample);
    ClickPart(0, 0, RowPart::Label);
    ASSERT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Stored(0, 1), "00:00:05") << "Alt+Down moves the row";
    EXPECT_EQ(window.GetDocument().GetState().selection, (EditorSelection{0, 1, -1}));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Rows(0), 1) << "Del deletes it";
    EXPECT_TRUE(list->hasFocus());
}

// ---- the keyboard: mnemonics ----------------------------------------------------------------

// The texts Alt reaches in a window or dialog: its buttons and check boxes, the labels that lead
// to a control, and the menu bar's titles.
QStringList AltTexts(QWidget* window) {
    QStringList texts;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(window)) {
            texts.append(button->text());
        }
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisibleTo(window) && label->buddy() != nullptr) {
            texts.append(label->text());
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        for (QAction* action : main->menuBar()->actions()) {
            texts.append(action->text());
        }
    }
    return texts;
}

// Each menu's entries, and its submenus' in turn, as shown.
void ExpectUniqueMnemonics(QMenu* menu) {
    emit menu->aboutToShow();  // the recent list fills itself only then
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts.append(action->text());
        }
        if (action->menu() != nullptr) {
            ExpectUniqueMnemonics(action->menu());
        }
    }
    EXPECT_GT(texts.size(), 0) << menu->title().toStdString();
    EXPECT_EQ(SharedMnemonics(texts), QStringList()) << "menu " << menu->title().toStdString();
}

class GermanMainWindowTest : public MainWindowTest {
protected:
    GermanMainWindowTest() : MainWindowTest("de") {}
};

TEST_F(MainWindowTest, EveryMenuAndEveryDialogReachesEachThingByItsOwnLetter) {
    ExpectEveryThingHasItsOwnLetter();
}

TEST_F(GermanMainWindowTest, EveryMenuAndEveryDialogReachesEachThingByItsOwnLetter) {
    ExpectEveryThingHasItsOwnLetter();
}

void MainWindowTest::ExpectEveryThingHasItsOwnLetter() {
    // Eight recent files, so the recent list has all its entries.
    for (int i = 0; i < 8; ++i) {
        prompter.answers.push_back(Prompter::Answer::No);
        OpenText(kWorkedExample, "recent" + std::to_string(i) + ".tvr");
    }
    ASSERT_EQ(window.GetRecentFiles().size(), 8);
    for (QAction* title : window.menuBar()->actions()) {
        ASSERT_NE(title->menu(), nullptr);
        ExpectUniqueMnemonics(title->menu());
    }
    EXPECT_EQ(SharedMnemonics(AltTexts(&window)), QStringList()) << "the main window";

    // Every dialog the window opens, as it opens it.
    int dialogs = 0;
    auto check = [&](QDialog& dialog) {
        ++dialogs;
        const QStringList texts = AltTexts(&dialog);
        EXPECT_EQ(SharedMnemonics(texts), QStringList()) << dialog.windowTitle().toStdString();
        dialog.reject();
    };
    modal.Expect(check);
    Trigger("editAddTimer");
    ASSERT_TRUE(ShowActive(window));
    modal.Expect(check);
    QTest::mouseClick(program, Qt::LeftButton);
    ASSERT_TRUE(ShowActive(window));
    modal.Expect(check);
    Trigger("help");
    ASSERT_TRUE(ShowActive(window));
    modal.Expect(check);
    Trigger("about");
    EXPECT_EQ(dialogs, 4);
}

// ---- checks in place, the device's limits, problems and refusals ---------------------------

// The check line beside the list, or an empty string while it is hidden.
QString CheckLine(const MainWindow& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisible() && label->text().contains(IntervalFormsText())) {
            return label->text();
        }
    }
    return {};
}

QLabel* StatusLabel(const MainWindow& window) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().replace(QChar(0x00A0), u' ') == window.GetSummaryText()) {
            return label;
        }
    }
    return nullptr;
}

TEST_F(MainWindowTest, AnIntervalOverTheDevicesLimitIsMarkedOnCommitInListTimelineAndStatus) {
    OpenText(kWorkedExample);
    window.ShowTimeline(true);
    QTest::keyClick(TypeOver(0, 1, "38:50:10:08"), Qt::Key_Return);
    EXPECT_EQ(Stored(0, 1), "38:50:10:08") << "the editor takes it; the device would not";
    const QModelIndex marked = Model().IndexOf(0, 1, kIntervalColumn);
    EXPECT_FALSE(marked.data(TimerListModel::ProblemRole).toString().isEmpty());
    EXPECT_TRUE(window.GetSummaryText().startsWith(
        "1 problem: Timer 0, interval 2 is longer than the device takes \u00B7 "))
        << window.GetSummaryText().toStdString();
    QCoreApplication::processEvents();  // the timeline follows once the loop is idle
    EXPECT_TRUE(window.GetTimeline()->DescribeRow(0, 1).contains("longer than the device's"));

    // Two problems: counted, the first named; a click on the line lists them and selects it.
    QTest::keyClick(TypeOver(0, 0, "99:0:0"), Qt::Key_Return);
    EXPECT_TRUE(window.GetSummaryText().startsWith(
        "2 problems: Timer 0, interval 1 is longer than the device takes\u2026 \u00B7 "));
    Select(0, 1);
    QLabel* line = StatusLabel(window);
    ASSERT_NE(line, nullptr);
    QTest::mouseClick(line, Qt::LeftButton);
    ASSERT_EQ(prompter.messages.size(), 1);  // its wording: AppWording
    EXPECT_EQ(prompter.details[0].count(u'\n'), 1);
    EXPECT_EQ(window.GetDocument().GetState().selection, (EditorSelection{0, 0}));
}

// With the forms an interval is typed in. The status line's German plurals: AppWording.
TEST_F(GermanMainWindowTest, TypingThatDoesNotReadIsExplainedInGermanBesideTheListAndInTheField) {
    OpenText(kWorkedExample);
    IntervalEdit* edit = TypeOver(0, 1, "01.30.00");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(CheckLine(window),
              QStringLiteral("\u26A0 Intervall 2 von Timer 0 ist nicht lesbar. ") +
                  IntervalFormsText() + QStringLiteral(". Esc nimmt die Eingabe zurück."));
    EXPECT_TRUE(edit->toolTip().startsWith(
        QStringLiteral("\u201E01.30.00\u201C ist als Intervall nicht lesbar. ") +
        IntervalFormsText()))
        << edit->toolTip().toStdString();
    edit->selectAll();
    QTest::keyClicks(edit, "1:30:0");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(CheckLine(window).isEmpty()) << "corrected, the line goes";
}

TEST_F(MainWindowTest, ATimerInTwoPlacesIsNamedOnOpenAndJoinTimerMovesItsRowsUndoably) {
    const std::string text =
        "TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 1\r\nON - 00:00:05\r\nTimer 2\r\n"
        "OFF - 00:00:04\r\nTimer 1\r\nOFF - 00:00:07\r\nON - 00:00:08\r\n";
    OpenText(text, "twice.tvr");
    ASSERT_EQ(prompter.messages,
              QStringList{"twice.tvr was opened, but it has problems to put right."});

    QAction* join = FindByName<QAction>(&window, "editJoinTimer");
    ASSERT_NE(join, nullptr);
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        if (menu->actions().contains(join)) {
            emit menu->aboutToShow();
        }
    }
    EXPECT_EQ(join->text(), "&Join Timer 1");
    join->trigger();
    ASSERT_EQ(Rows(0), 3);
    EXPECT_EQ(window.GetDocument().GetState().selection, (EditorSelection{0, 1}));
    EXPECT_EQ(FindByName<QAction>(&window, "editUndo")->text(), "&Undo Join Timer 1");

    Trigger("editUndo");
    EXPECT_EQ(Panels(), 3);
    EXPECT_FALSE(window.IsModified());
}

TEST_F(MainWindowTest, ABlockBoxThatCannotChangeSaysWhyInTheStatusLine) {
    OpenText(kWorkedExample);
    ClickPart(0, 0, RowPart::Box);
    EXPECT_TRUE(
        window.GetSummaryText().startsWith("The first interval always starts a block \u00B7"))
        << window.GetSummaryText().toStdString();
    EXPECT_TRUE(BlockStart(0, 0));
    EXPECT_FALSE(window.IsModified());

    // The reason goes with the next change of the program.
    ClickPart(0, 1, RowPart::Box);
    EXPECT_TRUE(BlockStart(0, 1));
    EXPECT_FALSE(window.GetSummaryText().contains("always starts a block"));
}

}  // namespace
