// The application side of the glass benchmark: opens the real programming dialog on a random
// well-formed frame on the X display, tells where a pane is and what the frame is, waits for a
// line on standard input (the probe is watching), then presses Start and runs the transfer.
//   glass_driver [--bytes N] [--seed S] [--load]
// Prints "ready X Y HEX" (a pixel of the left pane in root coordinates, the frame), and at the
// end the dialog's status text.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "BusyLoad.h"
#include "TransferBench.h"
#include "core/TransferFrame.h"
#include "gui/transfer/ProgramDialog.h"
#include "gui/transfer/TextProgressBar.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::Options options;
    if (!bench::ParseOptions(argc, argv, options) || options.bytes > 1000) {
        std::fprintf(stderr, "usage: glass_driver [--bytes N (4 to 1000)] [--seed S] [--load]\n");
        return 2;
    }
    const std::vector<std::uint8_t> frame = bench::MakeFrame(options.bytes, options.seed);
    ProgramDialog dialog(frame.data(), static_cast<std::int32_t>(frame.size()), kZeroTimeUs,
                         kOneTimeUs, kSyncTimeUs);
    dialog.move(40, 40);
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        std::fprintf(stderr, "glass_driver: the dialog was not shown\n");
        return 2;
    }
    QTest::qWait(300);  // let the first paint reach the server
    const QPoint pixel = dialog.mapToGlobal(dialog.GetPaneRects().left.center());
    std::printf("ready %d %d ", pixel.x(), pixel.y());
    for (const std::uint8_t byte : frame) {
        std::printf("%02X", byte);
    }
    std::printf("\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);

    auto* start = dialog.findChild<QPushButton*>(QStringLiteral("start"));
    if (start == nullptr) {
        return 2;
    }
    const BusyLoad busy(options.load);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto clickedAt = std::chrono::steady_clock::now();
    start->click();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    const auto micros = [](const timeval& t) { return t.tv_sec * 1e6 + t.tv_usec; };
    const double cpuUs = micros(after.ru_utime) + micros(after.ru_stime) - micros(before.ru_utime) -
                         micros(before.ru_stime);
    const double wallUs =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - clickedAt)
            .count();
    // Countdown and transfer, the whole of one run; --load's busy process is not counted.
    std::printf("cpu: percent=%.2f\n", 100 * cpuUs / wallUs);
    const QString status = dialog.findChild<TextProgressBar*>()->text();
    if (const std::optional<FrameScheduler>& run = dialog.LastFrameRun()) {
        // The swaps as the display reported them: frame counter and microseconds.
        const FramePlan& plan = run->Plan();
        std::printf("frames: period_us=%.1f swaps=%zu shown=%zu damaged=%zu\n", plan.periodUs,
                    run->SwapCount(), run->SwapsShown(), run->Damaged().size());
        for (std::size_t swap = 0; swap < run->SwapsShown(); ++swap) {
            std::printf("shown %zu %lld %lld %d\n", swap,
                        static_cast<long long>(run->ShownFrame(swap).value_or(-1)),
                        static_cast<long long>(run->ShownUs(swap)),
                        swap < plan.frames.size() ? plan.frames[swap] : 0);
        }
    } else {
        std::printf("frames: none\n");
    }
    std::printf("status: %s\n", qPrintable(status));
    return status.startsWith(QStringLiteral("Done")) ? 0 : 1;
}
