#pragma once

#include <cstdint>
#include <string>

class TimerProgram;

// What the main window's status line tells about a program: its device memory, its blocks and
// how long sending it takes.
struct ProgramSummary {
    int bytes = 0;  // device memory used: 3 per interval, 1 per block
    int blocks = 0;
    std::int64_t transferUs = 0;  // the transfer alone, at the Program command's signal times
};

ProgramSummary SummarizeProgram(const TimerProgram& program);

// "N of 128 bytes · B blocks · transfer about 1 min 13 s" (UTF-8).
std::string FormatSummaryLine(const ProgramSummary& summary, int capacity);
