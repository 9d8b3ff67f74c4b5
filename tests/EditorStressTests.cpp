// The largest program opened, edited, saved and reopened many times in one process: every
// round must give back exactly what was saved (the sanitizer build also checks for leaks).
#include <gtest/gtest.h>

#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/TimerFile.h"
#include "gui/app/EditActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/MainWindow.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListModel.h"
#include "gui/editor/TimerListView.h"

using namespace testing_support;

namespace {

void Type(TimerListView& list, int panel, int row, const QString& text) {
    IntervalEdit* edit = list.OpenEditor(panel, row);
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
    edit->CommitPendingChange();
}

QString Shown(const TimerListView& list, int panel, int row) {
    return list.ListModel()->IndexOf(panel, row, kIntervalColumn).data().toString();
}

TEST(EditorStress, LargestProgramOpenedEditedSavedAndReopened50Times) {
    ScriptedPrompter prompter;
    TempDir dir;
    const QString path = QString::fromStdString(dir.File("largest.tvr"));
    ASSERT_TRUE(LargestProgram().SaveToFile(path.toStdString()));

    MainWindow window;
    window.show();
    TimerListView& list = *window.GetTimerList();
    for (int round = 1; round <= 50; ++round) {
        window.OpenFile(path);
        ASSERT_EQ(list.ListModel()->PanelCount(), kTimerCount) << "round " << round;
        ASSERT_EQ(list.ListModel()->RowCount(kTimerCount - 1), kMaxIntervalsPerTimer)
            << "round " << round;
        const int panel = round % kTimerCount;
        // Each round changes one row and moves one row to the end of its timer, as a user
        // would: typing, Delete, Add Interval, a switch and typing again.
        Type(list, panel, 0, QStringLiteral("%1:0:0").arg(round % 100));
        window.GetDocument().SetSelection({panel, 1});
        window.Edits().OnDelete();
        window.Edits().OnAddInterval();
        window.Edits().OnRowSwitched(panel, 48);
        Type(list, panel, 48, QStringLiteral("0:0:0:%1").arg(round));
        ASSERT_TRUE(window.Files().OnFileSave()) << "round " << round;
        ASSERT_TRUE(window.Files().OnFileClose()) << "round " << round;

        TimerProgram reread;
        ASSERT_TRUE(ReadTimerFile(path.toStdString(), reread).Ok());
        ASSERT_EQ(reread.GetBlockCount(), kTimerCount * 7) << "round " << round;
    }
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(u'\n').toStdString();
    EXPECT_TRUE(prompter.questions.isEmpty());

    // The last round's edits are in the file, in place.
    window.OpenFile(path);
    EXPECT_EQ(Shown(list, 50 % kTimerCount, 0), "50:00:00");
    EXPECT_EQ(Shown(list, 50 % kTimerCount, 48), "00:00:00:50");
}

}  // namespace
