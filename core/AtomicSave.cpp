#include "core/AtomicSave.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "core/Translate.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string SystemMessage(int error) {
    return std::generic_category().message(error);
}

}  // namespace

FileStamp StampOf(std::string_view bytes, std::int64_t time) {
    // FNV-1a: a change of any byte changes it; it only has to tell versions of one file apart.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return FileStamp{true, bytes.size(), time, hash};
}

std::int64_t FileTime(const std::string& path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    return ec ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
}

FileCheck CheckFile(const std::string& path, const FileStamp& known) {
    if (!known.known) {
        return FileCheck::Unchanged;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return FileCheck::Gone;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size != known.size) {
        return FileCheck::Changed;
    }
    const std::int64_t time = FileTime(path);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return FileCheck::Changed;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        StampOf(bytes, time).hash != known.hash) {
        return FileCheck::Changed;
    }
    return time == known.time ? FileCheck::Unchanged : FileCheck::Touched;
}

std::string SaveResult::Message() const {
    switch (status) {
        case SaveStatus::Ok:
            return {};
        case SaveStatus::NoBlocks:
            return Translate("TimerFile",
                             "The program has no timers, so there is nothing to "
                             "save. Add a timer first.");
        case SaveStatus::CannotCreate:
            return FillArgs(Translate("TimerFile",
                                      "The file could not be created (%1). Check that the folder "
                                      "exists and that you may write to it, or choose another "
                                      "folder."),
                            {detail});
        case SaveStatus::WriteFailed:
            return FillArgs(Translate("TimerFile",
                                      "Writing the file failed (%1). The file that was there is "
                                      "unchanged. Free some disk space or choose another folder, "
                                      "then save again."),
                            {detail});
        case SaveStatus::CannotReplace:
            return FillArgs(Translate("TimerFile",
                                      "The saved program could not replace the file (%1). The "
                                      "file that was there is unchanged. Check that you may write "
                                      "to it, or save under another name."),
                            {detail});
    }
    return {};
}

SaveResult SaveAtomically(const std::string& path, std::string_view content, SaveOps& ops) {
    SaveResult result;
    namespace fs = std::filesystem;
    // Saving through a link replaces the file it points to, not the link.
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    // A device, pipe or folder cannot be replaced atomically, and renaming over a device node
    // (as root, /dev/null) would destroy it.
    const fs::file_status existing = fs::status(target, ec);
    if (fs::exists(existing) && !fs::is_regular_file(existing)) {
        result.status = SaveStatus::CannotReplace;
        result.detail = Translate("TimerFile", "not a regular file");
        return result;
    }
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");

    std::string tempPath;
    const int handle =
        ops.CreateTemp(dir.string(), target.filename().string(), tempPath, result.detail);
    if (handle < 0) {
        result.status = SaveStatus::CannotCreate;
        return result;
    }
    if (fs::exists(target, ec)) {
        ops.CopyPermissions(handle, target.string());
    }
    // One write per line, the way a stream-based writer would issue them.
    bool ok = true;
    for (std::size_t start = 0; ok && start < content.size();) {
        const std::size_t end = std::min(content.find('\n', start), content.size() - 1) + 1;
        ok = ops.Write(handle, content.substr(start, end - start), result.detail);
        start = end;
    }
    ok = ok && ops.Flush(handle, result.detail);
    std::string closeError;
    const bool closed = ops.Close(handle, closeError);
    if (ok && !closed) {
        ok = false;
        result.detail = closeError;
    }
    if (!ok) {
        ops.Remove(tempPath);
        result.status = SaveStatus::WriteFailed;
        return result;
    }
    if (!ops.Rename(tempPath, target.string(), result.detail)) {
        ops.Remove(tempPath);
        result.status = SaveStatus::CannotReplace;
        return result;
    }
    result.stamp = StampOf(content, FileTime(target.string()));
    return result;
}

// ---- the real file operations ------------------------------------------------------------

#ifndef _WIN32

int SaveOps::CreateTemp(const std::string& dir, const std::string& name, std::string& tempPath,
                        std::string& error) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        tempPath = (std::filesystem::path(dir) / ("." + name + "." + suffix + ".tmp")).string();
        // 0666 lets the user's umask decide, as for any newly created document.
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            error = SystemMessage(errno);
            return -1;
        }
    }
    error = SystemMessage(EEXIST);
    return -1;
}

bool SaveOps::Write(int handle, std::string_view data, std::string& error) {
    while (!data.empty()) {
        const ssize_t written = ::write(handle, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = SystemMessage(errno);
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool SaveOps::Flush(int handle, std::string& error) {
    if (::fsync(handle) != 0) {
        error = SystemMessage(errno);
        return false;
    }
    return true;
}

bool SaveOps::Close(int handle, std::string& error) {
    if (::close(handle) != 0) {
        error = SystemMessage(errno);
        return false;
    }
    return true;
}

void SaveOps::CopyPermissions(int handle, const std::string& fromPath) {
    struct stat info {};
    if (::stat(fromPath.c_str(), &info) == 0) {
        (void)::fchmod(handle, info.st_mode & 07777);
    }
}

#else
#error "The atomic save needs POSIX file calls; add a Windows implementation of SaveOps."

#endif

bool SaveOps::Rename(const std::string& from, const std::string& to, std::string& error) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    return true;
}

void SaveOps::Remove(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}
