// Runs the real programming dialog on a frame and measures what reached the screen: the moment
// each swap was painted (its window update drawn and flushed to the window system), compared
// interval by interval with the nominal signal, and whether the painted timeline decodes back to
// the frame. Offscreen unless a display is set. Run it on a quiet machine: the loop polls on one
// core, and any CPU contention shows up as lateness (see the involuntary context switches).
// The loop sleeps until shortly before each swap, so cpu_percent is what a run costs.
//   signal_fidelity [--bytes N] [--seed S] [--load]
// --load keeps another core busy with a spinning child process for the whole run.
// The last line is the summary:
//   intervals=N mean_abs_err_ms=X p99_abs_err_ms=Y max_abs_err_ms=Z cpu_percent=C decoded=ok|bad
#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BusyLoad.h"
#include "TransferBench.h"
#include "core/FlashTransmitter.h"
#include "core/SignalDecoder.h"
#include "core/TransferFrame.h"
#include "gui/transfer/ProgramDialog.h"
#include "gui/transfer/TextProgressBar.h"

namespace {

rusage Usage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

double CpuSeconds(const rusage& usage) {
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class UpdateWatcher : public QObject {
public:
    explicit UpdateWatcher(std::function<void(QEvent::Type)> onEvent)
        : onEvent(std::move(onEvent)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint) {
            onEvent(event->type());
        }
        return false;
    }

private:
    std::function<void(QEvent::Type)> onEvent;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    bench::Options options;
    if (!bench::ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: signal_fidelity [--bytes N (4 or more)] [--seed S] [--load]\n");
        return 2;
    }

    const std::vector<std::uint8_t> frame = bench::MakeFrame(options.bytes, options.seed);
    ProgramDialog dialog(frame.data(), static_cast<std::int32_t>(frame.size()), kZeroTimeUs,
                         kOneTimeUs, kSyncTimeUs);
    // What this measures is the dialog's own timer, the one it falls back to where the display
    // has no frame clock (bench/frames.sh measures the frame-locked transfer).
    dialog.SetPaneClock(nullptr);
    const Counter counter = SteadyCounter();
    const double usPerCount = 1e6 / static_cast<double>(counter.frequency());

    std::vector<ProgramDialog::PaintedSwap> painted;
    painted.reserve(frame.size() * 10);
    dialog.SetPaintRecorder(
        [&](const ProgramDialog::PaintedSwap& swap) { painted.push_back(swap); });
    // The bar's position changes right after every step: the moment the transmitter acted.
    std::vector<std::int64_t> steps;
    steps.reserve(frame.size() * 10 + 2);
    auto* bar = dialog.findChild<TextProgressBar*>();
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [&](int) { steps.push_back(counter.reading()); });

