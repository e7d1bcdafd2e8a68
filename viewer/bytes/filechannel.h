#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// Why a file could not be opened for viewing.
enum class OpenError {
    None,
    NotFound,        // the path, or a folder on it, does not exist (any more)
    IsDirectory,
    NotRegularFile,  // a FIFO, a device, a socket: reading it could block or never end
    NoPermission,
    LinkLoop,        // symbolic links that point round in a circle
    Other,
};

struct OpenResult;

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

    bool isOpen() const { return handle >= 0; }

    // Reads up to into.size() bytes at the 0-based `offset` with one read call;
    // returns how many bytes there were.
    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> into);

private:
    explicit FileChannel(int handle) : handle(handle) {}
    void close();

    int handle = -1;
};

struct OpenResult {
    FileChannel channel;
    OpenError error = OpenError::None;
    std::string systemMessage;   // the system's own words, for OpenError::Other

    static OpenResult failed(OpenError error, int systemError = 0);
};
