#include "core/ProgramSummary.h"

#include "core/DeviceLimits.h"
#include "core/TimerProgram.h"
#include "core/TransferEstimate.h"
#include "core/TransferFrame.h"
#include "core/Translate.h"

ProgramSummary SummarizeProgram(const TimerProgram& program) {
    ProgramSummary summary;
    summary.bytes = DeviceMemoryUsed(program);
    summary.blocks = program.GetBlockCount();
    summary.transferUs =
        TransferDurationUs(BuildTransferFrame(program), kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    return summary;
}

std::string FormatSummaryLine(const ProgramSummary& summary, int capacity) {
    // The window splits the line at its " · " into parts that do not break.
    return FillArgs(
        Translate("ProgramSummary", "%1 of %2 bytes \u00B7 %n block(s) \u00B7 transfer about %3",
                  nullptr, summary.blocks),
        {std::to_string(summary.bytes), std::to_string(capacity),
         FormatDuration(summary.transferUs)});
}
