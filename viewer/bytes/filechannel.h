#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// Why a file could not be opened for viewing.
enum class OpenError {
    None,
    NotFound,   // the path, or a folder on it, does not exist (any more)
    IsDirectory,
    NotRegularFile,   // a FIFO, a device, a socket: reading it could block or never end
    NoPermission,
    InUse,   // another program holds it locked
    LinkLoop,   // symbolic links that point round in a circle
    Other,
};

// What the system's error code behind a failed read (or an open that failed
// for a reason OpenError has no name for) comes down to. Each system's file
// channel sorts its own codes.
enum class SystemFault {
    None,
    DeviceFault,   // the device reports a read error: a bad sector, a pulled stick
    DeviceGone,   // the device is not there (any more): no medium, removed
    NetworkUnreachable,   // the share, or the computer it is on, can't be reached
    ConnectionLost,   // the connection to the file broke off
    NameTooLong,
    TooManyOpenFiles,
    OutOfMemory,
    Other,   // told by the system's code and its own words
};

struct SystemError {
    SystemFault fault = SystemFault::None;
    int code = 0;   // errno, or on Windows GetLastError()
    std::string words;   // the system's own words for the code, UTF-8; may be empty
};

// The system's error code, sorted; the system's words only for Other.
SystemError classifySystemError(int code);

struct OpenResult;

// What one read gave: the bytes the file holds there (none at its end), or
// why the read failed (a disk with a bad sector, a share that dropped, a file
// the kernel won't hand over).
struct ReadResult {
    std::size_t count = 0;
    SystemError error;

    bool failed() const { return error.fault != SystemFault::None; }
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
    explicit FileChannel(std::intptr_t handle)
        : handle(handle)
    {}
    void close();

    std::intptr_t handle = NoHandle;
};

struct OpenResult {
    FileChannel channel;
    OpenError error = OpenError::None;
    SystemError systemError;   // for OpenError::Other

    static OpenResult failed(OpenError error, int systemCode = 0);
};
