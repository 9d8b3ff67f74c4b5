// Opens the programming dialog for a timer file, so a person can watch the panes flash.
//   program_viewer FILE.tvr
#include <QApplication>
#include <cstdio>
#include <vector>

#include "ProgramDialog.h"
#include "TimerFile.h"
#include "TimerProgram.h"
#include "TransferFrame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: program_viewer FILE.tvr\n");
        return 2;
    }
    TimerProgram program;
    const LoadResult loaded = ReadTimerFile(argv[1], program);
    if (!loaded.Ok()) {
        std::fprintf(stderr, "program_viewer: %s: %s\n", argv[1], loaded.Message().c_str());
        return 2;
    }
    const std::vector<std::uint8_t> frame = BuildTransferFrame(program);
    std::printf(
        "frame: %zu bytes, transfer %.2f s after the countdown\n", frame.size(),
        static_cast<double>(TransferDurationUs(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs)) / 1e6);
    ProgramDialog dialog(frame.data(), static_cast<std::int32_t>(frame.size()), kZeroTimeUs,
                         kOneTimeUs, kSyncTimeUs);
    dialog.exec();
    return 0;
}
