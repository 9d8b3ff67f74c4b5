#include "ProgramSummary.h"

#include <algorithm>

#include "DeviceLimits.h"
#include "TimerProgram.h"
#include "TransferFrame.h"

ProgramSummary SummarizeProgram(const TimerProgram& program) {
    ProgramSummary summary;
    summary.bytes = DeviceMemoryUsed(program);
    summary.blocks = program.GetBlockCount();
    summary.transferUs =
        TransferDurationUs(BuildTransferFrame(program), kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    return summary;
}

std::string FormatDuration(std::int64_t microseconds) {
    const std::int64_t seconds = (std::max<std::int64_t>(0, microseconds) + 500'000) / 1'000'000;
    if (seconds < 60) {
        return std::to_string(seconds) + " s";
    }
    if (seconds < 3600) {
        const std::int64_t rest = seconds % 60;
        return std::to_string(seconds / 60) + " min" +
               (rest != 0 ? " " + std::to_string(rest) + " s" : std::string());
    }
    const std::int64_t minutes = (seconds % 3600) / 60;
    return std::to_string(seconds / 3600) + " h" +
           (minutes != 0 ? " " + std::to_string(minutes) + " min" : std::string());
}

std::string FormatSummaryLine(const ProgramSummary& summary, int capacity) {
    const char* dot = " \u00B7 ";
    return std::to_string(summary.bytes) + " of " + std::to_string(capacity) + " bytes" + dot +
           std::to_string(summary.blocks) + (summary.blocks == 1 ? " block" : " blocks") + dot +
           "transfer about " + FormatDuration(summary.transferUs);
}
