#include "filechannel.h"

#include <cstring>
#include <utility>

OpenResult OpenResult::failed(OpenError error, int systemError)
{
    OpenResult result;
    result.error = error;
    if (systemError != 0)
        result.systemMessage = std::strerror(systemError);
    return result;
}

FileChannel::FileChannel(FileChannel &&other) noexcept
    : handle(std::exchange(other.handle, -1))
{
}

FileChannel &FileChannel::operator=(FileChannel &&other) noexcept
{
    if (this != &other) {
        close();
        handle = std::exchange(other.handle, -1);
    }
    return *this;
}

FileChannel::~FileChannel()
{
    close();
}
