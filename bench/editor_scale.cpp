// The timer editor at its largest, on the real widgets: 31 timers of 49 intervals, about 4,500
// controls. Times loading (with the layout and the first paint), one added row, one deleted
// row and building the program back, and prints medians as its last line:
//
//   load_ms=A add_row_ms=B delete_row_ms=C build_ms=D rss_mb=E
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ResidentMemory.h"
#include "TestSupport.h"
#include "TimerListCtrl.h"
#include "TimerPanel.h"
#include "TimerProgram.h"

namespace {

constexpr int kTimers = TimerListCtrl::kMaxPanels;
constexpr int kRows = TimerPanel::kMaxRows;
constexpr int kRuns = 7;
constexpr int kChangesPerRun = 5;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Handles everything pending, the repaint of what changed among it.
void Settle() {
    QCoreApplication::processEvents();
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

    std::printf(
        "program: %d timers x %d intervals; memory used %d bytes; built %d blocks; "
        "refused adds %d\n",
        kTimers, kRows, checkedMemory, checkedBlocks, refusedAdds);
    std::printf("load runs (ms):");
    for (double ms : load) {
        std::printf(" %.1f", ms);
    }
    std::printf("\n");
    std::printf("load_ms=%.1f add_row_ms=%.2f delete_row_ms=%.2f build_ms=%.2f rss_mb=%.1f\n",
                Median(load), Median(addRow), Median(deleteRow), Median(build), rss);
    return refusedAdds == 0 ? 0 : 1;
}
