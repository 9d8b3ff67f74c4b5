// The timer editor at its largest, on the real widgets: 31 timers of 49 intervals, about 4,500
// controls. Times loading (with the layout and the first paint), one added row, one deleted
// row and building the program back; then, in the main window, one Delete as a command (with
// its undo step), and undo and redo of a row delete and of a timer delete. Prints medians as
// its last line, undo_ms and redo_ms the slower of the two kinds:
//
//   load_ms=A add_row_ms=B delete_row_ms=C build_ms=D command_ms=E undo_ms=F redo_ms=G rss_mb=H
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "ResidentMemory.h"
#include "TestSupport.h"
#include "core/TimerProgram.h"
#include "gui/app/MainDialog.h"
#include "gui/editor/TimerListCtrl.h"
#include "gui/editor/TimerPanel.h"

namespace {

constexpr int kTimers = TimerListCtrl::kMaxPanels;
constexpr int kRows = TimerPanel::kMaxRows;
constexpr int kRuns = 7;
constexpr int kChangesPerRun = 5;

using Clock = BenchClock;

// Handles everything pending, the repaint of what changed among it.
void Settle() {
    QCoreApplication::processEvents();
}

template <typename Action>
double Timed(Action action) {
    const auto start = Clock::now();
    action();
    Settle();
    return MillisecondsSince(start);
}

struct HistoryTimes {
    std::vector<double> command, undoRow, redoRow, undoTimer, redoTimer;
    bool exact = true;  // every undo gave back the program it started from
};

// Deletes a row and a timer in the middle of the largest program through the main window, and
// undoes and redoes each.
HistoryTimes MeasureHistory(const std::string& file) {
    HistoryTimes times;
    MainDialog window;
    window.show();
    window.activateWindow();
    Settle();
    if (!window.OpenFile(QString::fromStdString(file))) {
        times.exact = false;
        return times;
    }
    Settle();
    TimerListCtrl* list = window.GetTimerList();
    QUndoStack* history = window.GetHistory();
    const EditorState original = list->GetState();
    for (int run = 0; run < kRuns; ++run) {
        const int panel = 10 + run;
        list->Select(panel, 0);
        times.command.push_back(Timed([&] { window.OnDelete(); }));
        times.undoRow.push_back(Timed([&] { history->undo(); }));
        times.redoRow.push_back(Timed([&] { history->redo(); }));
        history->undo();
        list->Select(panel, -1);
        window.OnDelete();
        Settle();
        times.undoTimer.push_back(Timed([&] { history->undo(); }));
        times.redoTimer.push_back(Timed([&] { history->redo(); }));
        history->undo();
        Settle();
        times.exact = times.exact && list->GetState().panels == original.panels;
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Keep the summary the last line even when Qt writes warnings to standard error.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    TimerProgram program = testing_support::LargestProgram();
    QWidget host;
    host.resize(258, 300);
    host.show();
    host.activateWindow();
    Settle();

    std::vector<double> load, addRow, deleteRow, build;
    double rss = 0;
    int checkedBlocks = 0, checkedMemory = 0, refusedAdds = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto list = std::make_unique<TimerListCtrl>(QRect(11, 50, 236, 230), &host);
        list->show();
        Settle();

        auto start = Clock::now();
        list->LoadProgram(program);
        Settle();
        load.push_back(MillisecondsSince(start));
        if (run == 0) {
            rss = ResidentMegabytes();
            checkedMemory = list->GetMemoryUsed();
        }

        // Every panel is full, so each added row follows a deleted one; the deleted row is the
        // first of its panel, the costliest (every row below it moves up).
        for (int change = 0; change < kChangesPerRun; ++change) {
            const int panel = (run * kChangesPerRun + change) % kTimers;
            start = Clock::now();
            list->DeleteRow(panel, 0);
            Settle();
            deleteRow.push_back(MillisecondsSince(start));

            start = Clock::now();
            if (list->AddRow(panel, true, 1, 2, 3, 0, false) < 0) {
                ++refusedAdds;
            }
            list->LayoutPanels();
            list->UpdateScrollInfo();
            Settle();
            addRow.push_back(MillisecondsSince(start));
        }

        TimerProgram built;
        start = Clock::now();
        list->BuildProgram(built);
        build.push_back(MillisecondsSince(start));
        checkedBlocks = built.GetBlockCount();

        list.reset();
        Settle();
    }

    testing_support::TempDir dir;
    const std::string file = dir.File("largest.tvr");
    program.SaveToFile(file);
    const HistoryTimes history = MeasureHistory(file);
    const double undo = std::max(Median(history.undoRow), Median(history.undoTimer));
    const double redo = std::max(Median(history.redoRow), Median(history.redoTimer));

    std::printf(
        "program: %d timers x %d intervals; memory used %d bytes; built %d blocks; "
        "refused adds %d; undo exact %s\n",
        kTimers, kRows, checkedMemory, checkedBlocks, refusedAdds, history.exact ? "yes" : "no");
    std::printf("undo: row %.2f ms, timer %.2f ms; redo: row %.2f ms, timer %.2f ms\n",
                Median(history.undoRow), Median(history.undoTimer), Median(history.redoRow),
                Median(history.redoTimer));
    std::printf("load runs (ms):");
    for (double ms : load) {
        std::printf(" %.1f", ms);
    }
    std::printf("\n");
    std::printf(
        "load_ms=%.1f add_row_ms=%.2f delete_row_ms=%.2f build_ms=%.2f command_ms=%.2f "
        "undo_ms=%.2f redo_ms=%.2f rss_mb=%.1f\n",
        Median(load), Median(addRow), Median(deleteRow), Median(build), Median(history.command),
        undo, redo, rss);
    return refusedAdds == 0 && history.exact ? 0 : 1;
}
