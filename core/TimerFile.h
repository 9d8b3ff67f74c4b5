#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtomicSave.h"

class TimerProgram;

// A timer file larger than this is refused: the biggest program the editor holds takes about
// 30 KB, and a bound keeps a stray multi-gigabyte file from eating memory.
inline constexpr std::size_t kMaxTimerFileSize = 1024 * 1024;
// Lines longer than this never come from the writer; the reader skips them whole.
inline constexpr std::size_t kMaxTimerLineLength = 255;

enum class LoadStatus { Ok, CannotOpen, NotTimerFile, UnsupportedVersion, TooLarge };

// Why the reader could not use a line of a file it loaded.
enum class SkipReason {
    NotTimerOrInterval,  // not a timer, interval or startup line
    TooLong,             // longer than kMaxTimerLineLength
    BeforeFirstTimer,    // an interval with no timer line above it
    BlockFull,           // a ninth interval under one timer line
    UnderSkippedTimer,   // an interval below a skipped line that may be its timer line
};

struct SkippedLine {
    std::size_t number = 0;  // 1-based line number in the file
    std::string text;        // the line made printable and shortened, see PrintableExcerpt
    SkipReason reason = SkipReason::NotTimerOrInterval;
};

// A hostile file can have many thousands of unusable lines: the first are kept, all are
// counted.
inline constexpr std::size_t kMaxSkippedLinesKept = 100;
// How many skipped lines the report for a person lists before "and N more".
inline constexpr std::size_t kSkippedLinesShown = 10;
// Printable characters kept of a skipped line's text, before "...".
inline constexpr std::size_t kSkippedTextWidth = 40;

struct LoadResult {
    LoadStatus status = LoadStatus::Ok;
    std::string version;  // the version as written, for UnsupportedVersion
    std::string detail;   // the system's reason, for CannotOpen
    // Lines after the header the reader could not use, in file order: the first
    // kMaxSkippedLinesKept of them, and how many there were in all. Blank lines hold nothing
    // and are not counted.
    std::vector<SkippedLine> skipped;
    std::size_t skippedCount = 0;
    // What the file was when read, by ReadTimerFile.
    FileStamp stamp;

    bool Ok() const { return status == LoadStatus::Ok; }
    // What went wrong and what to do about it, in plain words for the user.
    std::string Message() const;
    // What went wrong in a few words, to follow "Unable to open NAME: ".
    std::string Reason() const;
};

// "not a timer or interval line" and the like: the reason in a few words.
std::string SkipReasonText(SkipReason reason);
// The text as printable ASCII: bytes outside 0x20..0x7E as \xNN, a backslash and a double quote
// escaped, cut after at most width characters with "..." appended.
std::string PrintableExcerpt(std::string_view text, std::size_t width = kSkippedTextWidth);
// Counts a line the reader could not use, keeping it among the first kMaxSkippedLinesKept.
void SkipLine(LoadResult& result, std::size_t number, std::string_view line, SkipReason reason);
// "line 4: "ON 00:00:05" (not a timer or interval line)"
std::string DescribeSkippedLine(const SkippedLine& line);
// For a person after opening fileName (the name to show): which lines were skipped, the first
// kSkippedLinesShown of them and how many more, and what that means (closing, when given, in
// place of what it means for an opened file). Empty when none were.
std::string FormatSkippedLines(const LoadResult& result, std::string_view fileName,
                               std::string_view closing = {});

// One line as the reader takes it: a timer line with its number, an interval, the startup
// line, a blank line, or one it skips (too long, or none of these). Spaces and tabs around
// the line are ignored; the length limit counts them.
struct TimerLine {
    enum class Kind { Timer, Interval, Startup, Blank, TooLong, Unreadable };
    Kind kind = Kind::Unreadable;
    std::uint32_t timer = 0;
    bool on = false;
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t ticks = 0;
};
TimerLine ReadTimerLine(std::string_view line);
// A skipped line that mentions a timer may be the timer line of the intervals below it
// ("timer 3", "Timer: 3", "# Timer 3"), so they must not join the timer above.
bool MayBeTimerLine(std::string_view line);
// The lines of a text without their line breaks (LF, or CR LF), as the reader splits them.
std::vector<std::string_view> SplitTimerLines(std::string_view text);

// Reads timer-file text into an empty program. Lines are matched leniently, as the original
// reader did; nothing after the magic and version lines makes the load fail. A UTF-8
// byte-order mark at the start is skipped.
LoadResult ParseTimerFile(std::string_view text, TimerProgram& program);
// Reads the file at path; on failure the program is left untouched.
LoadResult ReadTimerFile(const std::string& path, TimerProgram& program);

// The exact bytes the writer stores: CR LF line ends, no blank lines.
std::string FormatTimerFile(const TimerProgram& program);

// Writes the program to path atomically: the old file stays exactly as it was unless the
// whole new content has been written and flushed. A program without blocks is refused
// without touching anything.
SaveResult WriteTimerFile(const std::string& path, const TimerProgram& program, SaveOps& ops);
SaveResult WriteTimerFile(const std::string& path, const TimerProgram& program);
