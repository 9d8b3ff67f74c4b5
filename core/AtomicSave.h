#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a file held when the program last read or wrote it, so a later look can tell whether
// another program has written it since.
struct FileStamp {
    bool known = false;  // false: nothing read or written yet, nothing to compare
    std::uint64_t size = 0;
    std::int64_t time = 0;   // last write time, in the file system clock's ticks
    std::uint64_t hash = 0;  // FNV-1a of the bytes

    bool operator==(const FileStamp&) const = default;
};

// The stamp of these bytes written at time.
FileStamp StampOf(std::string_view bytes, std::int64_t time);
// The file's last write time, or 0 when it has none.
std::int64_t FileTime(const std::string& path);

enum class FileCheck {
    Unchanged,  // the bytes and the time are as remembered (or nothing was remembered)
    Touched,    // the same bytes with another time: nothing to lose by writing over it
    Changed,    // other bytes: someone else's change would be lost
    Gone,       // no file: writing it again loses nothing
};
// How the file at path compares with what was remembered of it.
FileCheck CheckFile(const std::string& path, const FileStamp& known);

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
    FileStamp stamp;     // what the file holds after a save that worked

    bool Ok() const { return status == SaveStatus::Ok; }
    std::string Message() const;
};

// Writes content to path atomically: the old file stays exactly as it was unless the whole
// new content has been written and flushed. A link is followed; a device, pipe or folder is
// refused without touching it.
SaveResult SaveAtomically(const std::string& path, std::string_view content, SaveOps& ops);
