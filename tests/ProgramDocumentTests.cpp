// The program document without any widget: its history, its saved point, its file and what it
// tells the views.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "core/EditorState.h"
#include "core/TimerFile.h"
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

// A view that keeps its own copy and updates it only from what each change names.
class FakeView {
public:
    explicit FakeView(ProgramDocument& document)
        : document(document),
          panels(document.GetState().panels),
          startup(document.GetState().startup),
          selection(document.GetState().selection),
          connection(QObject::connect(&document, &ProgramDocument::stateChanged,
                                      [this](const EditorChange& change) { Follow(change); })) {}
    ~FakeView() { QObject::disconnect(connection); }
    FakeView(const FakeView&) = delete;
    FakeView& operator=(const FakeView&) = delete;

    std::vector<EditorChange> changes;
    ProgramDocument& document;
    std::vector<PanelState> panels;
    bool startup;
    EditorSelection selection;
    QMetaObject::Connection connection;

    EditorState State() const { return EditorState{panels, startup, selection}; }

private:
    void Follow(const EditorChange& change) {
        changes.push_back(change);
        const EditorState& now = document.GetState();
        ASSERT_GE(change.first, 0);
        ASSERT_LE(change.first + change.removed, static_cast<int>(panels.size()));
        ASSERT_LE(change.first + change.added, static_cast<int>(now.panels.size()));
        const auto at = panels.begin() + change.first;
        panels.erase(at, at + change.removed);
        const auto from = now.panels.begin() + change.first;
        panels.insert(panels.begin() + change.first, from, from + change.added);
        if (change.startup) {
            startup = now.startup;
        }
        if (change.selection) {
            selection = now.selection;
        }
    }
};

TEST(ProgramDocumentHistory, ApplyIsOneNamedStepAndRefusedOrEmptyEditsMakeNone) {
    ProgramDocument document;
    document.Open(QStringLiteral("/nowhere/sample.tvr"), SampleProgram());
    FakeView view(document);
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
    EXPECT_TRUE(view.changes.empty());

    // Typing the text a row already has changes no program, but the row is where the user is.
    EXPECT_EQ(document.Apply(
                  QStringLiteral("Same text"),
                  [](EditorState& s) { return SetRowText(s, 1, 9, RowText(s.panels[1].rows[9])); }),
              EditRefusal::None);
    EXPECT_TRUE(document.GetState().SameProgram(before));
    EXPECT_EQ(document.GetState().selection, (EditorSelection{1, 9}));
    ASSERT_EQ(view.changes.size(), 1u);
    EXPECT_TRUE(view.changes[0].selection);
    EXPECT_FALSE(view.changes[0].Program());

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
    FakeView view(document);
    QSignalSpy paths(&document, &ProgramDocument::pathChanged);
    QSignalSpy modified(&document, &ProgramDocument::modifiedChanged);

    const QString path = QStringLiteral("/nowhere/sample.tvr");
    const TimerProgram program = MakeProgram({{7, {{true, 0, 0, 9, 0}}}}, true);
    document.Open(path, program);
    ExpectSame(document.GetState(), StateFromProgram(program));
    ExpectSame(view.State(), document.GetState(), "the view");
    EXPECT_EQ(document.GetHistory()->count(), 0) << "no undo into another program";
    EXPECT_FALSE(document.IsModified());
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.at(0).at(0).toBool());
    EXPECT_EQ(document.GetPath(), path);
    ASSERT_EQ(paths.count(), 1);
    EXPECT_EQ(paths.at(0).at(0).toString(), path);

    document.Open(path, SampleProgram());
    EXPECT_EQ(paths.count(), 1) << "the same file again";
    ExpectSame(view.State(), document.GetState(), "the view");
}

