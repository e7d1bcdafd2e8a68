#include "filechannel.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

OpenResult FileChannel::open(const std::filesystem::path &path)
{
    struct _stat64 info {};
    if (::_wstat64(path.c_str(), &info) != 0)
        return OpenResult::failed(errno == ENOENT ? OpenError::NotFound : OpenError::Other, errno);
    if (info.st_mode & _S_IFDIR)
        return OpenResult::failed(OpenError::IsDirectory);
    if (!(info.st_mode & _S_IFREG))
        return OpenResult::failed(OpenError::NotRegularFile);

    int fd = -1;
    if (::_wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0)
        return OpenResult::failed(errno == EACCES ? OpenError::NoPermission : OpenError::Other, errno);
    OpenResult result;
    result.channel = FileChannel(fd);
    return result;
}

void FileChannel::close()
{
    if (handle >= 0)
        ::_close(handle);
    handle = -1;
}

std::size_t FileChannel::readAt(std::int64_t offset, std::span<std::uint8_t> into)
{
    if (handle < 0 || into.empty())
        return 0;
    if (::_lseeki64(handle, offset, SEEK_SET) < 0)
        return 0;
    const int got = ::_read(handle, into.data(), unsigned(into.size()));
    return got < 0 ? 0 : std::size_t(got);
}
