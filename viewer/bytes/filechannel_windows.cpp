#include "viewer/bytes/filechannel.h"

#include "platform/windowspath.h"

#include <windows.h>

namespace {

HANDLE asHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Windows tells a file another program has deleted, while a handle such as
// the viewer's own keeps it from going (on FAT, exFAT and network shares),
// as "access denied"; only the status under it says the file is on its way out.
bool deletePending()
{
    using LastStatus = LONG(WINAPI *)();
    static const auto lastStatus = reinterpret_cast<LastStatus>(
        reinterpret_cast<void *>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetLastNtStatus")));
    return lastStatus && lastStatus() == LONG(0xC0000056);   // STATUS_DELETE_PENDING
}

OpenResult failureFromError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return OpenResult::failed(OpenError::NotFound);
    case ERROR_ACCESS_DENIED:
        return OpenResult::failed(deletePending() ? OpenError::NotFound : OpenError::NoPermission);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return OpenResult::failed(OpenError::InUse);
    case ERROR_CANT_RESOLVE_FILENAME:
        return OpenResult::failed(OpenError::LinkLoop);
    default:
        return OpenResult::failed(OpenError::Other, int(error));
    }
}

// Windows' own words in Dutch where its Dutch texts are installed.
std::string dutchWords(DWORD code)
{
    wchar_t *words = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH), reinterpret_cast<wchar_t *>(&words), 0, nullptr);
    std::string text(::WideCharToMultiByte(CP_UTF8, 0, words, int(length), nullptr, 0, nullptr, nullptr), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, words, int(length), text.data(), int(text.size()), nullptr, nullptr);
    ::LocalFree(words);
    // Without the line break and the full stop Windows ends its words with.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

}   // namespace

SystemError classifySystemError(int code)
{
    switch (DWORD(code)) {
    case ERROR_SUCCESS:
        return {};
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_IO_DEVICE:
        return {SystemFault::DeviceFault, code, {}};
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
        return {SystemFault::DeviceGone, code, {}};
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_REM_NOT_LIST:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_NO_NETWORK:
        return {SystemFault::NetworkUnreachable, code, {}};
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_BUSY:
    case ERROR_CONNECTION_ABORTED:
    case ERROR_SEM_TIMEOUT:
        return {SystemFault::ConnectionLost, code, {}};
    default:
        return {SystemFault::Other, code, dutchWords(DWORD(code))};
    }
}

OpenResult FileChannel::open(const std::filesystem::path &path)
{
    const std::wstring name = extendedWindowsPath(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failureFromError(::GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return OpenResult::failed(OpenError::IsDirectory);

    // Shared for reading, writing and deleting: while the file is on show,
    // other programs may still change, rename, move or delete it.
    const HANDLE file =
        ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failureFromError(::GetLastError());
    // A pipe, a console or a device reads without end or blocks.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return OpenResult::failed(OpenError::NotRegularFile);
    }
    OpenResult result;
    result.channel = FileChannel(reinterpret_cast<std::intptr_t>(file));
    return result;
}

void FileChannel::close()
{
    if (handle != NoHandle)
        ::CloseHandle(asHandle(handle));
    handle = NoHandle;
}

ReadResult FileChannel::readAt(std::int64_t offset, std::span<std::uint8_t> into)
{
    if (handle == NoHandle || into.empty())
        return {};
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD got = 0;
    if (!::ReadFile(asHandle(handle), into.data(), DWORD(into.size()), &got, &at)) {
        const DWORD error = ::GetLastError();
        return {0, classifySystemError(error == ERROR_HANDLE_EOF ? 0 : int(error))};
    }
    return {std::size_t(got), {}};
}
