// The program document without any widget: its history, its saved point and its file. That the
// views follow its changes is checked with the list's model (TimerListModelTests).
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>
#include <vector>

#include "TestSupport.h"
#include "core/EditorState.h"
#include "core/TimerProgram.h"
#include "gui/document/ProgramDocument.h"

using namespace testing_support;

namespace {

// Two timers: 2 of three rows, 5 of ten (blocks of 8 and 2).
TimerProgram SampleProgram() {
    std::vector<Step> ten;
    for (std::uint32_t n = 0; n < 10; ++n) {
        ten.push_back({n % 2 == 0, 0, n, 1, n});
    }
    return MakeProgram({{2, {{true, 0, 0, 5, 0}, {false, 0, 1, 0, 0}, {true, 1, 0, 0, 30}}},
                        {5, std::vector<Step>(ten.begin(), ten.begin() + 8)},
                        {5, std::vector<Step>(ten.begin() + 8, ten.end())}});
}

void ExpectSame(const EditorState& actual, const EditorState& expected, const char* what = "") {
    EXPECT_EQ(actual.panels, expected.panels) << what;
    EXPECT_EQ(actual.startup, expected.startup) << what;
    EXPECT_EQ(actual.selection, expected.selection) << what;
}

TEST(ProgramDocumentHistory, ApplyIsOneNamedStepAndRefusedOrEmptyEditsMakeNone) {
    ProgramDocument document;
    document.Open(QStringLiteral("/nowhere/sample.tvr"), SampleProgram());
    std::vector<EditorChange> changes;
    QObject::connect(&document, &ProgramDocument::stateChanged,
                     [&changes](const EditorChange& change) { changes.push_back(change); });
    const EditorState before = document.GetState();

    // A refusal drops whatever the edit did to its copy, selection and all.
    EXPECT_EQ(document.Apply(QStringLiteral("Refused"),
                             [](EditorState& s) {
                                 s.panels.clear();
                                 s.selection = {1, 2};
                                 return EditRefusal::TimerFull;
                             }),
              EditRefusal::TimerFull);
    ExpectSame(document.GetState(), before, "refused");
    EXPECT_TRUE(changes.empty());

    // Typing the text a row already has changes no program, but the row is where the user is.
    EXPECT_EQ(document.Apply(
                  QStringLiteral("Same text"),
                  [](EditorState& s) { return SetRowText(s, 1, 9, RowText(s.panels[1].rows[9])); }),
              EditRefusal::None);
    EXPECT_TRUE(document.GetState().SameProgram(before));
    EXPECT_EQ(document.GetState().selection, (EditorSelection{1, 9}));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].selection);
    EXPECT_FALSE(changes[0].Program());

    EXPECT_EQ(document.GetHistory()->count(), 0);
    EXPECT_FALSE(document.IsModified());

    ASSERT_EQ(EditRefusal::None,
              document.Apply(QStringLiteral("Edit Timer 5 Interval 5"),
                             [](EditorState& s) { return SetRowText(s, 1, 4, "2:0:0"); }));
    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("Delete Timer 2"),
                                                [](EditorState& s) { return DeleteTimer(s, 0); }));
    QUndoStack& history = *document.GetHistory();
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(history.text(0), QStringLiteral("Edit Timer 5 Interval 5"));
    EXPECT_EQ(history.undoText(), QStringLiteral("Delete Timer 2"));
}

TEST(ProgramDocumentModified, FollowsTheHistoryToTheSavedPoint) {
    TempDir dir;
    ProgramDocument document;
    document.Open(QString::fromStdString(dir.File("a.tvr")), SampleProgram());
    QSignalSpy modified(&document, &ProgramDocument::modifiedChanged);
    QUndoStack& history = *document.GetHistory();
    auto lastMark = [&] { return modified.constLast().at(0).toBool(); };

    EXPECT_FALSE(document.IsModified());
    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("One"),
                                                [](EditorState& s) { return SwitchRow(s, 0, 0); }));
    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("Two"),
                                                [](EditorState& s) { return SwitchRow(s, 0, 1); }));
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(lastMark());

    history.undo();
    EXPECT_TRUE(document.IsModified());
    history.undo();
    EXPECT_FALSE(document.IsModified()) << "back where it was opened";
    ASSERT_EQ(modified.count(), 2);
    EXPECT_FALSE(lastMark());

    history.redo();
    ASSERT_TRUE(document.Save().Ok());
    EXPECT_FALSE(document.IsModified());
    ASSERT_EQ(modified.count(), 4);
    EXPECT_FALSE(lastMark());
    history.undo();
    EXPECT_TRUE(document.IsModified()) << "the opened state is no longer what the file holds";
    history.redo();
    EXPECT_FALSE(document.IsModified());
}

TEST(ProgramDocumentFile, OpenReplacesStateHistoryAndPath) {
    ProgramDocument document;
    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("Add"), [](EditorState& s) {
        return AddTimer(s, 0, Row(true, "00:00:01"));
    }));
    ASSERT_TRUE(document.IsModified());
    QSignalSpy paths(&document, &ProgramDocument::pathChanged);
    QSignalSpy modified(&document, &ProgramDocument::modifiedChanged);

    const QString path = QStringLiteral("/nowhere/sample.tvr");
    const TimerProgram program = MakeProgram({{7, {{true, 0, 0, 9, 0}}}}, true);
    document.Open(path, program);
    ExpectSame(document.GetState(), StateFromProgram(program));
    EXPECT_EQ(document.GetHistory()->count(), 0) << "no undo into another program";
    EXPECT_FALSE(document.IsModified());
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.at(0).at(0).toBool());
    EXPECT_EQ(document.GetPath(), path);
    ASSERT_EQ(paths.count(), 1);
    EXPECT_EQ(paths.at(0).at(0).toString(), path);

    document.Open(path, SampleProgram());
    EXPECT_EQ(paths.count(), 1) << "the same file again";
}

// What Save writes is checked on the window (MainWindowTests) and in TimerFileTests.
TEST(ProgramDocumentFile, SaveAsMovesThePathAndTheMarkOnlyOnSuccess) {
    TempDir dir;
    ProgramDocument document;
    QSignalSpy paths(&document, &ProgramDocument::pathChanged);
    document.Open(QString(), SampleProgram());
    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("Power Up"), [](EditorState& s) {
        s.startup = true;
        return EditRefusal::None;
    }));

    const QString first = QString::fromStdString(dir.File("first.tvr"));
    ASSERT_TRUE(document.SaveAs(first).Ok());
    EXPECT_EQ(document.GetPath(), first);
    ASSERT_EQ(paths.count(), 1);
    EXPECT_FALSE(document.IsModified());

    // A folder that does not exist: the program keeps its file and its mark.
    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("Switch"),
                                                [](EditorState& s) { return SwitchRow(s, 0, 0); }));
    QSignalSpy modified(&document, &ProgramDocument::modifiedChanged);
    EXPECT_FALSE(document.SaveAs(QString::fromStdString(dir.File("missing/second.tvr"))).Ok());
    EXPECT_EQ(document.GetPath(), first);
    EXPECT_EQ(paths.count(), 1);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(modified.count(), 0);
}

}  // namespace
