#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

// Why a file could not be opened for viewing.
enum class OpenError {
    None,
    NotFound,        // the path, or a folder on it, does not exist (any more)
    IsDirectory,
    NotRegularFile,  // a FIFO, a device, a socket: reading it could block or never end
    NoPermission,
    InUse,           // another program holds it locked
    LinkLoop,        // symbolic links that point round in a circle
    Other,
};

struct OpenResult;

// What one read gave: the bytes the file holds there (none at its end), or
// the system's error code when the read failed (a disk with a bad sector, a
// share that dropped, a file the kernel won't hand over).
struct ReadResult {
    std::size_t count = 0;
    int systemError = 0;   // errno, or on Windows GetLastError()

    bool failed() const { return systemError != 0; }
};

// The one open file of the viewer: opened read-only, never written, and kept
// open from one load to the next. Every read names its own position and takes
// what the file holds there now, so a file that grows or shrinks underneath,
// or one that reports no length at all, is seen as it is.
class FileChannel {
public:
    FileChannel() = default;
    FileChannel(FileChannel &&other) noexcept;
    FileChannel &operator=(FileChannel &&other) noexcept;
    FileChannel(const FileChannel &) = delete;
    FileChannel &operator=(const FileChannel &) = delete;
    ~FileChannel();

    // Opens a regular file. Anything else is refused before it is opened, so
    // that opening never blocks.
    static OpenResult open(const std::filesystem::path &path);

    bool isOpen() const { return handle != NoHandle; }

    // Reads up to into.size() bytes at the 0-based `offset` with one read call.
    ReadResult readAt(std::int64_t offset, std::span<std::uint8_t> into);

private:
    // A file descriptor, or on Windows the file's HANDLE.
    static constexpr std::intptr_t NoHandle = -1;
    explicit FileChannel(std::intptr_t handle) : handle(handle) {}
    void close();

    std::intptr_t handle = NoHandle;
};

struct OpenResult {
    FileChannel channel;
    OpenError error = OpenError::None;
    int systemError = 0;   // errno, or on Windows GetLastError(), for OpenError::Other

    static OpenResult failed(OpenError error, int systemError = 0);
};
