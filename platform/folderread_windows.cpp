#include "platform/folderread.h"

#include "platform/windowspath.h"

#include <windows.h>

namespace {

// A search of the folder in its extended form, so that a folder of any depth,
// and names Windows would otherwise rewrite ("a.", "nul"), are read as stored.
class FolderSearch {
public:
    explicit FolderSearch(const std::filesystem::path &folder)
    {
        std::wstring pattern = extendedWindowsPath(folder);
        if (pattern.back() != L'\\')
            pattern += L'\\';
        pattern += L'*';
        // No short names, and the entries fetched in large batches.
        handle = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH);
        // A drive's root has no "." and ".." entries: an empty one finds
        // nothing at all, and is still a folder that lists.
        listable = handle != INVALID_HANDLE_VALUE || ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    ~FolderSearch()
    {
        if (handle != INVALID_HANDLE_VALUE)
            ::FindClose(handle);
    }
    FolderSearch(const FolderSearch &) = delete;
    FolderSearch &operator=(const FolderSearch &) = delete;

    bool found() const { return handle != INVALID_HANDLE_VALUE; }
    // Windows gives a folder no size.
    std::size_t namesSizeHint(const std::filesystem::path &) { return 0; }

    bool canList() const { return listable; }
    const WIN32_FIND_DATAW &current() const { return entry; }
    bool next() { return ::FindNextFileW(handle, &entry); }

private:
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool listable = false;
    WIN32_FIND_DATAW entry{};
};

}   // namespace

void readFolder(const std::filesystem::path &folder, const EntryTaker &take)
{
    FolderSearch search(folder);
    for (bool more = search.found(); more; more = search.next()) {
        const std::wstring_view name = search.current().cFileName;
        // A link or junction to a folder carries the folder's mark.
        const DWORD attributes = search.current().dwFileAttributes;
        if (name != L"." && name != L".."
            && !take(name, attributes & FILE_ATTRIBUTE_DIRECTORY, attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return;
    }
}

// Windows gives a folder no size.
std::size_t namesSizeHint(const std::filesystem::path &)
{
    return 0;
}

bool canList(const std::filesystem::path &folder)
{
    return FolderSearch(folder).canList();
}
