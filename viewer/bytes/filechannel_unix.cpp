#include "viewer/bytes/filechannel.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

OpenResult failureFromErrno(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        return OpenResult::failed(OpenError::NotFound);
    case EISDIR:
        return OpenResult::failed(OpenError::IsDirectory);
    case EACCES:
    case EPERM:
        return OpenResult::failed(OpenError::NoPermission);
    case ELOOP:
        return OpenResult::failed(OpenError::LinkLoop);
    default:
        return OpenResult::failed(OpenError::Other, systemError);
    }
}

OpenResult refusedType(mode_t mode)
{
    return OpenResult::failed(S_ISDIR(mode) ? OpenError::IsDirectory : OpenError::NotRegularFile);
}

}   // namespace

SystemError classifySystemError(int code)
{
    switch (code) {
    case 0:
        return {};
    case EIO:
        return {SystemFault::DeviceFault, code, {}};
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return {SystemFault::DeviceGone, code, {}};
    case ESTALE:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
        return {SystemFault::ConnectionLost, code, {}};
    case ENAMETOOLONG:
        return {SystemFault::NameTooLong, code, {}};
    case EMFILE:
    case ENFILE:
        return {SystemFault::TooManyOpenFiles, code, {}};
    case ENOMEM:
        return {SystemFault::OutOfMemory, code, {}};
    default:
        // In the user's language where the system has it.
        return {SystemFault::Other, code, std::strerror(code)};
    }
}

OpenResult FileChannel::open(const std::filesystem::path &path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return failureFromErrno(errno);
    if (!S_ISREG(info.st_mode))
        return refusedType(info.st_mode);

    // O_NONBLOCK: should the path be swapped for a FIFO between the check and
    // the open, the open returns at once instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return failureFromErrno(errno);
    // Asked again of the file now open, which may not be the one looked at
    // above; on a network or FUSE file system this can fail as a read does.
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return failureFromErrno(error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return refusedType(info.st_mode);
    }
    OpenResult result;
    result.channel = FileChannel(fd);
    return result;
}

void FileChannel::close()
{
    if (handle != NoHandle)
        ::close(int(handle));
    handle = NoHandle;
}

ReadResult FileChannel::readAt(std::int64_t offset, std::span<std::uint8_t> into)
{
    if (handle == NoHandle || into.empty())
        return {};
    ssize_t got;
    do {
        got = ::pread(int(handle), into.data(), into.size(), off_t(offset));
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return {0, classifySystemError(errno)};
    return {std::size_t(got), {}};
}