    // When each window update began: the rest of a swap's delay is painting and flushing.
    std::vector<std::int64_t> updateStarts;
    std::vector<std::int64_t> paintStarts;
    updateStarts.reserve(frame.size() * 20);
    paintStarts.reserve(frame.size() * 20);
    UpdateWatcher watcher([&](QEvent::Type type) {
        (type == QEvent::UpdateRequest ? updateStarts : paintStarts).push_back(counter.reading());
    });
    dialog.installEventFilter(&watcher);

    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) {
        std::fprintf(stderr, "signal_fidelity: the dialog did not become active\n");
    }
    auto* start = dialog.findChild<QPushButton*>(QStringLiteral("start"));
    if (start == nullptr) {
        std::fprintf(stderr, "signal_fidelity: no Start button\n");
        return 2;
    }

    const BusyLoad load(options.load);
    const rusage before = Usage();
    const auto wallBefore = std::chrono::steady_clock::now();
    start->click();  // the whole run: countdown and transfer
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const rusage after = Usage();
    const double cpuPercent = 100.0 * (CpuSeconds(after) - CpuSeconds(before)) / wall;
    const long switches = after.ru_nivcsw - before.ru_nivcsw;

    const std::vector<std::int64_t> nominal =
        SimulateTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs).swapsUs;
    std::vector<double> errors;
    double worst = -1;
    std::size_t worstIndex = 0;
    for (std::size_t i = 1; i < painted.size(); ++i) {
        const double interval =
            static_cast<double>(painted[i].reading - painted[i - 1].reading) * usPerCount;
        const auto from = static_cast<std::size_t>(painted[i - 1].swapNumber - 1);
        const auto to = static_cast<std::size_t>(painted[i].swapNumber - 1);
        const double expected = static_cast<double>(nominal[to] - nominal[from]);
        const double error = std::abs(interval - expected) / 1000.0;
        errors.push_back(error);
        if (error > worst) {
            worst = error;
            worstIndex = i;
        }
    }
    const bench::Stats stats = bench::Summarise(errors);

    std::vector<std::int64_t> paintedUs;
    for (const ProgramDialog::PaintedSwap& swap : painted) {
        paintedUs.push_back(std::llround(static_cast<double>(swap.reading) * usPerCount));
    }
    const DecodeResult decoded = SignalDecoder().Decode(paintedUs);
    const bool ok = decoded.ok && decoded.frame == frame;

    // Diagnostics. The bar moves to position k + 1 with step k, the step that makes swap k (step
    // 0 makes none); the last swap's position is past the range and is not seen.
    auto ms = [&](std::int64_t counts) { return static_cast<double>(counts) * usPerCount / 1e3; };
    auto nominalStepUs = [&](std::size_t k) { return k == 0 ? 0 : nominal[k - 1]; };
    std::vector<double> stepLate;  // how much longer than nominal each wait lasted
    for (std::size_t k = 1; k < steps.size() && k <= nominal.size(); ++k) {
        stepLate.push_back(ms(steps[k] - steps[k - 1]) -
                           static_cast<double>(nominalStepUs(k) - nominalStepUs(k - 1)) / 1e3);
    }
    // Each swap's delay from its step to the screen, split at the start of the window update
    // that showed it and at the start of the dialog's paint within that update.
    std::vector<double> delay, queued, preparing, drawing;
    for (const ProgramDialog::PaintedSwap& swap : painted) {
        const auto step = static_cast<std::size_t>(swap.swapNumber);
        const auto update =
            std::upper_bound(updateStarts.begin(), updateStarts.end(), swap.reading);
        const auto paint = std::upper_bound(paintStarts.begin(), paintStarts.end(), swap.reading);
        if (step >= steps.size() || update == updateStarts.begin() ||
            paint == paintStarts.begin()) {
            continue;
        }
        delay.push_back(ms(swap.reading - steps[step]));
        queued.push_back(ms(*(update - 1) - steps[step]));
        preparing.push_back(ms(*(paint - 1) - *(update - 1)));
        drawing.push_back(ms(swap.reading - *(paint - 1)));
    }
    auto line = [](const char* what, const std::vector<double>& values) {
        const bench::Stats stats = bench::Summarise(values);
        std::printf("%s: mean=%.3f p99=%.3f max=%.3f ms\n", what, stats.mean, stats.p99, stats.max);
    };

    std::printf("platform=%s frame=%zu bytes swaps painted=%zu of %zu run=%.1f s\n",
                qPrintable(QGuiApplication::platformName()), frame.size(), painted.size(),
                nominal.size(), wall);
    std::printf("involuntary context switches during the run: %ld\n", switches);
    std::printf("load: %s\n", load.Running() ? "another core kept busy" : "none");
    line("step late on its wait", stepLate);
    line("swap shown after its step", delay);
    line("  waiting for the window update", queued);
    line("  preparing the paint", preparing);
    line("  painting and flushing", drawing);
    if (!painted.empty() && worstIndex > 0) {
        std::printf("worst interval: swaps %d-%d off by %.3f ms\n",
                    painted[worstIndex - 1].swapNumber, painted[worstIndex].swapNumber, worst);
    }
    if (!ok) {
        std::printf("decode: %s\n", decoded.ok ? "frame differs" : decoded.reason.c_str());
    }
    std::printf(
        "intervals=%zu mean_abs_err_ms=%.3f p99_abs_err_ms=%.3f max_abs_err_ms=%.3f "
        "cpu_percent=%.0f decoded=%s\n",
        errors.size(), stats.mean, stats.p99, stats.max, cpuPercent, ok ? "ok" : "bad");
    return ok ? 0 : 1;
}
