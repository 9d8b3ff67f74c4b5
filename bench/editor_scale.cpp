// The timer editor at its largest (32 timers of 49 intervals, 1,600 rows of the list's item
// view) in the real main window: the time to open the file (with the layout and the first paint),
// then for every command and every kind of change made on the rows, the change itself, its undo and
// its redo, each with the repaint it causes. Medians of several runs, then one summary line:
//
//   load_ms=A change_ms=B undo_ms=C redo_ms=D rss_mb=E
//
// change_ms, undo_ms and redo_ms are the slowest kind's medians. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QUndoStack>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "BenchTiming.h"
#include "ResidentMemory.h"
#include "TestSupport.h"
#include "core/TimerProgram.h"
#include "gui/app/EditActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Prompter.h"
#include "gui/document/ProgramDocument.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerListView.h"

namespace {

constexpr int kRuns = 7;

// Answers the one question a command here asks: the new number of a renumbered timer.
class BenchPrompter : public Prompter {
public:
    void ShowMessage(QWidget*, const QString& text, const QString&, const QString&) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        unexpected = true;
    }
    Answer AskSaveChanges(QWidget*, const QString&) override { return Answer::No; }
    bool AskYesNo(QWidget*, const QString&) override { return false; }
    bool AskDiscard(QWidget*, const QString&, const QString&) override { return true; }
    int AskTimerNumber(QWidget*, const QString&, const QList<int>& choices, int) override {
        return choices.isEmpty() ? -1 : choices.back();
    }
    QString GetOpenFileName(QWidget*, const QString&) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&) override {
        return {};
    }
    Answer AskReplaceChanged(QWidget*, const QString&) override { return Answer::Cancel; }
    Answer AskSaveLosing(QWidget*, const QString&, const QString&) override {
        return Answer::Cancel;
    }

    bool unexpected = false;
};

void Settle() {
    QCoreApplication::processEvents();
}

template <typename Action>
double Timed(Action action) {
    const auto start = BenchClock::now();
    action();
    Settle();
    return MillisecondsSince(start);
}

struct Kind {
    Kind(const char* name, std::function<void(int)> prepare, std::function<void(int)> change)
        : name(name), prepare(std::move(prepare)), change(std::move(change)) {}

    const char* name;
    // Selects what the change works on; not timed.
    std::function<void(int run)> prepare;
    std::function<void(int run)> change;
    std::vector<double> changeMs, undoMs, redoMs;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    BenchPrompter prompter;
    Prompter::Override answering(prompter);

    testing_support::TempDir dir;
    const std::string file = dir.File("largest.tvr");
    testing_support::LargestProgram().SaveToFile(file);

    MainWindow window;
    window.show();
    window.activateWindow();
    Settle();
    ProgramDocument& document = window.GetDocument();
    EditActions& edits = window.Edits();
    TimerListView& list = *window.GetTimerList();
    QUndoStack& history = *document.GetHistory();

    bool exact = true;
    auto select = [&](int panel, int row) { document.SetSelection({panel, row}); };
    // The row's field is opened beforehand, as a click would; typing and Enter are timed.
    auto type = [&](int panel, int row, const QString& text) {
        IntervalEdit* edit = list.Editor(panel, row);
        if (edit == nullptr) {
            std::fprintf(stderr, "no open field at timer %d, row %d\n", panel, row);
            exact = false;
            return;
        }
        edit->setText(text);
        edit->CommitPendingChange();
    };
    // Every timer is full at first, so row commands that add work on a timer a row was taken
    // from; each run works in a timer of its own, in the middle of the list.
    std::vector<Kind> kinds{
        {"delete row", [&](int run) { select(8 + run, 0); }, [&](int) { edits.OnDelete(); }},
        {"insert row", [&](int run) { select(8 + run, 3); },
         [&](int) { edits.OnInsertInterval(); }},
        {"delete row again", [&](int run) { select(8 + run, 0); }, [&](int) { edits.OnDelete(); }},
        {"add row", [&](int run) { select(8 + run, 2); }, [&](int) { edits.OnAddInterval(); }},
        {"move row up", [&](int run) { select(8 + run, 5); }, [&](int) { edits.OnMoveRow(-1); }},
        {"move row down", [&](int run) { select(8 + run, 5); }, [&](int) { edits.OnMoveRow(1); }},
        {"edit text", [&](int run) { list.OpenEditor(8 + run, 6); },
         [&](int run) { type(8 + run, 6, QStringLiteral("1:2:%1").arg(run + 10)); }},
        {"switch", [](int) {}, [&](int run) { edits.OnRowSwitched(8 + run, 7); }},
        {"block start", [](int) {}, [&](int run) { edits.OnBlockStartClicked(8 + run, 9); }},
        {"startup", [](int) {}, [&](int) { edits.OnStartupClicked(!document.GetState().startup); }},
        // With all 32 numbers in use, renumbering waits until a timer was deleted.
        {"delete timer", [&](int run) { select(8 + run, -1); }, [&](int) { edits.OnDelete(); }},
        {"renumber timer", [&](int run) { select(8 + run, -1); },
         [&](int) { edits.OnChangeTimerNumber(-1); }},
        {"duplicate timer", [&](int run) { select(8 + run, -1); },
         [&](int) { edits.OnDuplicateTimer(); }},
    };

    std::vector<double> load;
    double rss = 0;
    for (int run = 0; run < kRuns; ++run) {
        // Each load makes every control anew, into an empty window.
        window.Files().OnFileClose();
        Settle();
        load.push_back(Timed([&] { window.OpenFile(QString::fromStdString(file)); }));
        if (run == 0) {
            rss = ResidentMegabytes();
        }
        const EditorState opened = document.GetState();
        for (Kind& kind : kinds) {
            kind.prepare(run);
            Settle();
            const int steps = history.count();
            kind.changeMs.push_back(Timed([&] { kind.change(run); }));
            if (history.count() != steps + 1) {
                std::fprintf(stderr, "%s made no step\n", kind.name);
                exact = false;
            }
            kind.undoMs.push_back(Timed([&] { history.undo(); }));
            kind.redoMs.push_back(Timed([&] { history.redo(); }));
        }
        while (history.canUndo()) {
            history.undo();
        }
        Settle();
        exact = exact && document.GetState().SameProgram(opened);
    }

    double change = 0, undo = 0, redo = 0;
    std::printf("%-18s %9s %9s %9s\n", "kind", "change_ms", "undo_ms", "redo_ms");
    for (const Kind& kind : kinds) {
        std::printf("%-18s %9.2f %9.2f %9.2f\n", kind.name, Median(kind.changeMs),
                    Median(kind.undoMs), Median(kind.redoMs));
        change = std::max(change, Median(kind.changeMs));
        undo = std::max(undo, Median(kind.undoMs));
        redo = std::max(redo, Median(kind.redoMs));
    }
    std::printf("load runs (ms):");
    for (double ms : load) {
        std::printf(" %.1f", ms);
    }
    std::printf("\nundo back to the file exact: %s\n", exact ? "yes" : "no");
    std::printf("load_ms=%.1f change_ms=%.2f undo_ms=%.2f redo_ms=%.2f rss_mb=%.1f\n", Median(load),
                change, undo, redo, rss);
    return exact && !prompter.unexpected ? 0 : 1;
}
