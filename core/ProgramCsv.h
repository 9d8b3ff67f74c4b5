#pragma once

#include <string>
#include <string_view>

class TimerProgram;

// The program as a spreadsheet table, one line per interval:
//   timer,interval,state,hours,minutes,seconds,sixtieths,ticks,start_ticks,block_start
// Intervals are numbered from 1 within their timer (consecutive blocks with one number), and
// start_ticks counts from the timer's start. Lines end in CR LF and fields are quoted as
// RFC 4180 asks, so spreadsheets read it as it is.
std::string ProgramToCsv(const TimerProgram& program);

inline constexpr char kCsvHeader[] =
    "timer,interval,state,hours,minutes,seconds,sixtieths,ticks,start_ticks,block_start";

// A field as it goes into a CSV line: quoted, with its quotes doubled, when it holds a comma,
// a quote, CR or LF.
std::string CsvField(std::string_view field);