TEST(ProgramDocumentFile, SaveWritesWhatTheWriterWritesAndMovesTheMarkOnlyOnSuccess) {
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
    TimerProgram expected = SampleProgram();
    expected.SetStartup(true);
    EXPECT_EQ(ReadFile(first.toStdString()), FormatTimerFile(expected));

    ASSERT_EQ(EditRefusal::None, document.Apply(QStringLiteral("Edit"), [](EditorState& s) {
        return SetRowText(s, 1, 9, "0:0:0:45");
    }));
    ASSERT_TRUE(document.Save().Ok());
    EXPECT_FALSE(document.IsModified());
    EXPECT_NE(ReadFile(first.toStdString()).find("00:00:00:45"), std::string::npos);

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

// Random edits, selections, undos and redos: a view that follows only the changes always shows
// what the document holds, and every undo and redo gives back the exact state of its step.
TEST(ProgramDocumentChanges, AViewFollowingChangesAloneStaysEqualThroughRandomEdits) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        ProgramDocument document;
        document.Open(QStringLiteral("/nowhere/sample.tvr"), SampleProgram());
        FakeView view(document);
        // Each step's state before and after it, and how many of them are done.
        std::vector<std::pair<EditorState, EditorState>> steps;
        std::size_t done = 0;
        QUndoStack& history = *document.GetHistory();

        for (int round = 0; round < 150; ++round) {
            const EditorState& now = document.GetState();
            const int panels = static_cast<int>(now.panels.size());
            const int panel = pick(-1, panels);
            const int rows =
                panel >= 0 && panel < panels ? static_cast<int>(now.panels[panel].rows.size()) : 0;
            const int row = pick(-1, rows);
            const int action = pick(0, 9);
            ProgramDocument::Edit edit;
            switch (action) {
                case 0:
                    edit = [=](EditorState& s) { return AppendRow(s, panel); };
                    break;
                case 1:
                    edit = [=](EditorState& s) { return DeleteRow(s, panel, row); };
                    break;
                case 2:
                    edit = [=](EditorState& s) { return DeleteTimer(s, panel); };
                    break;
                case 3: {
                    const int number = pick(0, 31);
                    edit = [=](EditorState& s) {
                        return AddTimer(s, number, Row(true, "00:01:00"));
                    };
                    break;
                }
                case 4: {
                    const int number = pick(0, 31);
                    edit = [=](EditorState& s) { return RenumberTimer(s, panel, number); };
                    break;
                }
                case 5: {
                    const std::string text = std::to_string(pick(0, 2)) +
                                             ":0:" + std::to_string(pick(0, 2)) + ":" +
                                             std::to_string(pick(0, 60));
                    edit = [=](EditorState& s) { return SetRowText(s, panel, row, text); };
                    break;
                }
                case 6:
                    edit = [](EditorState& s) {
                        s.startup = !s.startup;
                        return EditRefusal::None;
                    };
                    break;
                case 7:
                    document.SetSelection({panel, row});
                    break;
                case 8:
                    if (done > 0) {
                        history.undo();
                        --done;
                        ExpectSame(document.GetState(), steps[done].first, "undo");
                    }
                    break;
                case 9:
                    if (done < steps.size()) {
                        history.redo();
                        ExpectSame(document.GetState(), steps[done].second, "redo");
                        ++done;
                    }
                    break;
            }
            if (edit) {
                const EditorState before = document.GetState();
                const int had = history.index();
                document.Apply(QStringLiteral("Random"), edit);
                if (history.index() != had) {
                    steps.resize(done);
                    steps.emplace_back(before, document.GetState());
                    ++done;
                } else {
                    EXPECT_TRUE(document.GetState().SameProgram(before));
                }
            }
            ASSERT_EQ(history.count(), static_cast<int>(steps.size())) << "seed " << seed;
            ASSERT_EQ(history.index(), static_cast<int>(done)) << "seed " << seed;
            ExpectSame(view.State(), document.GetState(), "the view");
            if (::testing::Test::HasFailure()) {
                FAIL() << "seed " << seed << " round " << round << " action " << action;
            }
        }
    }
}

}  // namespace
