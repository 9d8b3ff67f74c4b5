// The timeline of the largest program (32 timers of 49 intervals): layout from the editor's
// state, and painting the whole of it, fitted, into a 1600-pixel-wide image. Prints medians as
// its last line:
//
//   timeline: layout_ms=X paint_ms=Y
//
// --png FILE also saves the picture. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "TestSupport.h"
#include "core/EditorState.h"
#include "core/TimelineMath.h"
#include "core/TimerProgram.h"
#include "gui/timeline/TimelinePaint.h"

namespace {

constexpr int kRuns = 21;
constexpr int kWidth = 1600;

using Clock = BenchClock;

// The state the editor shows after opening the program: one row per interval, a block start at
// each block's first row.
EditorState StateOf(const TimerProgram& program) {
    EditorState state;
    for (const TimerRun& run : GetTimerRuns(program)) {
        state.panels.push_back(PanelFromRun(run));
    }
    state.selection = {4, 17};
    return state;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const char* png = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0) {
            png = argv[i + 1];
        }
    }

    const EditorState state = StateOf(testing_support::LargestProgram());
    TimelinePaintOptions options;
    options.palette = app.palette();
    options.font = app.font();
    options.selection = state.selection;
    const int height = static_cast<int>(
        std::ceil(TimelineHeight(options.font, static_cast<int>(state.panels.size()))));
    QImage image(kWidth, height, QImage::Format_ARGB32_Premultiplied);

    std::vector<double> layoutMs, paintMs;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        const TimelineLayout layout = LayoutTimeline(state);
        layoutMs.push_back(MillisecondsSince(start));

        start = Clock::now();
        const QRectF rect(0, 0, kWidth, height);
        options.pixelsPerTick = FitPixelsPerTick(
            layout.longest, MakeTimelineFrame(rect, options.font, 1, 0, 0).FitWidth());
        QPainter painter(&image);
        PaintTimeline(painter, rect, layout, options);
        painter.end();
        paintMs.push_back(MillisecondsSince(start));
    }
    if (png != nullptr && !image.save(QString::fromLocal8Bit(png))) {
        std::fprintf(stderr, "timeline_paint: cannot write %s\n", png);
        return 1;
    }
    std::printf("timeline: layout_ms=%.2f paint_ms=%.2f\n", Median(layoutMs), Median(paintMs));
    return 0;
}
