// The largest program (32 timers of 49 intervals) opened, edited, saved and closed 50 times in
// one process, on the real main window, offscreen. Prints the resident memory after rounds 1,
// 10, 25 and 50; last line: rounds=50 rss_mb_first=A rss_mb_last=B growth_mb=C round_ms=D
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "ResidentMemory.h"
#include "TestSupport.h"
#include "core/Limits.h"
#include "core/TimerProgram.h"
#include "gui/app/EditActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/MainWindow.h"
#include "gui/document/ProgramDocument.h"

using testing_support::LargestProgram;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.tvr"));
    if (!LargestProgram().SaveToFile(path.toStdString())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    MainWindow window;
    window.show();
    constexpr int kRounds = 50;
    double first = 0;
    double last = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 1; round <= kRounds; ++round) {
        window.OpenFile(path);
        // A row of one timer deleted and one added at its end, as the commands do.
        const int panel = round % kTimerCount;
        window.GetDocument().SetSelection({panel, 1});
        window.Edits().OnDelete();
        window.Edits().OnAddInterval();
        if (!window.Files().OnFileSave() || !window.Files().OnFileClose()) {
            std::fprintf(stderr, "round %d: save or close failed\n", round);
            return 1;
        }
        QApplication::processEvents();
        const double rss = ResidentMegabytes();
        if (round == 1) {
            first = rss;
        }
        last = rss;
        if (round == 1 || round == 10 || round == 25 || round == kRounds) {
            std::printf("round %d: rss %.1f MB\n", round, rss);
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("rounds=%d rss_mb_first=%.1f rss_mb_last=%.1f growth_mb=%.1f round_ms=%.1f\n",
                kRounds, first, last, last - first, ms / kRounds);
    return 0;
}
