#include "filechannel.h"

#include <utility>

OpenResult OpenResult::failed(OpenError error, int systemCode)
{
    OpenResult result;
    result.error = error;
    if (error == OpenError::Other)
        result.systemError = classifySystemError(systemCode);
    return result;
}

FileChannel::FileChannel(FileChannel &&other) noexcept
    : handle(std::exchange(other.handle, NoHandle))
{}

FileChannel &FileChannel::operator=(FileChannel &&other) noexcept
{
    if (this != &other) {
        close();
        handle = std::exchange(other.handle, NoHandle);
    }
    return *this;
}

FileChannel::~FileChannel()
{
    close();
}
