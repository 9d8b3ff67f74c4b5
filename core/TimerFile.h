#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

    bool Ok() const { return status == LoadStatus::Ok; }
    // What went wrong and what to do about it, in plain words for the user.
    std::string Message() const;
    // What went wrong in a few words, to follow "Unable to open NAME: ".
    std::string Reason() const;
};

// "not a timer or interval line" and the like: the reason in a few words.
std::string_view SkipReasonText(SkipReason reason);
// The text as printable ASCII: bytes outside 0x20..0x7E as \xNN, a backslash and a double quote
// escaped, cut after at most width characters with "..." appended.
std::string PrintableExcerpt(std::string_view text, std::size_t width = kSkippedTextWidth);
// "line 4: "ON 00:00:05" (not a timer or interval line)"
std::string DescribeSkippedLine(const SkippedLine& line);
// For a person after opening fileName (the name to show): which lines were skipped, the first
// kSkippedLinesShown of them and how many more, and what that means. Empty when none were.
std::string FormatSkippedLines(const LoadResult& result, std::string_view fileName);

// Reads timer-file text into an empty program. Lines are matched leniently, as the original
// reader did; nothing after the magic and version lines makes the load fail.
LoadResult ParseTimerFile(std::string_view text, TimerProgram& program);
// Reads the file at path; on failure the program is left untouched.
LoadResult ReadTimerFile(const std::string& path, TimerProgram& program);

// The exact bytes the writer stores: CR LF line ends, no blank lines.
std::string FormatTimerFile(const TimerProgram& program);

// The steps of an atomic save. The real implementation writes a temporary file next to the
// target and renames it over; tests substitute one that fails at a chosen step.
class SaveOps {
public:
    virtual ~SaveOps() = default;
    // Creates a new, empty temporary file in dir; returns a handle, or -1 with error set.
    virtual int CreateTemp(const std::string& dir, const std::string& name, std::string& tempPath,
                           std::string& error);
    virtual bool Write(int handle, std::string_view data, std::string& error);
    // Pushes the data to the disk, so a crash after the rename never leaves an empty file.
    virtual bool Flush(int handle, std::string& error);
    virtual bool Close(int handle, std::string& error);
    virtual bool Rename(const std::string& from, const std::string& to, std::string& error);
    virtual void Remove(const std::string& path);
    // Gives the temporary file the permissions of the file it is about to replace.
    virtual void CopyPermissions(int handle, const std::string& fromPath);
};

enum class SaveStatus { Ok, NoBlocks, CannotCreate, WriteFailed, CannotReplace };

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    std::string detail;  // the system's reason

    bool Ok() const { return status == SaveStatus::Ok; }
    std::string Message() const;
};

// Writes the program to path atomically: the old file stays exactly as it was unless the
// whole new content has been written and flushed. A program without blocks is refused
// without touching anything.
SaveResult WriteTimerFile(const std::string& path, const TimerProgram& program, SaveOps& ops);
SaveResult WriteTimerFile(const std::string& path, const TimerProgram& program);
