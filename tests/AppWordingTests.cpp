// The main window's own words in each language it speaks: the texts it builds as the user works
// (undo steps, counts, questions naming a command), and the ones made before any window exists.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUndoStack>

#include "EditorTestSupport.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "core/EditorState.h"
#include "gui/app/ClipboardActions.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Language.h"
#include "gui/document/ProgramDocument.h"

using namespace testing_support;

namespace {

struct Wording {
    const char* language;
    const char* title;
    const char* filter;
    const char* example;
    const char* needsTimer;
    const char* undoDuplicate;
    const char* redoDelete;
    const char* pasteOne;
    const char* pasteTwo;
    const char* oneProblem;
    const char* twoProblems;
    const char* oneLead;  // the status line's start
    const char* twoLead;
};

const Wording kWordings[] = {
    {"en", "Untitled[*] - Tavrel - Programmable Timer",
     "Tavrel Timer Files (*.tvr);;All Files(*.*)", "&1 Five minutes on, 55 off, every hour",
     "Delete needs a timer to work on.", "&Undo Duplicate Timer 0 as 1", "&Redo Delete Timer 1",
     "Paste 1 Interval into Timer 0", "Paste 2 Intervals into Timer 0",
     "The program has 1 problem.", "The program has 2 problems.", "1 problem: ", "2 problems: "},
    {"de", "Unbenannt[*] - Tavrel - Programmable Timer",
     "Tavrel-Timer-Dateien (*.tvr);;Alle Dateien (*.*)",
     "&1 F\u00fcnf Minuten ein, 55 aus, jede Stunde",
     "F\u00fcr \u201eL\u00f6schen\u201c muss ein Timer ausgew\u00e4hlt sein.",
     "&R\u00fcckg\u00e4ngig: Timer 0 als 1 duplizieren", "&Wiederherstellen: Timer 1 l\u00f6schen",
     "1 Intervall in Timer 0 einf\u00fcgen", "2 Intervalle in Timer 0 einf\u00fcgen",
     "Das Programm hat 1 Problem.", "Das Programm hat 2 Probleme.", "1 Problem: ", "2 Probleme: "},
};

void Trigger(MainWindow& window, const char* id) {
    QAction* action = FindByName<QAction>(&window, id);
    ASSERT_NE(action, nullptr) << id;
    action->trigger();
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void Paste(MainWindow& window, const char* text) {
    QMimeData data;
    data.setText(QString::fromLatin1(text));
    window.Clips().Paste(&data);
}

}  // namespace

TEST(AppWording, TheWindowSpeaksOneLanguageInWhatItBuildsAsTheUserWorks) {
    for (const Wording& expected : kWordings) {
        SCOPED_TRACE(expected.language);
        // Before the window, as at startup: texts made early must not stay English.
        const AppLanguage language(QString::fromLatin1(expected.language));
        QSettings().clear();
        ScriptedPrompter prompter;
        TempDir dir;
        MainWindow window;
        ASSERT_TRUE(ShowActive(window));
        ProgramDocument& document = window.GetDocument();
        EXPECT_EQ(window.windowTitle(), Text(expected.title));

        Trigger(window, "editDelete");
        EXPECT_EQ(prompter.messages, QStringList{Text(expected.needsTimer)});
        prompter.openNames.push_back(QString());
        Trigger(window, "fileOpen");
        EXPECT_EQ(prompter.filters, QStringList{Text(expected.filter)});

        auto* examples = FindByName<QAction>(&window, "helpExamples");
        ASSERT_TRUE(examples != nullptr && examples->menu() != nullptr);
        QAction* first = examples->menu()->actions().value(0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->text(), Text(expected.example));
        first->trigger();
        ASSERT_FALSE(document.GetState().panels.empty()) << "the file behind the title opens";
        WriteFile(dir.File("two.tvr"), "TVRX\r\n1000\r\nTimer 0\r\nON - 00:00:05\r\n");
        ASSERT_TRUE(window.OpenFile(QString::fromStdString(dir.File("two.tvr"))));

        // Undo and Redo name the step they take, in the same language as their verb.
        document.SetSelection({0, -1});
        Trigger(window, "editDuplicateTimer");
        EXPECT_EQ(FindByName<QAction>(&window, "editUndo")->text(), Text(expected.undoDuplicate));
        document.SetSelection({1, -1});
        Trigger(window, "editDelete");
        Trigger(window, "editUndo");
        EXPECT_EQ(FindByName<QAction>(&window, "editRedo")->text(), Text(expected.redoDelete));

        // One and more: the plural each language has.
        document.SetSelection({0, 0});
        Paste(window, "OFF - 00:00:01\r\n");
        EXPECT_EQ(document.GetHistory()->undoText(), Text(expected.pasteOne));
        Paste(window, "OFF - 00:00:02\r\nON - 00:00:03\r\n");
        EXPECT_EQ(document.GetHistory()->undoText(), Text(expected.pasteTwo));

        prompter.messages.clear();
        ASSERT_EQ(EditRefusal::None,
                  document.Apply(QStringLiteral("Too long"), [](EditorState& state) {
                      return SetRowText(state, 0, 0, "99:00:00");
                  }));
        Trigger(window, "editShowProblems");
        EXPECT_TRUE(window.GetSummaryText().startsWith(Text(expected.oneLead)));
        ASSERT_EQ(EditRefusal::None,
                  document.Apply(QStringLiteral("Too long"), [](EditorState& state) {
                      return SetRowText(state, 1, 0, "99:00:00");
                  }));
        Trigger(window, "editShowProblems");
        EXPECT_TRUE(window.GetSummaryText().startsWith(Text(expected.twoLead)));
        EXPECT_EQ(prompter.messages,
                  (QStringList{Text(expected.oneProblem), Text(expected.twoProblems)}));
        EXPECT_EQ(prompter.unexpected, QStringList());
        prompter.answers.push_back(Prompter::Answer::No);
        window.OnExit();
    }
}
