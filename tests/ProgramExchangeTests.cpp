// Moving programs and their parts around in the real window: File > New, Copy and Paste, Move
// Timer, the shipped examples, and saving and reloading a file another program changed.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QUndoStack>
#include <filesystem>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/DeviceLimits.h"
#include "core/ProgramClipboard.h"
#include "core/TimerFile.h"
#include "gui/app/ClipboardActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/MainWindow.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/TimerListModel.h"
#include "gui/editor/TimerListView.h"

using namespace testing_support;

namespace {

constexpr char kTalk[] =
    "TVRX\r\n1000\r\nTimer 3\r\nON - 00:00:05\r\nOFF - 00:02:00\r\nTimer 3\r\nON - "
    "00:00:01:30\r\nTimer 5\r\nOFF - 01:00:00\r\n";

}  // namespace

class ProgramExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        ASSERT_TRUE(ShowActive(window));
    }
    void TearDown() override { EXPECT_EQ(prompter.unexpected, QStringList()); }

    void Trigger(MainWindow& target, const char* menuId) {
        QAction* action = FindByName<QAction>(&target, menuId);
        ASSERT_NE(action, nullptr) << menuId;
        action->trigger();
    }
    QString Path(const std::string& name) const { return QString::fromStdString(dir.File(name)); }
    void Open(MainWindow& target, const std::string& text, const std::string& name) {
        WriteFile(dir.File(name), text);
        ASSERT_TRUE(target.OpenFile(Path(name)));
    }
    const EditorState& State(const MainWindow& target) const {
        return target.GetDocument().GetState();
    }
    std::vector<int> Numbers(const MainWindow& target) const {
        std::vector<int> numbers;
        for (const PanelState& panel : State(target).panels) {
            numbers.push_back(panel.timerNumber);
        }
        return numbers;
    }
    void Select(MainWindow& target, int panel, int row) {
        TimerListView* list = target.GetTimerList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->PartRect(panel, row, RowPart::Label).center());
    }

    ScriptedPrompter prompter;
    TempDir dir;
    MainWindow window;
};

TEST_F(ProgramExchangeTest, NewFromAChangedProgramAsksAndGivesAnEmptyUntitledOne) {
    Open(window, kTalk, "talk.tvr");
    Select(window, 0, -1);
    Trigger(window, "editDelete");
    prompter.answers = {Prompter::Answer::No};
    Trigger(window, "fileNew");
    EXPECT_EQ(prompter.questions, QStringList{"Save changes to talk.tvr?"});
    EXPECT_TRUE(State(window).panels.empty());
    EXPECT_FALSE(window.IsModified());
    EXPECT_TRUE(window.GetPath().isEmpty());
    EXPECT_TRUE(window.windowTitle().startsWith("Untitled"));
}

// Copy and paste between two windows through the X clipboard: clipboard_xvfb.sh.
TEST_F(ProgramExchangeTest, APastedTimerWhoseNumberIsTakenIsRenumberedSaysSoAndUndoes) {
    Open(window, kTalk, "talk.tvr");
    Select(window, 0, -1);
    Trigger(window, "editCopy");
    Trigger(window, "editPaste");
    ASSERT_EQ(Numbers(window), (std::vector<int>{3, 0, 5}));
    EXPECT_EQ(State(window).panels[1].rows, State(window).panels[0].rows) << "block starts and all";
    EXPECT_TRUE(window.GetSummaryText().startsWith("Pasted Timer 3 as Timer 0:"));
    EXPECT_EQ(window.GetHistory()->undoText(), "Paste Timer 0");
    window.GetHistory()->undo();
    EXPECT_EQ(Numbers(window), (std::vector<int>{3, 5}));
    EXPECT_FALSE(window.IsModified());
}

