#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TimerProgram;

// A timer file larger than this is refused: the biggest program the editor holds takes about
// 30 KB, and a bound keeps a stray multi-gigabyte file from eating memory.
inline constexpr std::size_t kMaxTimerFileSize = 1024 * 1024;
// Lines longer than this never come from the writer; the reader skips them whole.
inline constexpr std::size_t kMaxTimerLineLength = 255;

enum class LoadStatus { Ok, CannotOpen, NotTimerFile, UnsupportedVersion, TooLarge };

struct LoadResult {
    LoadStatus status = LoadStatus::Ok;
    std::string version;  // the version as written, for UnsupportedVersion
    std::string detail;   // the system's reason, for CannotOpen

    bool Ok() const { return status == LoadStatus::Ok; }
    // What went wrong and what to do about it, in plain words for the user.
    std::string Message() const;
};

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
