#include "core/ProgramSummary.h"

#include "core/DeviceLimits.h"
#include "core/TimerProgram.h"
#include "core/TransferEstimate.h"
#include "core/TransferFrame.h"

ProgramSummary SummarizeProgram(const TimerProgram& program) {
    ProgramSummary summary;
    summary.bytes = DeviceMemoryUsed(program);
    summary.blocks = program.GetBlockCount();
    summary.transferUs =
        TransferDurationUs(BuildTransferFrame(program), kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    return summary;
}

std::string FormatSummaryLine(const ProgramSummary& summary, int capacity) {
    const char* dot = " \u00B7 ";
    return std::to_string(summary.bytes) + " of " + std::to_string(capacity) + " bytes" + dot +
           std::to_string(summary.blocks) + (summary.blocks == 1 ? " block" : " blocks") + dot +
           "transfer about " + FormatDuration(summary.transferUs);
}
