#include "windowspath.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// \\server\share, or \\?\ and \\.\ (device) paths.
bool startsWithTwoSeparators(std::wstring_view path)
{
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

bool hasDrive(std::wstring_view path)
{
    return path.size() >= 2 && path[1] == L':'
           && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// The length of the name at the start of `path`.
std::size_t nameLength(std::wstring_view path)
{
    std::size_t length = 0;
    while (length < path.size() && !isSeparator(path[length]))
        ++length;
    return length;
}

// A full path split into its root (C: or \\server\share) and its names.
struct FullPath {
    std::wstring root;
    std::vector<std::wstring> names;
};

// Adds the names of `rest` to `full`, working out "." and ".." as Windows
// does, by name alone: ".." never climbs above the root.
void addNames(FullPath &full, std::wstring_view rest)
{
    for (std::size_t start = 0; start <= rest.size();) {
        const std::wstring_view name = rest.substr(start, nameLength(rest.substr(start)));
        if (name == L"..") {
            if (!full.names.empty())
                full.names.pop_back();
        } else if (!name.empty() && name != L".") {
            full.names.emplace_back(name);
        }
        start += name.size() + 1;
    }
}

FullPath splitFull(std::wstring_view path)
{
    const std::size_t rootLength = windowsRootLength(path);
    FullPath full{std::wstring(path.substr(0, rootLength)), {}};
    std::replace(full.root.begin(), full.root.end(), L'/', L'\\');
    addNames(full, path.substr(rootLength));
    return full;
}

}   // namespace

std::size_t windowsRootLength(std::wstring_view path)
{
    if (startsWithTwoSeparators(path)) {
        std::size_t length = 2 + nameLength(path.substr(2));   // the server
        if (length < path.size())
            length += 1 + nameLength(path.substr(length + 1));   // the share
        return length;
    }
    return hasDrive(path) ? 2 : 0;
}

std::wstring extendedWindowsPath(std::wstring_view path, std::wstring_view currentFolder)
{
    if (startsWithTwoSeparators(path) && path.size() >= 4 && (path[2] == L'?' || path[2] == L'.')
        && isSeparator(path[3]))
        return std::wstring(path);

    FullPath full;
    if (startsWithTwoSeparators(path) || (hasDrive(path) && path.size() >= 3 && isSeparator(path[2]))) {
        full = splitFull(path);   // C:\a, \\server\share\a
    } else if (!path.empty() && isSeparator(path[0])) {
        full = splitFull(currentFolder);   // \a: from the current folder's root
        full.names.clear();
        addNames(full, path);
    } else if (hasDrive(path)) {
        // C:a, relative to that drive: its current folder is known only for
        // the current drive, elsewhere the drive's root stands in.
        const bool sameDrive = hasDrive(currentFolder) && std::towupper(currentFolder[0]) == std::towupper(path[0]);
        full = sameDrive ? splitFull(currentFolder) : splitFull(std::wstring(path.substr(0, 2)) + L"\\");
        addNames(full, path.substr(2));
    } else {
        full = splitFull(currentFolder);   // a\b
        addNames(full, path);
    }

    const bool share = full.root.starts_with(L"\\\\");
    std::wstring extended = share ? L"\\\\?\\UNC\\" + full.root.substr(2) : L"\\\\?\\" + full.root;
    extended += L'\\';
    for (std::size_t i = 0; i < full.names.size(); ++i) {
        if (i)
            extended += L'\\';
        extended += full.names[i];
    }
    return extended;
}

// The current folder is asked for only where the path needs it.
std::wstring extendedWindowsPath(const std::filesystem::path &path)
{
    std::error_code ignored;
    return extendedWindowsPath(path.wstring(),
                               path.is_absolute() ? std::wstring() : std::filesystem::current_path(ignored).wstring());
}