TEST_F(ProgramExchangeTest, MoveTimerReordersAndUndoPutsItBack) {
    Open(window, kTalk + std::string("Timer 0\r\nON - 00:00:02\r\n"), "talk.tvr");
    Select(window, 2, -1);
    Trigger(window, "editMoveTimerUp");
    Trigger(window, "editMoveTimerUp");
    EXPECT_EQ(Numbers(window), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(State(window).selection, (EditorSelection{0, -1}));
    Trigger(window, "editMoveTimerUp");
    EXPECT_EQ(prompter.messages, QStringList{"Timer 0 is already the first timer."});
    EXPECT_EQ(window.GetHistory()->undoText(), "Move Timer Up Timer 0");
    window.GetHistory()->undo();
    window.GetHistory()->undo();
    EXPECT_EQ(Numbers(window), (std::vector<int>{3, 5, 0}));
    EXPECT_FALSE(window.IsModified());
}

TEST_F(ProgramExchangeTest, EveryExampleOpensAsAnUntitledCopyTheDeviceTakes) {
    auto* menu = FindByName<QAction>(&window, "helpExamples")->menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    bool sixtieths = false;
    bool blocks = false;
    for (QAction* example : menu->actions()) {
        example->trigger();
        const TimerProgram program = window.GetDocument().GetProgram();
        EXPECT_GT(program.GetBlockCount(), 0) << example->text().toStdString();
        EXPECT_TRUE(CheckDeviceLimits(program).empty()) << example->text().toStdString();
        EXPECT_TRUE(window.GetPath().isEmpty());
        for (const PanelState& panel : State(window).panels) {
            for (const RowState& row : panel.rows) {
                sixtieths = sixtieths || row.ticks != 0;
                blocks = blocks || (row.blockStart && &row != &panel.rows.front());
            }
        }
    }
    EXPECT_TRUE(sixtieths && blocks);
}

TEST_F(ProgramExchangeTest, SaveAsksBeforeWritingOverAnotherProgramsChange) {
    Open(window, kTalk, "talk.tvr");
    const std::string path = dir.File("talk.tvr");
    // Unchanged on disk: saved without a question.
    Select(window, 0, -1);
    Trigger(window, "editMoveTimerDown");
    ASSERT_TRUE(window.Files().OnFileSave());
    EXPECT_TRUE(prompter.questions.isEmpty());

    const std::string theirs = "TVRX\r\n1000\r\nTimer 9\r\nON - 00:00:09\r\n";
    WriteFile(path, theirs);
    Trigger(window, "editMoveTimerUp");
    prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(window.Files().OnFileSave());
    EXPECT_EQ(prompter.questions,
              QStringList{"talk.tvr was changed by another program since you opened it."});
    EXPECT_EQ(ReadFile(path), theirs) << "Cancel leaves their change";
    EXPECT_TRUE(window.IsModified());

    // Save As, the other answer, is the same as for the question about lost lines: ProgramTruth.
    prompter.answers = {Prompter::Answer::Replace};
    prompter.questions.clear();
    EXPECT_TRUE(window.Files().OnFileSave());
    EXPECT_EQ(prompter.questions.size(), 1);
    EXPECT_EQ(ReadFile(path), FormatTimerFile(window.GetDocument().GetProgram()));

    // A file deleted meanwhile is written again without a question.
    std::filesystem::remove(path);
    prompter.questions.clear();
    Trigger(window, "editMoveTimerDown");
    EXPECT_TRUE(window.Files().OnFileSave());
    EXPECT_TRUE(prompter.questions.isEmpty());
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(ProgramExchangeTest, AChangeOnDiskIsOfferedForReloadOrToldAndAskedAtTheNextSave) {
    Open(window, kTalk, "talk.tvr");
    const std::string path = dir.File("talk.tvr");
    prompter.answers = {Prompter::Answer::Yes};
    WriteFile(path, "TVRX\r\n1000\r\nTimer 7\r\nOFF - 00:00:07\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter.questions.isEmpty(); }, 5000));
    EXPECT_EQ(prompter.questions,
              QStringList{"talk.tvr was changed by another program.\nReload it?"});
    EXPECT_EQ(Numbers(window), (std::vector<int>{7}));
    EXPECT_FALSE(window.IsModified());

    // With unsaved changes the window only says so, once; Save then asks.
    Select(window, 0, 0);
    Trigger(window, "editInsertInterval");
    WriteFile(path, "TVRX\r\n1000\r\nTimer 8\r\nOFF - 00:00:08\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter.messages.isEmpty(); }, 5000));
    EXPECT_EQ(prompter.messages, QStringList{"talk.tvr was changed by another program."});
    EXPECT_EQ(Numbers(window), (std::vector<int>{7})) << "the changes here are kept";
    prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(window.Files().OnFileSave());
    EXPECT_EQ(prompter.questions.size(), 2);
    EXPECT_EQ(prompter.questions.last(),
              "talk.tvr was changed by another program since you opened it.");
}
